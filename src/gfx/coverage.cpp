// Texel opacity of the uploaded textures and the pixel rectangles around hidden areas.
#include "gfx/coverage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// One bit per texel, set where it is not fully opaque; row after row of
// 64-bit words. A rectangle is checked a word at a time.
struct TexelTable {
    int width = 0;  // 0: no picture, nothing counts as opaque
    int height = 0;
    int words = 0;                    // per row
    std::vector<uint64_t> clearBits;  // empty: every texel is opaque

    bool anyClear(int x0, int y0, int x1, int y1) const {
        for (int y = y0; y <= y1; ++y) {
            const uint64_t* row = &clearBits[size_t(y) * words];
            for (int w = x0 / 64; w <= x1 / 64; ++w) {
                uint64_t mask = ~uint64_t(0);
                if (w == x0 / 64) mask &= ~uint64_t(0) << (x0 % 64);
                if (w == x1 / 64) mask &= ~uint64_t(0) >> (63 - x1 % 64);
                if (row[w] & mask) return true;
            }
        }
        return false;
    }
};

std::vector<TexelTable> s_tables;

// Linear filtering reads the two texels around coordinate * size - 0.5; this
// much further out is also counted, against rounding in the rasteriser.
constexpr double kTexelSlack = 0.25;
// Pixel centres this close to a quad's edge may fall either way.
constexpr double kEdgeSlack = 1.0 / 32;

int clampIndex(double v, int size) {
    if (!(v > 0)) return 0;  // also NaN
    return v >= size - 1 ? size - 1 : static_cast<int>(v);
}

// The first and last texel that coordinates lo..hi can read, along a side of `size` texels.
void texelSpan(float a, float b, int size, int* first, int* last) {
    double lo = std::min(a, b) * double(size) - 0.5 - kTexelSlack;
    double hi = std::max(a, b) * double(size) - 0.5 + kTexelSlack;
    *first = clampIndex(std::floor(lo), size);
    *last = clampIndex(std::floor(hi) + 1, size);
}

}  // namespace

void recordTexels(unsigned id, int width, int height, const unsigned char* rgba) {
    if (id >= s_tables.size()) s_tables.resize(id + 1);
    TexelTable& table = s_tables[id];
    table = TexelTable();
    if (!rgba || width < 1 || height < 1) return;
    table.width = width;
    table.height = height;
    table.words = (width + 63) / 64;
    for (int y = 0; y < height; ++y) {
        const unsigned char* alpha = rgba + size_t(y) * width * 4 + 3;
        for (int x = 0; x < width; ++x, alpha += 4) {
            if (*alpha == 255) continue;
            if (table.clearBits.empty()) table.clearBits.assign(size_t(table.words) * height, 0);
            table.clearBits[size_t(y) * table.words + x / 64] |= uint64_t(1) << (x % 64);
        }
    }
}

void forgetTexels() {
    s_tables.clear();
}

bool texelsOpaque(unsigned id, const TexRect& tex) {
    if (id >= s_tables.size() || s_tables[id].width == 0) return false;
    const TexelTable& table = s_tables[id];
    if (table.clearBits.empty()) return true;
    int x0, x1, y0, y1;
    texelSpan(tex.s0, tex.s1, table.width, &x0, &x1);
    texelSpan(tex.t0, tex.t1, table.height, &y0, &y1);
    return !table.anyClear(x0, y0, x1, y1);
}

// A pixel belongs to a quad when its centre, at +0.5, lies inside.
PixelRect pixelsSurelyInside(double x0, double y0, double x1, double y1) {
    auto first = [](double edge) { return static_cast<int>(std::ceil(edge + kEdgeSlack - 0.5)); };
    auto end = [](double edge) {
        return static_cast<int>(std::floor(edge - kEdgeSlack - 0.5)) + 1;
    };
    return {first(x0), first(y0), end(x1), end(y1)};
}

PixelRect pixelsTouching(double x0, double y0, double x1, double y1) {
    return {static_cast<int>(std::floor(x0)) - 1, static_cast<int>(std::floor(y0)) - 1,
            static_cast<int>(std::ceil(x1)) + 1, static_cast<int>(std::ceil(y1)) + 1};
}

namespace {

using Spans = std::vector<std::pair<int, int>>;

// The stretches of [x0, x1) that no hole spanning the whole band [y0, y1) covers.
Spans openSpans(const PixelRect& area, const std::vector<PixelRect>& holes, int y0, int y1) {
    Spans covered;
    for (const PixelRect& h : holes)
        if (h.y0 <= y0 && h.y1 >= y1) covered.push_back({h.x0, h.x1});
    std::sort(covered.begin(), covered.end());
    Spans open;
    int x = area.x0;
    for (const auto& [from, to] : covered) {
        if (from > x) open.push_back({x, std::min(from, area.x1)});
        x = std::max(x, to);
        if (x >= area.x1) break;
    }
    if (x < area.x1) open.push_back({x, area.x1});
    return open;
}

}  // namespace

std::vector<PixelRect> uncoveredParts(const PixelRect& area, const std::vector<PixelRect>& holes) {
    if (area.empty()) return {};
    std::vector<PixelRect> clipped;
    std::vector<int> edges = {area.y0, area.y1};
    for (const PixelRect& h : holes) {
        PixelRect c = {std::max(h.x0, area.x0), std::max(h.y0, area.y0), std::min(h.x1, area.x1),
                       std::min(h.y1, area.y1)};
        if (c.empty()) continue;
        clipped.push_back(c);
        edges.push_back(c.y0);
        edges.push_back(c.y1);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    std::vector<PixelRect> parts, growing;  // growing: parts that reach the current band
    for (size_t i = 0; i + 1 < edges.size(); ++i) {
        int y0 = edges[i], y1 = edges[i + 1];
        std::vector<PixelRect> band;
        for (const auto& span : openSpans(area, clipped, y0, y1)) {
            int x0 = span.first, x1 = span.second;
            // A stretch just like one of the band below makes that part taller.
            auto below = std::find_if(growing.begin(), growing.end(),
                                      [&](const PixelRect& p) { return p.x0 == x0 && p.x1 == x1; });
            if (below == growing.end()) {
                band.push_back({x0, y0, x1, y1});
            } else {
                band.push_back({x0, below->y0, x1, y1});
                growing.erase(below);
            }
        }
        parts.insert(parts.end(), growing.begin(), growing.end());
        growing = std::move(band);
    }
    parts.insert(parts.end(), growing.begin(), growing.end());
    return parts;
}
