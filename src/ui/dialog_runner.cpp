#include "ui/dialog_table.h"
#include "resource_ids.h"
#include "core/text_ops.h"
#include "run/run.h"
#include "run/setup_state.h"
#include "ui/ui.h"

// Modal dialogs run one at a time, so one slot holds the current handler.
static DialogHandler currentHandler;

static INT_PTR RouteInit(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    currentHandler(dialog, message, wParam, lParam);
    return TRUE;
}

static INT_PTR RouteDestroy(HWND, UINT, WPARAM, LPARAM)
{
    return TRUE;
}

static INT_PTR RouteNotify(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    currentHandler(dialog, message, wParam, lParam);
    return FALSE;
}

static INT_PTR RouteDrawItem(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return currentHandler(dialog, message, wParam, lParam);
}

static const DialogMessageEntry ModalMessageTable[] = {
    {WM_INITDIALOG, RouteInit},   {WM_DESTROY, RouteDestroy}, {WM_COMMAND, RouteNotify},
    {WM_DRAWITEM, RouteDrawItem}, {WM_HSCROLL, RouteNotify},  {WM_VSCROLL, RouteNotify},
};

INT_PTR DispatchDialogMessage(const DialogMessageEntry *table, unsigned count, HWND dialog,
                              UINT message, WPARAM wParam, LPARAM lParam)
{
    for (unsigned i = 0; i < count; ++i)
        if (table[i].message == message)
            return table[i].route(dialog, message, wParam, lParam);
    return FALSE;
}

static INT_PTR CALLBACK ModalDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DispatchDialogMessage(ModalMessageTable, ARRAYSIZE(ModalMessageTable), dialog, message,
                                 wParam, lParam);
}

INT_PTR RunModalDialog(HWND owner, unsigned templateId, DialogHandler handler)
{
    currentHandler = handler;
    INT_PTR result = DialogBoxParamA(setupState.instanceHandle, MAKEINTRESOURCEA(templateId), owner,
                                     ModalDialogProc, 0);
    if (result == -1)
        FatalError(FailureGeneral);
    return result;
}

void ComposeSetupCaption(char *buffer, unsigned size)
{
    char *end = buffer + size;
    char *at = CopyTextWithin(TextSetupCaption, buffer, end);
    at = CopyTextWithin(" ", at, end);
    CopyTextWithin(setupState.versionLabel, at, end);
}
