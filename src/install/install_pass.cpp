#include "install.h"
#include "setup_state.h"
#include "ui.h"

#include <shlobj.h>

// Working values of the pass.
static std::int32_t abortFlag;
static char scratch[512];
static const std::uint32_t versionRecord = InstallerVersion;

// What this pass created, so that an abort or a failure can take exactly
// that away: the lengths of the destination's levels it made, and the rows
// whose file or folder did not exist before.
static unsigned char createdLevels[DestinationSize];
static unsigned createdLevelCount;
static bool createdRows[PayloadRowCount];

static bool Exists(const char *path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

static void CreateLevel(unsigned length)
{
    scratch[length] = '\0';
    if (CreateDirectoryA(scratch, nullptr))
        createdLevels[createdLevelCount++] = static_cast<unsigned char>(length);
}

// Every level of the destination, from the top; the drive's root only when
// the folder's name starts with a second backslash.
static void CreateDestinationLevels(const char *destination)
{
    createdLevelCount = 0;
    unsigned length = 3;
    CopyText(destination, scratch);
    for (;;) {
        while (destination[length] != '\\' && destination[length] != '\0')
            ++length;
        bool last = destination[length] == '\0';
        CreateLevel(length);
        if (last)
            break;
        scratch[length] = '\\';
        ++length;
    }
}

static void RemoveCreated()
{
    const char *destination = setupState.destinationFolder;
    // Leave the folder before taking it away.
    scratch[0] = destination[0];
    CopyText(":\\", scratch + 1);
    SetCurrentDirectoryA(scratch);
    for (unsigned row = PayloadRowCount; row-- > 0;) {
        const PayloadEntry &entry = PayloadTable[row];
        if (!createdRows[row] || !JoinPath(destination, entry.fileName, scratch, sizeof scratch))
            continue;
        if (entry.flags & PayloadFlagFolder)
            RemoveDirectoryA(scratch);
        else
            DeleteFileA(scratch);
    }
    while (createdLevelCount > 0) {
        unsigned length = createdLevels[--createdLevelCount];
        CopyText(destination, scratch);
        scratch[length] = '\0';
        RemoveDirectoryA(scratch);
    }
}

// Files of an earlier installation that were already replaced stay so:
// there is no copy to bring back, and its records still point to them.
static void UndoAndClose()
{
    RemoveCreated();
    ProgressClose();
}

// True when the user aborted at the last pump; the pass is then undone.
static bool UndoAndCloseIfAborted()
{
    if (abortFlag == 0)
        return false;
    UndoAndClose();
    return true;
}

// The one way a failure ends the pass: undone first, then its message.
[[noreturn]] static void FailPass(const char *message)
{
    UndoAndClose();
    FatalError(message);
}

// Null when the row is done, else the message of its failure.
static const char *InstallRow(unsigned row)
{
    const PayloadEntry &entry = PayloadTable[row];
    createdRows[row] = false;
    if (entry.flags & PayloadFlagFolder) {
        createdRows[row] = CreateDirectoryA(entry.fileName, nullptr) != 0;
    } else if (entry.flags & PayloadFlagExtract) {
        CopyText(entry.fileName, CopyText(TextProgressWorking, scratch));
        ProgressUpdate(nullptr, scratch, -1);
        createdRows[row] = !Exists(entry.fileName);
        return ExtractPayloadFile(entry.resourceId, entry.fileName);
    }
    return nullptr;
}

// The files are in place whatever the registry does; one note tells which
// records could not be written: without ProgramDirectory and ProgramVersion
// the next set-up does not know this installation, without the uninstall
// entry Windows cannot remove it.
constexpr unsigned UnwrittenProductRecords = 1, UnwrittenUninstallEntry = 2;
static const char *const UnwrittenRecordsNotes[] = {
    nullptr, TextNoteRecords, TextNoteUninstall, TextNoteRecordsAndUninstall};

static void WriteRecords()
{
    DeleteProductValue(ValueMonitorDevice);
    bool recorded =
        SetProductValue(ValueProgramDirectory, setupState.destinationFolder, DestinationSize, REG_SZ);
    recorded = SetProductValue(ValueProgramVersion, &versionRecord, sizeof versionRecord, REG_BINARY) &&
               recorded;
    unsigned unwritten = recorded ? 0 : UnwrittenProductRecords;
    RunCdEncoderSetup(1);
    if (!RegisterUninstall())
        unwritten |= UnwrittenUninstallEntry;
    if (unwritten != 0)
        AskUser(UnwrittenRecordsNotes[unwritten], MB_OK | MB_ICONINFORMATION, nullptr);
    AddShortcut(CSIDL_PROGRAMS);
    AddShortcut(CSIDL_DESKTOPDIRECTORY);
}

bool InstallPass()
{
    ProgressOpen(nullptr, 0, PayloadRowCount, &abortFlag);
    ProgressUpdate(TextProgressTitle, TextProgressWorking, 0);
    ProgressPump();
    if (UndoAndCloseIfAborted())
        return false;

    CreateDestinationLevels(setupState.destinationFolder);
    // Files go only into the destination: a folder that cannot be entered
    // ends the run before anything is extracted elsewhere.
    if (!SetCurrentDirectoryA(setupState.destinationFolder))
        FailPass(TextErrorDestination);

    for (unsigned row = 0; row < PayloadRowCount; ++row) {
        if (const char *failure = InstallRow(row))
            FailPass(failure);
        ProgressUpdate(nullptr, nullptr, row + 1);
        ProgressPump();
        if (UndoAndCloseIfAborted())
            return false;
    }

    WriteRecords();
    ProgressClose();
    return true;
}
