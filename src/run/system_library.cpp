#include "core/text_ops.h"
#include "run/run.h"

// Not in the headers of older SDKs; the value is fixed by Windows.
constexpr DWORD LoadLibrarySearchSystem32 = 0x00000800;

typedef BOOL(WINAPI *SetDefaultDllDirectoriesProc)(DWORD);
typedef void(WINAPI *InitCommonControlsProc)();

static bool RunsOnVista()
{
    const OSVERSIONINFOA &version = WindowsVersion();
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion == 6 &&
           version.dwMinorVersion == 0;
}

void RestrictDllSearch()
{
    // Vista's shell-link object cannot load what it needs once the search is
    // restricted, so there the shortcuts would fail.
    if (RunsOnVista())
        return;
    // Looked up at run time: older Windows lack it, and there the program
    // keeps the default search.
    SetDefaultDllDirectoriesProc restrictSearch = LookUpProc<SetDefaultDllDirectoriesProc>(
        GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (restrictSearch != nullptr)
        restrictSearch(LoadLibrarySearchSystem32);
}

HMODULE LoadSystemLibrary(const char *name)
{
    char folder[MAX_PATH], path[MAX_PATH];
    UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || !JoinPath(folder, name, path, MAX_PATH))
        return nullptr;
    // What these libraries import themselves, Windows always takes from its
    // own folder.
    return LoadLibraryA(path);
}

void InitCommonControlsFromSystem()
{
    HMODULE comctl = LoadSystemLibrary("comctl32.dll");
    InitCommonControlsProc init =
        comctl ? LookUpProc<InitCommonControlsProc>(comctl, "InitCommonControls") : nullptr;
    if (init != nullptr)
        init();
}
