// Payload extraction from real resources through the system's LZ32: what it
// leaves in the folder, and the message of each failure, which the install
// pass shows.
//   test_extract SAMPLE_DIR SCRATCH_DIR   (Unix paths)
#include "check.h"
#include "install.h"
#include "resource_ids.h"
#include "setup_state.h"

#include <cstring>

// The payload's third file, and faulty payloads that only this test carries.
enum : std::uint32_t { Good = IDR_PAYLOAD_CDREADER, Missing = 4999, Truncated = 6000, Signature = 6001 };
// What the folder holds before: an earlier target, a folder where the target
// or tempfile.tmp goes, a stray tempfile.tmp, a leftover under the set-aside
// name.
enum { Earlier = 1, TargetFolder = 2, TempFolder = 4, StrayTemp = 8, Leftover = 16 };

int main(int, char **argv)
{
    const struct {
        const char *what;
        std::uint32_t id;
        int before;
        const char *message; // null: expanded
    } cases[] = {
        {"over a longer earlier file, a stray tempfile.tmp and a leftover", Good, Earlier | StrayTemp | Leftover, nullptr},
        {"resource missing", Missing, 0, TextErrorResource},
        {"wrong signature", Signature, 0, TextErrorResource},
        {"truncated stream", Truncated, 0, TextErrorWriteFile},
        {"target is a folder", Good, TargetFolder, TextErrorCreateFile},
        {"tempfile.tmp is a folder", Good, TempFolder, TextErrorCreateFile},
    };
    setupState.instanceHandle = GetModuleHandleA(nullptr);
    const std::string sample = WinePath(argv[1]) + "\\", folder = WinePath(argv[2]), old(3000000, 'o');
    for (const auto &c : cases) {
        RemoveTree(folder);
        CreateDirectoryA(folder.c_str(), nullptr);
        SetCurrentDirectoryA(folder.c_str());
        if (c.before & Earlier)
            WriteFileBytes(folder + "\\target", old);
        if (c.before & (TargetFolder | TempFolder))
            CreateDirectoryA(c.before & TempFolder ? "tempfile.tmp" : "target", nullptr);
        if (c.before & StrayTemp)
            WriteFileBytes(folder + "\\tempfile.tmp", old);
        if (c.before & Leftover)
            WriteFileBytes(folder + "\\aside", "leftover");

        bool setAside = true;
        const char *message = ExtractPayloadFile(c.id, "target", "aside", &setAside);
        ok(message == c.message, "%s: ends with \"%s\"", c.what, message ? message : "done");
        // The earlier file is moved aside only for a new one that came out whole.
        bool replaced = c.before & Earlier && !c.message;
        ok(setAside == replaced && (!replaced || ReadFileBytes(folder + "\\aside") == old),
           "%s: the earlier file %s", c.what, replaced ? "set aside whole" : "not set aside");
        ok((c.before & TempFolder || !FileExists(folder + "\\tempfile.tmp")) && !FileExists(folder + "\\tempfile.new") &&
               !FileExists(folder + "\\targe_"),
           "%s: no temporary file left, nothing under the compressed name", c.what);
        std::string target = ReadFileBytes(folder + "\\target");
        if (!c.message)
            ok(target == ReadFileBytes(sample + PayloadTable[2].fileName), "%s: the file expanded", c.what);
        else if (!(c.before & TargetFolder))
            ok(!FileExists(folder + "\\target"), "%s: no broken file left", c.what);
    }
    SetCurrentDirectoryA("C:\\");
    RemoveTree(folder);
    return Summary();
}
