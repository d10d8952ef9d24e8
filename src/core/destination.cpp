#include "core/destination.h"
#include "core/payload_table.h"
#include "core/text_ops.h"
#include "core/user_texts.h"

static const char ProgramFilesName[] = "\\Program Files";

void ComposeDefaultDestination(const char *programFilesDir, const char *windowsDir,
                               char (&destination)[DestinationSize])
{
    if (programFilesDir[0] != '\0' &&
        JoinPath(programFilesDir, TextProductName, destination, DestinationSize) &&
        IsValidDestination(destination))
        return;
    char folder[sizeof ProgramFilesName + 2] = "";
    if (windowsDir[0] != '\0' && windowsDir[1] == ':') {
        folder[0] = windowsDir[0];
        folder[1] = ':';
        CopyText(ProgramFilesName, folder + 2);
    }
    JoinPath(folder, TextProductName, destination, DestinationSize);
}

static bool FitsFullName(const char *folder, const char *name)
{
    char path[FullNameSize];
    return JoinPath(folder, name, path, FullNameSize);
}

// Under a double-byte code page a text cut inside a character ends in a
// lone lead byte: joined with a name, it would swallow the backslash.
static bool EndsOnWholeCharacter(const char *text)
{
    for (const char *at = text; *at != '\0'; at = NextChar(at))
        if (IsLeadByte(*at) && at[1] == '\0')
            return false;
    return true;
}

bool IsValidDestination(const char *folder)
{
    if (folder[0] == '\0' || folder[1] != ':' || folder[2] != '\\' || folder[3] == '\0' ||
        !EndsOnWholeCharacter(folder))
        return false;
    for (const PayloadEntry &entry : PayloadTable)
        if (!FitsFullName(folder, entry.fileName))
            return false;
    for (const char *name : SetAsideNames)
        if (!FitsFullName(folder, name))
            return false;
    for (const char *name : {CompressedFileName, ExpandedFileName, PassMarkerName})
        if (!FitsFullName(folder, name))
            return false;
    return true;
}

void DropClosingBackslash(char *folder)
{
    unsigned length = TextLength(folder);
    if (length > 3 && EndsInBackslash(folder))
        folder[length - 1] = '\0';
}
