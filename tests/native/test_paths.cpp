#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "destination.h"
#include "shell_path.h"
#include "text.h"

namespace {

TEST(DefaultDestination, FromProgramFilesOrTheWindowsDrive)
{
    struct Case {
        std::string programFiles;
        const char *windows;
        std::string destination;
    };
    const std::string dir244 = "C:\\" + std::string(241, 'p');
    const std::string dir245 = dir244 + "q";
    const Case cases[] = {
        {"C:\\Program Files", "C:\\WINDOWS", "C:\\Program Files\\Brightlark"},
        {"C:\\Program Files\\", "C:\\WINDOWS", "C:\\Program Files\\Brightlark"},
        {"", "D:\\WINNT", "D:\\Program Files\\Brightlark"},
        {"", "WINNT", "\\Brightlark"}, // neither: the folder name alone
        {"", "", "\\Brightlark"},
        // 244 characters leave room for "\Brightlark"; longer counts as missing.
        {dir244, "E:\\WINDOWS", dir244 + "\\Brightlark"},
        {dir244 + "\\", "E:\\WINDOWS", dir244 + "\\Brightlark"},
        {dir245, "E:\\WINDOWS", "E:\\Program Files\\Brightlark"},
        {dir245 + "\\", "E:\\WINDOWS", "E:\\Program Files\\Brightlark"},
        {std::string(300, 'p'), "E:\\WINDOWS", "E:\\Program Files\\Brightlark"},
    };
    for (const Case &c : cases) {
        auto buffer = std::make_unique<char[]>(DestinationSize);
        ComposeDefaultDestination(c.programFiles.c_str(), c.windows,
                                  *reinterpret_cast<char(*)[DestinationSize]>(buffer.get()));
        EXPECT_EQ(std::string(buffer.get()), c.destination) << c.programFiles.size();
    }
}

TEST(Destination, NeedsADrivePrefixAndAName)
{
    for (const char *good : {"C:\\x", "?:\\x", "C:\\Program Files\\Brightlark", "D:\\\\"})
        EXPECT_TRUE(IsValidDestination(good)) << good;
    for (const char *bad : {"C:\\", "C:x", "\\x", "", "C", "C:", "CC\\x", "C:/x"})
        EXPECT_FALSE(IsValidDestination(bad)) << bad;
}

TEST(SetupDrive, IsTheCharacterBeforeTheFirstColon)
{
    struct Case {
        const char *commandLine;
        char drive;
    };
    const Case cases[] = {
        {"\"R:\\setup.exe\" /autorun", 'R'},
        {"r:\\setup.exe", 'r'},              // as it stands, lower case too
        {"setup.exe /x d:\\file", 'd'},     // a colon in an argument counts
        {"setup.exe", '\0'},                // no colon: no set-up drive
        {":setup.exe", '\0'},               // nothing before the colon
        {"", '\0'},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FindSetupDrive(c.commandLine), c.drive) << c.commandLine;
}

TEST(CdPath, PutsTheDriveBeforeTheTail)
{
    char buffer[CdPathSize];
    ASSERT_TRUE(ComposeCdPath('r', "directx\\dxsetup.exe", buffer));
    EXPECT_STREQ(buffer, "r:\\directx\\dxsetup.exe");
    ASSERT_TRUE(ComposeCdPath('R', "", buffer));
    EXPECT_STREQ(buffer, "R:\\");
    EXPECT_FALSE(ComposeCdPath('\0', "mp3coder.exe", buffer));
    EXPECT_FALSE(ComposeCdPath('R', std::string(CdPathSize - 3, 'x').c_str(), buffer));
}

TEST(JoinPath, AddsOneBackslashAndRefusesWhatDoesNotFit)
{
    struct Case {
        std::string folder;
        const char *name;
        unsigned size;
        std::string joined; // empty: refused
    };
    const std::string f248(248, 'f');
    const Case cases[] = {
        {"C:\\Users\\Desktop", "Brightlark.lnk", 260, "C:\\Users\\Desktop\\Brightlark.lnk"},
        {"D:\\", "Brightlark.exe", 260, "D:\\Brightlark.exe"},
        {"", "Brightlark", 260, "\\Brightlark"},
        {f248, "Brightlark", 260, f248 + "\\Brightlark"},    // 259 characters
        {f248 + "g", "Brightlark", 260, ""},                 // 260: no room for the terminator
        {f248 + "\\", "Brightlark", 260, f248 + "\\Brightlark"},
    };
    for (const Case &c : cases) {
        auto buffer = std::make_unique<char[]>(c.size);
        EXPECT_EQ(JoinPath(c.folder.c_str(), c.name, buffer.get(), c.size), !c.joined.empty());
        EXPECT_EQ(std::string(buffer.get()), c.joined);
    }
}

TEST(CopyTextWithin, CutsAtTheBufferEnd)
{
    char caption[8];
    char *end = caption + sizeof caption;
    char *at = CopyTextWithin("Install", caption, end);
    at = CopyTextWithin("  ---  ", at, end);
    EXPECT_STREQ(caption, "Install");
    EXPECT_EQ(at, end - 1);
    EXPECT_EQ(CopyTextWithin("more", at, end), end - 1);
    char small[4];
    EXPECT_EQ(CopyTextWithin("abc", small, small + 4), small + 3);
    EXPECT_STREQ(small, "abc");
}

} // namespace
