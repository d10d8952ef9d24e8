#include "check.h"

#include <cstdarg>
#include <cstdio>

static int passedCount, failedCount;

bool ok(bool passed, const char *format, ...)
{
    if (passed) {
        ++passedCount;
        return true;
    }
    ++failedCount;
    std::va_list args;
    va_start(args, format);
    std::fputs("FAILED: ", stdout);
    std::vprintf(format, args);
    std::fputs("\n", stdout);
    va_end(args);
    std::fflush(stdout);
    return false;
}

int Summary()
{
    std::printf("%d passed, %d failed\n", passedCount, failedCount);
    std::fflush(stdout);
    return failedCount == 0 && passedCount > 0 ? 0 : 1;
}

int Failures()
{
    return failedCount;
}

std::string WinePath(const char *unixPath)
{
    std::string path = "Z:";
    for (const char *p = unixPath; *p; ++p)
        path += *p == '/' ? '\\' : *p;
    return path;
}

// Paths of any length: the wide calls take a full path past MAX_PATH with
// the \\?\ prefix.
static std::wstring Wide(const std::string &path)
{
    std::wstring wide(path.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, path.data(), int(path.size()), &wide[0], int(wide.size())));
    return path.size() > 2 && path[1] == ':' && path[2] == '\\' ? L"\\\\?\\" + wide : wide;
}

std::string ReadFileBytes(const std::string &path, bool *found)
{
    std::string bytes;
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (found)
        *found = file != INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char chunk[65536];
    DWORD got;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

bool WriteFileBytes(const std::string &path, const std::string &bytes)
{
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL done = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return done && written == bytes.size();
}

bool FileExists(const std::string &path)
{
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

static void RemoveTreeW(const std::wstring &path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTreeW(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(path.c_str());
}

void RemoveTree(const std::string &path)
{
    RemoveTreeW(Wide(path));
}

bool ReadRegistryValue(HKEY root, const char *key, const char *name, DWORD *type, std::string *bytes)
{
    HKEY handle;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return false;
    char data[2048];
    DWORD size = sizeof data;
    LONG status = RegQueryValueExA(handle, name, nullptr, type, reinterpret_cast<BYTE *>(data), &size);
    RegCloseKey(handle);
    if (status == ERROR_SUCCESS)
        bytes->assign(data, size);
    return status == ERROR_SUCCESS;
}

void WriteRegistryValue(HKEY root, const char *key, const char *name, DWORD type, const std::string &bytes)
{
    HKEY handle;
    if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(handle, name, 0, type, reinterpret_cast<const BYTE *>(bytes.data()), DWORD(bytes.size()));
    RegCloseKey(handle);
}

void DeleteRegistryValue(HKEY root, const char *key, const char *name)
{
    HKEY handle;
    if (RegOpenKeyExA(root, key, 0, KEY_ALL_ACCESS, &handle) == ERROR_SUCCESS) {
        RegDeleteValueA(handle, name);
        RegCloseKey(handle);
    }
}

void DeleteRegistryTree(HKEY root, const char *path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    char name[256];
    while (RegEnumKeyA(key, 0, name, sizeof name) == ERROR_SUCCESS) {
        std::string sub = std::string(path) + "\\" + name;
        DeleteRegistryTree(root, sub.c_str());
    }
    RegCloseKey(key);
    RegDeleteKeyA(root, path);
}

bool StartProcess(const std::string &commandLine, const char *folder, PROCESS_INFORMATION *pi)
{
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::string line = commandLine;
    return CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder, &si, pi);
}

bool WaitExit(PROCESS_INFORMATION &pi, DWORD milliseconds, DWORD *exitCode)
{
    bool ended = WaitForSingleObject(pi.hProcess, milliseconds) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(pi.hProcess, 99);
    GetExitCodeProcess(pi.hProcess, exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ended;
}
