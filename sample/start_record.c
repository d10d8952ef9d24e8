#include "start_record.h"

#include <tlhelp32.h>

static const char kLogVariable[] = "BRIGHTLARK_START_LOG";
static const char kDefaultLogName[] = "brightlark-starts.log";

static void *Allocate(DWORD size)
{
    return HeapAlloc(GetProcessHeap(), 0, size);
}

static void Release(void *block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}

/* A copy of an environment variable with `extra` spare bytes after it, or
   NULL if it is unset or empty. */
static char *CopyVariable(const char *name, DWORD extra)
{
    DWORD size = GetEnvironmentVariableA(name, NULL, 0);
    char *value;
    DWORD length;

    if (size <= 1)
        return NULL;
    value = Allocate(size + extra);
    if (!value)
        return NULL;
    length = GetEnvironmentVariableA(name, value, size);
    if (length == 0 || length >= size) {
        Release(value);
        return NULL;
    }
    return value;
}

/* The record file: the variable's path if the tests set one, else the
   default name in %TEMP% (or the system's temporary folder without it). */
static char *LogPath(void)
{
    char *path = CopyVariable(kLogVariable, 0);
    DWORD length;

    if (path)
        return path;
    path = CopyVariable("TEMP", 1 + sizeof kDefaultLogName);
    if (!path) {
        DWORD size = GetTempPathA(0, NULL);
        if (size == 0 || !(path = Allocate(size + 1 + sizeof kDefaultLogName)))
            return NULL;
        length = GetTempPathA(size, path);
        if (length == 0 || length >= size) {
            Release(path);
            return NULL;
        }
    }
    length = lstrlenA(path);
    if (path[length - 1] != '\\' && path[length - 1] != '/')
        path[length++] = '\\';
    lstrcpyA(path + length, kDefaultLogName);
    return path;
}

/* The full path of this program; it may exceed MAX_PATH, so grow the
   buffer until it fits. */
static char *ModulePath(void)
{
    DWORD size = MAX_PATH;

    for (;;) {
        char *path = Allocate(size);
        DWORD length;

        if (!path)
            return NULL;
        length = GetModuleFileNameA(NULL, path, size);
        if (length == 0) {
            Release(path);
            return NULL;
        }
        if (length < size - 1)
            return path;
        Release(path);
        if (size >= 0x10000)
            return NULL;
        size *= 2;
    }
}

static char *CurrentFolder(void)
{
    DWORD size = GetCurrentDirectoryA(0, NULL);
    char *folder;
    DWORD length;

    if (size == 0 || !(folder = Allocate(size)))
        return NULL;
    length = GetCurrentDirectoryA(size, folder);
    if (length == 0 || length >= size) {
        Release(folder);
        return NULL;
    }
    return folder;
}

static BOOL FindProcess(HANDLE snapshot, DWORD id, PROCESSENTRY32 *entry)
{
    BOOL more;

    entry->dwSize = sizeof *entry;
    for (more = Process32First(snapshot, entry); more; more = Process32Next(snapshot, entry))
        if (entry->th32ProcessID == id)
            return TRUE;
    return FALSE;
}

/* The file name, without its folder, of the program that started this one
   (Windows 9x gives the whole path); "?" when it cannot be found. */
static void FindStarter(char *name, int size)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry;
    const char *file = "?", *at;

    if (snapshot != INVALID_HANDLE_VALUE) {
        if (FindProcess(snapshot, GetCurrentProcessId(), &entry) &&
            FindProcess(snapshot, entry.th32ParentProcessID, &entry))
            for (file = at = entry.szExeFile; *at; at = CharNextA(at))
                if (*at == '\\')
                    file = at + 1;
        CloseHandle(snapshot);
    }
    lstrcpynA(name, file, size);
}

static char *Append(char *at, const char *text, DWORD length)
{
    CopyMemory(at, text, length);
    return at + length;
}

/* Opens the record file for appending. Another program may be writing its
   own line at this moment, so a sharing violation is worth a short wait. */
static HANDLE OpenForAppend(const char *path)
{
    int attempt;

    for (attempt = 0; attempt < 50; ++attempt) {
        HANDLE file = CreateFileA(path, FILE_APPEND_DATA,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        DWORD error;

        if (file != INVALID_HANDLE_VALUE)
            return file;
        error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION)
            break;
        Sleep(20);
    }
    return INVALID_HANDLE_VALUE;
}

BOOL RecordStart(void)
{
    const char *command = GetCommandLineA();
    char *log = LogPath();
    char *module = ModulePath();
    char *folder = CurrentFolder();
    char *line = NULL;
    char starter[MAX_PATH];
    BOOL written = FALSE;

    FindStarter(starter, sizeof starter);
    if (log && module && folder) {
        DWORD moduleLength = lstrlenA(module);
        DWORD commandLength = lstrlenA(command);
        DWORD folderLength = lstrlenA(folder);
        DWORD starterLength = lstrlenA(starter);
        DWORD size = moduleLength + 1 + commandLength + 1 + folderLength + 1 + starterLength + 2;

        line = Allocate(size);
        if (line) {
            char *at = line;
            HANDLE file;

            at = Append(at, module, moduleLength);
            at = Append(at, "\t", 1);
            at = Append(at, command, commandLength);
            at = Append(at, "\t", 1);
            at = Append(at, folder, folderLength);
            at = Append(at, "\t", 1);
            at = Append(at, starter, starterLength);
            Append(at, "\r\n", 2);

            /* One write per line: with append-only access the system puts
               each write at the end, so lines from programs started at the
               same time never interleave. */
            file = OpenForAppend(log);
            if (file != INVALID_HANDLE_VALUE) {
                DWORD done = 0;
                written = WriteFile(file, line, size, &done, NULL) && done == size;
                CloseHandle(file);
            }
        }
    }
    Release(line);
    Release(folder);
    Release(module);
    Release(log);
    return written;
}
