#include "destination.h"
#include "text.h"
#include "texts.h"

static const char ProgramFilesName[] = "\\Program Files";

void ComposeDefaultDestination(const char *programFilesDir, const char *windowsDir,
                               char (&destination)[DestinationSize])
{
    if (programFilesDir[0] != '\0' &&
        JoinPath(programFilesDir, TextProductName, destination, DestinationSize))
        return;
    char folder[sizeof ProgramFilesName + 2] = "";
    if (windowsDir[0] != '\0' && windowsDir[1] == ':') {
        folder[0] = windowsDir[0];
        folder[1] = ':';
        CopyText(ProgramFilesName, folder + 2);
    }
    JoinPath(folder, TextProductName, destination, DestinationSize);
}

bool IsValidDestination(const char *folder)
{
    return folder[0] != '\0' && folder[1] == ':' && folder[2] == '\\' && folder[3] != '\0';
}
