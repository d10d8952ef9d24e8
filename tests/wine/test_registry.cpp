// The registry operations and install records against Wine's real registry.
#include "check.h"
#include "install.h"
#include "setup_state.h"

#include <cstring>
#include <string>

static const char ProductKey[] = "Software\\Brightlark";
static const char UninstallParent[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
static const char UninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brightlark";

static void WriteRaw(const char *name, DWORD type, const std::string &bytes)
{
    WriteRegistryValue(HKEY_CURRENT_USER, ProductKey, name, type, bytes);
}

static void TestWrites()
{
    DWORD type = 0;
    std::string bytes;
    // A text is written with its terminator, whatever size is passed.
    ok(SetProductValue(ValueProgramDirectory, "C:\\x", 256, REG_SZ), "set ProgramDirectory");
    ok(ReadRegistryValue(HKEY_CURRENT_USER, ProductKey, "ProgramDirectory", &type, &bytes) && type == REG_SZ &&
           bytes == std::string("C:\\x", 5),
       "ProgramDirectory stored as REG_SZ of 5 bytes (type %lu, %u bytes)", type, unsigned(bytes.size()));

    std::uint32_t version = InstallerVersion;
    ok(SetProductValue(ValueProgramVersion, &version, 4, REG_BINARY), "set ProgramVersion");
    ok(ReadRegistryValue(HKEY_CURRENT_USER, ProductKey, "ProgramVersion", &type, &bytes) && type == REG_BINARY &&
           bytes == std::string("\x84\x03\x00\x00", 4),
       "ProgramVersion stored as REG_BINARY 84 03 00 00");

    ok(SetProductValue("\\", "default", 0, REG_SZ) &&
           ReadRegistryValue(HKEY_CURRENT_USER, ProductKey, "", &type, &bytes) && bytes == std::string("default", 8),
       "a single backslash names the key's default value");
    ok(SetProductValue("\\Sub\\Name", "n", 0, REG_SZ) &&
           ReadRegistryValue(HKEY_CURRENT_USER, "Software\\Brightlark\\Sub", "Name", &type, &bytes),
       "a set creates the missing subkey");
    ok(!SetProductValue(("\\" + std::string(236, 'v')).c_str(), "x", 0, REG_SZ),
       "a value path past 255 characters is refused");
}

static void TestReads()
{
    std::uint32_t version = 0, count = 0;
    ok(GetProductValue(ValueProgramVersion, &version, 4, &count) && version == 900 && count == 4,
       "ProgramVersion reads back as 900 (%u, %u bytes)", version, count);
    ok(GetProductValue(ValueProgramDirectory, nullptr, 0, &count) && count == 5,
       "a read of size 0 gives the value's size (%u)", count);

    // Values of the wrong size or without a terminator: see test_startup.
    WriteRaw("ProgramDirectory", REG_SZ, std::string(300, 'd') + '\0');
    char buffer[DestinationSize];
    ok(!GetProductText(ValueProgramDirectory, buffer, DestinationSize), "an over-long text is refused");

    ok(!GetProductValue("\\Missing", &version, 4, &count), "a missing value is a failure");
    ok(!GetProductValue("\\NoSuchKey\\Value", &version, 4, &count), "a missing key is a failure");
    char folder[DestinationSize];
    ok(GetRootText(PathProgramFilesDir, folder, sizeof folder, HKEY_LOCAL_MACHINE) && folder[1] == ':',
       "ProgramFilesDir reads from the machine's key (%s)", folder);
}

static void TestDelete()
{
    WriteRaw("MonitorDevice", REG_SZ, std::string("x", 2));
    ok(DeleteProductValue(ValueMonitorDevice), "an existing value is deleted");
    ok(!DeleteProductValue(ValueMonitorDevice), "deleting a missing value is a failure");
    HKEY key;
    bool keyStays = RegOpenKeyExA(HKEY_CURRENT_USER, ProductKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (keyStays)
        RegCloseKey(key);
    ok(keyStays, "the key stays after a delete");
    DeleteRegistryTree(HKEY_CURRENT_USER, ProductKey);
    ok(!DeleteProductValue(ValueMonitorDevice), "deleting from a missing key is a failure");
}

static void TestUninstallEntry()
{
    struct Case {
        const char *destination;
        const char *command;
    };
    const Case cases[] = {
        {"C:\\Program Files\\Brightlark", "\"C:\\Program Files\\Brightlark\\Brightlark.exe\" /uninstall"},
        {"D:\\Apps\\", "\"D:\\Apps\\Brightlark.exe\" /uninstall"},
    };
    for (const Case &c : cases) {
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, UninstallKey);
        CopyText(c.destination, setupState.destinationFolder);
        ok(RegisterUninstall(), "entry for %s written", c.destination);
        DWORD type = 0;
        std::string bytes;
        ok(ReadRegistryValue(HKEY_LOCAL_MACHINE, UninstallKey, "DisplayName", &type, &bytes) && type == REG_SZ &&
               bytes == std::string("Brightlark VERSION 9", 21),
           "DisplayName for %s", c.destination);
        ok(ReadRegistryValue(HKEY_LOCAL_MACHINE, UninstallKey, "UninstallString", &type, &bytes) && type == REG_SZ &&
               bytes == std::string(c.command, std::strlen(c.command) + 1),
           "UninstallString for %s is %s", c.destination, bytes.c_str());
    }
    // Wine keeps no permissions, but refuses a lasting key under a volatile
    // one. The parent holds nothing else in the test prefix.
    for (DWORD option : {REG_OPTION_VOLATILE, REG_OPTION_NON_VOLATILE}) {
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, UninstallParent);
        HKEY key;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, UninstallParent, 0, nullptr, option, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) == ERROR_SUCCESS)
            RegCloseKey(key);
        if (option == REG_OPTION_VOLATILE)
            ok(!RegisterUninstall(), "an entry that cannot be written is reported");
    }
}

int main()
{
    DeleteRegistryTree(HKEY_CURRENT_USER, ProductKey);
    TestWrites();
    TestReads();
    TestDelete();
    TestUninstallEntry();
    DeleteRegistryTree(HKEY_CURRENT_USER, ProductKey);
    return Summary();
}
