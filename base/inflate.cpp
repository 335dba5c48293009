#include "base/inflate.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr int kMaxCodeBits = 15;

// Reads bits least significant first, as DEFLATE packs them. Past the end
// it reads zeros and remembers that it did, so that callers check once.
class BitReader {
public:
    explicit BitReader(std::string_view bytes)
        : at_(reinterpret_cast<const unsigned char*>(bytes.data())), end_(at_ + bytes.size()) {}

    std::uint32_t Bits(int count) {
        while (held_ < count) {
            std::uint32_t next = 0;
            if (at_ < end_) {
                next = *at_++;
            } else {
                overrun_ = true;
            }
            buffer_ |= next << held_;
            held_ += 8;
        }
        const std::uint32_t value = buffer_ & ((1u << count) - 1);
        buffer_ >>= count;
        held_ -= count;
        return value;
    }

    // Drops the bits left of the current byte (before a stored block).
    void ToByte() {
        buffer_ = 0;
        held_ = 0;
    }

    // The next `count` whole bytes, or nothing when fewer are left.
    const unsigned char* Bytes(std::size_t count) {
        if (static_cast<std::size_t>(end_ - at_) < count) {
            overrun_ = true;
            return nullptr;
        }
        const unsigned char* from = at_;
        at_ += count;
        return from;
    }

    bool overrun() const { return overrun_; }
    bool atEnd() const { return at_ == end_ && held_ < 8; }

private:
    const unsigned char* at_;
    const unsigned char* end_;
    std::uint32_t buffer_ = 0;
    int held_ = 0;
    bool overrun_ = false;
};

// A canonical Huffman code: how many codes each length has, and the symbols
// in code order.
struct HuffmanCode {
    std::array<std::uint16_t, kMaxCodeBits + 1> counts{};
    std::array<std::uint16_t, 288> symbols{};
};

// Builds the code from each symbol's code length. A code that gives some
// bit string two meanings is refused; one that leaves strings unused is
// taken only when it has a single code (as zlib takes a lone distance code).
bool BuildCode(const std::uint8_t* lengths, int count, HuffmanCode& code) {
    code.counts.fill(0);
    for (int i = 0; i < count; ++i) ++code.counts[lengths[i]];
    if (code.counts[0] == count) return true;  // no codes: any use of it fails
    int left = 1;
    for (int bits = 1; bits <= kMaxCodeBits; ++bits) {
        left = left * 2 - code.counts[bits];
        if (left < 0) return false;
    }
    std::array<std::uint16_t, kMaxCodeBits + 2> offsets{};
    for (int bits = 1; bits <= kMaxCodeBits; ++bits) offsets[bits + 1] = offsets[bits] + code.counts[bits];
    for (int i = 0; i < count; ++i) {
        if (lengths[i] != 0) code.symbols[offsets[lengths[i]]++] = static_cast<std::uint16_t>(i);
    }
    return left == 0 || count - code.counts[0] == 1;
}

// The next symbol, or -1 for a bit string the code does not have.
int Decode(BitReader& in, const HuffmanCode& code) {
    int first = 0, index = 0, value = 0;
    for (int bits = 1; bits <= kMaxCodeBits; ++bits) {
        value |= static_cast<int>(in.Bits(1));
        const int count = code.counts[bits];
        if (value - first < count) return code.symbols[index + value - first];
        index += count;
        first = (first + count) << 1;
        value <<= 1;
        if (in.overrun()) return -1;
    }
    return -1;
}

constexpr std::uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                           31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::uint16_t kDistanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                             33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                             1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block gives the code-length code's lengths.
constexpr std::uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

class Inflater {
public:
    Inflater(std::string_view stream, std::vector<unsigned char>& out) : in_(stream), out_(out) {}

    bool Run() {
        for (;;) {
            const std::uint32_t last = in_.Bits(1);
            const std::uint32_t type = in_.Bits(2);
            bool ok = false;
            if (type == 0) {
                ok = Stored();
            } else if (type == 1) {
                ok = Fixed();
            } else if (type == 2) {
                ok = Dynamic();
            }
            if (!ok || in_.overrun()) return false;
            if (last) return true;
        }
    }

    std::size_t written() const { return written_; }
    BitReader& reader() { return in_; }

private:
    bool Stored() {
        in_.ToByte();
        const unsigned char* head = in_.Bytes(4);
        if (!head) return false;
        const unsigned length = head[0] | head[1] << 8;
        if ((length ^ (head[2] | head[3] << 8)) != 0xFFFF) return false;
        if (length > out_.size() - written_) return false;
        const unsigned char* data = in_.Bytes(length);
        if (!data) return false;
        if (length > 0) std::memcpy(out_.data() + written_, data, length);
        written_ += length;
        return true;
    }

    bool Fixed() {
        std::uint8_t lengths[288 + 30];
        std::fill(lengths, lengths + 144, std::uint8_t{8});
        std::fill(lengths + 144, lengths + 256, std::uint8_t{9});
        std::fill(lengths + 256, lengths + 280, std::uint8_t{7});
        std::fill(lengths + 280, lengths + 288, std::uint8_t{8});
        std::fill(lengths + 288, lengths + 318, std::uint8_t{5});
        HuffmanCode literals, distances;
        // The fixed codes are built from their own lengths, which are sound.
        BuildCode(lengths, 288, literals);
        BuildCode(lengths + 288, 30, distances);
        return Codes(literals, distances);
    }

