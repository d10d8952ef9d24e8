#include "core/szdd_header.h"

static const unsigned char SzddSignature[8] = {0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27, 0x33};
static const unsigned char SzddModeA = 0x41;

bool ReadSzddExpandedLength(const unsigned char *data, std::uint32_t size,
                            std::uint32_t *expandedLength)
{
    if (data == nullptr || size < SzddHeaderSize)
        return false;
    for (unsigned i = 0; i < sizeof SzddSignature; ++i)
        if (data[i] != SzddSignature[i])
            return false;
    if (data[8] != SzddModeA)
        return false;
    *expandedLength = std::uint32_t(data[10]) | std::uint32_t(data[11]) << 8 |
                      std::uint32_t(data[12]) << 16 | std::uint32_t(data[13]) << 24;
    return true;
}
