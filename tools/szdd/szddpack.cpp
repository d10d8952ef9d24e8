// szddpack: packs one product file into SZDD form at build time.
//
//   szddpack [-n TARGETNAME] INPUT OUTPUT [CHECKS]

#include "core/check_value.h"
#include "szdd_compress.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr char kUsage[] =
    "Usage: szddpack [-n TARGETNAME] INPUT OUTPUT [CHECKS]\n"
    "Packs INPUT into SZDD form, as Windows' EXPAND and LZ32 expand it, and\n"
    "writes it to OUTPUT. CHECKS, when named, gets the check values: the\n"
    "CRC-32 of OUTPUT's bytes, then that of INPUT's, 4 bytes each, little-endian.\n"
    "\n"
    "  -n TARGETNAME  the file's name once expanded; its last character goes\n"
    "                 into the header (default: INPUT's file name)\n"
    "  -h, --help     show this help and exit\n";

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(const std::string& what, const std::string& path, int error) {
    throw Failure(what + " '" + path + "': " + std::strerror(error));
}

[[noreturn]] void too_large(const std::string& path) {
    throw Failure("cannot pack '" + path + "': 4 GiB or more, past the 32-bit length SZDD keeps");
}

std::vector<std::uint8_t> read_input(const std::string& path) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) fail("cannot open", path, errno);

    // Refuse an oversized file before reading it in; the loop below covers
    // pipes and the like, whose size is not known beforehand.
    struct stat info {};
    if (fstat(fileno(file.get()), &info) == 0 && S_ISREG(info.st_mode)) {
        if (static_cast<std::uint64_t>(info.st_size) > szdd::kMaxInputSize) too_large(path);
    }

    std::vector<std::uint8_t> data;
    std::vector<std::uint8_t> chunk(1 << 16);
    std::size_t got;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), file.get())) > 0) {
        if (data.size() + got > szdd::kMaxInputSize) too_large(path);
        data.insert(data.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
    }
    if (std::ferror(file.get())) fail("cannot read", path, errno);
    return data;
}

bool write_all(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

// Written to a temporary file beside OUTPUT and renamed over it, so that a
// failed or interrupted run never leaves a truncated OUTPUT for the build to
// pick up.
void write_output(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) fail("cannot write", path, errno);

    // mkstemp makes the file private; give it a new file's usual permissions.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);

    bool ok = write_all(fd, bytes);
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        fail("cannot write", path, error);
    }
}

// The check values of the packed file and of the file it expands to. Taken
// in pieces: a packed file may pass the 32-bit count its input keeps to.
std::vector<std::uint8_t> check_values(std::span<const std::uint8_t> packed, std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> checks;
    for (std::span<const std::uint8_t> bytes : {packed, data}) {
        std::uint32_t value = 0;
        while (!bytes.empty()) {
            const std::size_t piece = std::min<std::size_t>(bytes.size(), std::size_t{1} << 30);
            value = ContinueCheckValue(value, bytes.data(), static_cast<std::uint32_t>(piece));
            bytes = bytes.subspan(piece);
        }
        for (int shift = 0; shift < 32; shift += 8) checks.push_back(static_cast<std::uint8_t>(value >> shift));
    }
    return checks;
}

int usage_error(const std::string& message) {
    std::cerr << "szddpack: " << message << "\n" << kUsage;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> files;
    std::optional<std::string> target;
    bool options_done = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (options_done || arg.size() < 2 || arg[0] != '-') {
            files.push_back(arg);
        } else if (arg == "--") {
            options_done = true;
        } else if (arg == "-h" || arg == "--help") {
            std::cout << kUsage;
            return 0;
        } else if (arg == "-n") {
            if (++i == argc) return usage_error("-n needs a name");
            target = argv[i];
        } else {
            return usage_error("unknown option '" + arg + "'");
        }
    }
    if (files.size() != 2 && files.size() != 3) return usage_error("expected INPUT, OUTPUT and perhaps CHECKS");
    const std::string& input = files[0];
    const std::string& output = files[1];

    const std::string name = target ? *target : std::filesystem::path(input).filename().string();
    if (name.empty()) return usage_error("no target name to take the last character of");

    try {
        const std::vector<std::uint8_t> data = read_input(input);
        const std::vector<std::uint8_t> packed = szdd::compress(data, name.back());
        // A product file that would not come back whole never reaches the
        // set-up program: the build stops here instead.
        if (szdd::expand(packed) != data)
            throw Failure("packing '" + input + "' went wrong: the result does not expand back to it");
        write_output(output, packed);
        if (files.size() == 3) write_output(files[2], check_values(packed, data));
    } catch (const Failure& failure) {
        std::cerr << "szddpack: " << failure.what() << "\n";
        return 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "szddpack: out of memory packing '" << input << "'\n";
        return 1;
    }
    return 0;
}
