// Inflating raw deflate data, as RFC 1951 describes it: stored blocks, and
// blocks of fixed or dynamic Huffman codes decoded one bit at a time.
#include "import/Inflate.h"
#include <algorithm>
#include <cstdint>

namespace {

constexpr int kMaxBits = 15;
constexpr int kMaxSymbols = 288;

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                        33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                        1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block lists the lengths of its code length code.
constexpr uint8_t kLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// A canonical Huffman code: how many codes each length has, and the symbols in
// the order of their codes.
struct Code {
    uint16_t count[kMaxBits + 1] = {};
    uint16_t symbol[kMaxSymbols] = {};
    int used = 0;  // symbols with a code
};

// The code of |n| lengths (0: the symbol has no code). Returns how many codes of
// the longest length are left free: below 0 the lengths ask for more codes than
// there are (never usable), above 0 the code is incomplete.
int Build(Code& code, const uint8_t* lengths, int n) {
    for (int i = 0; i < n; ++i) ++code.count[lengths[i]];
    code.used = n - code.count[0];
    int left = 1;
    for (int length = 1; length <= kMaxBits; ++length) {
        left = left * 2 - code.count[length];
        if (left < 0) return left;
    }
    uint16_t offset[kMaxBits + 2] = {};
    for (int length = 1; length <= kMaxBits; ++length) offset[length + 1] = offset[length] + code.count[length];
    for (int i = 0; i < n; ++i)
        if (lengths[i]) code.symbol[offset[lengths[i]]++] = static_cast<uint16_t>(i);
    return left;
}

class Inflater {
public:
    Inflater(const unsigned char* in, size_t size, size_t limit, std::vector<char>& out)
        : _in(in), _size(size), _limit(limit), _out(out) {}

    InflateStatus Run() {
        _out.clear();
        _out.reserve(_limit);
        unsigned last = 0, type = 0;
        do {
            if (!Need(1, last) || !Need(2, type)) return Fail();
            const bool ok = type == 0 ? Stored() : type == 1 ? Fixed() : type == 2 ? Dynamic() : false;
            if (!ok) return Fail();
        } while (!last);
        if (_out.size() != _limit) {
            _tooLong = true;
            return Fail();
        }
        return InflateStatus::Ok;
    }

private:
    InflateStatus Fail() {
        _out.clear();
        return _tooLong ? InflateStatus::WrongSize : InflateStatus::Damaged;
    }

    // The next |bits| bits, the first one lowest; false when the input ends.
    bool Need(int bits, unsigned& value) {
        while (_count < bits) {
            if (_pos == _size) return false;
            _bits |= static_cast<uint32_t>(_in[_pos++]) << _count;
            _count += 8;
        }
        value = _bits & ((1u << bits) - 1);
        _bits >>= bits;
        _count -= bits;
        return true;
    }

    // A symbol of |code|, or -1 for bits that are no code of it (or no input).
    int Decode(const Code& code) {
        int bitsSoFar = 0, first = 0, index = 0;
        for (int length = 1; length <= kMaxBits; ++length) {
            unsigned bit = 0;
            if (!Need(1, bit)) return -1;
            bitsSoFar |= static_cast<int>(bit);
            const int count = code.count[length];
            if (bitsSoFar - first < count) return code.symbol[index + bitsSoFar - first];
            index += count;
            first = (first + count) << 1;
            bitsSoFar <<= 1;
        }
        return -1;
    }

    bool Room(size_t bytes) {
        if (_limit - _out.size() >= bytes) return true;
        _tooLong = true;
        return false;
    }

    bool Stored() {
        _bits = 0;  // the rest of the byte
        _count = 0;
        if (_size - _pos < 4) return false;
        const unsigned length = _in[_pos] | _in[_pos + 1] << 8, check = _in[_pos + 2] | _in[_pos + 3] << 8;
        _pos += 4;
        if (length != (~check & 0xFFFFu) || _size - _pos < length || !Room(length)) return false;
        _out.insert(_out.end(), _in + _pos, _in + _pos + length);
        _pos += length;
        return true;
    }

