#include "install/desktop_shell.h"
#include "run/run.h"

#include <exdisp.h>
#include <shlobj.h>
#include <shldisp.h>

// The desktop's shell objects and their interfaces, as Windows publishes them.
static const CLSID ShellWindowsClass = {0x9BA05972, 0xF6A8, 0x11CF, {0xA4, 0x42, 0, 0xA0, 0xC9, 0x0A, 0x8F, 0x39}};
static const IID ShellWindowsInterface = {0x85CB6900, 0x4D95, 0x11CF, {0x96, 0x0C, 0, 0x80, 0xC7, 0xF4, 0xEE, 0x85}};
static const IID ServiceProviderInterface = {0x6D5140C1, 0x7436, 0x11CE, {0x80, 0x34, 0, 0xAA, 0, 0x60, 0x09, 0xFA}};
static const GUID TopLevelBrowserService = {0x4C96BE40, 0x915C, 0x11CF, {0x99, 0xD3, 0, 0xAA, 0, 0x4A, 0xE8, 0x37}};
static const IID ShellBrowserInterface = {0x000214E2, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const IID DispatchInterface = {0x00020400, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const IID FolderViewDualInterface = {0xE7A1AF80, 0x4D96, 0x11CF, {0x96, 0x0C, 0, 0x80, 0xC7, 0xF4, 0xEE, 0x85}};
static const IID ShellDispatch2Interface = {0xA4C6892C, 0x3BA9, 0x11D2, {0x9D, 0xEA, 0, 0xC0, 0x4F, 0xB1, 0x61, 0x62}};

bool ReadProcessToken(HANDLE process, TOKEN_INFORMATION_CLASS kind, void *record, DWORD size)
{
    HMODULE advapi = GetModuleHandleA("advapi32.dll");
    auto openToken = LookUpProc<decltype(&OpenProcessToken)>(advapi, "OpenProcessToken");
    auto askToken = LookUpProc<decltype(&GetTokenInformation)>(advapi, "GetTokenInformation");
    HANDLE token;
    if (openToken == nullptr || askToken == nullptr || !openToken(process, TOKEN_QUERY, &token))
        return false;
    bool read = askToken(token, kind, record, size, &size) != 0;
    CloseHandle(token);
    return read;
}

// Windows before Vista know no elevation and refuse the question.
bool RunsElevated()
{
    const OSVERSIONINFOA &version = WindowsVersion();
    DWORD elevated = 0;
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 6 &&
           ReadProcessToken(GetCurrentProcess(), TokenElevation, &elevated, sizeof elevated) && elevated != 0;
}

// A text as a string OLE can carry to the shell's process; null when it
// does not fit.
static BSTR WideString(decltype(&SysAllocString) allocate, const char *text)
{
    WCHAR wide[MAX_PATH];
    return MultiByteToWideChar(CP_ACP, 0, text, -1, wide, MAX_PATH) ? allocate(wide) : nullptr;
}

// The objects on the way from the desktop's window list to its shell, in
// the order they are reached; each is held until the end.
enum Way { Windows, Desktop, Provider, Browser, View, Background, FolderView, Application, Starter, WayLength };

// The desktop window's own view leads to the shell of the desktop's user,
// whose ShellExecute starts the program in its own process.
bool StartAsDesktopUser(const char *file, const char *parameters, const char *folder)
{
    HMODULE oleaut = LoadSystemLibrary("oleaut32.dll");
    auto allocate = oleaut ? LookUpProc<decltype(&SysAllocString)>(oleaut, "SysAllocString") : nullptr;
    auto release = oleaut ? LookUpProc<decltype(&SysFreeString)>(oleaut, "SysFreeString") : nullptr;
    if (allocate == nullptr || release == nullptr)
        return false;
    BSTR texts[] = {WideString(allocate, file), WideString(allocate, parameters ? parameters : ""),
                    WideString(allocate, folder)};
    // Nothing, the parameters, the folder and the show, as ShellExecute
    // takes them.
    VARIANT values[4] = {};
    V_VT(&values[1]) = V_VT(&values[2]) = VT_BSTR;
    V_BSTR(&values[1]) = texts[1];
    V_BSTR(&values[2]) = texts[2];
    V_VT(&values[3]) = VT_I4;
    V_I4(&values[3]) = SW_SHOW;
    IUnknown *way[WayLength] = {};
    auto into = [&](Way object) { return reinterpret_cast<void **>(&way[object]); };
    auto intoDispatch = [&](Way object) { return reinterpret_cast<IDispatch **>(&way[object]); };
    LONG window;
    bool started = false;
    // Only a successful CoInitialize (S_OK or S_FALSE) is undone.
    HRESULT com = CoInitialize(nullptr);
    // Every call must give exactly S_OK; any other value stops here.
    if (texts[0] && texts[1] && texts[2] &&
        CoCreateInstance(ShellWindowsClass, nullptr, CLSCTX_LOCAL_SERVER, ShellWindowsInterface,
                         into(Windows)) == S_OK &&
        static_cast<IShellWindows *>(way[Windows])->FindWindowSW(&values[0], &values[0], SWC_DESKTOP, &window,
                                                                 SWFO_NEEDDISPATCH, intoDispatch(Desktop)) == S_OK &&
        way[Desktop]->QueryInterface(ServiceProviderInterface, into(Provider)) == S_OK &&
        static_cast<IServiceProvider *>(way[Provider])
                ->QueryService(TopLevelBrowserService, ShellBrowserInterface, into(Browser)) == S_OK &&
        static_cast<IShellBrowser *>(way[Browser])
                ->QueryActiveShellView(reinterpret_cast<IShellView **>(into(View))) == S_OK &&
        static_cast<IShellView *>(way[View])
                ->GetItemObject(SVGIO_BACKGROUND, DispatchInterface, into(Background)) == S_OK &&
        way[Background]->QueryInterface(FolderViewDualInterface, into(FolderView)) == S_OK &&
        static_cast<IShellFolderViewDual *>(way[FolderView])->get_Application(intoDispatch(Application)) == S_OK &&
        way[Application]->QueryInterface(ShellDispatch2Interface, into(Starter)) == S_OK)
        started = static_cast<IShellDispatch2 *>(way[Starter])
                      ->ShellExecute(texts[0], values[1], values[2], values[0], values[3]) == S_OK;
    for (IUnknown *object : way)
        if (object != nullptr)
            object->Release();
    if (SUCCEEDED(com))
        CoUninitialize();
    for (BSTR text : texts)
        release(text);
    return started;
}
