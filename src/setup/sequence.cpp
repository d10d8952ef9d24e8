#include "setup/sequence.h"
#include "core/destination.h"
#include "install/install.h"
#include "run/setup_state.h"


static const char OldUninstaller[] = "uninstall.exe";
static const char SoundFxFirstRun[] = "/1";

void QuietCriticalErrors()
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

void ReadAnsiLeadBytes()
{
    CPINFO codePage;
    if (GetCPInfo(CP_ACP, &codePage))
        SetLeadByteRanges(codePage.LeadByte);
}

std::uint32_t GetWindowsPlatform()
{
    // The version record lives in the scratch block; a failed query leaves
    // the platform 0, which start-up refuses.
    OSVERSIONINFOA *version = static_cast<OSVERSIONINFOA *>(setupState.scratchBlock);
    ZeroMemory(version, sizeof *version);
    version->dwOSVersionInfoSize = sizeof *version;
    GetVersionExA(version);
    return version->dwPlatformId;
}

// A folder the set-up could install into: one it accepts as typed, on a
// drive that holds files (not a CD-ROM drive, nor one that is gone).
static bool UsableFolder(const char *folder)
{
    char root[] = "?:\\";
    root[0] = folder[0];
    if (!IsValidDestination(folder))
        return false;
    UINT type = GetDriveTypeA(root);
    return type == DRIVE_REMOVABLE || type == DRIVE_FIXED || type == DRIVE_REMOTE || type == DRIVE_RAMDISK;
}

// Both values must read back whole: the folder as a text that ends inside
// its field, the version as exactly four bytes. Records whose folder could
// not be a destination count as none, like malformed ones: they would lock
// the page to a folder that no Install can use (drive letters move when a
// disk is added). They stay until a new installation writes its own.
void DetectPreviousInstall()
{
    std::uint32_t count = 0;
    setupState.hasPreviousInstall =
        GetProductText(ValueProgramDirectory, setupState.previousFolder, DestinationSize) &&
        GetProductValue(ValueProgramVersion, &setupState.previousVersion,
                        sizeof setupState.previousVersion, &count) &&
        count == sizeof setupState.previousVersion && UsableFolder(setupState.previousFolder);
    WriteLog(setupState.hasPreviousInstall ? "Earlier installation: version %lu in %s" : "No earlier installation",
             setupState.previousVersion, setupState.previousFolder);
}

bool FolderLocked()
{
    return setupState.hasPreviousInstall && setupState.previousVersion != InstallerVersion;
}

// The folder /DIR names is the default wherever a person could change it.
void ChooseDefaultDestination()
{
    if ((setupState.options.given & OptionDir) && !FolderLocked()) {
        CopyText(setupState.options.dir, setupState.destinationFolder);
        return;
    }
    if (setupState.hasPreviousInstall) {
        CopyText(setupState.previousFolder, setupState.destinationFolder);
        return;
    }
    char programFiles[DestinationSize] = "";
    char windows[MAX_PATH] = "";
    if (!GetRootText(PathProgramFilesDir, programFiles, DestinationSize, HKEY_LOCAL_MACHINE))
        programFiles[0] = '\0';
    UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        windows[0] = '\0';
    ComposeDefaultDestination(programFiles, windows, setupState.destinationFolder);
}

bool ValidateDestination()
{
    if (IsValidDestination(setupState.destinationFolder))
        return true;
    Refuse(TextInvalidDestination, MB_OK | MB_ICONINFORMATION);
    return false;
}

void StartProgram(const char *file, const char *parameters, const char *folder)
{
    if (RunsUnattended())
        WriteLog("Not started, as nobody is at the machine: %s %s", file, parameters ? parameters : "");
    else
        Launch(nullptr, file, parameters, folder, SW_SHOW);
}

// Elevated on Windows Vista or later, the set-up asks the desktop's own shell
// to start the player, which then runs as the desktop's user: otherwise it
// would run as administrator, Explorer could not drop files on it, and all it
// wrote would be written as administrator. Where the shell cannot, and on
// older Windows, the set-up starts it itself.
void StartProduct(const char *folder)
{
    const char *name = PayloadTable[PayloadRowProgram].fileName;
    char path[FullNameSize];
    if (RunsElevated() && JoinPath(folder, name, path, FullNameSize) &&
        StartAsDesktopUser(path, nullptr, folder))
        WriteLog("Started %s as the desktop's user", path);
    else
        StartProgram(name, nullptr, folder);
}

bool OfferOldVersionUninstall()
{
    if (!setupState.hasPreviousInstall || setupState.previousVersion > 301)
        return true;
    if (AskUser(TextAskUninstallOld, MB_OKCANCEL | MB_ICONINFORMATION, nullptr) != IDOK)
        return false;
    // Still the earlier installation's folder here.
    StartProgram(OldUninstaller, nullptr, setupState.destinationFolder);
    return true;
}

void OfferStartProduct()
{
    bool updated = setupState.hasPreviousInstall && setupState.previousVersion < InstallerVersion;
    if (AskUser(updated ? TextAskStartUpdated : TextAskStartInstalled, MB_YESNO | MB_ICONQUESTION,
                nullptr) == IDYES)
        StartProduct(setupState.destinationFolder);
}

void OfferSoundEffects()
{
    const char *program = PayloadTable[PayloadRowSoundFx].fileName;
    if (!setupState.hasPreviousInstall) {
        StartProgram(program, SoundFxFirstRun, setupState.destinationFolder);
        return;
    }
    if (AskUser(TextAskSoundEffects, MB_YESNO | MB_ICONQUESTION, nullptr) != IDYES)
        return;
    if (SetupRunsFromCd())
        OpenCdSoundFx();
    else
        StartProgram(program, nullptr, setupState.destinationFolder);
}
