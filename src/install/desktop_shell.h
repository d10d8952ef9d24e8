// Starting a program as the desktop's user, for the launchers.
#pragma once

// True when this set-up runs elevated on Windows Vista or later.
bool RunsElevated();
// Starts `file` (a full path) with `parameters` (null: none) in `folder`
// through the desktop's own shell, so that it runs as the desktop's user and
// not with this set-up's rights. False when any step fails; the caller then
// starts it itself.
bool StartAsDesktopUser(const char *file, const char *parameters, const char *folder);
