#include "core/destination.h"
#include "core/registry_path.h"
#include "core/text_ops.h"
#include "install/install.h"
#include "run/run.h"
#include "run/setup_state.h"

static const std::uint32_t VersionRecord = InstallerVersion;

// A folder the set-up could install into: one it accepts as typed, on a
// drive that holds files (not a CD-ROM drive, nor one that is gone).
static bool UsableFolder(const char *folder)
{
    char root[] = "?:\\";
    root[0] = folder[0];
    if (!IsValidDestination(folder))
        return false;
    UINT type = GetDriveTypeA(root);
    return type == DRIVE_REMOVABLE || type == DRIVE_FIXED || type == DRIVE_REMOTE || type == DRIVE_RAMDISK;
}

// Both values must read back whole: the folder as a text that ends inside
// its field, the version as exactly four bytes. Records whose folder could
// not be a destination count as none, like malformed ones: they would lock
// the page to a folder that no Install can use (drive letters move when a
// disk is added). They stay until a new installation writes its own.
void DetectPreviousInstall()
{
    std::uint32_t count = 0;
    setupState.hasPreviousInstall =
        GetProductText(ValueProgramDirectory, setupState.previousFolder, DestinationSize) &&
        GetProductValue(ValueProgramVersion, &setupState.previousVersion,
                        sizeof setupState.previousVersion, &count) &&
        count == sizeof setupState.previousVersion && UsableFolder(setupState.previousFolder);
    WriteLog(setupState.hasPreviousInstall ? "Earlier installation: version %lu in %s" : "No earlier installation",
             setupState.previousVersion, setupState.previousFolder);
}

bool WriteProductRecords()
{
    DeleteProductValue(ValueMonitorDevice);
    bool recorded =
        SetProductValue(ValueProgramDirectory, setupState.destinationFolder, DestinationSize, REG_SZ);
    return SetProductValue(ValueProgramVersion, &VersionRecord, sizeof VersionRecord, REG_BINARY) &&
           recorded;
}

bool RegisterUninstall()
{
    static char displayName[DisplayNameSize];
    static char command[UninstallCommandSize];
    ComposeDisplayName(displayName);
    // The command first, and the name only with it: Windows lists an entry
    // by its name, and a listed entry must be able to uninstall.
    return ComposeUninstallCommand(setupState.destinationFolder, command) &&
           SetRootValue(PathUninstallCommand, command, sizeof command, REG_SZ,
                        HKEY_LOCAL_MACHINE) &&
           SetRootValue(PathUninstallDisplayName, displayName, sizeof displayName, REG_SZ,
                        HKEY_LOCAL_MACHINE);
}
