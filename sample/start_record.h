/* Start record: every sample program notes how it was started, so the
   set-up's tests can tell which program ran, with which command line, from
   which folder and started by which program. */
#ifndef BRIGHTLARK_SAMPLE_START_RECORD_H
#define BRIGHTLARK_SAMPLE_START_RECORD_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Appends "<module path>\t<command line>\t<current folder>\t<starter>\r\n"
   to the file named by BRIGHTLARK_START_LOG, or to
   %TEMP%\brightlark-starts.log. The starter is the file name of the parent
   process (explorer.exe, setup.exe), "?" when it cannot be found.
   Returns FALSE if the line could not be written; callers carry on anyway,
   since a missing record must never stop the program itself. */
BOOL RecordStart(void);

#ifdef __cplusplus
}
#endif

#endif
