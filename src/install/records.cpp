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
static bool ReadRecords(HKEY root)
{
    std::uint32_t count = 0;
    return GetProductText(ValueProgramDirectory, setupState.previousFolder, DestinationSize, root) &&
           GetProductValue(ValueProgramVersion, &setupState.previousVersion, sizeof setupState.previousVersion,
                           &count, root) &&
           count == sizeof setupState.previousVersion && UsableFolder(setupState.previousFolder);
}

// An installation for the machine (an unattended one, made by a deployment
// tool as the machine's own account) wrote its records there too: a user
// without records of their own finds it.
void DetectPreviousInstall()
{
    bool machine = false;
    setupState.hasPreviousInstall = ReadRecords(HKEY_CURRENT_USER) || (machine = ReadRecords(HKEY_LOCAL_MACHINE));
    if (machine)
        setupState.forMachine = 1;
    WriteLog(!setupState.hasPreviousInstall ? "No earlier installation"
             : machine                       ? "Earlier installation for the machine: version %lu in %s"
                                             : "Earlier installation: version %lu in %s",
             setupState.previousVersion, setupState.previousFolder);
}

static bool WriteRecords(HKEY root)
{
    bool recorded = SetProductValue(ValueProgramDirectory, setupState.destinationFolder, DestinationSize, REG_SZ, root);
    return SetProductValue(ValueProgramVersion, &VersionRecord, sizeof VersionRecord, REG_BINARY, root) && recorded;
}

bool WriteProductRecords()
{
    DeleteProductValue(ValueMonitorDevice);
    bool recorded = WriteRecords(HKEY_CURRENT_USER);
    return (!setupState.forMachine || WriteRecords(HKEY_LOCAL_MACHINE)) && recorded;
}

// The uninstall entry's values, in the order they are written. The
// uninstaller has neither a change nor a repair mode. The name last: Windows
// lists an entry by its name, and a listed entry must be whole, able to
// uninstall first of all. Windows 95 and NT 4.0 read only the command and
// the name.
static char displayName[DisplayNameSize];
static char command[UninstallCommandSize];
static char icon[UninstallCommandSize];
static std::uint32_t kibibytes;
static const std::uint32_t Yes = 1;
static const struct {
    const char *path;
    const void *data;
    std::uint32_t type;
} UninstallValues[] = {{ValueUninstallCommand, command, REG_SZ},
                       {ValueDisplayVersion, TextDottedVersion, REG_SZ},
                       {ValueDisplayIcon, icon, REG_SZ},
                       {ValueInstallLocation, setupState.destinationFolder, REG_SZ},
                       {ValueEstimatedSize, &kibibytes, REG_DWORD},
                       {ValueNoModify, &Yes, REG_DWORD},
                       {ValueNoRepair, &Yes, REG_DWORD},
                       {ValuePublisher, TextPublisher, REG_SZ},
                       {ValueDisplayName, displayName, REG_SZ}};

bool RegisterUninstall()
{
    const char *destination = setupState.destinationFolder;
    std::uint32_t bytes = PayloadExpandedBytes();
    kibibytes = bytes / 1024 + (bytes % 1024 != 0);
    ComposeDisplayName(displayName);
    if (!ComposeUninstallCommand(destination, command) || !ComposeDisplayIcon(destination, icon))
        return false;
    for (const auto &value : UninstallValues) {
        bool unnamed = value.data == TextPublisher && TextPublisher[0] == '\0';
        if (!unnamed && !SetUninstallValue(value.path, value.data, sizeof Yes, value.type))
            return false;
    }
    return true;
}
