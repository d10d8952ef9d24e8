// The run layer: how a run asks, tells and ends, its log, and what it takes
// from Windows itself. What the floors above may call.
#pragma once
#include <windows.h>
#include <cstdint>

#include "core/user_texts.h"

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
// The "Installation Error" box with the failure's text (naming `file` where
// the failure names one), then the end of a failed run.
[[noreturn]] void FatalError(Failure failure, const char *file = nullptr);
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

// True when two folders are one, however they are written: a closing
// backslash and the letter case, by the ANSI code page's rules, make no
// difference.
bool SameFolder(const char *folder, const char *other);

// Reads the Windows version record into the scratch block, once, and gives
// its platform; 0 when Windows gives none.
std::uint32_t GetWindowsPlatform();
// The record read at start-up.
const OSVERSIONINFOA &WindowsVersion();

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
// running Windows allows it. Called once the version record is read, before
// any DLL is loaded.
void RestrictDllSearch();
