// The check value of the payload: the standard CRC-32 (reflected polynomial
// 0xEDB88320, as zip and PNG use). The build's compressor and the set-up
// compute it with this one code.
#pragma once
#include <cstdint>

// Continues the check value `value` (0 to start) over `size` more bytes.
std::uint32_t ContinueCheckValue(std::uint32_t value, const unsigned char *bytes, std::uint32_t size);
