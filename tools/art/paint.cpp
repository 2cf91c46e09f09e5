// The drawing commands of the art sources, from pixel grids to skylines and glows.
#include "art/paint.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kDimmest = 3;       // glow levels at or below this stay transparent
constexpr int kTextAdvance = 7;   // glyph columns per character in painted text
constexpr int kWindowPitchX = 5;  // lit windows of the skyline
constexpr int kWindowPitchY = 6;
constexpr int kWindowW = 2, kWindowH = 3;
constexpr int kRidgePoints = 1024;

// A small deterministic generator, so that the same sources give the same bytes everywhere.
class Random {
   public:
    explicit Random(int seed) : s_(uint64_t(seed) * 0x9E3779B97F4A7C15ull + 0x1234567ull) {}
    uint32_t next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 7;
        s_ ^= s_ << 17;
        return uint32_t(s_ >> 16);
    }
    int range(int lo, int hi) { return hi <= lo ? lo : lo + int(next() % uint32_t(hi - lo + 1)); }
    double unit() { return (next() & 0xFFFFFF) / double(0x1000000); }

   private:
    uint64_t s_;
};

int toInt(const std::string& w) {
    return std::atoi(w.c_str());
}
double toNum(const std::string& w) {
    return std::atof(w.c_str());
}

int hexPair(const std::string& s, size_t at) {
    return std::stoi(s.substr(at, 2), nullptr, 16);
}

Rgba scaled(Rgba c, double f) {
    f = std::clamp(f, 0.0, 1.0);
    return opaqueRgb(int(c.r * f + 0.5), int(c.g * f + 0.5), int(c.b * f + 0.5));
}

Rgba mix(Rgba a, Rgba b, double f) {
    return opaqueRgb(int(a.r + (b.r - a.r) * f + 0.5), int(a.g + (b.g - a.g) * f + 0.5),
                     int(a.b + (b.b - a.b) * f + 0.5));
}

// Light adds up to the brighter of the two, channel by channel. Over transparency it
// shows only from `floor` up, so that glows on scenery do not leave dark boxes.
void addLight(Image& img, int x, int y, Rgba c, double f, int floor = kDimmest) {
    const Rgba add = scaled(c, f);
    if (add.r <= kDimmest && add.g <= kDimmest && add.b <= kDimmest) return;
    const Rgba old = img.at(x, y);
    if (!old.opaque()) {
        if (std::max({add.r, add.g, add.b}) > floor) img.set(x, y, add);
        return;
    }
    img.set(x, y,
            opaqueRgb(std::max(old.r, add.r), std::max(old.g, add.g), std::max(old.b, add.b)));
}

void drawLine(Image& img, int x0, int y0, int x1, int y1, Rgba c) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        img.set(x0, y0, c);
        if (x0 == x1 && y0 == y1) return;
        const int e2 = 2 * err;
        if (e2 >= dy) err += dy, x0 += sx;
        if (e2 <= dx) err += dx, y0 += sy;
    }
}

// Pixels whose centres lie inside the triangle, whichever way round its corners are given.
void fillTriangle(Image& img, const std::vector<std::string>& a, Rgba c) {
    const double x0 = toInt(a[0]), y0 = toInt(a[1]), x1 = toInt(a[2]), y1 = toInt(a[3]);
    const double x2 = toInt(a[4]), y2 = toInt(a[5]);
    auto side = [](double ax, double ay, double bx, double by, double px, double py) {
        return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
    };
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double d0 = side(x0, y0, x1, y1, px, py), d1 = side(x1, y1, x2, y2, px, py),
                         d2 = side(x2, y2, x0, y0, px, py);
            const bool neg = d0 < 0 || d1 < 0 || d2<0, pos = d0> 0 || d1 > 0 || d2 > 0;
            if (!(neg && pos)) img.set(x, y, c);
        }
}

void fillRect(Image& img, int x, int y, int w, int h, Rgba c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) img.set(i, j, c);
}

void outline(Image& img, Rgba c) {
    const Image before = img;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (before.at(x, y).opaque()) continue;
            if (before.at(x - 1, y).opaque() || before.at(x + 1, y).opaque() ||
                before.at(x, y - 1).opaque() || before.at(x, y + 1).opaque())
                img.set(x, y, c);
        }
}

