#define BRIGHTLARK_CDRDR32_BUILD
#include "cdrdr32.h"

#define CDR_VERSION MAKELONG(0, 1)

/* "X:\" for a drive letter; the caller's buffer holds four characters. */
static const char *RootOf(char drive, char root[4])
{
    root[0] = drive;
    root[1] = ':';
    root[2] = '\\';
    root[3] = '\0';
    return root;
}

/* Reads the volume information without the system's "insert a disc"
   message box, which an empty drive would otherwise bring up. */
static BOOL ReadVolume(char drive, char *label, DWORD labelSize,
                       DWORD *serial)
{
    char root[4];
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    BOOL ok = GetVolumeInformationA(RootOf(drive, root), label, labelSize,
                                    serial, NULL, NULL, NULL, 0);

    SetErrorMode(oldMode);
    return ok;
}

static BOOL IsCdDrive(char drive)
{
    char root[4];

    return GetDriveTypeA(RootOf(drive, root)) == DRIVE_CDROM;
}

CDRAPI DWORD WINAPI CdrGetVersion(void)
{
    return CDR_VERSION;
}

CDRAPI int WINAPI CdrListDrives(char *letters, int size)
{
    DWORD drives = GetLogicalDrives();
    int count = 0;
    int written = 0;
    int index;

    for (index = 0; index < 26; ++index) {
        char drive = (char)('A' + index);

        if (!(drives & (1u << index)) || !IsCdDrive(drive))
            continue;
        ++count;
        if (letters && written + 1 < size)
            letters[written++] = drive;
    }
    if (letters && size > 0)
        letters[written] = '\0';
    return count;
}

CDRAPI BOOL WINAPI CdrIsDiscPresent(char drive)
{
    return IsCdDrive(drive) && ReadVolume(drive, NULL, 0, NULL);
}

CDRAPI BOOL WINAPI CdrGetDiscLabel(char drive, char *label, int size)
{
    if (!label || size <= 0)
        return FALSE;
    label[0] = '\0';
    return ReadVolume(drive, label, (DWORD)size, NULL);
}

CDRAPI DWORD WINAPI CdrGetDiscSerial(char drive)
{
    DWORD serial = 0;

    return ReadVolume(drive, NULL, 0, &serial) ? serial : 0;
}

CDRAPI int WINAPI CdrCountAudioTracks(char drive)
{
    char pattern[] = "?:\\*.cda";
    WIN32_FIND_DATAA found;
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    HANDLE search;
    int count = 0;

    pattern[0] = drive;
    search = FindFirstFileA(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ++count;
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetErrorMode(oldMode);
    return count;
}

CDRAPI void WINAPI CdrFramesToMsf(DWORD frames, BYTE *minutes, BYTE *seconds,
                                  BYTE *frame)
{
    DWORD totalSeconds = frames / CDR_FRAMES_PER_SECOND;
    DWORD wholeMinutes = totalSeconds / 60;

    /* A disc holds under 100 minutes; clamp rather than wrap. */
    if (wholeMinutes > 99) {
        wholeMinutes = 99;
        totalSeconds = 99 * 60 + 59;
        frames = totalSeconds * CDR_FRAMES_PER_SECOND + CDR_FRAMES_PER_SECOND - 1;
    }
    if (minutes)
        *minutes = (BYTE)wholeMinutes;
    if (seconds)
        *seconds = (BYTE)(totalSeconds % 60);
    if (frame)
        *frame = (BYTE)(frames % CDR_FRAMES_PER_SECOND);
}

CDRAPI DWORD WINAPI CdrMsfToFrames(BYTE minutes, BYTE seconds, BYTE frame)
{
    return ((DWORD)minutes * 60 + seconds) * CDR_FRAMES_PER_SECOND + frame;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    /* No per-thread state, so skip the thread notifications. */
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(instance);
    return TRUE;
}
