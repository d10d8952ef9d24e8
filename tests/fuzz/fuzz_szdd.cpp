// Every input compressed, expanded again by libmspack (an independent
// decoder) working in memory, and compared with the input.
#include <mspack.h>

#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "szdd_compress.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// libmspack reads and writes through this: "packed" is the compressed
// input, anything else the expanded output.
struct MemoryFile {
    Bytes *bytes;
    std::size_t at;
};

Bytes packed, expanded;

mspack_file *Open(mspack_system *, const char *name, int mode)
{
    bool input = std::strcmp(name, "packed") == 0;
    if (input != (mode == MSPACK_SYS_OPEN_READ))
        return nullptr;
    return reinterpret_cast<mspack_file *>(new MemoryFile{input ? &packed : &expanded, 0});
}

void Close(mspack_file *file)
{
    delete reinterpret_cast<MemoryFile *>(file);
}

int Read(mspack_file *file, void *buffer, int bytes)
{
    auto *f = reinterpret_cast<MemoryFile *>(file);
    std::size_t n = std::min<std::size_t>(bytes, f->bytes->size() - f->at);
    std::memcpy(buffer, f->bytes->data() + f->at, n);
    f->at += n;
    return int(n);
}

int Write(mspack_file *file, void *buffer, int bytes)
{
    auto *f = reinterpret_cast<MemoryFile *>(file);
    auto *p = static_cast<std::uint8_t *>(buffer);
    f->bytes->insert(f->bytes->end(), p, p + bytes);
    return bytes;
}

int Seek(mspack_file *file, off_t offset, int mode)
{
    auto *f = reinterpret_cast<MemoryFile *>(file);
    off_t base = mode == MSPACK_SYS_SEEK_START ? 0 : mode == MSPACK_SYS_SEEK_CUR ? off_t(f->at) : off_t(f->bytes->size());
    if (base + offset < 0 || std::size_t(base + offset) > f->bytes->size())
        return -1;
    f->at = std::size_t(base + offset);
    return 0;
}

off_t Tell(mspack_file *file)
{
    return off_t(reinterpret_cast<MemoryFile *>(file)->at);
}

void Message(mspack_file *, const char *, ...) {}
void *Alloc(mspack_system *, std::size_t bytes) { return std::malloc(bytes); }
void Free(void *p) { std::free(p); }
void Copy(void *from, void *to, std::size_t bytes) { std::memmove(to, from, bytes); }

mspack_system memorySystem = {Open, Close, Read, Write, Seek, Tell, Message, Alloc, Free, Copy, nullptr};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    packed = szdd::compress({data, size}, 'e');
    expanded.clear();
    msszdd_decompressor *szdd = mspack_create_szdd_decompressor(&memorySystem);
    int error = szdd->decompress(szdd, "packed", "expanded");
    mspack_destroy_szdd_decompressor(szdd);
    if (error != MSPACK_ERR_OK || expanded != Bytes(data, data + size))
        __builtin_trap();
    return 0;
}
