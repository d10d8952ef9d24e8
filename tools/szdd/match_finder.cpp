// Longest-match search for the optimal parse.
//
// The positions of a stretch of history (the window before a block of input,
// then the block) are sorted by the kMaxMatch bytes that follow each. Among
// the positions currently in the window, the longest common prefix with the
// current position is found at its nearest neighbour in that order, below or
// above, and a sliding set of ranks gives both neighbours in a few word
// operations. So the search is exact and O(n log n) whatever the data, where
// hash chains can crawl on repetitive input.

#include "szdd_compress.h"

#include <algorithm>
#include <bit>
#include <compare>
#include <optional>

namespace szdd {
namespace {

// Input is searched in blocks so that the sort stays in cache and positions
// fit in 32 bits; each block is ranked together with the window before it.
constexpr std::size_t kBlockSize = std::size_t{1} << 16;

// The set of ranks of the positions in the window: one bit per rank and,
// level above level, one bit per non-empty word, so that the nearest member
// below or above a rank is a few bit scans away.
class RankSet {
public:
    explicit RankSet(std::uint32_t bound) {
        std::size_t words = bound;
        do {
            words = (words + 63) / 64;
            levels_.emplace_back(words, 0);
        } while (words > 1);
    }

    void insert(std::uint32_t x) {
        for (auto& level : levels_) {
            std::uint64_t& word = level[x >> 6];
            const bool was_empty = word == 0;
            word |= bit(x);
            if (!was_empty) return;
            x >>= 6;
        }
    }

    void erase(std::uint32_t x) {
        for (auto& level : levels_) {
            std::uint64_t& word = level[x >> 6];
            word &= ~bit(x);
            if (word != 0) return;
            x >>= 6;
        }
    }

    // The largest member below x.
    std::optional<std::uint32_t> below(std::uint32_t x) const {
        for (std::size_t lv = 0; lv < levels_.size(); ++lv, x >>= 6) {
            const std::uint64_t word = levels_[lv][x >> 6] & (bit(x) - 1);
            if (word == 0) continue;
            x = (x & ~63u) | highest(word);
            while (lv-- > 0) x = (x << 6) | highest(levels_[lv][x]);
            return x;
        }
        return std::nullopt;
    }

    // The smallest member above x.
    std::optional<std::uint32_t> above(std::uint32_t x) const {
        for (std::size_t lv = 0; lv < levels_.size(); ++lv, x >>= 6) {
            const std::uint64_t word = levels_[lv][x >> 6] & ~((bit(x) << 1) - 1);
            if (word == 0) continue;
            x = (x & ~63u) | lowest(word);
            while (lv-- > 0) x = (x << 6) | lowest(levels_[lv][x]);
            return x;
        }
        return std::nullopt;
    }

private:
    static std::uint64_t bit(std::uint32_t x) { return std::uint64_t{1} << (x & 63); }
    static std::uint32_t highest(std::uint64_t w) { return 63 - std::countl_zero(w); }
    static std::uint32_t lowest(std::uint64_t w) { return std::countr_zero(w); }

    std::vector<std::vector<std::uint64_t>> levels_;
};

// One block of input with the window before it, as the expander sees it:
// the initial spaces followed by the data. Positions here count from the
// start of that stretch; kMaxMatch bytes past its end are kept (zeros past
// the data's end) so that every position has a full sort key.
struct Stretch {
    std::vector<std::uint8_t> bytes;
    std::uint32_t first = 0;   // the block's first position
    std::uint32_t length = 0;  // positions, window and block
};

Stretch stretch_for(std::span<const std::uint8_t> data, std::size_t begin, std::size_t end) {
    // Counted as the expander fills its window: kInitialSpaces spaces, then
    // the data. The stretch reaches back as far as a reference can.
    const std::size_t from = kInitialSpaces + begin - std::min(kInitialSpaces + begin, kMaxDistance);
    const std::size_t to = kInitialSpaces + end;
    Stretch s;
    s.first = static_cast<std::uint32_t>(kInitialSpaces + begin - from);
    s.length = static_cast<std::uint32_t>(to - from);
    s.bytes.resize(s.length + kMaxMatch, 0);
    for (std::size_t v = from; v < to + kMaxMatch; ++v) {
        std::uint8_t b = 0;
        if (v < kInitialSpaces) b = ' ';
        else if (v - kInitialSpaces < data.size()) b = data[v - kInitialSpaces];
        s.bytes[v - from] = b;
    }
    return s;
}

// Positions of the stretch in the order of their sort keys; equal keys in
// position order, so the result never depends on the sort's internals.
std::vector<std::uint32_t> sorted_positions(const Stretch& s) {
    // The kMaxMatch bytes as two big-endian words compare like the bytes.
    struct Key {
        std::uint64_t high, low;
        std::uint32_t position;
        auto operator<=>(const Key&) const = default;
    };
    static_assert(kMaxMatch == 16, "the sort key holds 16 bytes");
    auto word_at = [&](std::size_t at) {
        std::uint64_t w = 0;
        for (std::size_t k = 0; k < 8; ++k) w = (w << 8) | s.bytes[at + k];
        return w;
    };
    std::vector<Key> keys(s.length);
    for (std::uint32_t p = 0; p < s.length; ++p) keys[p] = {word_at(p), word_at(p + 8), p};
    std::sort(keys.begin(), keys.end());

    std::vector<std::uint32_t> order(s.length);
    for (std::uint32_t r = 0; r < s.length; ++r) order[r] = keys[r].position;
    return order;
}

unsigned common_prefix(const std::uint8_t* a, const std::uint8_t* b, unsigned limit) {
    unsigned n = 0;
    while (n < limit && a[n] == b[n]) ++n;
    return n;
}

void find_in_block(std::span<const std::uint8_t> data, std::size_t begin, std::size_t end,
                   std::vector<Match>& out) {
    const Stretch s = stretch_for(data, begin, end);
    const std::vector<std::uint32_t> order = sorted_positions(s);
    std::vector<std::uint32_t> rank(s.length);
    for (std::uint32_t r = 0; r < s.length; ++r) rank[order[r]] = r;

    RankSet window(s.length);
    for (std::uint32_t q = 0; q < s.first; ++q) window.insert(rank[q]);

    for (std::uint32_t p = s.first; p < s.length; ++p) {
        const std::size_t i = begin + (p - s.first);
        const unsigned limit = static_cast<unsigned>(std::min<std::size_t>(kMaxMatch, data.size() - i));
        Match best;
        // On equal lengths the nearer candidate wins, only to keep the
        // choice independent of the order the two are tried in.
        for (const auto neighbour : {window.below(rank[p]), window.above(rank[p])}) {
            if (!neighbour) continue;
            const std::uint32_t q = order[*neighbour];
            const unsigned length = common_prefix(&s.bytes[q], &s.bytes[p], limit);
            const auto distance = static_cast<std::uint16_t>(p - q);
            if (length >= kMinMatch &&
                (length > best.length || (length == best.length && distance < best.distance))) {
                best = {static_cast<std::uint8_t>(length), distance};
            }
        }
        out[i] = best;
        window.insert(rank[p]);
        if (p >= kMaxDistance) window.erase(rank[p - kMaxDistance]);
    }
}

}  // namespace

std::vector<Match> longest_matches(std::span<const std::uint8_t> data) {
    std::vector<Match> matches(data.size());
    for (std::size_t begin = 0; begin < data.size(); begin += kBlockSize) {
        find_in_block(data, begin, std::min(data.size(), begin + kBlockSize), matches);
    }
    return matches;
}

}  // namespace szdd
