// The progress window paints as the pass goes. The pass lets it handle one
// message per pump, between files, so an update must leave no painting
// waiting in the queue, and must handle nothing else.
#include "check.h"
#include "payload_table.h"
#include "resource_ids.h"
#include "setup_state.h"
#include "ui.h"

#include <commctrl.h>

static bool Painted(HWND window, HWND bar)
{
    return !GetUpdateRect(window, nullptr, FALSE) && !GetUpdateRect(bar, nullptr, FALSE);
}

int main()
{
    setupState.instanceHandle = GetModuleHandleA(nullptr);
    InitCommonControlsFromSystem();
    std::int32_t abortFlag;
    ProgressOpen(nullptr, 0, PayloadRowCount, &abortFlag);
    HWND window = GetActiveWindow(), bar = GetDlgItem(window, IDC_PROGRESS_BAR);
    ok(bar != nullptr && Painted(window, bar), "the window is painted when it opens");
    // Stands for input that only a pump may take.
    PostMessageA(window, WM_APP, 0, 0);
    for (std::int32_t position = 0; position <= std::int32_t(PayloadRowCount); ++position) {
        ProgressUpdate(position == 0 ? TextProgressTitle : nullptr, TextProgressWorking, position);
        LRESULT shown = SendMessageA(bar, PBM_GETPOS, 0, 0);
        ok(Painted(window, bar) && shown == position, "bar painted at %d (%d)", position, int(shown));
    }
    MSG message;
    ok(PeekMessageA(&message, window, WM_APP, WM_APP, PM_NOREMOVE), "the updates handled no message");
    ProgressClose();
    return Summary();
}
