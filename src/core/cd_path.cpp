#include "core/cd_path.h"
#include "core/text_ops.h"

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

char DriveOfPath(const char *path)
{
    char letter = FoldLetter(path[0]);
    return letter >= 'A' && letter <= 'Z' && path[1] == ':' ? path[0] : '\0';
}
