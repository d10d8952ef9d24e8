#include "install.h"
#include "resource_ids.h"
#include "sequence.h"
#include "setup_state.h"
#include "ui.h"

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

static void StartUp(const char *commandTail)
{
    setupState.instanceHandle = GetModuleHandleA(nullptr);
    // Two set-ups started in the same instant (the CD's autorun and a
    // double-click) could both pass the window check before either had made
    // its window: the mutex, taken before any window, lets only one through.
    // It is never released; it goes with the process.
    CreateMutexA(nullptr, FALSE, TextSetupCaption);
    if (GetLastError() == ERROR_ALREADY_EXISTS || FindWindowA(TextSetupCaption, nullptr) != nullptr)
        ExitProcess(0);
    MarkSetupRunning();
    InitCommonControlsFromSystem();
    setupState.scratchBlock = GlobalAlloc(GMEM_FIXED, ScratchBlockSize);
    if (setupState.scratchBlock == nullptr)
        FatalError(TextErrorMemory);
    setupState.platformId = GetWindowsPlatform();
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
        StartProgram(PayloadTable[PayloadRowProgram].fileName, nullptr, setupState.previousFolder);
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
    ExitProcess(0);
}

static void RunMainDialog()
{
    do {
        if (RunModalDialog(nullptr, IDD_MAIN, MainDialogHandler) == 0)
            ExitProcess(0);
    } while (!ValidateDestination());
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandTail, int)
{
    QuietCriticalErrors();
    UseAnsiCodePage();
    RestrictDllSearch();
    StartUp(commandTail);

    if (setupState.autorunMode && FindWindowA(TextProductName, nullptr) != nullptr)
        ExitProcess(0);
    if (setupState.hasPreviousInstall && setupState.autorunMode)
        RunAutorunMenu();
    if (RunModalDialog(nullptr, IDD_AGREEMENT, AgreementHandler) == 0)
        ExitProcess(0);
    if (!OfferOldVersionUninstall())
        ExitProcess(0);
    RunMainDialog();

    // An aborted pass ends the run without the offers that follow.
    if (!InstallPass())
        ExitProcess(0);
    OfferSoundEffects();
    if (SetupRunsFromCd() && setupState.platformId != VER_PLATFORM_WIN32_NT &&
        AskUser(TextAskDirectX, MB_YESNO | MB_ICONQUESTION, nullptr) == IDYES) {
        RunCdDirectXSetup();
        ExitProcess(0);
    }
    OfferStartProduct();
    ExitProcess(0);
}
