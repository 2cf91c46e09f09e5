// PNG writing: filtered scanlines, LZ77 with fixed Huffman codes, CRC and Adler checksums.
#include "art/png.h"

#include <array>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kWindow = 32768;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;
constexpr int kHashBits = 15;
constexpr int kMaxChain = 48;  // match search effort; plenty for previews

const int kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                             31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const int kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const int kDistBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                           33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                           1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const int kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                            6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Deflate packs bits from the least significant end; Huffman codes go in reversed.
class BitWriter {
   public:
    void bits(uint32_t value, int count) {
        for (int i = 0; i < count; ++i) push((value >> i) & 1);
    }
    void code(uint32_t value, int count) {
        for (int i = count - 1; i >= 0; --i) push((value >> i) & 1);
    }
    std::string finish() {
        if (used_) out_ += char(acc_);
        return out_;
    }

   private:
    void push(uint32_t bit) {
        acc_ |= bit << used_;
        if (++used_ == 8) {
            out_ += char(acc_);
            acc_ = 0;
            used_ = 0;
        }
    }
    std::string out_;
    uint32_t acc_ = 0;
    int used_ = 0;
};

void writeLiteral(BitWriter& w, int sym) {
    if (sym < 144)
        w.code(0x30 + sym, 8);
    else if (sym < 256)
        w.code(0x190 + sym - 144, 9);
    else if (sym < 280)
        w.code(sym - 256, 7);
    else
        w.code(0xC0 + sym - 280, 8);
}

void writeMatch(BitWriter& w, int length, int distance) {
    int li = 28;
    while (kLengthBase[li] > length) --li;
    writeLiteral(w, 257 + li);
    w.bits(length - kLengthBase[li], kLengthExtra[li]);
    int di = 29;
    while (kDistBase[di] > distance) --di;
    w.code(di, 5);
    w.bits(distance - kDistBase[di], kDistExtra[di]);
}

uint32_t hash3(const std::string& s, size_t i) {
    uint32_t v = uint8_t(s[i]) | (uint8_t(s[i + 1]) << 8) | (uint8_t(s[i + 2]) << 16);
    return (v * 2654435761u) >> (32 - kHashBits);
}

std::string deflateFixed(const std::string& in) {
    BitWriter w;
    w.bits(1, 1);  // last block
    w.bits(1, 2);  // fixed Huffman codes
    std::vector<int> head(1 << kHashBits, -1), prev(kWindow, -1);
    const size_t n = in.size();
    auto insert = [&](size_t i) {
        if (i + kMinMatch > n) return;
        const uint32_t h = hash3(in, i);
        prev[i % kWindow] = head[h];
        head[h] = int(i);
    };
    size_t i = 0;
    while (i < n) {
        int bestLen = 0, bestDist = 0;
        if (i + kMinMatch <= n) {
            int cand = head[hash3(in, i)];
            const size_t limit = std::min<size_t>(kMaxMatch, n - i);
            for (int chain = 0; cand >= 0 && chain < kMaxChain; ++chain) {
                const int dist = int(i) - cand;
                if (dist > kWindow - 1) break;
                size_t len = 0;
                while (len < limit && in[cand + len] == in[i + len]) ++len;
                if (int(len) > bestLen) {
                    bestLen = int(len);
                    bestDist = dist;
                    if (len == limit) break;
                }
                cand = prev[cand % kWindow];
            }
        }
        if (bestLen >= kMinMatch) {
            writeMatch(w, bestLen, bestDist);
            for (int k = 0; k < bestLen; ++k) insert(i + k);
            i += bestLen;
        } else {
            writeLiteral(w, uint8_t(in[i]));
            insert(i);
            ++i;
        }
    }
    writeLiteral(w, 256);
    return w.finish();
}

void put32be(std::string& out, uint32_t v) {
    for (int i = 3; i >= 0; --i) out += char((v >> (8 * i)) & 0xff);
}

void putChunk(std::string& out, const char* type, const std::string& data) {
    put32be(out, uint32_t(data.size()));
    const std::string body = std::string(type, 4) + data;
    out += body;
    put32be(out, crc32Of(body));
}

// Filter 1 (difference to the left pixel) suits flat pixel art, 2 (to the row above) gradients.
std::string filteredScanlines(const Image& image, Rgba transparent) {
    const int w = image.width();
    std::string raw, line(size_t(w) * 3, '\0'), above(size_t(w) * 3, '\0');
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < w; ++x) {
            Rgba c = image.at(x, y);
            if (!c.opaque()) c = transparent;
            line[3 * x] = char(c.r);
            line[3 * x + 1] = char(c.g);
            line[3 * x + 2] = char(c.b);
        }
        std::string sub(line.size(), '\0'), up(line.size(), '\0');
        long costSub = 0, costUp = 0;
        for (size_t k = 0; k < line.size(); ++k) {
            sub[k] = char(line[k] - (k >= 3 ? line[k - 3] : 0));
            up[k] = char(line[k] - above[k]);
            costSub += std::abs(int(int8_t(sub[k])));
            costUp += std::abs(int(int8_t(up[k])));
        }
        raw += char(costSub <= costUp ? 1 : 2);
        raw += costSub <= costUp ? sub : up;
        above = line;
    }
    return raw;
}

}  // namespace

uint32_t crc32Of(const std::string& bytes) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (char ch : bytes) c = table[(c ^ uint8_t(ch)) & 0xff] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

uint32_t adler32Of(const std::string& bytes) {
    constexpr uint32_t kMod = 65521;
    uint32_t a = 1, b = 0;
    for (char ch : bytes) {
        a = (a + uint8_t(ch)) % kMod;
        b = (b + a) % kMod;
    }
    return (b << 16) | a;
}

std::string zlibCompress(const std::string& raw) {
    std::string out = "\x78\x01";
    out += deflateFixed(raw);
    put32be(out, adler32Of(raw));
    return out;
}

std::string encodePng(const Image& image, Rgba transparent) {
    std::string out = "\x89PNG\r\n\x1a\n";
    std::string header;
    put32be(header, uint32_t(image.width()));
    put32be(header, uint32_t(image.height()));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, no interlace
    putChunk(out, "IHDR", header);
    putChunk(out, "IDAT", zlibCompress(filteredScanlines(image, transparent)));
    putChunk(out, "IEND", "");
    return out;
}