    bool Codes(const Code& literals, const Code& distances) {
        for (;;) {
            int symbol = Decode(literals);
            if (symbol < 0) return false;
            if (symbol < 256) {
                if (!Room(1)) return false;
                _out.push_back(static_cast<char>(symbol));
                continue;
            }
            if (symbol == 256) return true;
            symbol -= 257;
            unsigned extra = 0;
            if (symbol >= 29 || !Need(kLengthExtra[symbol], extra)) return false;
            const size_t length = kLengthBase[symbol] + extra;
            const int d = Decode(distances);
            if (d < 0 || d >= 30 || !Need(kDistanceExtra[d], extra)) return false;
            const size_t distance = kDistanceBase[d] + extra;
            if (distance > _out.size() || !Room(length)) return false;
            const size_t from = _out.size() - distance;
            for (size_t i = 0; i < length; ++i) _out.push_back(_out[from + i]);
        }
    }

    bool Fixed() {
        static const struct FixedCodes {
            Code literals, distances;
            FixedCodes() {
                uint8_t lengths[kMaxSymbols];
                std::fill(lengths, lengths + 144, 8);
                std::fill(lengths + 144, lengths + 256, 9);
                std::fill(lengths + 256, lengths + 280, 7);
                std::fill(lengths + 280, lengths + 288, 8);
                Build(literals, lengths, 288);
                std::fill(lengths, lengths + 30, 5);
                Build(distances, lengths, 30);
            }
        } fixed;
        return Codes(fixed.literals, fixed.distances);
    }

    bool Dynamic() {
        unsigned literalCount = 0, distanceCount = 0, lengthCount = 0;
        if (!Need(5, literalCount) || !Need(5, distanceCount) || !Need(4, lengthCount)) return false;
        literalCount += 257;
        distanceCount += 1;
        lengthCount += 4;
        if (literalCount > 286 || distanceCount > 30) return false;
        uint8_t lengths[286 + 30] = {};
        for (unsigned i = 0; i < lengthCount; ++i) {
            unsigned length = 0;
            if (!Need(3, length)) return false;
            lengths[kLengthOrder[i]] = static_cast<uint8_t>(length);
        }
        Code lengthCode;
        if (Build(lengthCode, lengths, 19) != 0) return false;  // must be complete
        std::fill(lengths, lengths + 19, 0);
        const unsigned total = literalCount + distanceCount;
        for (unsigned index = 0; index < total;) {
            const int symbol = Decode(lengthCode);
            if (symbol < 0) return false;
            if (symbol < 16) {
                lengths[index++] = static_cast<uint8_t>(symbol);
                continue;
            }
            uint8_t repeated = 0;
            unsigned times = 0;
            if (symbol == 16) {
                if (index == 0 || !Need(2, times)) return false;
                repeated = lengths[index - 1];
                times += 3;
            } else if (symbol == 17) {
                if (!Need(3, times)) return false;
                times += 3;
            } else {
                if (!Need(7, times)) return false;
                times += 11;
            }
            if (index + times > total) return false;
            while (times--) lengths[index++] = repeated;
        }
        if (lengths[256] == 0) return false;  // a block must be able to end
        // An incomplete code is only usable with a single symbol (or, for the
        // distances, none at all: a block of literals).
        Code literals, distances;
        int left = Build(literals, lengths, static_cast<int>(literalCount));
        if (left < 0 || (left > 0 && literals.used != 1)) return false;
        left = Build(distances, lengths + literalCount, static_cast<int>(distanceCount));
        if (left < 0 || (left > 0 && distances.used > 1)) return false;
        return Codes(literals, distances);
    }

    const unsigned char* _in;
    size_t _size, _pos = 0, _limit;
    uint32_t _bits = 0;
    int _count = 0;
    bool _tooLong = false;
    std::vector<char>& _out;
};

}  // namespace

InflateStatus Inflate(const unsigned char* packed, size_t packedSize, size_t size, std::vector<char>& out) {
    return Inflater(packed, packedSize, size, out).Run();
}
