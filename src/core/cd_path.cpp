#include "core/cd_path.h"
#include "core/text_ops.h"

char FindSetupDrive(const char *commandLine)
{
    for (const char *p = commandLine; *p != '\0'; ++p)
        if (*p == ':')
            return p == commandLine ? '\0' : p[-1];
    return '\0';
}

bool ComposeCdPath(char drive, const char *tail, char *buffer)
{
    if (drive == '\0' || !TextsFit(CdPathSize - 3, {tail}))
        return false;
    buffer[0] = drive;
    buffer[1] = ':';
    buffer[2] = '\\';
    CopyText(tail, buffer + 3);
    return true;
}
