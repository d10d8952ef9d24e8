#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "registry_path.h"

namespace {

struct SplitCase {
    const char *prefix;
    std::string path;
    bool splits;
    std::string key;
    std::string value;
};

const std::string k254(254, 'k'), v235(235, 'v');

const SplitCase splitCases[] = {
    {ProductKeyPath, ValueProgramDirectory, true, "Software\\Brightlark", "ProgramDirectory"},
    {ProductKeyPath, "\\Sub\\Name", true, "Software\\Brightlark\\Sub", "Name"},
    {ProductKeyPath, "\\", true, "Software\\Brightlark", ""}, // the key's default value
    {nullptr, PathProgramFilesDir, true, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
     "ProgramFilesDir"},
    {nullptr, "SOFTWARE\\Key\\", true, "SOFTWARE\\Key", ""},
    {nullptr, "\\", true, "", ""},
    {nullptr, "NoBackslash", false, "", ""},
    {nullptr, "", false, "", ""},
    // The composed text may have 255 characters, not 256.
    {nullptr, k254 + "\\", true, k254, ""},
    {nullptr, k254 + "k\\", false, "", ""},
    {ProductKeyPath, "\\" + v235, true, "Software\\Brightlark", v235},
    {ProductKeyPath, "\\" + v235 + "v", false, "", ""},
};

class SplitValuePathTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitValuePathTest, SplitsAtTheLastBackslash)
{
    const SplitCase &c = GetParam();
    // Exactly the product's buffer size, so ASan sees any write past it.
    auto buffer = std::make_unique<char[]>(RegistryPathSize);
    const char *value = SplitValuePath(
        c.prefix, c.path.c_str(), *reinterpret_cast<char(*)[RegistryPathSize]>(buffer.get()));
    ASSERT_EQ(value != nullptr, c.splits);
    if (c.splits) {
        EXPECT_EQ(std::string(buffer.get()), c.key);
        EXPECT_EQ(std::string(value), c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitValuePathTest, testing::ValuesIn(splitCases));

TEST(UninstallEntry, DisplayNameIsFixed)
{
    char name[DisplayNameSize];
    ComposeDisplayName(name);
    EXPECT_STREQ(name, "Brightlark VERSION 9");
}

TEST(UninstallEntry, CommandQuotesTheProgramPath)
{
    struct Case {
        std::string destination;
        std::string command; // empty: refused
    };
    const std::string longest(255, 'd');
    const Case cases[] = {
        {"C:\\Program Files\\Brightlark",
         "\"C:\\Program Files\\Brightlark\\Brightlark.exe\" /uninstall"},
        {"D:\\Apps\\", "\"D:\\Apps\\Brightlark.exe\" /uninstall"},
        {"E:\\", "\"E:\\Brightlark.exe\" /uninstall"},
        {longest, "\"" + longest + "\\Brightlark.exe\" /uninstall"},
        {std::string(256, 'd'), ""},
    };
    for (const Case &c : cases) {
        auto buffer = std::make_unique<char[]>(UninstallCommandSize);
        bool made = ComposeUninstallCommand(
            c.destination.c_str(), *reinterpret_cast<char(*)[UninstallCommandSize]>(buffer.get()));
        EXPECT_EQ(made, !c.command.empty()) << c.destination;
        EXPECT_EQ(std::string(buffer.get()), c.command);
    }
}

TEST(ReadText, EndsInsideItsBuffer)
{
    struct Case {
        const char *stored; // bytes the read placed in the buffer
        unsigned count;
        unsigned size;
        const char *text; // null: refused
    };
    const Case cases[] = {
        {"C:\\x", 5, 256, "C:\\x"},    // stored with its terminator
        {"C:\\x", 4, 256, "C:\\x"},    // stored without: terminated here
        {"abcd", 4, 4, nullptr},       // fills the buffer without one
        {"abc", 4, 4, "abc"},          // fills it with one
        {"", 0, 256, ""},
        {"", 0, 0, nullptr},
        {"abcd", 5, 4, nullptr},
    };
    for (const Case &c : cases) {
        auto buffer = std::make_unique<char[]>(c.size ? c.size : 1);
        std::memset(buffer.get(), 'z', c.size ? c.size : 1);
        std::memcpy(buffer.get(), c.stored, c.count < c.size ? c.count : c.size);
        bool ok = TerminateReadText(buffer.get(), c.count, c.size);
        EXPECT_EQ(ok, c.text != nullptr) << c.stored << " " << c.count << "/" << c.size;
        if (ok) {
            EXPECT_STREQ(buffer.get(), c.text);
        }
    }
}

} // namespace
