// SZDD packing of the product files: the format that Windows' EXPAND and
// LZ32 (LZOpenFile/LZCopy) expand, so the set-up program needs no
// decompressor of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace szdd {

// The expander's sliding window starts filled with spaces and writes from
// position 4080 on.
inline constexpr std::size_t kWindowSize = 4096;
inline constexpr std::size_t kInitialSpaces = 4080;
// Lengths 17 and 18 can be encoded, but some expanders reject them.
inline constexpr unsigned kMinMatch = 3;
inline constexpr unsigned kMaxMatch = 16;
inline constexpr std::size_t kMaxDistance = kWindowSize - 1;
inline constexpr std::size_t kHeaderSize = 14;
// The header keeps the expanded length in 32 bits.
inline constexpr std::uint64_t kMaxInputSize = 0xFFFFFFFFu;

// The longest back-reference usable at one input position; length 0 if
// there is none of at least kMinMatch bytes.
struct Match {
    std::uint8_t length = 0;
    std::uint16_t distance = 0;  // bytes back from the position, 1..4095
};

// For every position of data, the longest match (at most kMaxMatch, never
// past the end) against the bytes before it or the initial spaces still in
// the window. Exact: no longer match exists.
std::vector<Match> longest_matches(std::span<const std::uint8_t> data);

// The whole compressed file: header, then the shortest stream possible.
// name_char is the last character of the expanded file's name, which EXPAND
// puts back in place of the '_' that ends the packed file's name. Throws
// std::length_error for data of kMaxInputSize + 1 bytes or more.
std::vector<std::uint8_t> compress(std::span<const std::uint8_t> data, char name_char);

// The data back from a compressed file, or nothing when the file breaks a
// rule that some expander holds to: a match longer than 16 bytes, a window
// place read before the data reached it, flag bits past the last item, or
// bytes after it. The packer checks each stream with it before writing.
std::optional<std::vector<std::uint8_t>> expand(std::span<const std::uint8_t> packed);

}  // namespace szdd
