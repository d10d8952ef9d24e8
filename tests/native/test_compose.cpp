// The code that needs no Windows: text operations, the payload's check
// value, and every composition with a limit, at its limits. Buffers are
// exactly the product's sizes, on the heap, so that AddressSanitizer sees any
// write past them.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "core/check_value.h"
#include "core/destination.h"
#include "core/command_line.h"
#include "core/registry_path.h"
#include "core/cd_path.h"
#include "core/text_ops.h"

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

// Japanese Windows, code page 932: its lead bytes, 0x81-0x9F and 0xE0-0xFC.
// A character's second byte may be 0x5C, the backslash's code, as in
// ソ (83 5C).
struct Japanese {
    Japanese() { SetLeadByteRanges({0x81, 0x9F, 0xE0, 0xFC}); }
    ~Japanese() { SetLeadByteRanges({}); }
};
const std::string So = "\x83\x5C";

// The tail follows the program's name.
TEST(Text, TheCommandLine)
{
    EXPECT_STREQ(CommandTail("\"R:\\my setup.exe\"  /autorun"), "/autorun");
    EXPECT_STREQ(CommandTail("R:\\setup.exe\t/x"), "/x");
    EXPECT_STREQ(CommandTail("\"unclosed"), "");
}

// The options an administrator's command line gives, split into arguments as
// Windows programs split theirs; /autorun is read as before, beside them.
TEST(Text, TheOptionsOfAnUnattendedRun)
{
    const std::string x300(300, 'x');
    const std::uint32_t Named = OptionDir | OptionLog | OptionLogNamed;
    const struct {
        std::string tail;
        RunMode mode;
        std::uint32_t given;
        std::string dir, log, ignored;
        bool japanese = false;
    } cases[] = {
        // The README's line as cmd.exe passes it, and as PowerShell does,
        // which quotes each argument with a blank whole.
        {"/VERYSILENT /DIR=\"C:\\My Apps\\Brightlark\" /LOG=\"C:\\t\\setup log.txt\"", RunVerySilent, Named,
         "C:\\My Apps\\Brightlark", "C:\\t\\setup log.txt", ""},
        {"\"/VERYSILENT\" \"/DIR=C:\\My Apps\\Brightlark\" \"/LOG=C:\\t\\setup log.txt\"", RunVerySilent, Named,
         "C:\\My Apps\\Brightlark", "C:\\t\\setup log.txt", ""},
        {"/autorun /silent /dir=D:\\x /NoIcons", RunSilent, OptionDir | OptionNoIcons, "D:\\x", "", ""},
        {"/SILENTLY /DIRECTORY=D:\\x x/SILENT /LOGS", RunInteractive, 0, "", "", "/SILENTLY /DIRECTORY=D:\\x /LOGS "},
        {"/DIR= /LOG", RunInteractive, OptionDir | OptionLog, "", "", ""},
        {"/VERYSILENT /SILENT /SP- /NORESTART /SUPPRESSMSGBOXES", RunVerySilent, 0, "", "", ""},
        {"/DIR=C:\\" + x300 + " /LOG=\"unclosed", RunInteractive, Named, "", "unclosed", ""},
        // A backslash before a quote makes it a plain one; in a quoted part
        // two quotes are one.
        {"/DIR=\"C:\\x\\\" /LOG", RunInteractive, OptionDir, "C:\\x\" /LOG", "", ""},
        {"/LOG=\"C:\\a \"\"b\"\".txt\"", RunInteractive, OptionLog | OptionLogNamed, "", "C:\\a \"b\".txt", ""},
        // A double-byte character whose second byte is the backslash's code
        // comes whole before the closing quote.
        {"/DIR=\"C:\\" + So + "\"", RunInteractive, OptionDir, "C:\\" + So, "", "", true},
    };
    for (const auto &c : cases) {
        std::optional<Japanese> codePage;
        if (c.japanese)
            codePage.emplace();
        auto options = std::make_unique<SetupOptions>();
        ParseOptions(c.tail.c_str(), options.get());
        EXPECT_EQ(options->mode, c.mode) << c.tail;
        EXPECT_EQ(options->given, c.given) << c.tail;
        EXPECT_EQ(options->dir, c.dir) << c.tail;
        EXPECT_EQ(options->logName, c.log) << c.tail;
        EXPECT_EQ(options->ignored, c.ignored) << c.tail;
    }
}

