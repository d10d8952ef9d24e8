#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "text.h"

namespace {

struct FindCase {
    const char *text;
    const char *find;
    bool found;
};

// The command-line searches the set-up makes, and the folding rules.
const FindCase findCases[] = {
    {"/AUTORUN", "/autorun", true},
    {"xx/AutoRunxx", "/autorun", true},
    {"x/autorunx", "/autorun", true},
    {"/autoru", "/autorun", false},
    {"/auto", "/autorun", false},
    {"", "/autorun", false},
    {"abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", true},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz", true},
    {"[", "{", false},     // 0x5B and 0x7B differ only in bit 32 but are not letters
    {"{", "[", false},
    {"@", "`", false},
    {"\xE9", "\xC9", false}, // code-page letters are not folded
    {"\xC9", "\xC9", true},
    {"aababc", "abc", true}, // a partial match does not skip the real one
    {"aaab", "aab", true},
    {"abc", "abcd", false},  // the whole text to find must lie inside
    {"abc", "", false},      // an empty text is never found
    {"", "", false},
};

class FindTextNoCaseTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindTextNoCaseTest, Finds)
{
    const FindCase &c = GetParam();
    EXPECT_EQ(FindTextNoCase(c.text, c.find), c.found) << c.text << " / " << c.find;
}

INSTANTIATE_TEST_SUITE_P(Cases, FindTextNoCaseTest, testing::ValuesIn(findCases));

TEST(CopyText, ChainsPiecesAtTheCopiedTerminator)
{
    char buffer[32];
    std::memset(buffer, 'x', sizeof buffer);
    char *end = CopyText("C:", buffer);
    EXPECT_EQ(end, buffer + 2);
    EXPECT_EQ(*end, '\0');
    *end++ = '\\';
    end = CopyText("", end); // an empty piece writes only its terminator
    EXPECT_EQ(end, buffer + 3);
    end = CopyText("Brightlark", end);
    EXPECT_STREQ(buffer, "C:\\Brightlark");
    EXPECT_EQ(end, TextEnd(buffer));
    EXPECT_EQ(TextLength(buffer), 13u);
    EXPECT_EQ(buffer[14], 'x'); // nothing written past the terminator
    EXPECT_EQ(TextEnd(end), end);
    EXPECT_EQ(TextLength(""), 0u);
}

TEST(TextsFit, CountsTheTerminator)
{
    const std::string s255(255, 'a');
    EXPECT_TRUE(TextsFit(256, {s255.c_str()}));
    EXPECT_FALSE(TextsFit(255, {s255.c_str()}));
    // A folder of 244 characters leaves room for "\\Brightlark", one of 245 not.
    EXPECT_TRUE(TextsFit(256, {s255.c_str() + 11, "\\Brightlark"}));
    EXPECT_FALSE(TextsFit(256, {s255.c_str() + 10, "\\Brightlark"}));
    EXPECT_TRUE(TextsFit(1, {}));
    EXPECT_FALSE(TextsFit(0, {""}));
}

} // namespace
