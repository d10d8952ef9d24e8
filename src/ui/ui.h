// The dialogs: what the setup flow may call.
#pragma once
#include <windows.h>
#include <cstdint>

// A dialog's own handling of WM_INITDIALOG and WM_COMMAND.
typedef INT_PTR (*DialogHandler)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs one modal dialog from the program's resources and gives the value
// its handler ended it with. A dialog that cannot be created ends the run.
INT_PTR RunModalDialog(HWND owner, unsigned templateId, DialogHandler handler);

// The three dialogs of the sequence.
INT_PTR AutorunMenuHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR AgreementHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR MainDialogHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The agreement the user accepts before installing.
extern const char AgreementText[];

// The modeless progress window of the install pass. Its Cancel asks
// "Abort?" and, on Yes, sets *abortFlag to 1; the window never closes itself.
void ProgressOpen(HWND owner, std::int32_t rangeMinimum, std::int32_t rangeMaximum,
                  std::int32_t *abortFlag);
// A null title or text leaves that part alone; position -1 keeps the bar.
void ProgressUpdate(const char *title, const char *text, std::int32_t position);
// Handles at most one pending message of the window, without waiting.
void ProgressPump();
void ProgressClose();

// "Install Brightlark VERSION 9", the caption of the agreement and main
// dialogs.
void ComposeSetupCaption(char *buffer, unsigned size);
