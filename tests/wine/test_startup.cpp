// The earlier installation as start-up finds it for registry values a
// careless or hostile writer could leave, or that name a folder no Install
// could use: each value as stored (its type in the first byte, then its
// bytes; "" for none), and whether the two count as an earlier installation
// whose folder becomes the destination.
#include "check.h"
#include "setup/sequence.h"
#include "run/setup_state.h"

#include <cstring>

static const char ProductKey[] = "Software\\Brightlark";

static std::string Value(DWORD type, const std::string &bytes) { return char(type) + bytes; }

int main()
{
    const std::string d244 = "C:\\" + std::string(241, 'd'), v900("\x84\x03\0\0", 4);
    const std::string folder = Value(REG_SZ, std::string("C:\\x", 5)), version = Value(REG_BINARY, v900);
    const struct {
        const char *what;
        std::string folder, version;
        bool found;
    } cases[] = {
        {"a folder longer than its field", Value(REG_SZ, d244 + std::string(60, 'e') + '\0'), version, false},
        {"a folder on a drive that is gone", Value(REG_SZ, std::string("Q:\\x", 5)), version, false},
        {"a folder on a drive that is now a CD-ROM drive", Value(REG_SZ, std::string("R:\\x", 5)), version, false},
        {"a version of 2 bytes", folder, Value(REG_BINARY, v900.substr(0, 2)), false},
        {"a version of 8 bytes", folder, Value(REG_BINARY, v900 + v900), false},
        {"a version stored as REG_DWORD", folder, Value(REG_DWORD, v900), true},
        {"no version", folder, "", false},
        {"no folder", "", version, false},
    };
    setupState.instanceHandle = GetModuleHandleA(nullptr);
    // The user's records, and the machine's where the user has none: read
    // with the same checks.
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        for (const auto &c : cases) {
            for (HKEY cleared : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
                RegDeleteTreeA(cleared, ProductKey);
            WriteValue(root, ProductKey, "ProgramDirectory", c.folder);
            WriteValue(root, ProductKey, "ProgramVersion", c.version);
            std::memset(setupState.destinationFolder, 'z', DestinationSize);
            DetectPreviousInstall();
            ChooseDefaultDestination();
            const std::string stored = (c.folder + '\0').c_str() + 1; // the text as stored
            ok(setupState.hasPreviousInstall == c.found &&
                   (!c.found || (setupState.previousVersion == 900 && stored == setupState.destinationFolder)),
               "%s: an earlier installation %s", c.what, c.found ? "found" : "not found");
            ok(std::memchr(setupState.destinationFolder, '\0', DestinationSize), "%s: the destination ends in its field",
               c.what);
        }
    }
    for (HKEY cleared : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
        RegDeleteTreeA(cleared, ProductKey);
    return Summary();
}