    bool Dynamic() {
        const int literalCount = static_cast<int>(in_.Bits(5)) + 257;
        const int distanceCount = static_cast<int>(in_.Bits(5)) + 1;
        const int lengthCodeCount = static_cast<int>(in_.Bits(4)) + 4;
        if (literalCount > 286 || distanceCount > 30) return false;
        std::uint8_t lengths[286 + 30] = {};
        for (int i = 0; i < lengthCodeCount; ++i) lengths[kCodeLengthOrder[i]] = static_cast<std::uint8_t>(in_.Bits(3));
        HuffmanCode lengthCode;
        if (!BuildCode(lengths, 19, lengthCode) || in_.overrun()) return false;
        std::fill(lengths, lengths + 19, std::uint8_t{0});
        for (int i = 0; i < literalCount + distanceCount;) {
            const int symbol = Decode(in_, lengthCode);
            if (symbol < 0) return false;
            if (symbol < 16) {
                lengths[i++] = static_cast<std::uint8_t>(symbol);
                continue;
            }
            std::uint8_t repeated = 0;
            int times = 0;
            if (symbol == 16) {
                if (i == 0) return false;  // nothing to repeat
                repeated = lengths[i - 1];
                times = 3 + static_cast<int>(in_.Bits(2));
            } else if (symbol == 17) {
                times = 3 + static_cast<int>(in_.Bits(3));
            } else {
                times = 11 + static_cast<int>(in_.Bits(7));
            }
            if (i + times > literalCount + distanceCount) return false;
            std::fill(lengths + i, lengths + i + times, repeated);
            i += times;
        }
        if (lengths[256] == 0) return false;  // a block must be able to end
        HuffmanCode literals, distances;
        return BuildCode(lengths, literalCount, literals) &&
               BuildCode(lengths + literalCount, distanceCount, distances) && Codes(literals, distances);
    }

    bool Codes(const HuffmanCode& literals, const HuffmanCode& distances) {
        unsigned char* const out = out_.data();
        const std::size_t size = out_.size();
        for (;;) {
            const int symbol = Decode(in_, literals);
            if (symbol < 0) return false;
            if (symbol < 256) {
                if (written_ == size) return false;
                out[written_++] = static_cast<unsigned char>(symbol);
                continue;
            }
            if (symbol == 256) return true;
            const int lengthIndex = symbol - 257;
            if (lengthIndex >= 29) return false;
            const std::size_t length = kLengthBase[lengthIndex] + in_.Bits(kLengthExtra[lengthIndex]);
            const int distanceIndex = Decode(in_, distances);
            if (distanceIndex < 0 || distanceIndex >= 30) return false;
            const std::size_t distance = kDistanceBase[distanceIndex] + in_.Bits(kDistanceExtra[distanceIndex]);
            if (in_.overrun() || distance > written_ || length > size - written_) return false;
            CopyMatch(out + written_, distance, length);
            written_ += length;
        }
    }

    // Copies `length` bytes from `distance` back. Where the two overlap, the
    // bytes repeat with the distance as their period (a run of one pixel's
    // colour): each copy then doubles the stretch already repeated.
    static void CopyMatch(unsigned char* to, std::size_t distance, std::size_t length) {
        while (length > 0) {
            const std::size_t n = std::min(length, distance);
            std::memcpy(to, to - distance, n);
            to += n;
            length -= n;
            distance += n;
        }
    }

    BitReader in_;
    std::vector<unsigned char>& out_;
    std::size_t written_ = 0;
};

}  // namespace

std::uint32_t Adler32(const unsigned char* bytes, std::size_t count) {
    std::uint32_t a = 1, b = 0;
    while (count > 0) {
        // The most bytes before b could overflow 32 bits.
        const std::size_t run = std::min<std::size_t>(count, 5552);
        for (std::size_t i = 0; i < run; ++i) {
            a += bytes[i];
            b += a;
        }
        a %= 65521;
        b %= 65521;
        bytes += run;
        count -= run;
    }
    return b << 16 | a;
}

std::optional<std::vector<unsigned char>> InflateZlib(std::string_view stream, std::size_t size) {
    if (stream.size() < 6) return std::nullopt;
    const auto cmf = static_cast<unsigned char>(stream[0]), flags = static_cast<unsigned char>(stream[1]);
    // Deflate with a window of at most 32 KiB, no preset dictionary.
    if ((cmf & 0x0F) != 8 || (cmf >> 4) > 7 || (cmf << 8 | flags) % 31 != 0 || (flags & 0x20) != 0) {
        return std::nullopt;
    }
    std::vector<unsigned char> out(size);
    Inflater inflater(stream.substr(2), out);
    if (!inflater.Run() || inflater.written() != size) return std::nullopt;
    BitReader& in = inflater.reader();
    in.ToByte();
    const unsigned char* stored = in.Bytes(4);
    if (!stored || !in.atEnd()) return std::nullopt;
    const std::uint32_t adler =
        std::uint32_t{stored[0]} << 24 | std::uint32_t{stored[1]} << 16 | std::uint32_t{stored[2]} << 8 | stored[3];
    if (adler != Adler32(out.data(), out.size())) return std::nullopt;
    return out;
}
