#include "core/check_value.h"
#include "core/szdd_header.h"
#include "install/install.h"
#include "resource_ids.h"
#include "run/run.h"
#include "run/setup_state.h"

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

// The payload file being extracted, as its steps hand it on.
struct Extraction {
    const unsigned char *bytes; // the resource's compressed bytes
    DWORD size;
    std::uint32_t expandedLength; // as its header announces it
};

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

// Each step gives FailureNone when it is done, else its failure.

// A payload resource of the program's own, its bytes and their count; null
// when there is none.
static const unsigned char *LoadResourceBytes(std::uint32_t resourceId, DWORD *size)
{
    HINSTANCE module = setupState.instanceHandle;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resourceId), "RT_RCDATA");
    if (found == nullptr)
        return nullptr;
    *size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    return loaded ? static_cast<const unsigned char *>(LockResource(loaded)) : nullptr;
}

bool FindPayloadChecks(unsigned row, PayloadChecks *checks)
{
    DWORD size = 0;
    const unsigned char *values = LoadResourceBytes(IDR_PAYLOAD_CHECKS, &size);
    std::uint32_t at = row * 8;
    if (values == nullptr || row >= PayloadRowCount || size < at + 8)
        return false;
    std::uint32_t read[2] = {};
    for (unsigned i = 0; i < 8; ++i)
        read[i / 4] |= std::uint32_t(values[at + i]) << (i % 4 * 8);
    checks->compressed = read[0];
    checks->expanded = read[1];
    return true;
}

std::uint32_t PayloadExpandedBytes()
{
    std::uint32_t total = 0, length;
    DWORD size;
    for (const PayloadEntry &entry : PayloadTable) {
        const unsigned char *bytes = LoadResourceBytes(entry.resourceId, &size);
        if (bytes != nullptr && ReadSzddExpandedLength(bytes, size, &length))
            total += length;
    }
    return total;
}

// The resource must be the very SZDD file the build made: its header then
// says how long the expanded file must come out.
static Failure LoadPayload(std::uint32_t resourceId, const PayloadChecks &checks, Extraction *payload)
{
    payload->bytes = LoadResourceBytes(resourceId, &payload->size);
    if (payload->bytes == nullptr)
        return FailureResource;
    if (ContinueCheckValue(0, payload->bytes, payload->size) != checks.compressed ||
        !ReadSzddExpandedLength(payload->bytes, payload->size, &payload->expandedLength))
        return FailureDamaged;
    return FailureNone;
}

static Failure WriteCompressedFile(const Extraction &payload)
{
    HANDLE file = CreateFileA(CompressedFileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FailureCreateFile;
    DWORD written = 0;
    bool whole = WriteFile(file, payload.bytes, payload.size, &written, nullptr) == 1 && written == payload.size;
    CloseHandle(file);
    return whole ? FailureNone : FailureWriteFile;
}

// Both files are opened by plain name in the current folder: LZOpenFileA
// and OpenFile keep the full path in a 128-character record, so they fail in
// a deep destination folder, look for the compressed file beside the set-up
// program before the current folder, and fall back to the compressed name
// ("Brightlark.ex_") for a target they cannot create.
static Failure ExpandCompressedFile()
{
    HFILE compressed = _lopen(CompressedFileName, OF_READ);
    INT source = compressed == HFILE_ERROR ? -1 : lzInit(compressed);
    if (source < 0) {
        // LZInit leaves a file it refused open; close it so it can go.
        if (compressed != HFILE_ERROR)
            _lclose(compressed);
        return FailureWriteFile;
    }
    HFILE expanded = _lcreat(ExpandedFileName, 0);
    if (expanded == HFILE_ERROR) {
        lzClose(source);
        return FailureCreateFile;
    }
    LONG copied = lzCopy(source, expanded);
    lzClose(source);
    lzClose(expanded);
    return copied < 0 ? FailureWriteFile : FailureNone;
}

// The expanded file as it lies on the disk must be the product's file, of
// the length and check value the build gave it.
static Failure CheckExpandedFile(const Extraction &payload, const PayloadChecks &checks)
{
    static unsigned char piece[65536];
    HANDLE file = CreateFileA(ExpandedFileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FailureWriteFile;
    std::uint32_t value = 0, length = 0;
    DWORD count = 0;
    BOOL read;
    while ((read = ReadFile(file, piece, sizeof piece, &count, nullptr)) != 0 && count != 0) {
        value = ContinueCheckValue(value, piece, count);
        length += count;
    }
    CloseHandle(file);
    if (!read)
        return FailureWriteFile;
    return length == payload.expandedLength && value == checks.expanded ? FailureNone : FailureDamaged;
}

Failure ExtractPayloadFile(std::uint32_t resourceId, const PayloadChecks &checks)
{
    Extraction payload = {};
    Failure failure = LoadPayload(resourceId, checks, &payload);
    if (failure == FailureNone && !LoadLz())
        failure = FailureWriteFile;
    if (failure == FailureNone)
        failure = WriteCompressedFile(payload);
    if (failure == FailureNone)
        failure = ExpandCompressedFile();
    DeleteFileA(CompressedFileName);
    if (failure == FailureNone)
        failure = CheckExpandedFile(payload, checks);
    return failure;
}
