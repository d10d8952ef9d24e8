#include "core/check_value.h"
#include "install/install.h"
#include "resource_ids.h"
#include "run/setup_state.h"
#include "core/szdd_header.h"

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

// A payload resource of the program's own, its bytes and their count; null
// when there is none.
static const unsigned char *LoadResourceBytes(std::uint32_t resourceId, DWORD *size)
{
    HINSTANCE module = setupState.instanceHandle;
    resourceHandle = FindResourceA(module, MAKEINTRESOURCEA(resourceId), "RT_RCDATA");
    if (resourceHandle == nullptr)
        return nullptr;
    *size = SizeofResource(module, resourceHandle);
    HGLOBAL loaded = LoadResource(module, resourceHandle);
    return loaded ? static_cast<const unsigned char *>(LockResource(loaded)) : nullptr;
}

bool FindPayloadChecks(std::uint32_t resourceId, PayloadChecks *checks)
{
    DWORD size = 0;
    const unsigned char *values = LoadResourceBytes(IDR_PAYLOAD_CHECKS, &size);
    std::uint32_t at = (resourceId - IDR_PAYLOAD_PROGRAM) * 8;
    if (values == nullptr || resourceId < IDR_PAYLOAD_PROGRAM || size < at + 8)
        return false;
    std::uint32_t read[2] = {};
    for (unsigned i = 0; i < 8; ++i)
        read[i / 4] |= std::uint32_t(values[at + i]) << (i % 4 * 8);
    checks->compressed = read[0];
    checks->expanded = read[1];
    return true;
}

// The resource must be the very SZDD file the build made: its header then
// says how long the expanded file must come out.
static const char *LoadPayload(std::uint32_t resourceId, const PayloadChecks &checks)
{
    resourceBytes = LoadResourceBytes(resourceId, &resourceSize);
    if (resourceBytes == nullptr)
        return TextErrorResource;
    if (ContinueCheckValue(0, resourceBytes, resourceSize) != checks.compressed ||
        !ReadSzddExpandedLength(resourceBytes, resourceSize, &expandedLength))
        return TextErrorDamaged;
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
    return copied < 0 ? TextErrorWriteFile : nullptr;
}

// The expanded file as it lies on the disk must be the product's file, of
// the length and check value the build gave it.
static const char *CheckExpandedFile(const PayloadChecks &checks)
{
    static unsigned char piece[65536];
    HANDLE file = CreateFileA(ExpandedFileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return TextErrorWriteFile;
    std::uint32_t value = 0, length = 0;
    DWORD count = 0;
    BOOL read;
    while ((read = ReadFile(file, piece, sizeof piece, &count, nullptr)) != 0 && count != 0) {
        value = ContinueCheckValue(value, piece, count);
        length += count;
    }
    CloseHandle(file);
    if (!read)
        return TextErrorWriteFile;
    return length == expandedLength && value == checks.expanded ? nullptr : TextErrorDamaged;
}

const char *ExtractPayloadFile(std::uint32_t resourceId, const PayloadChecks &checks)
{
    const char *failure = LoadPayload(resourceId, checks);
    if (failure == nullptr && !LoadLz())
        failure = TextErrorWriteFile;
    if (failure == nullptr)
        failure = WriteTempFile();
    if (failure == nullptr)
        failure = ExpandTempFile();
    DeleteFileA(CompressedFileName);
    if (failure == nullptr)
        failure = CheckExpandedFile(checks);
    return failure;
}
