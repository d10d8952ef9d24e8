#include "install.h"
#include "setup_state.h"
#include "szdd_header.h"

// The compressed bytes go to tempfile.tmp in the destination folder; LZ32
// expands them into tempfile.new, which then takes the target's place.

// LZ32 is loaded from the system folder by full path, so that a copy placed
// beside the set-up program or in the current folder is never used.
typedef INT(WINAPI *LZInitProc)(INT);
typedef LONG(WINAPI *LZCopyProc)(INT, INT);
typedef void(WINAPI *LZCloseProc)(INT);
static LZInitProc lzInit;
static LZCopyProc lzCopy;
static LZCloseProc lzClose;

// Working values of the current extraction; extractions run one at a time.
static HRSRC resourceHandle;
static DWORD resourceSize;
static const unsigned char *resourceBytes;
static std::uint32_t expandedLength;
static HANDLE tempFile;
static DWORD bytesWritten;
static INT sourceFile;
static HFILE expandedFile;

static bool LoadLz()
{
    if (lzCopy != nullptr)
        return true;
    HMODULE lz = LoadSystemLibrary("lz32.dll");
    if (lz == nullptr)
        return false;
    lzInit = LookUpProc<LZInitProc>(lz, "LZInit");
    lzClose = LookUpProc<LZCloseProc>(lz, "LZClose");
    lzCopy = LookUpProc<LZCopyProc>(lz, "LZCopy");
    return lzInit != nullptr && lzClose != nullptr && lzCopy != nullptr;
}

// Each step gives null when it is done, else the message of its failure.

// The resource must be a whole SZDD file: its header says how long the
// expanded file must come out.
static const char *LoadPayload(std::uint32_t resourceId)
{
    HINSTANCE module = setupState.instanceHandle;
    resourceHandle = FindResourceA(module, MAKEINTRESOURCEA(resourceId), "RT_RCDATA");
    if (resourceHandle == nullptr)
        return TextErrorResource;
    resourceSize = SizeofResource(module, resourceHandle);
    HGLOBAL loaded = LoadResource(module, resourceHandle);
    resourceBytes = loaded ? static_cast<const unsigned char *>(LockResource(loaded)) : nullptr;
    if (resourceBytes == nullptr ||
        !ReadSzddExpandedLength(resourceBytes, resourceSize, &expandedLength))
        return TextErrorResource;
    return nullptr;
}

static const char *WriteTempFile()
{
    tempFile = CreateFileA(TempFileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (tempFile == INVALID_HANDLE_VALUE)
        return TextErrorCreateFile;
    bool written = WriteFile(tempFile, resourceBytes, resourceSize, &bytesWritten, nullptr) == 1 &&
                   bytesWritten == resourceSize;
    CloseHandle(tempFile);
    return written ? nullptr : TextErrorWriteFile;
}

// The file is expanded beside the target first and replaces it only when
// it came out whole: a failed expansion leaves an earlier installation's
// file as it was, and never a broken one. Both files are opened by plain
// name in the current folder: LZOpenFileA and OpenFile keep the full path in
// a 128-character record, so they fail in a deep destination folder, look
// for the temporary file beside the set-up program before the current
// folder, and fall back to the compressed name ("Brightlark.ex_") for a
// target they cannot create.
static const char *ExpandTempFile()
{
    HFILE temp = _lopen(TempFileName, OF_READ);
    sourceFile = temp == HFILE_ERROR ? -1 : lzInit(temp);
    if (sourceFile < 0) {
        // LZInit leaves a file it refused open; close it so it can go.
        if (temp != HFILE_ERROR)
            _lclose(temp);
        return TextErrorWriteFile;
    }
    expandedFile = _lcreat(ExpandedFileName, 0);
    if (expandedFile == HFILE_ERROR) {
        lzClose(sourceFile);
        return TextErrorCreateFile;
    }
    LONG copied = lzCopy(sourceFile, expandedFile);
    lzClose(sourceFile);
    lzClose(expandedFile);
    return copied >= 0 && static_cast<std::uint32_t>(copied) == expandedLength ? nullptr
                                                                               : TextErrorWriteFile;
}

// An earlier file is moved aside, never deleted, before the new one takes
// its name; a folder in the way cannot be replaced. A file already under the
// set-aside name is a leftover of an earlier pass: one cut off (a power cut)
// before it could finish or undo itself, or one that could not delete a
// program still running (Windows NT renames a running program's file but
// does not delete it). Which it was cannot be told, and the file in place
// is whole either way: that file is what this pass sets aside and puts back
// on a failure, and the leftover goes.
static const char *ReplaceTarget(const char *target, const char *setAside, bool *setAsideDone)
{
    DWORD attributes = GetFileAttributesA(target);
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return TextErrorCreateFile;
        DeleteFileA(setAside);
        if (!MoveFileA(target, setAside))
            return TextErrorCreateFile;
        *setAsideDone = true;
    }
    return MoveFileA(ExpandedFileName, target) ? nullptr : TextErrorCreateFile;
}

const char *ExtractPayloadFile(std::uint32_t resourceId, const char *target, const char *setAside,
                               bool *setAsideDone)
{
    *setAsideDone = false;
    const char *failure = LoadPayload(resourceId);
    if (failure == nullptr && !LoadLz())
        failure = TextErrorWriteFile;
    if (failure == nullptr)
        failure = WriteTempFile();
    if (failure == nullptr)
        failure = ExpandTempFile();
    if (failure == nullptr)
        failure = ReplaceTarget(target, setAside, setAsideDone);
    // No temporary file stays, whatever happened.
    DeleteFileA(ExpandedFileName);
    DeleteFileA(TempFileName);
    return failure;
}
