#include "resource_ids.h"
#include "run/run.h"
#include "run/setup_state.h"
#include "setup/sequence.h"

static void RunAutorunMenu()
{
    switch (RunDialog(IDD_AUTORUN, AutorunMenuHandler)) {
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
        if (RunDialog(IDD_MAIN, MainDialogHandler) == 0)
            EndSetup(OutcomeStopped);
    } while (!ValidateDestination());
}

// The command-line tail is read with the whole command line at start-up.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    StartUp();

    if (setupState.options.autorunMode && ProductWindowOpen()) {
        WriteLog("%s", TextProductRunning);
        EndSetup(OutcomeStopped);
    }
    if (setupState.hasPreviousInstall && setupState.options.autorunMode)
        RunAutorunMenu();
    if (RunDialog(IDD_AGREEMENT, AgreementHandler) == 0)
        EndSetup(OutcomeStopped);
    if (!OfferOldVersionUninstall())
        EndSetup(OutcomeStopped);
    RunMainDialog();

    // An aborted pass ends the run without the offers that follow.
    if (!InstallPass(ProgressShown))
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
