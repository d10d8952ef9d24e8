#include "core/destination.h"
#include "core/text_ops.h"
#include "run/run.h"

bool SameFolder(const char *folder, const char *other)
{
    char compared[2][DestinationSize];
    const char *folders[] = {folder, other};
    for (unsigned i = 0; i < 2; ++i) {
        if (!TextsFit(DestinationSize, {folders[i]}))
            return false;
        CopyText(folders[i], compared[i]);
        DropClosingBackslash(compared[i]);
    }
    return lstrcmpiA(compared[0], compared[1]) == 0;
}
