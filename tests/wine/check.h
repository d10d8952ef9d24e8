// A small harness for the Windows-side tests: checks that count and report,
// and what the tests need to drive the real program under Wine.
#pragma once
#include <windows.h>

#include <string>

// Records one check; prints the failures. Returns `passed`.
bool ok(bool passed, const char *format, ...) __attribute__((format(printf, 2, 3)));

// Prints "N passed, N failed" and gives the process's exit code.
int Summary();
// How many checks have failed so far.
int Failures();

// Windows path of a folder or file given as a Unix path (Wine's Z: drive).
std::string WinePath(const char *unixPath);

// File helpers take full paths of any length, past MAX_PATH too.
std::string ReadFileBytes(const std::string &path, bool *found = nullptr);
bool WriteFileBytes(const std::string &path, const std::string &bytes);
bool FileExists(const std::string &path);

// Empties or removes a folder tree.
void RemoveTree(const std::string &path);
// A registry value as stored: its type and bytes. False when there is none.
bool ReadRegistryValue(HKEY root, const char *key, const char *name, DWORD *type, std::string *bytes);
// Writes a value, creating the key; an empty type deletes the value.
void WriteRegistryValue(HKEY root, const char *key, const char *name, DWORD type, const std::string &bytes);
void DeleteRegistryValue(HKEY root, const char *key, const char *name);
// Deletes a registry key with its subkeys.
void DeleteRegistryTree(HKEY root, const char *path);

// Starts `commandLine` in `folder`; null folder for the current one.
bool StartProcess(const std::string &commandLine, const char *folder, PROCESS_INFORMATION *pi);

// Waits for a process; ends it and gives false if it does not end in time.
bool WaitExit(PROCESS_INFORMATION &pi, DWORD milliseconds, DWORD *exitCode);
