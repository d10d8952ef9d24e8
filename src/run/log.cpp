#include "core/text_ops.h"
#include "run/run.h"
#include "run/setup_state.h"

#include <stdarg.h>

// The log is made by its first line, in the file /LOG names or else under a
// fixed name in the user's temporary folder, and replaces an earlier one.
static const char LogFileName[] = "Brightlark Setup.log";

static HANDLE OpenLog()
{
    const SetupOptions &options = setupState.options;
    char folder[MAX_PATH], path[MAX_PATH];
    const char *name = options.logName;
    if (!(options.given & OptionLogNamed)) {
        DWORD length = GetTempPathA(MAX_PATH, folder);
        if (length == 0 || length >= MAX_PATH || !JoinPath(folder, LogFileName, path, MAX_PATH))
            return INVALID_HANDLE_VALUE;
        name = path;
    }
    return CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool WriteLog(const char *format, ...)
{
    static bool opened;
    static HANDLE file;
    // wvsprintfA writes at most 1,024 characters; the line end follows.
    static char line[1024 + 2];
    if (!(setupState.options.given & OptionLog))
        return true;
    if (!opened) {
        opened = true;
        file = OpenLog();
    }
    if (file == INVALID_HANDLE_VALUE)
        return false;
    va_list arguments;
    va_start(arguments, format);
    int length = wvsprintfA(line, format, arguments);
    va_end(arguments);
    length = length < 0 ? 0 : length;
    line[length++] = '\r';
    line[length++] = '\n';
    DWORD written;
    return WriteFile(file, line, length, &written, nullptr) && written == DWORD(length);
}
