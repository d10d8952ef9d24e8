// Payload extraction from real resources through the system's LZ32: the
// file it expands, what it leaves in the folder, and the message of each
// failure, which the install pass shows. A payload that is not what the build
// made is damage, wherever its bytes differ, and so is a file that does not
// come out as the build's.
//   test_extract SAMPLE_DIR SCRATCH_DIR   (Unix paths)
#include "check.h"
#include "install/install.h"
#include "resource_ids.h"
#include "run/setup_state.h"

// The payload's third file, and faulty copies of it that only this test
// carries: cut short, and with one byte changed in the name LZ32 never reads
// and in the middle.
enum : std::uint32_t { Good = IDR_PAYLOAD_FIRST + 2, Missing = 4999, Truncated = 6000, Last = 6002 };
// What the folder holds before: a folder where the compressed or the
// expanded file goes. OtherFile: the check value of the expanded file is
// another file's.
enum { CompressedFolder = 2, ExpandedFolder = 4, OtherFile = 8 };

int main(int, char **argv)
{
    const struct {
        const char *what;
        std::uint32_t id;
        int before;
        Failure failure;
    } cases[] = {
        {"the third file", Good, 0, FailureNone},
        {"resource missing", Missing, 0, FailureResource},
        {"expanding to another file", Good, OtherFile, FailureDamaged},
        {"the compressed file's name is a folder", Good, CompressedFolder, FailureCreateFile},
        {"the expanded file's name is a folder", Good, ExpandedFolder, FailureCreateFile},
    };
    PayloadChecks good;
    ok(FindPayloadChecks(2, &good), "the payload's check values found");
    setupState.instanceHandle = GetModuleHandleA(nullptr);
    const std::string sample = WinePath(argv[1]) + "\\", folder = WinePath(argv[2]) + "\\";
    for (const auto &c : cases) {
        RemoveTree(folder);
        CreateDirectoryA(folder.c_str(), nullptr);
        SetCurrentDirectoryA(folder.c_str());
        if (c.before & (CompressedFolder | ExpandedFolder))
            CreateDirectoryA(c.before & CompressedFolder ? CompressedFileName : ExpandedFileName, nullptr);

        PayloadChecks checks = good;
        checks.expanded ^= c.before & OtherFile;
        Failure failure = ExtractPayloadFile(c.id, checks);
        ok(failure == c.failure, "%s: ends with failure %u", c.what, unsigned(failure));
        ok(c.before & CompressedFolder || !FileExists(folder + CompressedFileName), "%s: no compressed file left", c.what);
        if (!c.failure)
            ok(ReadFileBytes(folder + ExpandedFileName) == ReadFileBytes(sample + PayloadTable[2].fileName),
               "%s: the file expanded", c.what);
    }
    for (std::uint32_t id = Truncated; id <= Last; ++id)
        ok(ExtractPayloadFile(id, good) == FailureDamaged && !FileExists(folder + CompressedFileName),
           "faulty copy %u: damage, and no compressed file left", id);
    SetCurrentDirectoryA("C:\\");
    RemoveTree(folder);
    return Summary();
}
