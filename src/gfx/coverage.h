// What opaque quads hide: which texels are opaque, and which pixels a quad
// still has to fill around areas that opaque quads paint over later.
#pragma once
#include <vector>

#include "gfx/draw.h"

// Remembers which texels of texture `id` are fully opaque (alpha 255).
void recordTexels(unsigned id, int width, int height, const unsigned char* rgba);
// Forgets every texture, as a new OpenGL context starts without them.
void forgetTexels();

// Whole pixels, half-open: x0 <= x < x1, y0 <= y < y1, y from the bottom.
struct PixelRect {
    int x0, y0, x1, y1;
    bool empty() const { return x0 >= x1 || y0 >= y1; }
    bool operator==(const PixelRect&) const = default;
};

// The pixels whose centres lie inside window rectangle [x0, x1] by [y0, y1]
// with room to spare for the rasteriser's rounding: a quad on that rectangle
// surely covers them.
PixelRect pixelsSurelyInside(double x0, double y0, double x1, double y1);
// Every pixel a quad on window rectangle [x0, x1] by [y0, y1] might touch.
PixelRect pixelsTouching(double x0, double y0, double x1, double y1);
// Rectangles that together hold every pixel of `area` outside all `holes`,
// each pixel once.
std::vector<PixelRect> uncoveredParts(const PixelRect& area, const std::vector<PixelRect>& holes);
