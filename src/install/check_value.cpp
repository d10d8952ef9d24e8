#include "check_value.h"

// Filled on first use: zeroed storage costs setup.exe no file bytes, where a
// constant table would cost 1 KB.
static std::uint32_t CheckTable[256];

static void FillCheckTable()
{
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t entry = i;
        for (unsigned bit = 0; bit < 8; ++bit)
            entry = entry >> 1 ^ (entry & 1 ? 0xEDB88320 : 0);
        CheckTable[i] = entry;
    }
}

std::uint32_t ContinueCheckValue(std::uint32_t value, const unsigned char *bytes, std::uint32_t size)
{
    // Entry 128 is the polynomial itself once the table is filled.
    if (CheckTable[128] == 0)
        FillCheckTable();
    value = ~value;
    for (std::uint32_t i = 0; i < size; ++i)
        value = value >> 8 ^ CheckTable[(value ^ bytes[i]) & 0xFF];
    return ~value;
}
