#include "core/text_ops.h"
#include "install/install.h"
#include "run/run.h"
#include "run/setup_state.h"

#include <shlobj.h>

static const char LinkName[] = "Brightlark.lnk";

// The shell-link object and its interfaces, as Windows publishes them.
static const CLSID ShellLinkClass = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const IID ShellLinkInterface = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const IID PersistFileInterface = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

static char folderPath[MAX_PATH], linkPath[MAX_PATH], targetPath[MAX_PATH];

std::uint32_t CreateShellLink(const char *target, const char *link, const char *description,
                              const char *workingFolder)
{
    IShellLinkA *shellLink = nullptr;
    IPersistFile *persistFile = nullptr;
    WCHAR wideLink[MAX_PATH];
    bool saved = false;
    // Only a successful CoInitialize (S_OK or S_FALSE) is undone.
    HRESULT com = CoInitialize(nullptr);
    // Every call must give exactly S_OK; any other value stops here.
    if (CoCreateInstance(ShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, ShellLinkInterface,
                         reinterpret_cast<void **>(&shellLink)) == S_OK &&
        shellLink->SetPath(target) == S_OK && shellLink->SetWorkingDirectory(workingFolder) == S_OK &&
        shellLink->SetDescription(description) == S_OK &&
        shellLink->QueryInterface(PersistFileInterface, reinterpret_cast<void **>(&persistFile)) == S_OK &&
        MultiByteToWideChar(CP_ACP, 0, link, -1, wideLink, MAX_PATH) != 0)
        saved = persistFile->Save(wideLink, TRUE) == S_OK;
    if (persistFile != nullptr)
        persistFile->Release();
    if (shellLink != nullptr)
        shellLink->Release();
    if (SUCCEEDED(com))
        CoUninitialize();
    return saved;
}

// The shell's allocator is COM's only from Windows 2000 on; Windows 95 and
// NT 4.0 hand it out through SHGetMalloc alone.
void FreeItemList(LPITEMIDLIST item)
{
    IMalloc *allocator = nullptr;
    if (item != nullptr && SHGetMalloc(&allocator) == S_OK) {
        allocator->Free(item);
        allocator->Release();
    }
}

// Paths that do not fit MAX_PATH are refused like any other failure. An
// installation for the machine, which may run as the machine's own account
// whose folders are nobody's, takes the folder of all users where Windows
// has one.
static bool MakeShortcut(int folder, int allUsersFolder)
{
    LPITEMIDLIST item = nullptr;
    if (!(setupState.forMachine && SHGetSpecialFolderLocation(nullptr, allUsersFolder, &item) == S_OK) &&
        SHGetSpecialFolderLocation(nullptr, folder, &item) != S_OK)
        return false;
    bool found = SHGetPathFromIDListA(item, folderPath) == TRUE;
    FreeItemList(item);
    return found && JoinPath(folderPath, LinkName, linkPath, MAX_PATH) &&
           JoinPath(setupState.destinationFolder, PayloadTable[PayloadRowProgram].fileName,
                    targetPath, MAX_PATH) &&
           CreateShellLink(targetPath, linkPath, TextProductName, setupState.destinationFolder) == 1;
}

void AddShortcut(int folder, int allUsersFolder)
{
    if (MakeShortcut(folder, allUsersFolder))
        WriteLog("Made the shortcut %s", linkPath);
    else
        AskUser(TextNoteShortcut, MB_OK | MB_ICONINFORMATION, nullptr);
}
