// The run's one global record, and the questions every floor above asks of
// it about the earlier installation.
#pragma once
#include <windows.h>
#include <cstdint>

#include "core/command_line.h"
#include "core/registry_path.h"
#include "core/versions.h"

constexpr unsigned ScratchBlockSize = 65535;

struct SetupState {
    HINSTANCE instanceHandle;
    void *scratchBlock;         // holds the Windows version record, read once at start-up
    std::uint32_t platformId;   // 0 Win32s, 1 Windows 9x/ME, 2 NT family
    std::uint32_t hasPreviousInstall;
    std::uint32_t previousVersion;
    char previousFolder[DestinationSize];
    char destinationFolder[DestinationSize];
    const char *versionLabel;   // "VERSION 9"
    char setupDrive;            // the drive the set-up program lies on; 0 for none
    // An installation for the machine: its records also under
    // HKEY_LOCAL_MACHINE, its shortcuts those of all users.
    std::uint32_t forMachine;
    SetupOptions options;       // what the command line asked for, read once
};

extern SetupState setupState;

// The earlier installation against this set-up's version: each false
// without one.
bool EarlierIsOlder();
bool EarlierIsNewer();
// An earlier version that brought its own uninstaller, to be run first.
bool EarlierNeedsUninstall();
// An earlier installation of another version fixes the destination to its
// folder.
bool FolderLocked();
