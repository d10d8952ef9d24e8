// The SZDD compressor against libmspack's expander (an independent decoder),
// and a walk over the stream that checks what every expander can take.

#include "szdd_compress.h"

#include <gtest/gtest.h>
#include <mspack.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;
const fs::path kWineDlls = "/usr/lib/i386-linux-gnu/wine/i386-windows";

Bytes random_bytes(std::size_t n, unsigned alphabet, unsigned seed, std::uint8_t base = 'a') {
    std::mt19937 rng(seed);
    Bytes out(n);
    for (auto& b : out) b = static_cast<std::uint8_t>(base + rng() % alphabet);
    return out;
}

Bytes repeated(const Bytes& pattern, std::size_t n) {
    Bytes out(n);
    for (std::size_t i = 0; i < n; ++i) out[i] = pattern[i % pattern.size()];
    return out;
}

Bytes operator+(Bytes a, const Bytes& b) { return a.insert(a.end(), b.begin(), b.end()), a; }

Bytes read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Expands through libmspack's file interface.
Bytes expand_with_libmspack(const Bytes& packed, const std::string& name) {
    const std::string tag = name + "." + std::to_string(getpid());
    const fs::path out = fs::path(testing::TempDir()) / tag, in = out.string() + ".sz_";
    std::ofstream(in, std::ios::binary).write(reinterpret_cast<const char*>(packed.data()), std::ssize(packed));
    msszdd_decompressor* szdd = mspack_create_szdd_decompressor(nullptr);
    const int error = szdd->decompress(szdd, in.c_str(), out.c_str());
    mspack_destroy_szdd_decompressor(szdd);
    EXPECT_EQ(error, MSPACK_ERR_OK);
    Bytes result = read_file(out);
    fs::remove(in), fs::remove(out);
    return result;
}

// Walks the stream as an expander would and checks the header and that it
// keeps to what every expander accepts.
void check_stream(const Bytes& packed, std::size_t length, char name_char) {
    const Bytes header{'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', std::uint8_t(name_char),
                       std::uint8_t(length), std::uint8_t(length >> 8),
                       std::uint8_t(length >> 16), std::uint8_t(length >> 24)};
    ASSERT_GE(packed.size(), header.size());
    ASSERT_EQ(Bytes(packed.begin(), packed.begin() + 14), header);
    std::size_t at = 14, produced = 0;
    while (produced < length) {
        ASSERT_LT(at, packed.size()) << "stream ends early";
        const unsigned flags = packed[at++];
        for (unsigned bit = 0; bit < 8; ++bit) {
            if (produced == length) {
                ASSERT_EQ(flags >> bit, 0u) << "unused flag bits set";
                break;
            }
            if (flags >> bit & 1) {
                ASSERT_LT(at, packed.size());
                ++at, ++produced;
                continue;
            }
            ASSERT_LE(at + 2, packed.size());
            const unsigned source = packed[at] | (packed[at + 1] & 0xF0) << 4;
            const unsigned size = (packed[at + 1] & 0x0F) + 3;
            const unsigned distance = (4080 + produced - source) % 4096;
            at += 2;
            ASSERT_LE(size, 16u) << "at output byte " << produced;
            ASSERT_GE(distance, 1u) << "at output byte " << produced;
            // Window places 4080-4095 hold nothing until the data fills them.
            ASSERT_LE(distance, produced + 4080) << "unwritten window place at output byte " << produced;
            ASSERT_LE(produced + size, length) << "runs past the end";
            produced += size;
        }
    }
    EXPECT_EQ(at, packed.size()) << "bytes after the last item";
}

struct Case {
    std::string name;
    Bytes data;
    fs::path file{};  // read instead of data when set
};

class RoundTrip : public testing::TestWithParam<Case> {};

TEST_P(RoundTrip, ExpandsToTheInputWithinTheStreamRules) {
    Bytes data = GetParam().data;
    if (!GetParam().file.empty()) {
        if (!fs::exists(GetParam().file)) GTEST_SKIP() << GetParam().file << " missing (package libwine:i386)";
        data = read_file(GetParam().file);
    }
    const Bytes packed = szdd::compress(data, 'e');
    check_stream(packed, data.size(), 'e');
    EXPECT_TRUE(expand_with_libmspack(packed, GetParam().name) == data);
}

const Bytes kThreeLetters = random_bytes(6000, 3, 1);
INSTANTIATE_TEST_SUITE_P(Szdd, RoundTrip, testing::Values(
    Case{"Empty", {}}, Case{"Size1", random_bytes(1, 3, 2)}, Case{"Size15", random_bytes(15, 3, 2)},
    Case{"Size16", random_bytes(16, 3, 2)}, Case{"Size17", random_bytes(17, 3, 2)},
    Case{"Size4095", random_bytes(4095, 4, 3)}, Case{"Size4096", random_bytes(4096, 4, 3)},
    Case{"Size4097", random_bytes(4097, 4, 3)},
    Case{"RunOfZeros", Bytes(100000, 0)}, Case{"RunOfSpaces", Bytes(100000, ' ')},
    Case{"ShortPattern", repeated({'B', 'r', 'i', 'g', 'h', 't'}, 50000)},
    Case{"Period4096", repeated(random_bytes(4096, 256, 4, 0), 20000)},
    Case{"LeadingSpaces", Bytes(5000, ' ') + kThreeLetters + Bytes(40, ' ')},
    Case{"Incompressible", random_bytes(100000, 256, 5, 0)},
    Case{"Lz32Dll", {}, kWineDlls / "lz32.dll"}, Case{"CryptdlgDll", {}, kWineDlls / "cryptdlg.dll"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