void bricks(Image& img, const std::vector<std::string>& a, Rgba mortar) {
    const int x = toInt(a[0]), y = toInt(a[1]), w = toInt(a[2]), h = toInt(a[3]);
    const int bw = std::max(1, toInt(a[4])), bh = std::max(1, toInt(a[5]));
    for (int j = y; j < y + h; ++j) {
        const int course = (j - y) / bh;
        if ((j - y) % bh == 0) {
            fillRect(img, x, j, w, 1, mortar);
            continue;
        }
        const int shift = course % 2 ? bw / 2 : 0;
        for (int i = x; i < x + w; ++i)
            if ((i - x + shift) % bw == 0) img.set(i, j, mortar);
    }
}

// Midpoint displacement: a jagged line of heights across the canvas.
std::vector<double> ridgeHeights(int seed, double amplitude, double roughness) {
    Random rnd(seed);
    std::vector<double> h(kRidgePoints + 1, 0.0);
    h[0] = rnd.unit() * amplitude;
    h[kRidgePoints] = rnd.unit() * amplitude;
    double spread = amplitude;
    for (int step = kRidgePoints; step > 1; step /= 2) {
        for (int i = step / 2; i < kRidgePoints; i += step)
            h[i] = (h[i - step / 2] + h[i + step / 2]) / 2 + (rnd.unit() - 0.5) * spread;
        spread *= roughness;
    }
    return h;
}

void ridge(Image& img, const std::vector<std::string>& a, Rgba c) {
    const int base = toInt(a[1]);
    const std::vector<double> h = ridgeHeights(toInt(a[0]), toInt(a[2]), toNum(a[3]));
    for (int x = 0; x < img.width(); ++x) {
        const double at = double(x) * kRidgePoints / std::max(1, img.width() - 1);
        const int top = base - int(std::lround(h[std::min(kRidgePoints, int(at))]));
        for (int y = std::max(0, top); y < img.height(); ++y) img.set(x, y, c);
    }
}

void skyline(Image& img, const std::vector<std::string>& a, Rgba body, Rgba lit) {
    Random rnd(toInt(a[0]));
    const int base = toInt(a[1]);
    const double litShare = toNum(a[8]) / 100.0;
    for (int x = -rnd.range(0, toInt(a[3])); x < img.width();) {
        const int w = rnd.range(toInt(a[2]), toInt(a[3]));
        const int h = rnd.range(toInt(a[4]), toInt(a[5]));
        const int top = base - h;
        fillRect(img, x, top, w, h, body);
        if (rnd.range(0, 3) == 0) fillRect(img, x + w / 2, top - h / 6, 1, h / 6, body);  // mast
        for (int wy = top + 3; wy + kWindowH < base; wy += kWindowPitchY)
            for (int wx = x + 2; wx + kWindowW < x + w - 1; wx += kWindowPitchX)
                if (rnd.unit() < litShare) fillRect(img, wx, wy, kWindowW, kWindowH, lit);
        x += w + rnd.range(0, 2);
    }
}

double rayLight(double dx, double dy, double radius, int count, double width) {
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d >= radius || d == 0) return d == 0 ? 1.0 : 0.0;
    const double angle = std::atan2(dy, dx);
    double best = 0;
    for (int k = 0; k < count; ++k) {
        const double diff = angle - 2 * kPi * k / count;
        if (std::cos(diff) <= 0) continue;
        const double off = d * std::sin(diff) / width;
        best = std::max(best, std::exp(-off * off));
    }
    return best;
}

}  // namespace

Rgba Painter::colour(const std::string& word, const std::map<char, std::string>& legend,
                     const SourcePlace& from) const {
    if (word == "." || word == "clear") return kClear;
    if (word.size() == 1) {
        auto it = legend.find(word[0]);
        if (it == legend.end())
            throw ArtError(from.file, from.line, "colour key '" + word + "' is not in the legend");
        return colour(it->second, legend, from);
    }
    if (word[0] == '#') return opaqueRgb(hexPair(word, 1), hexPair(word, 3), hexPair(word, 5));
    auto it = lib_.colours.find(word);
    if (it == lib_.colours.end())
        throw ArtError(from.file, from.line, "unknown colour '" + word + "'");
    if (it->second == word) throw ArtError(from.file, from.line, "colour '" + word + "' loops");
    return colour(it->second, legend, from);
}

const Image& Painter::art(const std::string& name, const SourcePlace& from) {
    auto done = done_.find(name);
    if (done != done_.end()) return done->second;
    auto def = lib_.arts.find(name);
    if (def == lib_.arts.end()) throw ArtError(from.file, from.line, "unknown art '" + name + "'");
    if (busy_.count(name))
        throw ArtError(from.file, from.line, "art '" + name + "' contains itself");
    busy_.insert(name);
    Image img = render(def->second);
    busy_.erase(name);
    return done_[name] = std::move(img);
}

