// SZDD packing: the header, then an LZSS stream parsed for the fewest bits.
//
// Each item costs a fixed number of bits (a literal 8 + 1 flag bit, a
// reference 16 + 1), so the shortest stream is a shortest path over input
// positions in which only the longest match at each position matters: every
// shorter length down to kMinMatch is available from the same place.

#include "szdd_compress.h"

#include <iterator>
#include <stdexcept>

namespace szdd {
namespace {

constexpr std::uint64_t kLiteralBits = 9;
constexpr std::uint64_t kReferenceBits = 17;

// For each position, how many input bytes the best first item covers:
// 1 for a literal, otherwise a reference of that length.
std::vector<std::uint8_t> shortest_parse(std::span<const Match> matches) {
    const std::size_t n = matches.size();
    std::vector<std::uint64_t> bits(n + 1, 0);  // fewest bits from a position to the end
    std::vector<std::uint8_t> step(n, 1);
    for (std::size_t i = n; i-- > 0;) {
        bits[i] = bits[i + 1] + kLiteralBits;
        for (unsigned length = kMinMatch; length <= matches[i].length; ++length) {
            const std::uint64_t cost = bits[i + length] + kReferenceBits;
            if (cost < bits[i]) {
                bits[i] = cost;
                step[i] = static_cast<std::uint8_t>(length);
            }
        }
    }
    return step;
}

// Items go out in groups of eight behind a flag byte, a set bit for a
// literal, least significant bit first.
class StreamWriter {
public:
    explicit StreamWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void literal(std::uint8_t byte) {
        flag(true);
        out_.push_back(byte);
    }

    // The expander locates the source by its absolute place in the window;
    // the window holds the initial spaces and then the data from
    // kInitialSpaces on, wrapping every kWindowSize bytes.
    void reference(std::size_t position, unsigned distance, unsigned length) {
        flag(false);
        const std::size_t source = (kInitialSpaces + position - distance) % kWindowSize;
        out_.push_back(static_cast<std::uint8_t>(source & 0xFF));
        out_.push_back(static_cast<std::uint8_t>(((source >> 8) << 4) | (length - kMinMatch)));
    }

private:
    void flag(bool is_literal) {
        if (items_in_group_ == 8) {
            flag_at_ = out_.size();
            out_.push_back(0);
            items_in_group_ = 0;
        }
        if (is_literal) out_[flag_at_] |= static_cast<std::uint8_t>(1u << items_in_group_);
        ++items_in_group_;
    }

    std::vector<std::uint8_t>& out_;
    std::size_t flag_at_ = 0;
    unsigned items_in_group_ = 8;
};

void put_header(std::vector<std::uint8_t>& out, std::uint32_t length, char name_char) {
    const std::uint8_t start[] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A',
                                  static_cast<std::uint8_t>(name_char)};
    out.insert(out.end(), std::begin(start), std::end(start));
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(length >> shift));
}

}  // namespace

std::vector<std::uint8_t> compress(std::span<const std::uint8_t> data, char name_char) {
    if (data.size() > kMaxInputSize) throw std::length_error("SZDD input of 4 GiB or more");

    const std::vector<Match> matches = longest_matches(data);
    const std::vector<std::uint8_t> step = shortest_parse(matches);

    std::vector<std::uint8_t> out;
    out.reserve(kHeaderSize + data.size() + data.size() / 8 + 1);
    put_header(out, static_cast<std::uint32_t>(data.size()), name_char);
    StreamWriter stream(out);
    for (std::size_t i = 0; i < data.size(); i += step[i]) {
        if (step[i] == 1) stream.literal(data[i]);
        else stream.reference(i, matches[i].distance, step[i]);
    }
    return out;
}

}  // namespace szdd
