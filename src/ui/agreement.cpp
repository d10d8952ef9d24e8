#include "resource_ids.h"
#include "run/setup_state.h"
#include "ui/ui.h"

INT_PTR AgreementHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        // The agreement in the fixed-pitch font, the rest in the dialog's.
        SendDlgItemMessageA(dialog, IDC_AGREEMENT_TEXT, WM_SETFONT,
                            reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), TRUE);
        char caption[256];
        ComposeSetupCaption(caption, sizeof caption);
        SetWindowTextA(dialog, caption);
        SetDlgItemTextA(dialog, IDC_AGREEMENT_TEXT, AgreementText);
    } else if (message == WM_COMMAND) {
        if (LOWORD(wParam) == IDOK)
            EndDialog(dialog, 1);
        else if (LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, 0);
    }
    return 0;
}