const Image& Painter::glyph(int code) {
    auto done = glyphs_.find(code);
    if (done != glyphs_.end()) return done->second;
    auto def = lib_.glyphs.find(code);
    if (def == lib_.glyphs.end()) return glyphs_[code] = Image(kGlyphCanvas, kGlyphCanvas);
    return glyphs_[code] = render(def->second);
}

// Draws another art block at (x, y), optionally mirrored or turned by quarter turns clockwise.
void Painter::layer(const Command& c, Image& img) {
    const auto& a = c.args;
    bool fx = false, fy = false;
    int turns = 0;
    for (size_t i = 3; i < a.size(); ++i) {
        if (a[i] == "flipx")
            fx = true;
        else if (a[i] == "flipy")
            fy = true;
        else if (a[i] == "rot90")
            turns = 1;
        else if (a[i] == "rot180")
            turns = 2;
        else if (a[i] == "rot270")
            turns = 3;
        else
            throw ArtError(c.place.file, c.place.line, "unknown layer option '" + a[i] + "'");
    }
    const Image& src = art(a[0], c.place);
    const int w = src.width(), h = src.height();
    const int ox = toInt(a[1]), oy = toInt(a[2]);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Rgba px = src.at(fx ? w - 1 - x : x, fy ? h - 1 - y : y);
            int tx = x, ty = y;
            if (turns == 1) tx = h - 1 - y, ty = x;
            if (turns == 2) tx = w - 1 - x, ty = h - 1 - y;
            if (turns == 3) tx = y, ty = w - 1 - x;
            img.paint(ox + tx, oy + ty, px);
        }
}

Image Painter::render(const ArtDef& def) {
    Image img(def.width, def.height);
    Origin origin;
    for (const Command& c : def.commands) run(c, def, img, origin);
    return img;
}

