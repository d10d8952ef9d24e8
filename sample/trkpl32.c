#define BRIGHTLARK_TRKPL32_BUILD
#include "trkpl32.h"

struct TrkPlaylist {
    char **tracks;
    int count;
    int capacity;
};

/* M3U files larger than this are not playlists. */
#define MAX_PLAYLIST_FILE (4u << 20)

static void *Allocate(SIZE_T size)
{
    return HeapAlloc(GetProcessHeap(), 0, size);
}

static void Release(void *block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}

/* Adds `length` characters of `path`, after `prefixLength` of `prefix`. */
static int AddJoined(HTRKPL list, const char *prefix, int prefixLength,
                     const char *path, int length)
{
    char *copy;

    if (list->count == list->capacity) {
        int capacity = list->capacity ? list->capacity * 2 : 16;
        SIZE_T bytes = (SIZE_T)capacity * sizeof *list->tracks;
        char **grown = list->tracks
            ? HeapReAlloc(GetProcessHeap(), 0, list->tracks, bytes)
            : Allocate(bytes);

        if (!grown)
            return -1;
        list->tracks = grown;
        list->capacity = capacity;
    }
    copy = Allocate((SIZE_T)prefixLength + length + 1);
    if (!copy)
        return -1;
    CopyMemory(copy, prefix, prefixLength);
    CopyMemory(copy + prefixLength, path, length);
    copy[prefixLength + length] = '\0';
    list->tracks[list->count] = copy;
    return list->count++;
}

static BOOL IsAbsolute(const char *path, int length)
{
    return (length >= 2 && path[1] == ':') ||
           (length >= 1 && (path[0] == '\\' || path[0] == '/'));
}

TRKAPI HTRKPL WINAPI TrkCreate(void)
{
    HTRKPL list = Allocate(sizeof *list);

    if (list)
        ZeroMemory(list, sizeof *list);
    return list;
}

TRKAPI void WINAPI TrkDestroy(HTRKPL list)
{
    if (!list)
        return;
    TrkClear(list);
    Release(list->tracks);
    Release(list);
}

TRKAPI int WINAPI TrkAdd(HTRKPL list, const char *path)
{
    if (!list || !path || !*path)
        return -1;
    return AddJoined(list, "", 0, path, lstrlenA(path));
}

TRKAPI BOOL WINAPI TrkRemove(HTRKPL list, int index)
{
    if (!list || index < 0 || index >= list->count)
        return FALSE;
    Release(list->tracks[index]);
    MoveMemory(list->tracks + index, list->tracks + index + 1,
               (SIZE_T)(list->count - index - 1) * sizeof *list->tracks);
    --list->count;
    return TRUE;
}

TRKAPI void WINAPI TrkClear(HTRKPL list)
{
    if (!list)
        return;
    while (list->count > 0)
        Release(list->tracks[--list->count]);
}

TRKAPI int WINAPI TrkCount(HTRKPL list)
{
    return list ? list->count : 0;
}

TRKAPI int WINAPI TrkGetPath(HTRKPL list, int index, char *path, int size)
{
    if (!list || index < 0 || index >= list->count)
        return -1;
    if (path && size > 0)
        lstrcpynA(path, list->tracks[index], size);
    return lstrlenA(list->tracks[index]);
}

TRKAPI int WINAPI TrkLoadM3u(HTRKPL list, const char *file)
{
    HANDLE handle;
    DWORD size, got = 0;
    char *text;
    const char *at, *end;
    int folderLength = 0, added = 0, index;

    if (!list || !file)
        return -1;
    handle = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ, NULL,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (handle == INVALID_HANDLE_VALUE)
        return -1;
    size = GetFileSize(handle, NULL);
    text = size <= MAX_PLAYLIST_FILE ? Allocate(size + 1) : NULL;
    if (!text || !ReadFile(handle, text, size, &got, NULL) || got != size) {
        Release(text);
        CloseHandle(handle);
        return -1;
    }
    CloseHandle(handle);

    /* Relative entries are relative to the playlist, not to whatever
       folder the player happens to be in. */
    for (index = 0; file[index]; ++index)
        if (file[index] == '\\' || file[index] == '/')
            folderLength = index + 1;

    for (at = text, end = text + size; at < end;) {
        const char *lineEnd = at;
        const char *trimmed;

        while (lineEnd < end && *lineEnd != '\n' && *lineEnd != '\r')
            ++lineEnd;
        trimmed = lineEnd;
        while (trimmed > at && (trimmed[-1] == ' ' || trimmed[-1] == '\t'))
            --trimmed;
        while (at < trimmed && (*at == ' ' || *at == '\t'))
            ++at;
        /* Blank lines and #EXTM3U/#EXTINF comments carry no track. */
        if (at < trimmed && *at != '#') {
            int length = (int)(trimmed - at);
            int prefix = IsAbsolute(at, length) ? 0 : folderLength;

            if (AddJoined(list, file, prefix, at, length) < 0)
                break;
            ++added;
        }
        at = lineEnd;
        while (at < end && (*at == '\n' || *at == '\r'))
            ++at;
    }
    Release(text);
    return added;
}

static BOOL WriteAll(HANDLE handle, const char *text, DWORD length)
{
    DWORD done = 0;

    return WriteFile(handle, text, length, &done, NULL) && done == length;
}

TRKAPI BOOL WINAPI TrkSaveM3u(HTRKPL list, const char *file)
{
    HANDLE handle;
    BOOL ok;
    int index;

    if (!list || !file)
        return FALSE;
    handle = CreateFileA(file, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, NULL);
    if (handle == INVALID_HANDLE_VALUE)
        return FALSE;
    ok = WriteAll(handle, "#EXTM3U\r\n", 9);
    for (index = 0; ok && index < list->count; ++index)
        ok = WriteAll(handle, list->tracks[index],
                      (DWORD)lstrlenA(list->tracks[index])) &&
             WriteAll(handle, "\r\n", 2);
    CloseHandle(handle);
    if (!ok)
        DeleteFileA(file);
    return ok;
}

TRKAPI void WINAPI TrkShuffle(HTRKPL list, DWORD seed)
{
    DWORD state = seed;
    int index;

    if (!list)
        return;
    /* Fisher-Yates with a small linear congruential generator: no C
       runtime state, and repeatable for a given seed. */
    for (index = list->count - 1; index > 0; --index) {
        int other;
        char *swap;

        state = state * 1664525u + 1013904223u;
        other = (int)((state >> 8) % (DWORD)(index + 1));
        swap = list->tracks[index];
        list->tracks[index] = list->tracks[other];
        list->tracks[other] = swap;
    }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    /* No per-thread state, so skip the thread notifications. */
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(instance);
    return TRUE;
}
