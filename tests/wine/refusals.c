/* The registry as a fault build of the set-up sees it: the write of the one
   value that BRIGHTLARK_REFUSED_VALUE names fails, as Windows refuses a
   write that the user's rights do not allow; every other write goes
   through. It takes the place of the set-up's import of RegSetValueExA. */
#include <windows.h>

typedef LONG(WINAPI *SetValueProc)(HKEY, LPCSTR, DWORD, DWORD, const BYTE *, DWORD);

static LONG WINAPI SetOrRefuse(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE *data,
                               DWORD size)
{
    char refused[64];
    DWORD length = GetEnvironmentVariableA("BRIGHTLARK_REFUSED_VALUE", refused, sizeof refused);
    SetValueProc set = (SetValueProc)(void (*)(void))GetProcAddress(GetModuleHandleA("advapi32.dll"),
                                                                    "RegSetValueExA");
    if (length > 0 && length < sizeof refused && name && lstrcmpiA(name, refused) == 0)
        return ERROR_ACCESS_DENIED;
    return set(key, name, reserved, type, data, size);
}

#ifdef _WIN64
void *refusedWriteSlot __asm__("__imp_RegSetValueExA") = (void *)SetOrRefuse;
#else
void *refusedWriteSlot __asm__("__imp__RegSetValueExA@24") = (void *)SetOrRefuse;
#endif
