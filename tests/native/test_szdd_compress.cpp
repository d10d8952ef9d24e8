// The SZDD packer on inputs at the edges of its window and its match
// lengths: each comes back whole through the packer's own strict expander,
// and that expander refuses what some expander would take wrongly. (Every
// end-to-end installation checks the packer against Windows' LZ32.)
#include "szdd_compress.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Random(std::size_t size, unsigned alphabet, unsigned seed, std::size_t period = 0)
{
    std::mt19937 rng(seed);
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = period && i >= period ? bytes[i - period] : std::uint8_t('a' + rng() % alphabet);
    return bytes;
}

TEST(Szdd, PacksEveryInputToAStreamThatExpandsBack)
{
    Bytes spaced(5000, ' '), three = Random(6000, 3, 1);
    spaced.insert(spaced.end(), three.begin(), three.end());
    std::ifstream program("/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/cryptdlg.dll", std::ios::binary);
    const Bytes inputs[] = {{},
                            Random(1, 3, 2),
                            Random(17, 3, 2),
                            Random(4095, 4, 3),
                            Random(4097, 4, 3),
                            Bytes(100000, 0),
                            Bytes(100000, ' '), // matches in the window's first spaces
                            spaced,
                            Random(80000, 256, 4, 4096), // a period of the window's size
                            Random(100000, 256, 5),
                            Bytes(std::istreambuf_iterator<char>(program), {})};
    for (const Bytes &input : inputs)
        EXPECT_TRUE(szdd::expand(szdd::compress(input, 'e')) == input) << input.size() << " bytes";
}

// Streams made by hand: the header for `length` bytes, then `items`.
TEST(Szdd, TheCheckRefusesWhatSomeExpanderWouldTakeWrongly)
{
    const struct {
        std::uint8_t length;
        Bytes items;
        bool taken;
    } cases[] = {
        {16, {0x00, 0x00, 0x0D}, true},  // 16 of the window's first spaces
        {17, {0x00, 0x00, 0x0E}, false}, // a match of 17
        {3, {0x00, 0xF5, 0xF0}, false},  // window place 4085, before the data reached it
        {1, {0x03, 'a'}, false},         // a flag bit set past the last item
        {1, {0x01, 'a', 'b'}, false},    // a byte after it
        {2, {0x01, 'a'}, false},         // the stream ends early
    };
    for (const auto &c : cases) {
        Bytes packed = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', 'e', c.length, 0, 0, 0};
        packed.insert(packed.end(), c.items.begin(), c.items.end());
        EXPECT_EQ(szdd::expand(packed).has_value(), c.taken) << int(c.length);
    }
}

} // namespace
