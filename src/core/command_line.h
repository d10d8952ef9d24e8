// The options of the command line beside "/autorun", for administrators who
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
    // The values, in double quotes when they hold blanks; a value that does
    // not fit is empty, and so refused like any empty one.
    char dir[DestinationSize];
    char logName[LogNameSize];
};

// Reads the options of the command-line tail into `options`, which starts
// zeroed. Options it does not know are passed over.
void ParseOptions(const char *tail, SetupOptions *options);
