#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "szdd_header.h"

namespace {

std::vector<unsigned char> Header(std::uint32_t length)
{
    return {0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27, 0x33, 0x41, 'e',
            static_cast<unsigned char>(length), static_cast<unsigned char>(length >> 8),
            static_cast<unsigned char>(length >> 16), static_cast<unsigned char>(length >> 24)};
}

TEST(SzddHeader, GivesTheExpandedLengthOfAWholeHeader)
{
    std::uint32_t length = 0;
    auto h = Header(1669120);
    ASSERT_TRUE(ReadSzddExpandedLength(h.data(), h.size(), &length));
    EXPECT_EQ(length, 1669120u);
    h = Header(0xFFFFFFFFu);
    ASSERT_TRUE(ReadSzddExpandedLength(h.data(), h.size(), &length));
    EXPECT_EQ(length, 0xFFFFFFFFu);
}

TEST(SzddHeader, RefusesWhatLZ32WouldNotExpandAsAPayload)
{
    std::uint32_t length = 7;
    struct Fault {
        unsigned offset;
        unsigned char value;
    };
    for (Fault f : {Fault{0, 'X'}, Fault{7, 0x34}, Fault{8, 0x42}}) {
        auto h = Header(10);
        h[f.offset] = f.value;
        EXPECT_FALSE(ReadSzddExpandedLength(h.data(), h.size(), &length)) << f.offset;
    }
    auto h = Header(10);
    EXPECT_FALSE(ReadSzddExpandedLength(h.data(), 13, &length)); // truncated header
    EXPECT_FALSE(ReadSzddExpandedLength(nullptr, 0, &length));
    EXPECT_EQ(length, 7u);
}

} // namespace
