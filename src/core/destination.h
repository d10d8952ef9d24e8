// The destination folder: its default and what the set-up accepts.
#pragma once
#include "core/registry_path.h"

// "Brightlark" inside the Program Files folder: `programFilesDir` as the
// registry gives it (empty when missing), else "Program Files" on the drive
// of `windowsDir`, else "\Brightlark" alone. A Program Files folder too long
// for a destination that works counts as missing.
void ComposeDefaultDestination(const char *programFilesDir, const char *windowsDir,
                               char (&destination)[DestinationSize]);

// Windows' limit of a full file name with its terminator (MAX_PATH).
constexpr unsigned FullNameSize = 260;

// A drive-like prefix ("C:\") followed by at least one more character, and
// short enough that every full name the set-up makes in it (each product
// file, which the uninstall command and the shortcuts name too, and the
// pass's own files) fits FullNameSize; it ends on a whole character.
bool IsValidDestination(const char *folder);

// Drops the closing backslash of a folder but a drive's root ("C:\"), by
// characters: the folder as the set-up compares it with another.
void DropClosingBackslash(char *folder);
