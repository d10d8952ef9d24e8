/* cdrdr32: finds audio CDs and describes them for the player. */
#ifndef BRIGHTLARK_SAMPLE_CDRDR32_H
#define BRIGHTLARK_SAMPLE_CDRDR32_H

#include <windows.h>

#ifdef BRIGHTLARK_CDRDR32_BUILD
#define CDRAPI __declspec(dllexport)
#else
#define CDRAPI __declspec(dllimport)
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Red Book audio: 75 frames a second. */
#define CDR_FRAMES_PER_SECOND 75

/* The library's version, major in the high word. */
CDRAPI DWORD WINAPI CdrGetVersion(void);

/* Writes the letters of all CD drives ("DE") to `letters`, always
   terminated; returns how many drives there are. */
CDRAPI int WINAPI CdrListDrives(char *letters, int size);

/* Whether the drive holds a readable disc; never asks the user to insert
   one. */
CDRAPI BOOL WINAPI CdrIsDiscPresent(char drive);

/* The disc's label and serial number, which together identify a disc well
   enough to find its track names again. */
CDRAPI BOOL WINAPI CdrGetDiscLabel(char drive, char *label, int size);
CDRAPI DWORD WINAPI CdrGetDiscSerial(char drive);

/* Audio tracks on the disc, as the system lists them (TrackNN.cda). */
CDRAPI int WINAPI CdrCountAudioTracks(char drive);

/* Conversions between a frame count and minutes:seconds:frames. */
CDRAPI void WINAPI CdrFramesToMsf(DWORD frames, BYTE *minutes, BYTE *seconds,
                                  BYTE *frame);
CDRAPI DWORD WINAPI CdrMsfToFrames(BYTE minutes, BYTE seconds, BYTE frame);

#ifdef __cplusplus
}
#endif

#endif
