// Paths on the set-up drive, the drive the set-up program was started from.
#pragma once

// The character before the first colon of the program's whole command line,
// as it stands; 0 when there is no colon or nothing before it.
char FindSetupDrive(const char *commandLine);

// "X:\" followed by `tail`, with the set-up drive as X. `buffer` holds at
// least CdPathSize bytes; the tails are the program's own short names.
constexpr unsigned CdPathSize = 64;
bool ComposeCdPath(char drive, const char *tail, char *buffer);
