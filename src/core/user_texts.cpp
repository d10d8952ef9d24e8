#include "core/user_texts.h"
#include "core/text_ops.h"
#include "core/build_settings.h"

const char TextProductName[] = "Brightlark";
const char TextVersionLabel[] = "VERSION " BRIGHTLARK_VERSION_MAJOR_TEXT;
const char TextDottedVersion[] = BRIGHTLARK_VERSION_DOTTED;
const char TextSetupCaption[] = "Install Brightlark";
const char TextErrorCaption[] = "Installation Error";

// The failures' texts, by their codes; the second is the text that follows
// the file's name, for a failure that names one.
static const char *const FailureTexts[FailureCount][2] = {
    {"", nullptr},
    {"ERROR: General Failure!", nullptr},
    {"ERROR: Insufficient memory.", nullptr},
    {"ERROR: Brightlark requires Windows 9x/ME/NT", nullptr},
    {"ERROR: Could not find/load resource.", nullptr},
    {"ERROR: Could not create file.", nullptr},
    {"ERROR: Could not write to file.", nullptr},
    {"ERROR: Could not create the destination folder.", nullptr},
    {"ERROR: This set-up program is damaged: its copy of ",
     " is not whole. Copy the set-up program again from the CD, or download it again."},
    {"ERROR: Could not finish with the files of an unfinished installation: ",
     " is in use. Close every program that may use it, and run the set-up again."},
    {"ERROR: Could not create the log file.", nullptr},
    {"ERROR: An earlier version is installed in another folder than /DIR names; /DIR must name "
     "that folder, or be left out.",
     nullptr},
};

void ComposeFailureMessage(Failure failure, const char *file, char (&message)[FailureMessageSize])
{
    const char *const *texts = FailureTexts[failure < FailureCount ? failure : FailureGeneral];
    const char *name = texts[1] != nullptr && file != nullptr ? file : "";
    const char *after = texts[1] != nullptr ? texts[1] : "";
    message[0] = '\0';
    if (TextsFit(FailureMessageSize, {texts[0], name, after}))
        CopyText(after, CopyText(name, CopyText(texts[0], message)));
}

const char TextAskAbort[] = "Abort?";
const char TextProductRunning[] =
    "Installation has detected that Brightlark is currently running. "
    "Please close Brightlark before installing.";
const char TextNoteShortcut[] = "NOTE: Could not add shortcut to start menu/desktop.";
const char TextNoteRecords[] = "NOTE: Could not write program directory/version to registry.";
const char TextNoteUninstall[] = "NOTE: Could not write uninstall entry to registry.";
const char TextNoteRecordsAndUninstall[] =
    "NOTE: Could not write program directory/version and uninstall entry to registry.";
const char TextNoteNotPutBack[] = "NOTE: The earlier ";
const char TextNoteKeptAs[] = " could not be put back. It is kept as ";
const char TextNoteNextRun[] = "; the set-up puts it back when it next installs.";
const char TextInvalidDestination[] =
    "You must specify a valid destination drive and directory such as C:\\Brightlark";
const char TextAskUninstallOld[] =
    "Previous version of Brightlark must be uninstalled first. Press OK to continue.";
const char TextAskSoundEffects[] = "Would you like to install sound effects?";
const char TextAskDirectX[] = "Would you like to install Microsoft DirectX?";
const char TextAskStartInstalled[] =
    "Brightlark has been successfully installed!\r\nWould you like to go Brightlark now?";
const char TextAskStartUpdated[] =
    "Brightlark has been successfully updated!\r\nWould you like to go Brightlark now?";

const char TextSentenceInstall[] =
    "This will install Brightlark into your PC in the specified folder.";
const char TextSentenceUpdate[] = "This will update your current version of Brightlark.";
const char TextSentenceNewer[] =
    "A newer version of Brightlark is already installed. If you do not wish to replace your "
    "newer version with this older one, click Cancel.";
const char TextButtonInstall[] = "&I n s t a l l";
const char TextButtonUpdate[] = "&U p d a t e";
const char TextButtonCancel[] = "&C a n c e l";
const char TextBrowseTitle[] = "Destination Directory:";

const char TextProgressTitle[] = "Installing Brightlark";
const char TextProgressWorking[] = "Working ... ";
const char TextCaptionSeparator[] = "  ---  ";
