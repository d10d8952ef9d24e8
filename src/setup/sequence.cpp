#include "core/destination.h"
#include "core/registry_path.h"
#include "core/text_ops.h"
#include "run/run.h"
#include "run/setup_state.h"
#include "setup/sequence.h"

static const char OldUninstaller[] = "uninstall.exe";
static const char SoundFxFirstRun[] = "/1";

void ChooseDefaultDestination()
{
    if (TakeDirOption())
        return;
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

bool OfferOldVersionUninstall()
{
    if (!EarlierNeedsUninstall())
        return true;
    if (AskUser(TextAskUninstallOld, MB_OKCANCEL | MB_ICONINFORMATION, nullptr) != IDOK)
        return false;
    // Still the earlier installation's folder here.
    StartProgram(OldUninstaller, nullptr, setupState.destinationFolder);
    return true;
}

void OfferStartProduct()
{
    if (AskUser(EarlierIsOlder() ? TextAskStartUpdated : TextAskStartInstalled, MB_YESNO | MB_ICONQUESTION,
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
