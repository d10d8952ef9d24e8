/* The system as a fault build of the set-up sees it: whatever names the one
   name in BRIGHTLARK_REFUSED is refused, as Windows refuses what the user's
   rights do not allow or what another program holds: the write of a
   registry value of that name, and the move of a file of that name.
   Everything else goes through. These take the place of the set-up's imports
   of RegSetValueExA and MoveFileA. */
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

#ifdef _WIN64
void *refusedSetSlot __asm__("__imp_RegSetValueExA") = (void *)SetOrRefuse;
void *refusedMoveSlot __asm__("__imp_MoveFileA") = (void *)MoveOrRefuse;
#else
void *refusedSetSlot __asm__("__imp__RegSetValueExA@24") = (void *)SetOrRefuse;
void *refusedMoveSlot __asm__("__imp__MoveFileA@8") = (void *)MoveOrRefuse;
#endif
