#include "core/text_ops.h"
#include "run/run.h"
#include "run/setup_state.h"

#include <stdarg.h>

// The log is made by its first line. In the file /LOG names, the
// administrator's choice, it replaces an earlier one. Without a name it is a
// new file in the user's temporary folder, named by the product, the date and
// a counter: that folder may be one any user writes in (the machine's own
// account has the Windows folder's), so the log never opens a file, nor
// follows a name, that was there before.
static const char LogNameFormat[] = "%s Setup %04u-%02u-%02u %u.log";
constexpr unsigned LogTries = 999;

static HANDLE CreateNewLog()
{
    char folder[MAX_PATH], name[64], path[MAX_PATH];
    DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH)
        return INVALID_HANDLE_VALUE;
    SYSTEMTIME today;
    GetLocalTime(&today);
    // A name taken, by a file or a folder, is passed over.
    for (unsigned counter = 1; counter <= LogTries; ++counter) {
        wsprintfA(name, LogNameFormat, TextProductName, today.wYear, today.wMonth, today.wDay, counter);
        if (!JoinPath(folder, name, path, MAX_PATH))
            break;
        HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
        if (file != INVALID_HANDLE_VALUE)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

static HANDLE OpenLog()
{
    const SetupOptions &options = setupState.options;
    if (!(options.given & OptionLogNamed))
        return CreateNewLog();
    return CreateFileA(options.logName, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
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
