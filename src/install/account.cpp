#include "install/desktop_shell.h"
#include "install/install.h"
#include "run/run.h"

// The desktop's shell is the process of the shell's window, or where
// Windows names none (it has no such call before Windows 2000), of the
// taskbar. Windows 95 to ME have no accounts to compare: the functions are
// looked up, and where they or the shell are missing the run goes on as the
// user's.
bool SetupRunsAsAnotherUser()
{
    typedef HWND(WINAPI * ShellWindowProc)();
    auto shellWindow = LookUpProc<ShellWindowProc>(GetModuleHandleA("user32.dll"), "GetShellWindow");
    auto equal = LookUpProc<decltype(&EqualSid)>(GetModuleHandleA("advapi32.dll"), "EqualSid");
    HWND shell = shellWindow ? shellWindow() : nullptr;
    if (shell == nullptr)
        shell = FindWindowA("Shell_TrayWnd", nullptr);
    DWORD processId = 0;
    if (equal == nullptr || shell == nullptr || !GetWindowThreadProcessId(shell, &processId))
        return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (process == nullptr)
        return false;
    // A TOKEN_USER record and the account's identifier after it.
    static DWORD setupUser[32], shellUser[32];
    bool differ = ReadProcessToken(GetCurrentProcess(), TokenUser, setupUser, sizeof setupUser) &&
                  ReadProcessToken(process, TokenUser, shellUser, sizeof shellUser) &&
                  !equal(reinterpret_cast<TOKEN_USER *>(setupUser)->User.Sid,
                         reinterpret_cast<TOKEN_USER *>(shellUser)->User.Sid);
    CloseHandle(process);
    return differ;
}
