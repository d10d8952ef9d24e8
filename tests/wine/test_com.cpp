// COM on the set-up's thread: the folder browser and the shortcut code have
// it while they work, and leave the thread as they found it, whether it had
// none or a kind of its own that their CoInitialize cannot join. Wine's
// folder browser brings COM of its own, so a stand-in takes its place.
//   test_com FOLDER   (a Unix path; a shortcut is made there and deleted)
#include "check.h"
#include "install/install.h"
#include "resource_ids.h"
#include "ui/ui.h"

#include <shlobj.h>

static bool browserHadCom;

// Whether the thread has COM; leaves it as it was.
static bool HasCom()
{
    HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(result))
        CoUninitialize();
    return result != S_OK;
}

// The stand-in: looks, and is cancelled.
static LPITEMIDLIST WINAPI Browse(LPBROWSEINFOA) { return browserHadCom = HasCom(), nullptr; }
#ifdef _WIN64
extern "C" void *browserSlot asm("__imp_SHBrowseForFolderA"); // this program's import of the browser
#else
extern "C" void *browserSlot asm("__imp__SHBrowseForFolderA@4");
#endif

int main(int, char **argv)
{
    DWORD was;
    VirtualProtect(&browserSlot, sizeof browserSlot, PAGE_READWRITE, &was);
    browserSlot = reinterpret_cast<void *>(Browse);
    const std::string folder = WinePath(argv[1]), link = folder + "\\com.lnk";
    for (bool threadHasCom : {false, true}) {
        if (threadHasCom)
            CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        browserHadCom = false;
        MainDialogHandler(nullptr, WM_COMMAND, IDC_MAIN_BROWSE, 0);
        ok(browserHadCom && HasCom() == threadHasCom, "folder browser, thread with COM %d", threadHasCom);
        ok(CreateShellLink(folder.c_str(), link.c_str(), "x", "C:\\") && HasCom() == threadHasCom,
           "shortcut, thread with COM %d", threadHasCom);
    }
    DeleteFileA(link.c_str());
    return Summary();
}
