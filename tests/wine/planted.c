/* A library planted under a system library's name (lz32.dll, comctl32.dll)
   beside the set-up program or in its working folder. Loading it is the
   attack; it only records that it was loaded, through the same record file
   as the sample programs. The line names the program that loaded it, and
   the set-up program never records itself, so any line naming it is a
   planted library at work. */
#include <windows.h>

#include "start_record.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance, (void)reserved;
    if (reason == DLL_PROCESS_ATTACH)
        RecordStart();
    return TRUE;
}
