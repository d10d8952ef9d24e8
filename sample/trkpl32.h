/* trkpl32: the player's track list, kept in memory and saved as M3U. */
#ifndef BRIGHTLARK_SAMPLE_TRKPL32_H
#define BRIGHTLARK_SAMPLE_TRKPL32_H

#include <windows.h>

#ifdef BRIGHTLARK_TRKPL32_BUILD
#define TRKAPI __declspec(dllexport)
#else
#define TRKAPI __declspec(dllimport)
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct TrkPlaylist *HTRKPL;

TRKAPI HTRKPL WINAPI TrkCreate(void);
TRKAPI void WINAPI TrkDestroy(HTRKPL list);

/* Adds a track at the end; returns its index, or -1. */
TRKAPI int WINAPI TrkAdd(HTRKPL list, const char *path);
TRKAPI BOOL WINAPI TrkRemove(HTRKPL list, int index);
TRKAPI void WINAPI TrkClear(HTRKPL list);
TRKAPI int WINAPI TrkCount(HTRKPL list);

/* Copies a track's path, always terminated; returns its full length (so a
   caller can size a buffer), or -1 for a bad index. */
TRKAPI int WINAPI TrkGetPath(HTRKPL list, int index, char *path, int size);

/* Adds the tracks of an M3U file, relative entries taken from the file's
   folder; returns how many were added, or -1 if the file cannot be read. */
TRKAPI int WINAPI TrkLoadM3u(HTRKPL list, const char *file);
TRKAPI BOOL WINAPI TrkSaveM3u(HTRKPL list, const char *file);

/* Puts the tracks in a new order; the same seed gives the same order. */
TRKAPI void WINAPI TrkShuffle(HTRKPL list, DWORD seed);

#ifdef __cplusplus
}
#endif

#endif
