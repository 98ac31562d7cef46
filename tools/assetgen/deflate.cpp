#include "deflate.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

namespace koppelo::assetgen {

namespace {

constexpr std::uint8_t kZlibMethod = 0x78;  // deflate, 32 KiB window
constexpr std::uint8_t kZlibFlags = 0xDA;   // best compression; makes the header a multiple of 31
constexpr std::uint32_t kAdlerModulus = 65521;

constexpr int kWindow = 32768;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;
constexpr int kMaxChain = 128;  // candidates tried per position: ratio against time
constexpr int kHashBits = 15;
constexpr std::size_t kTokensPerBlock = 1 << 15;

constexpr int kEndOfBlock = 256;
constexpr int kLiteralCodes = 286;
constexpr int kDistanceCodes = 30;
constexpr int kMaxCodeBits = 15;
constexpr int kMaxLengthCodeBits = 7;

constexpr std::array<int, 29> kLengthBase{3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                          31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase{1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                            33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                            1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra{0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block lists its code length code's lengths.
constexpr std::array<int, 19> kLengthCodeOrder{16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// A literal (distance 0) or a match.
struct Token {
    std::uint16_t value;
    std::uint16_t distance;
};

class BitWriter {
public:
    // value's low count bits, least significant first.
    void bits(std::uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i) {
            if (used_ == 0)
                bytes_.push_back(0);
            bytes_.back() |= static_cast<std::uint8_t>(((value >> i) & 1u) << used_);
            used_ = (used_ + 1) % 8;
        }
    }

    // A Huffman code, most significant bit first.
    void code(std::uint32_t code, int length)
    {
        for (int i = length - 1; i >= 0; --i)
            bits((code >> i) & 1u, 1);
    }

    Bytes take() { return std::move(bytes_); }

private:
    Bytes bytes_;
    int used_ = 0;
};

int lengthSymbol(int length)
{
    const auto next = std::upper_bound(kLengthBase.begin(), kLengthBase.end(), length);
    return static_cast<int>(next - kLengthBase.begin()) - 1;
}

int distanceSymbol(int distance)
{
    const auto next = std::upper_bound(kDistanceBase.begin(), kDistanceBase.end(), distance);
    return static_cast<int>(next - kDistanceBase.begin()) - 1;
}

// Greedy LZ77 over hash chains; the nearest of the longest matches wins.
std::vector<Token> matches(const Bytes& raw)
{
    const int size = static_cast<int>(raw.size());
    std::vector<int> head(1 << kHashBits, -1);
    std::vector<int> previous(raw.size(), -1);
    const auto hashAt = [&raw](int i) {
        const std::uint32_t key = raw[i] | (raw[i + 1] << 8) | (raw[i + 2] << 16);
        return static_cast<int>((key * 2654435761u) >> (32 - kHashBits));
    };
    const auto insert = [&](int i) {
        if (i + kMinMatch <= size) {
            const int hash = hashAt(i);
            previous[i] = head[hash];
            head[hash] = i;
        }
    };
    std::vector<Token> tokens;
    int i = 0;
    while (i < size) {
        int bestLength = 0;
        int bestDistance = 0;
        if (i + kMinMatch <= size) {
            const int limit = std::min(kMaxMatch, size - i);
            int candidate = head[hashAt(i)];
            for (int chain = 0; candidate >= 0 && i - candidate <= kWindow && chain < kMaxChain; ++chain) {
                int length = 0;
                while (length < limit && raw[candidate + length] == raw[i + length])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = i - candidate;
                    if (length == limit)
                        break;
                }
                candidate = previous[candidate];
            }
        }
        if (bestLength >= kMinMatch) {
            tokens.push_back({static_cast<std::uint16_t>(bestLength), static_cast<std::uint16_t>(bestDistance)});
            for (int k = 0; k < bestLength; ++k)
                insert(i + k);
            i += bestLength;
        } else {
            tokens.push_back({raw[i], 0});
            insert(i);
            ++i;
        }
    }
    return tokens;
}

// Huffman code lengths no longer than maxBits: where the tree grows too
// deep, the counts are halved (each kept above zero) and it is built again.
std::vector<int> codeLengths(std::vector<std::uint32_t> counts, int maxBits)
{
    const int symbols = static_cast<int>(counts.size());
    for (;;) {
        std::vector<int> used;
        for (int s = 0; s < symbols; ++s)
            if (counts[s] > 0)
                used.push_back(s);
        std::vector<int> lengths(symbols, 0);
        if (used.size() == 1) {
            lengths[used[0]] = 1;
            return lengths;
        }
        // Nodes: leaves first, then inner nodes; the two least counts merge,
        // the lower index first among equals.
        std::vector<std::uint64_t> weight;
        std::vector<int> parent;
        std::vector<int> open;
        for (const int s : used) {
            weight.push_back(counts[s]);
            parent.push_back(-1);
            open.push_back(static_cast<int>(weight.size()) - 1);
        }
        while (open.size() > 1) {
            std::ranges::sort(open, [&weight](int a, int b) {
                return weight[a] != weight[b] ? weight[a] < weight[b] : a < b;
            });
            const int a = open[0];
            const int b = open[1];
            open.erase(open.begin(), open.begin() + 2);
            weight.push_back(weight[a] + weight[b]);
            parent.push_back(-1);
            parent[a] = parent[b] = static_cast<int>(weight.size()) - 1;
            open.push_back(static_cast<int>(weight.size()) - 1);
        }
        int deepest = 0;
        for (std::size_t leaf = 0; leaf < used.size(); ++leaf) {
            int depth = 0;
            for (int node = static_cast<int>(leaf); parent[node] >= 0; node = parent[node])
                ++depth;
            lengths[used[leaf]] = depth;
            deepest = std::max(deepest, depth);
        }
        if (deepest <= maxBits)
            return lengths;
        for (std::uint32_t& count : counts)
            if (count > 0)
                count = (count + 1) / 2;
    }
}

// The canonical codes of RFC 1951, section 3.2.2.
std::vector<std::uint32_t> canonicalCodes(const std::vector<int>& lengths)
{
    std::array<std::uint32_t, kMaxCodeBits + 1> perLength{};
    for (const int length : lengths)
        if (length > 0)
            ++perLength[length];
    std::array<std::uint32_t, kMaxCodeBits + 2> next{};
    std::uint32_t code = 0;
    for (int bits = 1; bits <= kMaxCodeBits; ++bits) {
        code = (code + perLength[bits - 1]) << 1;
        next[bits] = code;
    }
    std::vector<std::uint32_t> codes(lengths.size(), 0);
    for (std::size_t s = 0; s < lengths.size(); ++s)
        if (lengths[s] > 0)
            codes[s] = next[lengths[s]]++;
    return codes;
}

// The run-length form of the code lengths: symbols 0-18 with their extra bits.
struct LengthRun {
    int symbol;
    int extra;
};

std::vector<LengthRun> lengthRuns(const std::vector<int>& lengths)
{
    std::vector<LengthRun> runs;
    std::size_t i = 0;
    while (i < lengths.size()) {
        std::size_t run = 1;
        while (i + run < lengths.size() && lengths[i + run] == lengths[i])
            ++run;
        const int length = lengths[i];
        std::size_t left = run;
        if (length == 0) {
            while (left >= 11) {
                const std::size_t take = std::min<std::size_t>(left, 138);
                runs.push_back({18, static_cast<int>(take - 11)});
                left -= take;
            }
            if (left >= 3) {
                runs.push_back({17, static_cast<int>(left - 3)});
                left = 0;
            }
        } else {
            runs.push_back({length, 0});
            --left;
            while (left >= 3) {
                const std::size_t take = std::min<std::size_t>(left, 6);
                runs.push_back({16, static_cast<int>(take - 3)});
                left -= take;
            }
        }
        for (; left > 0; --left)
            runs.push_back({length, 0});
        i += run;
    }
    return runs;
}

void writeBlock(BitWriter& out, const Token* begin, const Token* end, bool last)
{
    std::vector<std::uint32_t> literalCounts(kLiteralCodes, 0);
    std::vector<std::uint32_t> distanceCounts(kDistanceCodes, 0);
    for (const Token* t = begin; t != end; ++t) {
        if (t->distance == 0) {
            ++literalCounts[t->value];
        } else {
            ++literalCounts[257 + lengthSymbol(t->value)];
            ++distanceCounts[distanceSymbol(t->distance)];
        }
    }
    literalCounts[kEndOfBlock] = 1;
    if (std::ranges::all_of(distanceCounts, [](std::uint32_t c) { return c == 0; }))
        distanceCounts[0] = 1;  // a block without matches still describes one distance code

    std::vector<int> literalLengths = codeLengths(literalCounts, kMaxCodeBits);
    std::vector<int> distanceLengths = codeLengths(distanceCounts, kMaxCodeBits);
    int literals = kLiteralCodes;
    while (literals > 257 && literalLengths[literals - 1] == 0)
        --literals;
    int distances = kDistanceCodes;
    while (distances > 1 && distanceLengths[distances - 1] == 0)
        --distances;

    std::vector<int> both(literalLengths.begin(), literalLengths.begin() + literals);
    both.insert(both.end(), distanceLengths.begin(), distanceLengths.begin() + distances);
    const std::vector<LengthRun> runs = lengthRuns(both);
    std::vector<std::uint32_t> runCounts(19, 0);
    for (const LengthRun& run : runs)
        ++runCounts[run.symbol];
    const std::vector<int> runLengths = codeLengths(runCounts, kMaxLengthCodeBits);
    const std::vector<std::uint32_t> runCodes = canonicalCodes(runLengths);
    int listed = 19;
    while (listed > 4 && runLengths[kLengthCodeOrder[listed - 1]] == 0)
        --listed;

    out.bits(last ? 1 : 0, 1);
    out.bits(2, 2);  // dynamic Huffman codes
    out.bits(static_cast<std::uint32_t>(literals - 257), 5);
    out.bits(static_cast<std::uint32_t>(distances - 1), 5);
    out.bits(static_cast<std::uint32_t>(listed - 4), 4);
    for (int i = 0; i < listed; ++i)
        out.bits(static_cast<std::uint32_t>(runLengths[kLengthCodeOrder[i]]), 3);
    for (const LengthRun& run : runs) {
        out.code(runCodes[run.symbol], runLengths[run.symbol]);
        if (run.symbol == 16)
            out.bits(static_cast<std::uint32_t>(run.extra), 2);
        else if (run.symbol == 17)
            out.bits(static_cast<std::uint32_t>(run.extra), 3);
        else if (run.symbol == 18)
            out.bits(static_cast<std::uint32_t>(run.extra), 7);
    }

    const std::vector<std::uint32_t> literalCodes = canonicalCodes(literalLengths);
    const std::vector<std::uint32_t> distanceCodes = canonicalCodes(distanceLengths);
    for (const Token* t = begin; t != end; ++t) {
        if (t->distance == 0) {
            out.code(literalCodes[t->value], literalLengths[t->value]);
            continue;
        }
        const int length = lengthSymbol(t->value);
        out.code(literalCodes[257 + length], literalLengths[257 + length]);
        out.bits(static_cast<std::uint32_t>(t->value - kLengthBase[length]), kLengthExtra[length]);
        const int distance = distanceSymbol(t->distance);
        out.code(distanceCodes[distance], distanceLengths[distance]);
        out.bits(static_cast<std::uint32_t>(t->distance - kDistanceBase[distance]), kDistanceExtra[distance]);
    }
    out.code(literalCodes[kEndOfBlock], literalLengths[kEndOfBlock]);
}

}  // namespace

std::uint32_t adler32(const Bytes& raw)
{
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : raw) {
        a = (a + byte) % kAdlerModulus;
        b = (b + a) % kAdlerModulus;
    }
    return (b << 16) | a;
}

Bytes zlibCompress(const Bytes& raw)
{
    const std::vector<Token> tokens = matches(raw);
    BitWriter bits;
    std::size_t start = 0;
    do {
        const std::size_t end = std::min(tokens.size(), start + kTokensPerBlock);
        writeBlock(bits, tokens.data() + start, tokens.data() + end, end == tokens.size());
        start = end;
    } while (start < tokens.size());

    // Sized once, then filled: GCC 12 misreads a vector grown by two bytes
    // and then by a range as written out of bounds.
    const Bytes body = bits.take();
    const std::uint32_t check = adler32(raw);
    Bytes out(2 + body.size() + 4);
    out[0] = kZlibMethod;
    out[1] = kZlibFlags;
    std::copy(body.begin(), body.end(), out.begin() + 2);
    for (int i = 0; i < 4; ++i)
        out[out.size() - 1 - static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(check >> (8 * i));
    return out;
}

}  // namespace koppelo::assetgen
