#include "core/command_line.h"
#include "core/destination.h"
#include "core/text_ops.h"
#include "install/install.h"
#include "run/run.h"
#include "run/setup_state.h"

#include <shlobj.h>

// Working values of the pass.
static const PassProgress *progress;
static char scratch[512];

// The pass is a small transaction in the destination folder, and this file
// holds all of it: its record, its recovery, its commit and its undo.
//
// The record says what the pass changed: the folder levels it made, by their
// lengths, and for each row whether it created the row's file or folder or
// set an earlier file aside (moved under the row's set-aside name, never
// deleted) for the new one to take its name. Each change is recorded as it
// succeeds; a failure or an abort undoes exactly that, and the folder holds
// again what it held before.
//
// The marker stands in the folder from before the first earlier file is set
// aside until every new file is in place: deleting it commits the pass. So
// what an earlier pass left says what it means:
// - set-aside files beside the marker: that pass was cut off (a power cut)
//   before it could commit or undo, or its undo could not finish. Each is
//   the only copy of an earlier file: it goes back in its place, over the
//   file of that pass standing there, before anything else happens;
// - set-aside files without the marker: that pass committed and could not
//   delete them (a program still running held one). They are debris, and go.
//   One that cannot go either stops the run before its marker is made: beside
//   a marker it would read as an earlier file, and a cut-off pass would put
//   it back over the new one.
// The pass deletes no other file of its own accord, and the attributes of
// its own files never stop it: it clears them first.
enum RowChange : unsigned char { RowUntouched, RowCreated, RowSetAside };
static unsigned char createdLevels[DestinationSize];
static unsigned createdLevelCount;
static RowChange rowChanges[PayloadRowCount];
static bool markerMade;

