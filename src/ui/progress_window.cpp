#include "ui/dialog_table.h"
#include "resource_ids.h"
#include "core/text_ops.h"
#include "run/run.h"
#include "run/setup_state.h"
#include "ui/ui.h"

#include <commctrl.h>

struct ProgressWindow {
    HWND window;
    std::int32_t *abortFlag;
    std::int32_t rangeMinimum; // the low 16 bits are used
    std::int32_t rangeMaximum;
    char caption[256];
};

static ProgressWindow progress;
static MSG pumped;

// The window handles its messages only at the pumps, one each, so its
// painting would wait there: it paints at once instead, which takes no
// input.
static void PaintNow()
{
    if (progress.window != nullptr)
        RedrawWindow(progress.window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

static INT_PTR ProgressInit(HWND window, UINT, WPARAM, LPARAM)
{
    progress.window = window;
    SendDlgItemMessageA(window, IDC_PROGRESS_BAR, PBM_SETRANGE, 0,
                        MAKELPARAM(progress.rangeMinimum, progress.rangeMaximum));
    return TRUE;
}

static INT_PTR ProgressDestroy(HWND, UINT, WPARAM, LPARAM)
{
    return TRUE;
}

// Esc and the caption's close box arrive as IDCANCEL. The window stays
// open whatever the answer: the install pass decides what a set flag means.
static INT_PTR ProgressCommand(HWND, UINT, WPARAM wParam, LPARAM)
{
    if (LOWORD(wParam) == IDCANCEL &&
        AskUser(TextAskAbort, MB_YESNO | MB_ICONQUESTION, progress.window) == IDYES)
        *progress.abortFlag = 1;
    return TRUE;
}

static const DialogMessageEntry ProgressMessageTable[] = {
    {WM_INITDIALOG, ProgressInit},
    {WM_DESTROY, ProgressDestroy},
    {WM_COMMAND, ProgressCommand},
};

static INT_PTR CALLBACK ProgressDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DispatchDialogMessage(ProgressMessageTable, ARRAYSIZE(ProgressMessageTable), window,
                                 message, wParam, lParam);
}

void ProgressOpen(HWND owner, std::int32_t rangeMinimum, std::int32_t rangeMaximum,
                  std::int32_t *abortFlag)
{
    progress.rangeMinimum = rangeMinimum;
    progress.rangeMaximum = rangeMaximum;
    progress.abortFlag = abortFlag;
    *abortFlag = 0;
    HWND window = CreateDialogParamA(setupState.instanceHandle, MAKEINTRESOURCEA(IDD_PROGRESS), owner,
                                     ProgressDialogProc, 0);
    if (window == nullptr)
        FatalError(FailureGeneral);
    progress.window = window;
    PaintNow();
}

void ProgressUpdate(const char *title, const char *text, std::int32_t position)
{
    if (title != nullptr) {
        // A caption too long for the buffer is cut, never written past it.
        char *end = progress.caption + sizeof progress.caption;
        char *at = CopyTextWithin(title, progress.caption, end);
        at = CopyTextWithin(TextCaptionSeparator, at, end);
        CopyTextWithin(text != nullptr ? text : "", at, end);
        SetWindowTextA(progress.window, progress.caption);
    }
    if (text != nullptr)
        SetDlgItemTextA(progress.window, IDC_PROGRESS_TEXT, text);
    if (position != -1)
        SendDlgItemMessageA(progress.window, IDC_PROGRESS_BAR, PBM_SETPOS, position, 0);
    PaintNow();
}

void ProgressPump()
{
    if (progress.window != nullptr && PeekMessageA(&pumped, progress.window, 0, 0, PM_REMOVE) == 1)
        IsDialogMessageA(progress.window, &pumped);
}

void ProgressClose()
{
    DestroyWindow(progress.window);
}
