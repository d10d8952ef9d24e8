/* The system as a fault build of the set-up sees it: whatever names the one
   name in BRIGHTLARK_REFUSED is refused, as Windows refuses what the user's
   rights do not allow or what another program holds: the write of a
   registry value of that name, and the move of a file of that name.
   Everything else goes through. These take the place of the set-up's imports
   of RegSetValueExA and MoveFileA; one more stands in for the person at the
   machine. */
#include <windows.h>

/* Sets the error a refusal gives. */
static BOOL Refused(const char *name)
{
    char refused[64];
    DWORD length = GetEnvironmentVariableA("BRIGHTLARK_REFUSED", refused, sizeof refused);
    if (length == 0 || length >= sizeof refused || !name || lstrcmpiA(name, refused) != 0)
        return FALSE;
    SetLastError(ERROR_SHARING_VIOLATION);
    return TRUE;
}

static FARPROC Real(const char *dll, const char *name)
{
    return GetProcAddress(GetModuleHandleA(dll), name);
}

typedef LONG(WINAPI *SetValueProc)(HKEY, LPCSTR, DWORD, DWORD, const BYTE *, DWORD);
typedef BOOL(WINAPI *MoveProc)(LPCSTR, LPCSTR);

static LONG WINAPI SetOrRefuse(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE *data, DWORD size)
{
    if (Refused(name))
        return ERROR_ACCESS_DENIED;
    return ((SetValueProc)(void (*)(void))Real("advapi32.dll", "RegSetValueExA"))(key, name, reserved, type, data, size);
}

static BOOL WINAPI MoveOrRefuse(LPCSTR from, LPCSTR to)
{
    if (Refused(from))
        return FALSE;
    return ((MoveProc)(void (*)(void))Real("kernel32.dll", "MoveFileA"))(from, to);
}

typedef BOOL(WINAPI *PeekProc)(MSG *, HWND, UINT, UINT, UINT);

/* The person presses Esc at the pump of the progress window that
   BRIGHTLARK_ESC_AT names (1 to 9, the first pump is 1): in a run without
   dialogs there is no other moment to queue it. Only where all went right at
   every pump before, from the first on: the window was painted (one still
   waiting to be painted is one nobody could see), and the error mode that
   keeps the system's box asking for a disc away was in force while the pass
   worked on the disks. */
static BOOL WINAPI PeekWithEsc(MSG *message, HWND window, UINT first, UINT last, UINT remove)
{
    static char pumps, wrong;
    char at[2];
    UINT mode = SetErrorMode(0);
    SetErrorMode(mode);
    if (window && GetEnvironmentVariableA("BRIGHTLARK_ESC_AT", at, sizeof at) == 1) {
        wrong |= GetUpdateRect(window, NULL, FALSE) || !(mode & SEM_FAILCRITICALERRORS);
        if (++pumps == at[0] - '0' && !wrong)
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }
    return ((PeekProc)(void (*)(void))Real("user32.dll", "PeekMessageA"))(message, window, first, last, remove);
}

#ifdef _WIN64
void *refusedSetSlot __asm__("__imp_RegSetValueExA") = (void *)SetOrRefuse;
void *refusedMoveSlot __asm__("__imp_MoveFileA") = (void *)MoveOrRefuse;
void *escPeekSlot __asm__("__imp_PeekMessageA") = (void *)PeekWithEsc;
#else
void *refusedSetSlot __asm__("__imp__RegSetValueExA@24") = (void *)SetOrRefuse;
void *refusedMoveSlot __asm__("__imp__MoveFileA@8") = (void *)MoveOrRefuse;
void *escPeekSlot __asm__("__imp__PeekMessageA@20") = (void *)PeekWithEsc;
#endif