// One backslash between folder and name, decided by characters: under code
// page 932 a lead byte that ends the text stands alone, and 0x5C after a
// lead byte is that character's second byte, not a backslash.
TEST(Paths, JoinAddsOneBackslashOrRefuses)
{
    const std::string f248(248, 'f');
    const struct {
        std::string folder, joined; // joined "" : refused
        bool japanese = false;
    } cases[] = {{"D:\\", "D:\\Brightlark"},
                 {"", "\\Brightlark"},
                 {f248, f248 + "\\Brightlark"}, // 259 characters
                 {f248 + "g", ""},
                 {"C:\\" + So, "C:\\" + So + "Brightlark"},
                 {"C:\\" + So, "C:\\" + So + "\\Brightlark", true},
                 {"C:\\" + So + "\\", "C:\\" + So + "\\Brightlark", true},
                 {"C:\\x\x83", "C:\\x\x83\\Brightlark", true}};
    for (const auto &c : cases) {
        std::optional<Japanese> codePage;
        if (c.japanese)
            codePage.emplace();
        Buffer<260> joined;
        EXPECT_EQ(JoinPath(c.folder.c_str(), "Brightlark", joined.bytes.get(), 260), !c.joined.empty());
        EXPECT_EQ(joined.text(), c.joined) << c.japanese;
    }
    Japanese codePage;
    Buffer<UninstallCommandSize> command;
    EXPECT_TRUE(ComposeUninstallCommand(("C:\\" + So).c_str(), command.get()));
    EXPECT_EQ(command.text(), "\"C:\\" + So + "\\Brightlark.exe\" /uninstall");
}

// A destination works when "\Brightlark.exe", the longest name the set-up
// makes in it, still fits MAX_PATH: 244 characters, or 245 ending in a
// backslash. A Program Files folder that leaves no such destination counts
// as missing, and the Windows drive's Program Files is taken.
TEST(Paths, TheDestinationAndItsDefault)
{
    const std::string p233 = "C:\\" + d241.substr(0, 230), d244 = "C:\\" + d241;
    const struct {
        std::string programFiles;
        const char *windows;
        std::string destination;
    } cases[] = {
        {"C:\\Program Files\\", "C:\\WINDOWS", "C:\\Program Files\\Brightlark"},
        {"", "D:\\WINNT", "D:\\Program Files\\Brightlark"},
        {"", "WINNT", "\\Brightlark"},
        {p233, "E:\\WINDOWS", p233 + "\\Brightlark"},
        {p233 + "\\", "E:\\WINDOWS", p233 + "\\Brightlark"},
        {p233 + "q", "E:\\WINDOWS", "E:\\Program Files\\Brightlark"},
    };
    for (const auto &c : cases) {
        Buffer<DestinationSize> destination;
        ComposeDefaultDestination(c.programFiles.c_str(), c.windows, destination.get());
        EXPECT_EQ(destination.text(), c.destination) << c.programFiles.size();
    }
    const struct {
        std::string folder;
        bool japanese, valid;
    } folders[] = {
        {"C:\\x", false, true},       {"?:\\x", false, true},      {"C:\\", false, false},
        {"C:x", false, false},        {"\\x", false, false},       {"", false, false},
        {d244, false, true},          {d244 + "e", false, false}, {d244 + "\\", false, true},
        {d244.substr(0, 243) + So, false, true}, // ends in 0x5C: a backslash here
        {d244.substr(0, 243) + So, true, false}, // but a character here, and needs one
        {"C:\\x\x83", true, false},                // ends inside a character
    };
    for (const auto &c : folders) {
        std::optional<Japanese> codePage;
        if (c.japanese)
            codePage.emplace();
        EXPECT_EQ(IsValidDestination(c.folder.c_str()), c.valid) << c.folder.size() << c.japanese;
    }
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

// The standard CRC-32's known values, each continued over a second piece.
TEST(CheckValue, KnownValuesInOneOrTwoPieces)
{
    const struct {
        const char *first, *second;
        std::uint32_t value;
    } cases[] = {{"", "", 0}, {"a", "", 0xE8B7BE43}, {"123456789", "", 0xCBF43926}, {"1234", "56789", 0xCBF43926}};
    for (const auto &c : cases) {
        const auto piece = [](const char *text) { return reinterpret_cast<const unsigned char *>(text); };
        const std::uint32_t first = ContinueCheckValue(0, piece(c.first), std::strlen(c.first));
        EXPECT_EQ(ContinueCheckValue(first, piece(c.second), std::strlen(c.second)), c.value) << c.first << c.second;
    }
}

} // namespace
