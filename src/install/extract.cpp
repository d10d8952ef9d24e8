#include "install.h"
#include "setup_state.h"
#include "szdd_header.h"

// The compressed bytes go to tempfile.tmp in the destination folder; LZ32
// expands them into tempfile.new, which then takes the target's place.
static const char TempFileName[] = "tempfile.tmp";
static const char ExpandedFileName[] = "tempfile.new";

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

// The resource must be a whole SZDD file: its header says how long the
// expanded file must come out.
static void LoadPayload(std::uint32_t resourceId)
{
    HINSTANCE module = setupState.instanceHandle;
    resourceHandle = FindResourceA(module, MAKEINTRESOURCEA(resourceId), "RT_RCDATA");
    if (resourceHandle == nullptr)
        FatalError(TextErrorResource);
    resourceSize = SizeofResource(module, resourceHandle);
    HGLOBAL loaded = LoadResource(module, resourceHandle);
    if (loaded == nullptr)
        FatalError(TextErrorResource);
    resourceBytes = static_cast<const unsigned char *>(LockResource(loaded));
    if (resourceBytes == nullptr ||
        !ReadSzddExpandedLength(resourceBytes, resourceSize, &expandedLength))
        FatalError(TextErrorResource);
}

// No failure leaves a temporary file behind.
[[noreturn]] static void FailExtraction(const char *message)
{
    DeleteFileA(ExpandedFileName);
    DeleteFileA(TempFileName);
    FatalError(message);
}

static void WriteTempFile()
{
    tempFile = CreateFileA(TempFileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (tempFile == INVALID_HANDLE_VALUE)
        FailExtraction(TextErrorCreateFile);
    bool written = WriteFile(tempFile, resourceBytes, resourceSize, &bytesWritten, nullptr) == 1 &&
                   bytesWritten == resourceSize;
    CloseHandle(tempFile);
    if (!written)
        FailExtraction(TextErrorWriteFile);
}

// The file is expanded beside the target first and replaces it only when
// it came out whole: a failed expansion leaves an earlier installation's
// file as it was, and never a broken one. Both files are opened by plain
// name in the current folder: LZOpenFileA and OpenFile keep the full path in
// a 128-character record, so they fail in a deep destination folder, look
// for the temporary file beside the set-up program before the current
// folder, and fall back to the compressed name ("Brightlark.ex_") for a
// target they cannot create.
static void ExpandTempFile()
{
    HFILE temp = _lopen(TempFileName, OF_READ);
    sourceFile = temp == HFILE_ERROR ? -1 : lzInit(temp);
    if (sourceFile < 0) {
        // LZInit leaves a file it refused open; close it so it can go.
        if (temp != HFILE_ERROR)
            _lclose(temp);
        FailExtraction(TextErrorWriteFile);
    }
    expandedFile = _lcreat(ExpandedFileName, 0);
    if (expandedFile == HFILE_ERROR) {
        lzClose(sourceFile);
        FailExtraction(TextErrorCreateFile);
    }
    LONG copied = lzCopy(sourceFile, expandedFile);
    lzClose(sourceFile);
    lzClose(expandedFile);
    if (copied < 0 || static_cast<std::uint32_t>(copied) != expandedLength)
        FailExtraction(TextErrorWriteFile);
}

static void ReplaceTarget(const char *target)
{
    if (GetFileAttributesA(target) != INVALID_FILE_ATTRIBUTES && !DeleteFileA(target))
        FailExtraction(TextErrorCreateFile);
    if (!MoveFileA(ExpandedFileName, target))
        FailExtraction(TextErrorCreateFile);
}

void ExtractPayloadFile(std::uint32_t resourceId, const char *target)
{
    LoadPayload(resourceId);
    if (!LoadLz())
        FatalError(TextErrorWriteFile);
    WriteTempFile();
    ExpandTempFile();
    ReplaceTarget(target);
    DeleteFileA(TempFileName);
}
