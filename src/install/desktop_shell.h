// Starting a program as the desktop's user, for the launchers.
#pragma once
#include <windows.h>

// True when this set-up runs elevated on Windows Vista or later.
bool RunsElevated();
// Reads what `process`'s token says of `kind` into `record` of `size`
// bytes; false when Windows cannot be asked (Windows 95 to ME, or no
// rights). The token functions are looked up, not imported, like all that
// the oldest Windows the set-up runs on may lack.
bool ReadProcessToken(HANDLE process, TOKEN_INFORMATION_CLASS kind, void *record, DWORD size);
// Starts `file` (a full path) with `parameters` (null: none) in `folder`
// through the desktop's own shell, so that it runs as the desktop's user and
// not with this set-up's rights. False when any step fails; the caller then
// starts it itself.
bool StartAsDesktopUser(const char *file, const char *parameters, const char *folder);
