#include "resource_ids.h"
#include "run/setup_state.h"
#include "ui/ui.h"
#include "ui/ui_banner.h"

// The options in the order OK asks them; the first checked one is the
// result.
static const int MenuOptions[] = {IDC_MENU_RUN, IDC_MENU_SETUP, IDC_MENU_DIRECTX, IDC_MENU_SOUNDFX,
                                  IDC_MENU_EXPLORE};

static int CheckedOption(HWND dialog)
{
    for (int option : MenuOptions)
        if (SendDlgItemMessageA(dialog, option, BM_GETCHECK, 0, 0) == BST_CHECKED)
            return option;
    return IDCANCEL;
}

INT_PTR AutorunMenuHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        SendDlgItemMessageA(dialog, IDC_MENU_RUN, BM_SETCHECK, BST_CHECKED, 0);
        ShowBanner(dialog, IDC_MENU_BANNER);
    } else if (message == WM_COMMAND) {
        if (LOWORD(wParam) == IDOK)
            EndDialog(dialog, CheckedOption(dialog));
        else if (LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, IDCANCEL);
    }
    return 0;
}
