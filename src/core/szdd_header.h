// The header of an SZDD compressed file, as the payload resources carry it.
#pragma once
#include <cstdint>

constexpr unsigned SzddHeaderSize = 14;

// True when `data` starts with a complete SZDD header of the one known
// compression mode; gives the expanded length it announces.
bool ReadSzddExpandedLength(const unsigned char *data, std::uint32_t size,
                            std::uint32_t *expandedLength);
