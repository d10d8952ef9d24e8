// A small harness for the Windows-side tests: checks that name their place,
// and what the tests need to drive the real program under Wine.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Records one check. A failure prints the file and line of the check, the
// current context (the scenario being played, say) and the message.
bool CheckAt(const char *file, int line, bool passed, const char *format, ...)
    __attribute__((format(printf, 4, 5)));
#define ok(...) CheckAt(__FILE_NAME__, __LINE__, __VA_ARGS__)
extern std::string checkContext;

// Prints "N passed, N failed" and gives the process's exit code.
int Summary();
extern int failedChecks;

// Polls `done` until it holds or `milliseconds` have passed; its last answer.
bool WaitFor(const std::function<bool()> &done, DWORD milliseconds);

// Windows path of a folder or file given as a Unix path (Wine's Z: drive).
std::string WinePath(const char *unixPath);

std::string ReadFileBytes(const std::string &path);
bool WriteFileBytes(const std::string &path, const std::string &bytes);
bool FileExists(const std::string &path);
// Empties and removes a folder tree.
void RemoveTree(const std::string &path);

// Registry values as stored: the type in the first byte, then the bytes;
// "" for none. Writing "" deletes the value; a key is made when missing.
std::string ReadValue(HKEY root, const char *key, const char *name);
void WriteValue(HKEY root, const char *key, const char *name, const std::string &value);
std::string Sz(const std::string &text);

// A visible dialog or message box (class #32770) of process `processId`,
// captioned `caption` (null: any) and holding item `item` (0: any).
HWND FindDialog(DWORD processId, const char *caption, int item = 0);
std::string ItemText(HWND dialog, int item);

// Starts `commandLine` in `folder` (null: the current one), in job `job`
// if one is given; the programs it starts belong to that job too.
bool StartProcess(const std::string &commandLine, const char *folder, PROCESS_INFORMATION *pi, HANDLE job = nullptr);

// Waits for a process; ends it and gives false if it does not end in time.
bool WaitExit(PROCESS_INFORMATION &pi, DWORD milliseconds, DWORD *exitCode);
