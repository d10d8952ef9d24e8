// The destination folder: its default and what the set-up accepts.
#pragma once
#include "registry_path.h"

// "Brightlark" inside the Program Files folder: `programFilesDir` as the
// registry gives it (empty when missing), else "Program Files" on the drive
// of `windowsDir`, else "\Brightlark" alone. A Program Files folder with no
// room left for "\Brightlark" counts as missing.
void ComposeDefaultDestination(const char *programFilesDir, const char *windowsDir,
                               char (&destination)[DestinationSize]);

// A drive-like prefix ("C:\") followed by at least one more character.
bool IsValidDestination(const char *folder);
