#include "ui/dialog_table.h"
#include "resource_ids.h"
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

// An unattended run shows no dialog: the CD menu goes on with the set-up,
// the command line's option itself accepts the agreement, and the main page
// confirms what the command line or the records give.
static INT_PTR AnswerUnattended(unsigned templateId)
{
    if (templateId == IDD_MAIN)
        return ConfirmUnattended();
    bool menu = templateId == IDD_AUTORUN;
    WriteLog(menu ? "CD menu not shown: the set-up goes on" : "Agreement accepted by the command line's option");
    return menu ? IDC_MENU_SETUP : 1;
}

INT_PTR RunModalDialog(HWND owner, unsigned templateId, DialogHandler handler)
{
    if (RunsUnattended())
        return AnswerUnattended(templateId);
    currentHandler = handler;
    INT_PTR result = DialogBoxParamA(setupState.instanceHandle, MAKEINTRESOURCEA(templateId), owner,
                                     ModalDialogProc, 0);
    if (result == -1)
        FatalError(TextErrorGeneral);
    return result;
}

void ComposeSetupCaption(char *buffer, unsigned size)
{
    char *end = buffer + size;
    char *at = CopyTextWithin(TextSetupCaption, buffer, end);
    at = CopyTextWithin(" ", at, end);
    CopyTextWithin(setupState.versionLabel, at, end);
}
