// The code that needs no Windows: text operations, and every composition
// with a limit, at its limits. Buffers are exactly the product's sizes, on
// the heap, so that AddressSanitizer sees any write past them.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "destination.h"
#include "registry_path.h"
#include "shell_path.h"
#include "text.h"

namespace {

// A heap buffer of exactly `Size` bytes, filled with 'z'.
template <unsigned Size> struct Buffer {
    std::unique_ptr<char[]> bytes{new char[Size]};
    Buffer() { std::memset(bytes.get(), 'z', Size); }
    char (&get())[Size] { return *reinterpret_cast<char(*)[Size]>(bytes.get()); }
    std::string text() const { return bytes.get(); }
};

const std::string d241(241, 'd');

TEST(Text, FindsAutorunInAnyCaseOfTheAsciiLetters)
{
    const struct {
        const char *text, *find;
        bool found;
    } cases[] = {
        {"/AUTORUN", "/autorun", true}, {"x/AutoRunx", "/autorun", true}, {"/auto", "/autorun", false},
        {"", "/autorun", false},        {"aababc", "abc", true},          {"abc", "", false},
        {"[", "{", false},              {"\xE9", "\xC9", false}, // neither signs nor code-page letters fold
    };
    for (const auto &c : cases)
        EXPECT_EQ(FindTextNoCase(c.text, c.find), c.found) << c.text << " / " << c.find;
}

// The tail follows the program's name; the set-up drive is the character
// before the first colon, if there is one.
TEST(Text, TheCommandLine)
{
    EXPECT_STREQ(CommandTail("\"R:\\my setup.exe\"  /autorun"), "/autorun");
    EXPECT_STREQ(CommandTail("R:\\setup.exe\t/x"), "/x");
    EXPECT_STREQ(CommandTail("\"unclosed"), "");
    EXPECT_EQ(FindSetupDrive(":setup.exe"), '\0');
    EXPECT_EQ(FindSetupDrive("setup.exe x c:\\foo"), 'c');
}

TEST(Paths, JoinAddsOneBackslashOrRefuses)
{
    const std::string f248(248, 'f');
    const struct {
        std::string folder, joined; // joined "" : refused
    } cases[] = {{"D:\\", "D:\\Brightlark"},
                 {"", "\\Brightlark"},
                 {f248, f248 + "\\Brightlark"}, // 259 characters
                 {f248 + "g", ""}};
    for (const auto &c : cases) {
        Buffer<260> joined;
        EXPECT_EQ(JoinPath(c.folder.c_str(), "Brightlark", joined.bytes.get(), 260), !c.joined.empty());
        EXPECT_EQ(joined.text(), c.joined);
    }
}

// 244 characters of Program Files leave room for "\Brightlark"; a longer
// one counts as missing, and the Windows drive's Program Files is taken.
TEST(Paths, TheDefaultDestination)
{
    const std::string p244 = "C:\\" + d241;
    const struct {
        std::string programFiles;
        const char *windows;
        std::string destination;
    } cases[] = {
        {"C:\\Program Files\\", "C:\\WINDOWS", "C:\\Program Files\\Brightlark"},
        {"", "D:\\WINNT", "D:\\Program Files\\Brightlark"},
        {"", "WINNT", "\\Brightlark"},
        {p244, "E:\\WINDOWS", p244 + "\\Brightlark"},
        {p244 + "\\", "E:\\WINDOWS", p244 + "\\Brightlark"},
        {p244 + "q", "E:\\WINDOWS", "E:\\Program Files\\Brightlark"},
    };
    for (const auto &c : cases) {
        Buffer<DestinationSize> destination;
        ComposeDefaultDestination(c.programFiles.c_str(), c.windows, destination.get());
        EXPECT_EQ(destination.text(), c.destination) << c.programFiles.size();
    }
    for (const char *good : {"C:\\x", "?:\\x"})
        EXPECT_TRUE(IsValidDestination(good)) << good;
    for (const char *bad : {"C:\\", "C:x", "\\x", "", "C"})
        EXPECT_FALSE(IsValidDestination(bad)) << bad;
}

// `count` bytes were read into a buffer of `size`: a text counts only when
// it ends inside the buffer.
TEST(Registry, ATextReadMustEndInsideItsBuffer)
{
    const struct {
        const char *stored;
        unsigned count, size;
        const char *text; // null: refused
    } cases[] = {{"C:\\x", 5, 256, "C:\\x"}, {"C:\\x", 4, 256, "C:\\x"}, {"abcd", 4, 4, nullptr},
                 {"abc", 4, 4, "abc"},       {"", 0, 0, nullptr},        {"abcd", 5, 4, nullptr}};
    for (const auto &c : cases) {
        std::unique_ptr<char[]> buffer(new char[c.size]);
        std::memcpy(buffer.get(), c.stored, c.count < c.size ? c.count : c.size);
        ASSERT_EQ(TerminateReadText(buffer.get(), c.count, c.size), c.text != nullptr) << c.stored << c.count;
        if (c.text) {
            EXPECT_STREQ(buffer.get(), c.text);
        }
    }
}

} // namespace