void Painter::run(const Command& c, const ArtDef& def, Image& img, Origin& origin) {
    const auto& a = c.args;
    auto col = [&](size_t i) { return colour(a[i], def.legend, c.place); };
    if (c.op == "at") {
        origin.x = toInt(a[0]);
        origin.y = toInt(a[1]);
    } else if (c.op == "grid") {
        for (size_t y = 0; y < c.rows.size(); ++y)
            for (size_t x = 0; x < c.rows[y].size(); ++x) {
                const char ch = c.rows[y][x];
                if (ch == '.') continue;
                img.set(origin.x + int(x), origin.y + int(y),
                        colour(std::string(1, ch), def.legend, c.place));
            }
    } else if (c.op == "fill") {
        fillRect(img, 0, 0, img.width(), img.height(), col(0));
    } else if (c.op == "rect") {
        fillRect(img, toInt(a[0]), toInt(a[1]), toInt(a[2]), toInt(a[3]), col(4));
    } else if (c.op == "box") {
        const int x = toInt(a[0]), y = toInt(a[1]), w = toInt(a[2]), h = toInt(a[3]);
        fillRect(img, x, y, w, 1, col(4));
        fillRect(img, x, y + h - 1, w, 1, col(4));
        fillRect(img, x, y, 1, h, col(4));
        fillRect(img, x + w - 1, y, 1, h, col(4));
    } else if (c.op == "line") {
        drawLine(img, toInt(a[0]), toInt(a[1]), toInt(a[2]), toInt(a[3]), col(4));
    } else if (c.op == "tri") {
        fillTriangle(img, a, col(6));
    } else if (c.op == "disc" || c.op == "ellipse") {
        const bool disc = c.op == "disc";
        const double cx = toNum(a[0]), cy = toNum(a[1]), rx = toNum(a[2]);
        const double ry = disc ? rx : toNum(a[3]);
        const Rgba k = col(disc ? 3 : 4);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
                if (u * u + v * v <= 1.0) img.set(x, y, k);
            }
    } else if (c.op == "noise") {
        Random rnd(toInt(a[0]));
        const double share = toNum(a[1]) / 100.0;
        const Rgba k = col(2);
        for (int y = toInt(a[4]); y < toInt(a[4]) + toInt(a[6]); ++y)
            for (int x = toInt(a[3]); x < toInt(a[3]) + toInt(a[5]); ++x)
                if (rnd.unit() < share && img.at(x, y).opaque()) img.set(x, y, k);
    } else if (c.op == "bricks") {
        bricks(img, a, col(6));
    } else if (c.op == "replace") {
        const Rgba from = col(0), to = col(1);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.at(x, y) == from) img.set(x, y, to);
    } else if (c.op == "outline") {
        outline(img, col(0));
    } else if (c.op == "layer") {
        layer(c, img);
    } else if (c.op == "vgradient") {
        const int x = toInt(a[0]), y = toInt(a[1]), w = toInt(a[2]), h = toInt(a[3]);
        const Rgba c0 = col(4), c1 = col(5);
        bool only = false;
        Rgba target{};
        if (a.size() == 8 && a[6] == "only") {
            only = true;
            target = col(7);
        } else if (a.size() != 6) {
            throw ArtError(c.place.file, c.place.line,
                           "vgradient ends with 'only COLOUR' or nothing");
        }
        for (int j = y; j < y + h; ++j) {
            const Rgba k = mix(c0, c1, h > 1 ? double(j - y) / (h - 1) : 0.0);
            for (int i = x; i < x + w; ++i)
                if (!only || img.at(i, j) == target) img.set(i, j, k);
        }
    } else if (c.op == "glow" || c.op == "ring" || c.op == "rays") {
        const double cx = toNum(a[0]), cy = toNum(a[1]), r = toNum(a[2]);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
                const double d = std::sqrt(dx * dx + dy * dy);
                if (c.op == "glow") {
                    const int floor = a.size() > 5 ? toInt(a[5]) : kDimmest;
                    if (d < r)
                        addLight(img, x, y, col(3), std::pow(1.0 - d / r, toNum(a[4])), floor);
                } else if (c.op == "ring") {
                    const double off = (d - r) / toNum(a[3]);
                    addLight(img, x, y, col(4), std::exp(-off * off));
                } else if (d < r) {
                    const double f = rayLight(dx, dy, r, toInt(a[3]), toNum(a[4]));
                    addLight(img, x, y, col(5), f * std::pow(1.0 - d / r, toNum(a[6])));
                }
            }
    } else if (c.op == "bevel") {
        const int x = toInt(a[0]), y = toInt(a[1]), w = toInt(a[2]), h = toInt(a[3]);
        fillRect(img, x, y, w, 1, col(4));
        fillRect(img, x, y, 1, h, col(4));
        fillRect(img, x, y + h - 1, w, 1, col(5));
        fillRect(img, x + w - 1, y + 1, 1, h - 1, col(5));
    } else if (c.op == "skyline") {
        skyline(img, a, col(6), col(7));
    } else if (c.op == "ridge") {
        ridge(img, a, col(4));
    } else if (c.op == "blend") {
        const Rgba k = col(4);
        const double f = toNum(a[5]) / 100.0;
        for (int y = toInt(a[1]); y < toInt(a[1]) + toInt(a[3]); ++y)
            for (int x = toInt(a[0]); x < toInt(a[0]) + toInt(a[2]); ++x)
                if (img.at(x, y).opaque()) img.set(x, y, mix(img.at(x, y), k, f));
    } else if (c.op == "text") {
        const int scale = std::max(1, toInt(a[2]));
        const Rgba k = col(3);
        int penX = toInt(a[0]);
        for (char ch : a[4]) {
            const Image& g = glyph(uint8_t(ch));
            for (int y = 0; y < g.height(); ++y)
                for (int x = 0; x < g.width(); ++x)
                    if (g.at(x, y).opaque())
                        fillRect(img, penX + x * scale, toInt(a[1]) + y * scale, scale, scale, k);
            penX += kTextAdvance * scale;
        }
    } else if (c.op == "scatter") {
        Random rnd(toInt(a[0]));
        const Image& src = art(a[2], c.place);
        for (int k = 0; k < toInt(a[1]); ++k) {
            const int ox = rnd.range(-src.width() / 2, img.width() - src.width() / 2);
            const int oy = toInt(a[3]) - src.height();
            for (int y = 0; y < src.height(); ++y)
                for (int x = 0; x < src.width(); ++x) img.paint(ox + x, oy + y, src.at(x, y));
        }
    }
}

void fitInto(const Image& src, Image& dst, int x0, int y0, int x1, int y1, bool flipX, bool flipY) {
    const int w = x1 - x0, h = y1 - y0;
    if (w <= 0 || h <= 0 || src.width() == 0 || src.height() == 0) return;
    for (int y = 0; y < h; ++y) {
        int sy = int((y + 0.5) * src.height() / h);
        if (flipY) sy = src.height() - 1 - sy;
        for (int x = 0; x < w; ++x) {
            int sx = int((x + 0.5) * src.width() / w);
            if (flipX) sx = src.width() - 1 - sx;
            dst.paint(x0 + x, y0 + y, src.at(sx, sy));
        }
    }
}
