// The run's one global record and the operations of the setup flow that
// the dialogs and the installation engine call.
#pragma once
#include <windows.h>
#include <cstdint>

#include "core/command_line.h"
#include "core/registry_path.h"
#include "core/text_ops.h"
#include "core/user_texts.h"

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
    SetupOptions options;       // what the command line asked for, the run's mode among it
};

extern SetupState setupState;

// How a run ends. An interactive run ends with exit code 0 whatever
// happened; an unattended one tells a deployment tool with the codes such
// tools know: 0 installed, 1602 aborted by the person at the machine, 1618
// another set-up running, 1603 any other end.
enum SetupOutcome { OutcomeInstalled, OutcomeStopped, OutcomeAborted, OutcomeFailed, OutcomeOtherSetup };
[[noreturn]] void EndSetup(SetupOutcome outcome);

// The one layer through which the run asks and tells; each writes the log.
// An unattended run shows no box: it takes the safe answer and the log says
// so.
bool RunsUnattended();
// The "Installation Error" box with `message`, then the end of a failed run.
[[noreturn]] void FatalError(const char *message);
// Asks in a box captioned "Install Brightlark"; returns the button pressed
// as MessageBoxA gives it (0 when the box could not be shown). Unattended,
// the declining answer (No, Cancel, or OK to a note), but for a box of the
// progress window, which answers a person's own Abort there.
int AskUser(const char *text, UINT flags, HWND owner);
// Tells why what a person chose cannot be done, for them to choose again;
// an unattended run, where nobody can, ends as a failure.
void Refuse(const char *text, UINT flags);

// Writes one line of the run's log when the command line asked for one,
// formatted as wsprintfA does. The first line makes the file; false when
// it cannot be made or written.
bool WriteLog(const char *format, ...);

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
