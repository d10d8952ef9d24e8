#include "install.h"
#include "setup_state.h"
#include "ui.h"

#include <shlobj.h>

// Working values of the pass.
static std::int32_t abortFlag;
static char scratch[512];
static const std::uint32_t versionRecord = InstallerVersion;

// The pass is a small transaction. Its record says what it changed in the
// destination: the folder levels it made, by their lengths, and for each
// row whether it created the row's file or folder or set an earlier file
// aside. A failure or an abort undoes exactly that, and the folder holds
// again what it held before; once every file is in place the set-aside
// files are deleted, and only then are the records written.
enum RowChange : unsigned char { RowUntouched, RowCreated, RowSetAside };
static unsigned char createdLevels[DestinationSize];
static unsigned createdLevelCount;
static RowChange rowChanges[PayloadRowCount];

static bool Exists(const char *path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

static void CreateLevel(unsigned length)
{
    char kept = scratch[length];
    scratch[length] = '\0';
    if (CreateDirectoryA(scratch, nullptr))
        createdLevels[createdLevelCount++] = static_cast<unsigned char>(length);
    scratch[length] = kept;
}

// Every level of the destination, from the top; the drive's root only when
// the folder's name starts with a second backslash. The name is walked by
// characters: a double-byte character's second byte may be 0x5C.
static void CreateDestinationLevels(const char *destination)
{
    createdLevelCount = 0;
    CopyText(destination, scratch);
    for (const char *at = destination + 3;; at = NextChar(at)) {
        if (*at == '\\' || *at == '\0')
            CreateLevel(static_cast<unsigned>(at - destination));
        if (*at == '\0')
            break;
    }
}

// Still in the destination, whose rows have bare names: the rows from the
// last to the first, then, from outside, the levels from the deepest.
static void UndoChanges()
{
    for (unsigned row = PayloadRowCount; row-- > 0;) {
        const PayloadEntry &entry = PayloadTable[row];
        if (rowChanges[row] == RowCreated && (entry.flags & PayloadFlagFolder))
            RemoveDirectoryA(entry.fileName);
        else if (rowChanges[row] == RowCreated)
            DeleteFileA(entry.fileName);
        else if (rowChanges[row] == RowSetAside)
            DeleteFileA(entry.fileName), MoveFileA(SetAsideNames[row], entry.fileName);
    }
    const char *destination = setupState.destinationFolder;
    // Leave the folder before taking it away.
    scratch[0] = destination[0];
    CopyText(":\\", scratch + 1);
    SetCurrentDirectoryA(scratch);
    while (createdLevelCount > 0) {
        unsigned length = createdLevels[--createdLevelCount];
        CopyText(destination, scratch);
        scratch[length] = '\0';
        RemoveDirectoryA(scratch);
    }
}

// Every new file is in place: the earlier ones go, and with them any that
// an earlier pass left (see ReplaceTarget), read-only or not.
static void CommitChanges()
{
    for (const char *name : SetAsideNames) {
        SetFileAttributesA(name, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(name);
    }
}

static void UndoAndClose()
{
    UndoChanges();
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
    if (entry.flags & PayloadFlagFolder) {
        if (CreateDirectoryA(entry.fileName, nullptr))
            rowChanges[row] = RowCreated;
    } else if (entry.flags & PayloadFlagExtract) {
        CopyText(entry.fileName, CopyText(TextProgressWorking, scratch));
        ProgressUpdate(nullptr, scratch, -1);
        bool existed = Exists(entry.fileName), setAside;
        const char *failure =
            ExtractPayloadFile(entry.resourceId, entry.fileName, SetAsideNames[row], &setAside);
        rowChanges[row] = setAside ? RowSetAside : existed ? RowUntouched : RowCreated;
        return failure;
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

    CommitChanges();
    WriteRecords();
    ProgressClose();
    return true;
}
