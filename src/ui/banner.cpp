#include "resource_ids.h"
#include "run/setup_state.h"
#include "ui/ui_banner.h"

void ShowBanner(HWND dialog, int item)
{
    // Shared: every load gives the same handle, and nothing frees it.
    HANDLE banner = LoadImageA(setupState.instanceHandle, MAKEINTRESOURCEA(IDB_BANNER), IMAGE_BITMAP, 0,
                               0, LR_SHARED | LR_LOADMAP3DCOLORS);
    SendDlgItemMessageA(dialog, item, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(banner));
}
