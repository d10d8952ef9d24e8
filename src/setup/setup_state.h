// The run's one global record and the operations of the setup flow that
// the dialogs and the installation engine call.
#pragma once
#include <windows.h>
#include <cstdint>

#include "registry_path.h"
#include "text.h"
#include "texts.h"

// The version this set-up installs, written as ProgramVersion and compared,
// unsigned, with an earlier installation's.
constexpr std::uint32_t InstallerVersion = 900;

constexpr unsigned ScratchBlockSize = 65535;

struct SetupState {
    HINSTANCE instanceHandle;
    void *scratchBlock;         // holds the Windows version record
    std::uint32_t platformId;   // 0 Win32s, 1 Windows 9x/ME, 2 NT family
    std::uint32_t autorunMode;  // started with /autorun
    std::uint32_t hasPreviousInstall;
    std::uint32_t previousVersion;
    char previousFolder[DestinationSize];
    char destinationFolder[DestinationSize];
    const char *versionLabel;   // "VERSION 9"
};

extern SetupState setupState;

// Shows `message` in the "Installation Error" box and ends the process with
// exit code 0, whatever the box returned.
[[noreturn]] void FatalError(const char *message);

// Asks in a box captioned "Install Brightlark"; returns the button pressed
// as MessageBoxA gives it (0 when the box could not be shown).
int AskUser(const char *text, UINT flags, HWND owner);

// Loads a DLL from the system folder by its full path, never from the
// program's own folder or the current one. Null when it cannot.
HMODULE LoadSystemLibrary(const char *name);

// A function of a library loaded at run time, as the type it is called by;
// null when the library lacks it.
template <typename Proc> Proc LookUpProc(HMODULE module, const char *name)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Registers the progress bar's window class. COMCTL32 comes from the system
// folder by full path, like LZ32.
void InitCommonControlsFromSystem();

// Limits where the process looks for DLLs to the system folder, where the
// running Windows allows it. Called first thing.
void RestrictDllSearch();
