#include "check.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

std::string checkContext;
int failedChecks;
static int passedChecks;

bool CheckAt(const char *file, int line, bool passed, const char *format, ...)
{
    if (passed)
        return ++passedChecks, true;
    ++failedChecks;
    std::printf("%s:%d: %s%sFAILED: ", file, line, checkContext.c_str(), checkContext.empty() ? "" : ": ");
    std::va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::puts("");
    std::fflush(stdout);
    return false;
}

int Summary()
{
    std::printf("%d passed, %d failed\n", passedChecks, failedChecks);
    return failedChecks == 0 && passedChecks > 0 ? 0 : 1;
}

// Messages sent to this thread are handled while it waits: a program that
// sends one to every top-level window would otherwise wait for it.
bool WaitFor(const std::function<bool()> &done, DWORD milliseconds)
{
    MSG message;
    for (DWORD start = GetTickCount(); !done(); MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT))
        if (GetTickCount() - start >= milliseconds)
            return done();
        else
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
    return true;
}

std::string WinePath(const char *unixPath)
{
    std::string path = "Z:";
    for (const char *p = unixPath; *p; ++p)
        path += *p == '/' ? '\\' : *p;
    return path;
}

std::string ReadFileBytes(const std::string &path)
{
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    char chunk[65536];
    DWORD got;
    while (file != INVALID_HANDLE_VALUE && ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

bool WriteFileBytes(const std::string &path, const std::string &bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    bool done = file != INVALID_HANDLE_VALUE && WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return done && written == bytes.size();
}

bool FileExists(const std::string &path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::string &path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        std::string name = found.cFileName, child = path + "\\" + name;
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileA(child.c_str());
        else if (name != "." && name != "..")
            RemoveTree(child);
    }
    FindClose(search);
    RemoveDirectoryA(path.c_str());
}

std::string ReadValue(HKEY root, const char *key, const char *name)
{
    char data[2048];
    DWORD size = sizeof data, type = 0;
    bool found = RegGetValueA(root, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size) == ERROR_SUCCESS;
    return found ? char(type) + std::string(data, size) : "";
}

void WriteValue(HKEY root, const char *key, const char *name, const std::string &value)
{
    if (value.empty())
        RegDeleteKeyValueA(root, key, name);
    else
        RegSetKeyValueA(root, key, name, BYTE(value[0]), value.data() + 1, DWORD(value.size() - 1));
}

std::string Sz(const std::string &text) { return char(REG_SZ) + text + '\0'; }

HWND FindDialog(DWORD processId, const char *caption, int item)
{
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "#32770", caption));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window) && (!item || GetDlgItem(window, item)))
            return window;
    }
    return nullptr;
}

std::string ItemText(HWND dialog, int item)
{
    char text[2048] = "";
    GetDlgItemTextA(dialog, item, text, sizeof text);
    return text;
}

bool StartProcess(const std::string &commandLine, const char *folder, PROCESS_INFORMATION *pi, HANDLE job)
{
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::string line = commandLine;
    return CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, job ? CREATE_SUSPENDED : 0, nullptr, folder, &si,
                          pi) &&
           (!job || (AssignProcessToJobObject(job, pi->hProcess) && ResumeThread(pi->hThread) != DWORD(-1)));
}

bool WaitExit(PROCESS_INFORMATION &pi, DWORD milliseconds, DWORD *exitCode)
{
    bool ended = WaitForSingleObject(pi.hProcess, milliseconds) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(pi.hProcess, 99), WaitForSingleObject(pi.hProcess, 10000);
    GetExitCodeProcess(pi.hProcess, exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ended;
}
