// The command line, read once at start-up into what the run needs: the
// set-up's drive, "/autorun", and the options for administrators who
// install without sitting at each machine. Each starts with a slash at the
// start of the command-line tail or after a blank, in any letter case, and
// its name is matched whole ("/SILENTLY" is not "/SILENT"). The names follow
// the most widely used Windows installer convention, so that administrators'
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

struct SetupOptions {
    RunMode mode;
    std::uint32_t given;
    // "/autorun" anywhere in the tail, in any letter case: started by the
    // CD's autorun.
    std::uint32_t autorunMode;
    // The drive the set-up program was started from; 0 when unknown.
    char setupDrive;
    // The values, in double quotes when they hold blanks; a value that does
    // not fit is empty, and so refused like any empty one.
    char dir[DestinationSize];
    char logName[LogNameSize];
};

// Reads the whole command line, the program's name first, into `options`,
// which starts zeroed. Options it does not know are passed over.
void ParseCommandLine(const char *commandLine, SetupOptions *options);

// Reads the options of the command-line tail alone.
void ParseOptions(const char *tail, SetupOptions *options);

// The command line without the program's name and the blanks after it; a
// name in double quotes runs to its closing quote. Quotes and blanks, like
// the slash, colon and equals sign that the other scans look for, lie below
// 0x40 and are never the second byte of a double-byte character, so the
// command line is read byte by byte.
const char *CommandTail(const char *commandLine);

// The character before the first colon of the program's whole command line,
// as it stands; 0 when there is no colon or nothing before it.
char FindSetupDrive(const char *commandLine);
