#include "install.h"
#include "setup_state.h"
#include "szdd_header.h"

// The compressed bytes go to a file of their own in the destination folder,
// and LZ32 expands them into the expanded file, which the install pass then
// puts in the target's place.

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
    tempFile = CreateFileA(CompressedFileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (tempFile == INVALID_HANDLE_VALUE)
        return TextErrorCreateFile;
    bool written = WriteFile(tempFile, resourceBytes, resourceSize, &bytesWritten, nullptr) == 1 &&
                   bytesWritten == resourceSize;
    CloseHandle(tempFile);
    return written ? nullptr : TextErrorWriteFile;
}

// Both files are opened by plain name in the current folder: LZOpenFileA
// and OpenFile keep the full path in a 128-character record, so they fail in
// a deep destination folder, look for the compressed file beside the set-up
// program before the current folder, and fall back to the compressed name
// ("Brightlark.ex_") for a target they cannot create.
static const char *ExpandTempFile()
{
    HFILE temp = _lopen(CompressedFileName, OF_READ);
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

const char *ExtractPayloadFile(std::uint32_t resourceId)
{
    const char *failure = LoadPayload(resourceId);
    if (failure == nullptr && !LoadLz())
        failure = TextErrorWriteFile;
    if (failure == nullptr)
        failure = WriteTempFile();
    if (failure == nullptr)
        failure = ExpandTempFile();
    DeleteFileA(CompressedFileName);
    return failure;
}
