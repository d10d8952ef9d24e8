// Paths on the set-up drive, the drive the set-up program was started from.
#pragma once

// The drive letter of a full path, as the set-up program's own path gives
// it; 0 for a path without one (a network share's).
char DriveOfPath(const char *path);

// "X:\" followed by `tail`, with the set-up drive as X. `buffer` holds at
// least CdPathSize bytes; the tails are the program's own short names.
constexpr unsigned CdPathSize = 64;
bool ComposeCdPath(char drive, const char *tail, char *buffer);
