// The expander of the packing's own check: written from the format, not
// from the packer, and stricter than the expanders that Windows has.

#include "szdd_compress.h"

#include <algorithm>
#include <iterator>

namespace szdd {

// Lengths 17 and 18 can be encoded, but some expanders reject them.
constexpr unsigned kLongestTaken = 16;

std::optional<std::vector<std::uint8_t>> expand(std::span<const std::uint8_t> packed) {
    const std::uint8_t signature[] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A'};
    if (packed.size() < kHeaderSize || !std::equal(std::begin(signature), std::end(signature), packed.begin()))
        return std::nullopt;
    std::size_t length = 0, at = kHeaderSize;
    for (int i = 3; i >= 0; --i) length = length << 8 | packed[10 + i];
    std::vector<std::uint8_t> window(kWindowSize, ' '), out;
    auto put = [&](std::uint8_t byte) { window[(kInitialSpaces + out.size()) % kWindowSize] = byte, out.push_back(byte); };
    while (out.size() < length) {
        if (at == packed.size()) return std::nullopt;
        const unsigned flags = packed[at++];
        unsigned bit = 0;
        for (; bit < 8 && out.size() < length; ++bit) {
            if (flags >> bit & 1) {
                if (at == packed.size()) return std::nullopt;
                put(packed[at++]);
                continue;
            }
            if (packed.size() - at < 2) return std::nullopt;
            const unsigned source = packed[at] | (packed[at + 1] & 0xF0) << 4, size = (packed[at + 1] & 0x0F) + 3;
            const std::size_t distance = (kInitialSpaces + out.size() - source) % kWindowSize;
            at += 2;
            // Window places from kInitialSpaces on hold nothing until the
            // data reaches them; some expanders fill them with other bytes.
            if (size > kLongestTaken || distance == 0 || distance > kInitialSpaces + out.size() || out.size() + size > length)
                return std::nullopt;
            for (unsigned n = 0; n < size; ++n) put(window[(source + n) % kWindowSize]);
        }
        if (flags >> bit != 0) return std::nullopt;
    }
    if (at != packed.size()) return std::nullopt;
    return out;
}

}  // namespace szdd
