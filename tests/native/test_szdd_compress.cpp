// The SZDD compressor against an expander written from the format: a window
// of 4096 bytes that starts filled with spaces and is written from place
// 4080 on. The expander also checks that the stream keeps to what every
// expander takes: matches of 3 to 16 bytes, no window place read before it
// was written, no unused flag bits set, nothing after the last item.
#include "szdd_compress.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Random(std::size_t size, unsigned alphabet, unsigned seed)
{
    std::mt19937 rng(seed);
    Bytes bytes(size);
    for (auto &b : bytes)
        b = std::uint8_t('a' + rng() % alphabet);
    return bytes;
}

Bytes Repeated(const Bytes &pattern, std::size_t size)
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = pattern[i % pattern.size()];
    return bytes;
}

Bytes operator+(Bytes a, const Bytes &b) { return a.insert(a.end(), b.begin(), b.end()), a; }

Bytes Expand(const Bytes &packed)
{
    const Bytes header = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', 'e'};
    if (packed.size() < 14 || !std::equal(header.begin(), header.end(), packed.begin()))
        return ADD_FAILURE() << "no SZDD header", Bytes();
    std::size_t length = packed[10] | packed[11] << 8 | packed[12] << 16 | std::size_t(packed[13]) << 24, at = 14;
    Bytes window(4096, ' '), out;
    auto put = [&](std::uint8_t b) { window[(4080 + out.size()) % 4096] = b, out.push_back(b); };
    while (out.size() < length && at < packed.size()) {
        unsigned flags = packed[at++], bit = 0;
        for (; bit < 8 && out.size() < length && at < packed.size(); ++bit) {
            if (flags >> bit & 1) {
                put(packed[at++]);
                continue;
            }
            unsigned source = packed[at] | (packed[at + 1] & 0xF0) << 4, size = (packed[at + 1] & 0x0F) + 3;
            std::size_t distance = (4080 + out.size() - source) % 4096;
            at += 2;
            EXPECT_TRUE(size <= 16 && distance >= 1 && distance <= out.size() + 4080 && out.size() + size <= length)
                << "match of " << size << " at distance " << distance << ", output byte " << out.size();
            for (unsigned n = 0; n < size; ++n)
                put(window[(source + n) % 4096]);
        }
        EXPECT_EQ(flags >> bit, 0u) << "unused flag bits";
    }
    EXPECT_EQ(at, packed.size()) << "the stream ends where the file does";
    return out;
}

TEST(Szdd, ExpandsToTheInput)
{
    const Bytes three = Random(6000, 3, 1);
    std::vector<Bytes> inputs = {{},
                                 Random(1, 3, 2),
                                 Random(17, 3, 2),
                                 Random(4095, 4, 3),
                                 Random(4096, 4, 3),
                                 Random(4097, 4, 3),
                                 Bytes(100000, 0),
                                 Bytes(100000, ' '), // matches in the window's first spaces
                                 Bytes(5000, ' ') + three + Bytes(40, ' '),
                                 Repeated(Random(4096, 256, 4), 20000), // a period of the window's size
                                 Random(100000, 256, 5)};
    std::ifstream program("/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/cryptdlg.dll", std::ios::binary);
    inputs.push_back(Bytes(std::istreambuf_iterator<char>(program), {}));
    for (std::size_t i = 0; i < inputs.size(); ++i)
        EXPECT_TRUE(Expand(szdd::compress(inputs[i], 'e')) == inputs[i]) << "input " << i;
}

} // namespace
