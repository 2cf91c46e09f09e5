// In-memory pictures of the art generator: opaque colours or transparency.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 0;  // a is 0 (transparent) or 255 (opaque)
    bool opaque() const { return a != 0; }
    bool operator==(const Rgba&) const = default;
};

constexpr Rgba kClear{0, 0, 0, 0};
inline Rgba opaqueRgb(int r, int g, int b) {
    return Rgba{uint8_t(r), uint8_t(g), uint8_t(b), 255};
}

// A picture with row 0 at the top, as the text grids are written.
class Image {
   public:
    Image() = default;
    Image(int width, int height) : w_(width), h_(height), px_(size_t(width) * height) {}

    int width() const { return w_; }
    int height() const { return h_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
    Rgba at(int x, int y) const { return contains(x, y) ? px_[index(x, y)] : kClear; }
    void set(int x, int y, Rgba c) {
        if (contains(x, y)) px_[index(x, y)] = c;
    }
    // Writes only opaque colours, so transparent pixels let the old ones show.
    void paint(int x, int y, Rgba c) {
        if (c.opaque()) set(x, y, c);
    }
    const std::vector<Rgba>& pixels() const { return px_; }

   private:
    size_t index(int x, int y) const { return size_t(y) * w_ + x; }
    int w_ = 0, h_ = 0;
    std::vector<Rgba> px_;
};
