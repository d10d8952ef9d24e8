// The packer's own check, which every product file passes before the build
// embeds it (so every build checks the packer on the files it ships): it
// takes a stream only when it expands back whole and keeps to what every
// expander takes. Streams made by hand: the header for `length` bytes,
// then `items`.
#include "szdd_compress.h"

#include <gtest/gtest.h>

TEST(Szdd, TheCheckRefusesWhatSomeExpanderWouldTakeWrongly)
{
    const struct {
        std::uint8_t length;
        std::vector<std::uint8_t> items;
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
        std::vector<std::uint8_t> packed = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', 'e', c.length, 0, 0, 0};
        packed.insert(packed.end(), c.items.begin(), c.items.end());
        EXPECT_EQ(szdd::expand(packed).has_value(), c.taken) << int(c.length);
    }
}