static bool Exists(const char *path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

static bool DeleteOwnFile(const char *name)
{
    SetFileAttributesA(name, FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(name) != 0;
}

static void CreateLevel(unsigned length)
{
    char kept = scratch[length];
    scratch[length] = '\0';
    if (CreateDirectoryA(scratch, nullptr)) {
        createdLevels[createdLevelCount++] = static_cast<unsigned char>(length);
        WriteLog("Made the folder %s", scratch);
    }
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

// The earlier file of `row` back in its place, over what stands there.
static bool PutBack(unsigned row)
{
    const char *name = PayloadTable[row].fileName;
    bool back = (!Exists(name) || DeleteOwnFile(name)) && MoveFileA(SetAsideNames[row], name);
    if (back)
        WriteLog("Put back the earlier %s", name);
    return back;
}

// Tells where the earlier file of `row` waits when it could not go back.
// The pieces are bounded: a name of the table and a full name.
static void NoteNotPutBack(unsigned row)
{
    static char note[512];
    char path[FullNameSize];
    JoinPath(setupState.destinationFolder, SetAsideNames[row], path, FullNameSize);
    char *end = CopyText(PayloadTable[row].fileName, CopyText(TextNoteNotPutBack, note));
    CopyText(TextNoteNextRun, CopyText(path, CopyText(TextNoteKeptAs, end)));
    AskUser(note, MB_OK | MB_ICONINFORMATION, nullptr);
}

// What an earlier pass left, dealt with as the rule above says. Null when
// all is dealt with; else the first file that stopped it, the debris that
// could not go or the file an earlier one could not go back over (the
// marker then stays for the next run).
static const char *RecoverEarlierPass()
{
    bool committed = !Exists(PassMarkerName);
    const char *stopped = nullptr;
    for (unsigned row = 0; row < PayloadRowCount; ++row) {
        const char *name = nullptr;
        if (!Exists(SetAsideNames[row]))
            continue;
        if (committed && !DeleteOwnFile(SetAsideNames[row])) {
            name = SetAsideNames[row];
        } else if (!committed && !PutBack(row)) {
            NoteNotPutBack(row);
            name = PayloadTable[row].fileName;
        }
        if (stopped == nullptr)
            stopped = name;
    }
    DeleteOwnFile(CompressedFileName);
    DeleteOwnFile(ExpandedFileName);
    return stopped;
}

// The marker of a cut-off pass may carry attributes that would refuse its
// making.
static bool MakeMarker()
{
    SetFileAttributesA(PassMarkerName, FILE_ATTRIBUTE_NORMAL);
    HANDLE marker = CreateFileA(PassMarkerName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    markerMade = marker != INVALID_HANDLE_VALUE;
    if (markerMade)
        CloseHandle(marker);
    return markerMade;
}

static bool UndoRow(unsigned row)
{
    const char *name = PayloadTable[row].fileName;
    if (rowChanges[row] == RowSetAside)
        return PutBack(row);
    if (rowChanges[row] == RowCreated)
        return PayloadTable[row].flags & PayloadFlagFolder ? RemoveDirectoryA(name) != 0
                                                          : DeleteOwnFile(name);
    return true;
}

// Still in the destination, whose rows have bare names: the rows from the
// last to the first, and the marker once every earlier file is back; then,
// from outside, the levels from the deepest. An earlier file that cannot go
// back stays set aside beside the marker, and a note says where.
static void UndoChanges()
{
    bool whole = true;
    for (unsigned row = PayloadRowCount; row-- > 0;) {
        if (!UndoRow(row) && rowChanges[row] == RowSetAside) {
            NoteNotPutBack(row);
            whole = false;
        }
    }
    if (markerMade && whole)
        DeleteOwnFile(PassMarkerName);
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

// Every new file is in place: deleting the marker commits the pass, and the
// earlier files go. False, with nothing changed, when the marker stays.
static bool CommitChanges()
{
    if (!DeleteOwnFile(PassMarkerName))
        return false;
    markerMade = false;
    for (unsigned row = 0; row < PayloadRowCount; ++row)
        if (rowChanges[row] == RowSetAside && !DeleteOwnFile(SetAsideNames[row]))
            WriteLog("Could not delete %s, which the next installation deletes", SetAsideNames[row]);
    return true;
}

static void UndoAndClose()
{
    UndoChanges();
    progress->close();
}

// True when the user has asked to abort; the pass is then undone.
static bool UndoAndCloseIfAborted()
{
    if (!progress->aborted())
        return false;
    UndoAndClose();
    return true;
}

// The one way a failure ends the pass: undone first, then its message,
// naming `file` where the failure names one.
[[noreturn]] static void FailPass(Failure failure, const char *file = nullptr)
{
    UndoAndClose();
    FatalError(failure, file);
}

// The earlier file goes aside and the new one takes its name; a folder in
// the way cannot be replaced.
static Failure PutInPlace(unsigned row)
{
    const char *name = PayloadTable[row].fileName;
    DWORD attributes = GetFileAttributesA(name);
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) || !MoveFileA(name, SetAsideNames[row]))
            return FailureCreateFile;
        rowChanges[row] = RowSetAside;
        WriteLog("Set aside the earlier %s as %s", name, SetAsideNames[row]);
    }
    if (!MoveFileA(ExpandedFileName, name))
        return FailureCreateFile;
    WriteLog("Laid down %s", name);
    if (rowChanges[row] == RowUntouched)
        rowChanges[row] = RowCreated;
    return FailureNone;
}

// FailureNone when the row is done, else its failure. A damaged copy of the
// set-up is told as that, with the file that shows it (the row's), and never
// as a disk's fault.
static Failure InstallRow(unsigned row)
{
    const PayloadEntry &entry = PayloadTable[row];
    if (entry.flags & PayloadFlagFolder) {
        if (CreateDirectoryA(entry.fileName, nullptr))
            rowChanges[row] = RowCreated;
        return FailureNone;
    }
    if (!(entry.flags & PayloadFlagExtract))
        return FailureNone;
    CopyText(entry.fileName, CopyText(TextProgressWorking, scratch));
    progress->show(scratch, -1);
    PayloadChecks checks;
    Failure failure = FindPayloadChecks(row, &checks) ? ExtractPayloadFile(entry.resourceId, checks) : FailureDamaged;
    if (failure == FailureNone)
        failure = PutInPlace(row);
    // Gone already when the new file took its place.
    DeleteOwnFile(ExpandedFileName);
    return failure;
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
    unsigned unwritten = WriteProductRecords() ? 0 : UnwrittenProductRecords;
    RunCdEncoderSetup(1);
    if (!RegisterUninstall())
        unwritten |= UnwrittenUninstallEntry;
    if (unwritten != 0)
        AskUser(UnwrittenRecordsNotes[unwritten], MB_OK | MB_ICONINFORMATION, nullptr);
    else
        WriteLog("Wrote the records and the uninstall entry");
    if (setupState.options.given & OptionNoIcons) {
        WriteLog("No shortcuts: /NOICONS");
        return;
    }
    AddShortcut(CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS);
    AddShortcut(CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY);
}

bool InstallPass(const PassProgress &shown)
{
    progress = &shown;
    progress->open(PayloadRowCount);
    if (UndoAndCloseIfAborted())
        return false;

    WriteLog("Installing into %s", setupState.destinationFolder);
    CreateDestinationLevels(setupState.destinationFolder);
    // Files go only into the destination: a folder that cannot be entered
    // ends the run before anything is extracted elsewhere.
    if (!SetCurrentDirectoryA(setupState.destinationFolder))
        FailPass(FailureDestination);
    if (const char *stopped = RecoverEarlierPass())
        FailPass(FailureUnfinished, stopped);
    if (!MakeMarker())
        FailPass(FailureCreateFile);

    for (unsigned row = 0; row < PayloadRowCount; ++row) {
        if (Failure failure = InstallRow(row))
            FailPass(failure, PayloadTable[row].fileName);
        progress->show(nullptr, row + 1);
        if (UndoAndCloseIfAborted())
            return false;
    }

    if (!CommitChanges())
        FailPass(FailureCreateFile);
    WriteRecords();
    progress->close();
    return true;
}
