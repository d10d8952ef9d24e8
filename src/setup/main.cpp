#include "install/install.h"
#include "resource_ids.h"
#include "setup/sequence.h"
#include "run/setup_state.h"
#include "ui/ui.h"

// The class that marks a running set-up; a hidden window of it lives as
// long as this process, so that a second set-up finds it and ends.
static void MarkSetupRunning()
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = setupState.instanceHandle;
    windowClass.hIcon = LoadIconA(setupState.instanceHandle, MAKEINTRESOURCEA(IDI_SETUP));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = TextSetupCaption;
    RegisterClassA(&windowClass);
    CreateWindowExA(0, TextSetupCaption, nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                    setupState.instanceHandle, nullptr);
}

// Two set-ups started in the same instant (the CD's autorun and a
// double-click) could both pass the window check before either had made its
// window: the mutex, taken before any window, lets only one through. It
// lives where every session of the machine sees it (Windows 2000 and later,
// where several users may be logged on); Windows 95 to NT 4.0 refuse such a
// name and take the plain one. A mutex that another user's set-up holds is
// refused to this one. It is never released; it goes with the process.
static bool AnotherSetupRuns()
{
    char globalName[32];
    CopyText(TextSetupCaption, CopyText("Global\\", globalName));
    HANDLE mutex = CreateMutexA(nullptr, FALSE, globalName);
    if (mutex == nullptr && GetLastError() != ERROR_ACCESS_DENIED)
        mutex = CreateMutexA(nullptr, FALSE, TextSetupCaption);
    DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED ||
           FindWindowA(TextSetupCaption, nullptr) != nullptr;
}

// The log's first lines: the product and its version, the command line and
// Windows. A log asked for that cannot be made ends the run before anything
// changes.
static void StartLog()
{
    static const char *const Modes[] = {"an interactive run", "an unattended run with the progress window",
                                        "an unattended run without windows"};
    const OSVERSIONINFOA *version = static_cast<const OSVERSIONINFOA *>(setupState.scratchBlock);
    if (!WriteLog("%s %s set-up (%lu)", TextProductName, TextVersionLabel, InstallerVersion) ||
        !WriteLog("Command line: %s", GetCommandLineA()) ||
        !WriteLog("Windows %lu.%lu.%lu, platform %lu; %s", version->dwMajorVersion,
                  version->dwMinorVersion, version->dwBuildNumber & 0xFFFF, version->dwPlatformId,
                  Modes[setupState.options.mode]))
        FatalError(TextErrorLog);
}

static void StartUp(const char *commandTail)
{
    setupState.instanceHandle = GetModuleHandleA(nullptr);
    setupState.versionLabel = TextVersionLabel;
    ParseOptions(commandTail, &setupState.options);
    // Before the log: it may be the other set-up's.
    if (AnotherSetupRuns())
        EndSetup(OutcomeOtherSetup);
    MarkSetupRunning();
    InitCommonControlsFromSystem();
    setupState.scratchBlock = GlobalAlloc(GMEM_FIXED, ScratchBlockSize);
    if (setupState.scratchBlock == nullptr)
        FatalError(TextErrorMemory);
    setupState.platformId = GetWindowsPlatform();
    StartLog();
    if (setupState.platformId == VER_PLATFORM_WIN32s)
        FatalError(TextErrorPlatform);
    setupState.autorunMode = FindTextNoCase(commandTail, "/autorun");
    DetectPreviousInstall();
    ChooseDefaultDestination();
}

static void RunAutorunMenu()
{
    switch (RunModalDialog(nullptr, IDD_AUTORUN, AutorunMenuHandler)) {
    case IDC_MENU_RUN:
        StartProduct(setupState.previousFolder);
        break;
    case IDC_MENU_SETUP:
        return;
    case IDC_MENU_DIRECTX:
        RunCdDirectXSetup();
        break;
    case IDC_MENU_SOUNDFX:
        OpenCdSoundFx();
        break;
    case IDC_MENU_EXPLORE:
        ExploreCd();
        break;
    }
    EndSetup(OutcomeStopped);
}

static void RunMainDialog()
{
    do {
        if (RunModalDialog(nullptr, IDD_MAIN, MainDialogHandler) == 0)
            EndSetup(OutcomeStopped);
    } while (!ValidateDestination());
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandTail, int)
{
    QuietCriticalErrors();
    ReadAnsiLeadBytes();
    RestrictDllSearch();
    StartUp(commandTail);

    if (setupState.autorunMode && FindWindowA(TextProductName, nullptr) != nullptr) {
        WriteLog("%s", TextProductRunning);
        EndSetup(OutcomeStopped);
    }
    if (setupState.hasPreviousInstall && setupState.autorunMode)
        RunAutorunMenu();
    if (RunModalDialog(nullptr, IDD_AGREEMENT, AgreementHandler) == 0)
        EndSetup(OutcomeStopped);
    if (!OfferOldVersionUninstall())
        EndSetup(OutcomeStopped);
    RunMainDialog();

    // An aborted pass ends the run without the offers that follow.
    if (!InstallPass())
        EndSetup(OutcomeAborted);
    OfferSoundEffects();
    if (SetupRunsFromCd() && setupState.platformId != VER_PLATFORM_WIN32_NT &&
        AskUser(TextAskDirectX, MB_YESNO | MB_ICONQUESTION, nullptr) == IDYES) {
        RunCdDirectXSetup();
        EndSetup(OutcomeInstalled);
    }
    OfferStartProduct();
    EndSetup(OutcomeInstalled);
}
