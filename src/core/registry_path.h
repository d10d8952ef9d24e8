// Registry paths of the install records, and the texts composed for them.
// A value path names a key and one of its values together, split at its last
// backslash; a path ending in a backslash names the key's default value.
#pragma once
#include <cstdint>

constexpr unsigned RegistryPathSize = 256;

extern const char ProductKeyPath[];        // under HKEY_CURRENT_USER
extern const char ValueProgramDirectory[]; // product value paths
extern const char ValueProgramVersion[];
extern const char ValueMonitorDevice[];
extern const char PathProgramFilesDir[];   // a full path under HKEY_LOCAL_MACHINE
extern const char UninstallKeyPath[];      // under HKEY_LOCAL_MACHINE
extern const char ValueUninstallCommand[]; // its value paths
extern const char ValueDisplayVersion[];
extern const char ValueDisplayIcon[];
extern const char ValueInstallLocation[];
extern const char ValueEstimatedSize[];
extern const char ValueNoModify[];
extern const char ValueNoRepair[];
extern const char ValuePublisher[];
extern const char ValueDisplayName[];

// Composes `prefix` (null for none) followed by `path` into `buffer` and
// splits it: the buffer then holds the key path, and the result points to
// the value name inside it. Null when the text does not fit the buffer or
// has no backslash to split at.
const char *SplitValuePath(const char *prefix, const char *path,
                           char (&buffer)[RegistryPathSize]);

// "Brightlark VERSION 9", the entry's name in the list of installed programs.
constexpr unsigned DisplayNameSize = 32;
void ComposeDisplayName(char (&buffer)[DisplayNameSize]);

// "<destination>\Brightlark.exe" /uninstall, the program path in quotes so
// that a path with blanks cannot start another program. Sized for the longest
// destination (255 characters).
constexpr unsigned DestinationSize = 256;
// The extra 28: two quotes, a backslash, "Brightlark.exe", a blank, "/uninstall".
constexpr unsigned UninstallCommandSize = (DestinationSize - 1) + 28 + 1;
bool ComposeUninstallCommand(const char *destination,
                             char (&buffer)[UninstallCommandSize]);
// <destination>\Brightlark.exe,0: the installed program's first icon, for
// the list of installed programs. Shorter than the command.
bool ComposeDisplayIcon(const char *destination, char (&buffer)[UninstallCommandSize]);

// A text read from the registry counts only when it ends inside its buffer.
// `count` is the number of bytes the read placed in `buffer` of `size`
// bytes. Adds the terminator that a value stored without one lacks, when
// there is room; false for a text that fills the buffer without one.
bool TerminateReadText(char *buffer, std::uint32_t count, std::uint32_t size);
