// Message tables: how the dialog procedures of the set-up route messages.
#pragma once
#include <windows.h>

typedef INT_PTR (*MessageRoute)(HWND, UINT, WPARAM, LPARAM);

struct DialogMessageEntry {
    UINT message;
    MessageRoute route;
};

// Takes the first entry whose message matches and gives its route's value;
// FALSE, the default processing, for a message the table does not list.
INT_PTR DispatchDialogMessage(const DialogMessageEntry *table, unsigned count, HWND dialog,
                              UINT message, WPARAM wParam, LPARAM lParam);
