// Payload extraction from real resources through the system's LZ32, and its
// failures: the message for the install pass to show, nothing left over.
#include "check.h"
#include "install.h"
#include "setup_state.h"

#include <cstring>
#include <string>

// Faulty payloads that only this test program carries (faults.rc).
enum : std::uint32_t { FaultTruncated = 6000, FaultSignature = 6001, FaultMode = 6002, FaultNumericType = 6003 };

static std::string sampleDir, scratch;

static std::string InScratch(const char *name)
{
    return scratch + "\\" + name;
}

static void FreshScratch()
{
    RemoveTree(scratch);
    CreateDirectoryA(scratch.c_str(), nullptr);
}

static void TestEveryRow()
{
    FreshScratch();
    SetCurrentDirectoryA(scratch.c_str());
    for (const PayloadEntry &row : PayloadTable) {
        bool done = ExtractPayloadFile(row.resourceId, row.fileName) == nullptr, found = false;
        std::string expected = ReadFileBytes(sampleDir + "\\" + row.fileName, &found);
        std::string got = ReadFileBytes(InScratch(row.fileName));
        ok(done && found && !expected.empty() && got == expected, "%s expands to the sample file (%u of %u bytes)",
           row.fileName, unsigned(got.size()), unsigned(expected.size()));
        ok(!FileExists(InScratch("tempfile.tmp")), "no tempfile.tmp after %s", row.fileName);
    }
}

static void TestReplaces()
{
    FreshScratch();
    SetCurrentDirectoryA(scratch.c_str());
    const PayloadEntry &row = PayloadTable[2];
    WriteFileBytes(InScratch("tempfile.tmp"), std::string(3000000, 't'));
    WriteFileBytes(InScratch(row.fileName), std::string(3000000, 'o'));
    ok(ExtractPayloadFile(row.resourceId, row.fileName) == nullptr &&
           ReadFileBytes(InScratch(row.fileName)) == ReadFileBytes(sampleDir + "\\" + row.fileName),
       "an existing, longer target is replaced by the expanded file");
    ok(!FileExists(InScratch("tempfile.tmp")), "a leftover tempfile.tmp is overwritten and removed");
}

struct FailureCase {
    const char *what;
    std::uint32_t resourceId;
    const char *prepare; // "", "folder", "existing", "held" or "tempfolder"
    const char *message;
};

static const FailureCase failures[] = {
    {"resource missing", 4999, "", TextErrorResource},
    {"payload under the numeric RCDATA type", FaultNumericType, "", TextErrorResource},
    {"wrong signature", FaultSignature, "", TextErrorResource},
    {"wrong mode byte", FaultMode, "", TextErrorResource},
    {"truncated stream", FaultTruncated, "", TextErrorWriteFile},
    {"truncated stream over an earlier file", FaultTruncated, "existing", TextErrorWriteFile},
    {"target is a folder", 5002, "folder", TextErrorCreateFile},
    {"target held open", 5002, "held", TextErrorCreateFile},
    {"tempfile.tmp is a folder", 5002, "tempfolder", TextErrorCreateFile},
};

static void TestFailure(const FailureCase &c)
{
    FreshScratch();
    SetCurrentDirectoryA(scratch.c_str());
    const std::string target = InScratch("target.dll");
    const std::string old = "the earlier file";
    HANDLE held = INVALID_HANDLE_VALUE;
    if (!std::strcmp(c.prepare, "folder")) {
        CreateDirectoryA(target.c_str(), nullptr);
    } else if (!std::strcmp(c.prepare, "existing")) {
        WriteFileBytes(target, old);
    } else if (!std::strcmp(c.prepare, "held")) {
        WriteFileBytes(target, old);
        held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    } else if (!std::strcmp(c.prepare, "tempfolder")) {
        CreateDirectoryA(InScratch("tempfile.tmp").c_str(), nullptr);
    }

    const char *message = ExtractPayloadFile(c.resourceId, "target.dll");
    if (held != INVALID_HANDLE_VALUE)
        CloseHandle(held);

    ok(message == c.message, "%s: fails with \"%s\"", c.what, message ? message : "nothing");
    bool tempIsFolder = !std::strcmp(c.prepare, "tempfolder");
    ok((tempIsFolder || !FileExists(InScratch("tempfile.tmp"))) && !FileExists(InScratch("tempfile.new")),
       "%s: no temporary file left", c.what);
    ok(!FileExists(InScratch("target.dl_")), "%s: nothing written under the compressed name", c.what);
    if (!std::strcmp(c.prepare, "held") || !std::strcmp(c.prepare, "existing")) {
        ok(ReadFileBytes(target) == old, "%s: the earlier file is untouched", c.what);
    } else if (!std::strcmp(c.prepare, "")) {
        ok(!FileExists(target), "%s: no broken target left", c.what);
    }
}

int main(int argc, char **argv)
{
    setupState.instanceHandle = GetModuleHandleA(nullptr);
    if (argc == 3 && !std::strcmp(argv[1], "disk-full")) {
        // The folder is a file system too small for the expanded program.
        scratch = WinePath(argv[2]);
        TestFailure({"disk full during expansion", 5000, "", TextErrorWriteFile});
        return Summary();
    }
    if (argc != 3) {
        std::printf("usage: test_extract SAMPLE_DIR SCRATCH_DIR | disk-full SMALL_DIR (Unix paths)\n");
        return 2;
    }
    sampleDir = WinePath(argv[1]);
    scratch = WinePath(argv[2]);

    TestEveryRow();
    TestReplaces();
    for (const FailureCase &c : failures)
        TestFailure(c);
    SetCurrentDirectoryA("C:\\");
    RemoveTree(scratch);
    return Summary();
}
