#include "core/check_value.h"

// Four tables, one after the other, filled on first use: zeroed storage
// costs setup.exe no file bytes, where constant tables would cost 4 KB.
// Table k gives the value of a byte followed by k zero bytes, so that four
// bytes are taken at once: three times as fast as byte by byte.
static std::uint32_t CheckTables[4 * 256];

static void FillCheckTables()
{
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t entry = i;
        for (unsigned bit = 0; bit < 8; ++bit)
            entry = entry >> 1 ^ (entry & 1 ? 0xEDB88320 : 0);
        CheckTables[i] = entry;
    }
    // Each entry follows from the one a table before it.
    for (unsigned i = 256; i < 4 * 256; ++i)
        CheckTables[i] = CheckTables[i - 256] >> 8 ^ CheckTables[CheckTables[i - 256] & 0xFF];
}

std::uint32_t ContinueCheckValue(std::uint32_t value, const unsigned char *bytes, std::uint32_t size)
{
    // Entry 128 is the polynomial itself once the tables are filled.
    if (CheckTables[128] == 0)
        FillCheckTables();
    value = ~value;
    for (; size >= 4; size -= 4, bytes += 4) {
        value ^= std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
                 std::uint32_t(bytes[3]) << 24;
        value = CheckTables[3 * 256 + (value & 0xFF)] ^ CheckTables[2 * 256 + (value >> 8 & 0xFF)] ^
                CheckTables[256 + (value >> 16 & 0xFF)] ^ CheckTables[value >> 24];
    }
    for (; size > 0; --size)
        value = value >> 8 ^ CheckTables[(value ^ *bytes++) & 0xFF];
    return ~value;
}
