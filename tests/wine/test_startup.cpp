// Start-up: no system box for a missing disc, and the earlier installation
// and the default destination as start-up finds them, for registry contents
// a careless or hostile writer could leave.
#include "check.h"
#include "install.h"
#include "sequence.h"
#include "setup_state.h"

#include <cstring>
#include <string>

static const char ProductKey[] = "Software\\Brightlark";
static const char VersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

static std::string Text(const std::string &s)
{
    return s + '\0';
}

static const std::string Version900("\x84\x03\x00\x00", 4);

struct PreviousCase {
    const char *what;
    bool folderSet;
    DWORD folderType;
    std::string folder; // bytes as stored
    bool versionSet;
    DWORD versionType;
    std::string version;
    bool found; // counts as an earlier installation
};

static void TestPreviousInstall()
{
    const std::string d255 = "C:\\" + std::string(252, 'd');
    const PreviousCase cases[] = {
        {"both values", true, REG_SZ, Text("D:\\Apps\\Brightlark"), true, REG_BINARY, Version900, true},
        {"folder of 255 characters", true, REG_SZ, Text(d255), true, REG_BINARY, Version900, true},
        {"folder of 256 characters", true, REG_SZ, Text(d255 + "e"), true, REG_BINARY, Version900, false},
        {"folder of 300 characters", true, REG_SZ, Text(d255 + std::string(45, 'e')), true, REG_BINARY,
         Version900, false},
        {"folder without terminator", true, REG_SZ, "D:\\Apps", true, REG_BINARY, Version900, true},
        {"folder filling the field without terminator", true, REG_BINARY, d255 + "e", true, REG_BINARY,
         Version900, false},
        {"version of 1 byte", true, REG_SZ, Text("D:\\x"), true, REG_BINARY, "\x84", false},
        {"version of 2 bytes", true, REG_SZ, Text("D:\\x"), true, REG_BINARY, "\x84\x03", false},
        {"version of 8 bytes", true, REG_SZ, Text("D:\\x"), true, REG_BINARY, Version900 + Version900, false},
        {"version as REG_DWORD", true, REG_SZ, Text("D:\\x"), true, REG_DWORD, Version900, true},
        {"no version", true, REG_SZ, Text("D:\\x"), false, 0, "", false},
        {"no folder", false, 0, "", true, REG_BINARY, Version900, false},
    };
    for (const PreviousCase &c : cases) {
        DeleteRegistryTree(HKEY_CURRENT_USER, ProductKey);
        if (c.folderSet)
            WriteRegistryValue(HKEY_CURRENT_USER, ProductKey, "ProgramDirectory", c.folderType, c.folder);
        if (c.versionSet)
            WriteRegistryValue(HKEY_CURRENT_USER, ProductKey, "ProgramVersion", c.versionType, c.version);
        std::memset(setupState.previousFolder, 'z', sizeof setupState.previousFolder);
        std::memset(setupState.destinationFolder, 'z', sizeof setupState.destinationFolder);
        DetectPreviousInstall();
        ChooseDefaultDestination();
        bool found = setupState.hasPreviousInstall == 1;
        std::string expected = c.folder.substr(0, c.folder.find('\0'));
        ok(found == c.found && (!found || (setupState.previousVersion == 900 &&
                                           expected == setupState.previousFolder &&
                                           expected == setupState.destinationFolder)),
           "%s: earlier installation %s", c.what, found ? "found" : "not found");
        ok(std::memchr(setupState.destinationFolder, '\0', DestinationSize) != nullptr,
           "%s: the destination ends inside its field", c.what);
    }
    DeleteRegistryTree(HKEY_CURRENT_USER, ProductKey);
}

static void TestDefaultDestination()
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string fallback = std::string(windows, 2) + "\\Program Files\\Brightlark";
    const std::string d244 = "E:\\" + std::string(241, 'p');
    struct Case {
        const char *what;
        bool set;
        std::string value;
        std::string destination;
    };
    const Case cases[] = {
        {"Program Files", true, Text("E:\\Program Files"), "E:\\Program Files\\Brightlark"},
        {"Program Files with a backslash", true, Text("E:\\Program Files\\"), "E:\\Program Files\\Brightlark"},
        {"244 characters", true, Text(d244), d244 + "\\Brightlark"},
        {"244 characters and a backslash", true, Text(d244 + "\\"), d244 + "\\Brightlark"},
        {"245 characters", true, Text(d244 + "q"), fallback},
        {"245 characters and a backslash", true, Text(d244 + "q\\"), fallback},
        {"300 characters", true, Text(d244 + std::string(56, 'q')), fallback},
        {"no ProgramFilesDir", false, "", fallback},
    };
    char saved[1024];
    DWORD savedSize = sizeof saved, savedType = 0;
    HKEY key;
    bool hadValue = RegOpenKeyExA(HKEY_LOCAL_MACHINE, VersionKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS &&
                    RegQueryValueExA(key, "ProgramFilesDir", nullptr, &savedType,
                                     reinterpret_cast<BYTE *>(saved), &savedSize) == ERROR_SUCCESS;
    RegCloseKey(key);

    DeleteRegistryTree(HKEY_CURRENT_USER, ProductKey);
    setupState.hasPreviousInstall = 0;
    for (const Case &c : cases) {
        if (c.set)
            WriteRegistryValue(HKEY_LOCAL_MACHINE, VersionKey, "ProgramFilesDir", REG_SZ, c.value);
        else
            DeleteRegistryValue(HKEY_LOCAL_MACHINE, VersionKey, "ProgramFilesDir");
        ChooseDefaultDestination();
        ok(c.destination == setupState.destinationFolder, "%s: destination %s", c.what,
           setupState.destinationFolder);
    }
    if (hadValue)
        WriteRegistryValue(HKEY_LOCAL_MACHINE, VersionKey, "ProgramFilesDir", savedType, std::string(saved, savedSize));
}

int main()
{
    QuietCriticalErrors();
    UINT mode = SetErrorMode(0);
    ok(mode == (SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX), "no system box for a missing disc (%#x)", mode);
    setupState.instanceHandle = GetModuleHandleA(nullptr);
    TestPreviousInstall();
    TestDefaultDestination();
    return Summary();
}
