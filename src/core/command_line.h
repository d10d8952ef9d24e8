// The command line, read once at start-up into what the run needs:
// "/autorun" and the options for administrators who install without sitting
// at each machine. The options are read from the arguments as Windows
// programs split them, so that a command line that PowerShell, a deployment
// tool or the C runtime quoted says what it says typed in a console. Each
// option is an argument that starts with a slash, in any letter case, its
// name matched whole ("/SILENTLY" is not "/SILENT"). The names follow the
// most widely used Windows installer convention, so that administrators'
// command lines and tools carry over.
#pragma once
#include <cstdint>

#include "core/registry_path.h"

// /SILENT: no question and no dialog, only the progress window; /VERYSILENT:
// no window at all. Either is an unattended run.
enum RunMode : std::uint32_t { RunInteractive, RunSilent, RunVerySilent };

// Which of the other options the command line gave.
enum : std::uint32_t {
    OptionDir = 1,      // /DIR="X:\folder": the destination
    OptionLog = 2,      // /LOG: a log of the run, in the temporary folder
    OptionLogNamed = 4, // /LOG="file": the log in that file
    OptionNoIcons = 8,  // /NOICONS: no shortcuts
};

constexpr unsigned LogNameSize = 260;
// The arguments that start with a slash and name no option, for the log:
// as many whole ones as fit, each followed by a blank.
constexpr unsigned IgnoredSize = 128;

struct SetupOptions {
    RunMode mode;
    std::uint32_t given;
    // "/autorun" anywhere in the tail, in any letter case: started by the
    // CD's autorun.
    std::uint32_t autorunMode;
    // The values as the arguments give them, quotes taken away; a value that
    // does not fit is empty, and so refused like any empty one.
    char dir[DestinationSize];
    char logName[LogNameSize];
    char ignored[IgnoredSize];
};

// Reads the whole command line, the program's name first, into `options`,
// which starts zeroed. The lead bytes of the ANSI code page are known by
// then: the arguments are read by characters.
void ParseCommandLine(const char *commandLine, SetupOptions *options);

// Reads the options of the command-line tail alone.
void ParseOptions(const char *tail, SetupOptions *options);

// The command line without the program's name and the blanks after it; a
// name in double quotes runs to its closing quote.
const char *CommandTail(const char *commandLine);

// The argument at `at`, split by the rules of the C runtime, which
// CommandLineToArgvW follows: blanks separate arguments; a double quote
// anywhere in an argument opens or closes a part where blanks belong to it,
// and inside such a part two quotes stand for one; backslashes before a
// quote stand by pairs for one backslash each, and an odd one left over
// makes the quote a plain character; backslashes elsewhere stand for
// themselves. Copied into `buffer` of `size` bytes, always terminated;
// `*whole` false when it did not fit. Gives the position of the next one.
const char *NextArgument(const char *at, char *buffer, unsigned size, bool *whole);
