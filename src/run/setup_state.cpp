#include "run/setup_state.h"

// Zero until start-up fills it, so that it takes no room in the program file.
SetupState setupState;

bool EarlierIsOlder()
{
    return setupState.hasPreviousInstall && setupState.previousVersion < InstallerVersion;
}

bool EarlierIsNewer()
{
    return setupState.hasPreviousInstall && setupState.previousVersion > InstallerVersion;
}

bool EarlierNeedsUninstall()
{
    return setupState.hasPreviousInstall && setupState.previousVersion <= LastVersionWithOwnUninstaller;
}

bool FolderLocked()
{
    return EarlierIsOlder() || EarlierIsNewer();
}
