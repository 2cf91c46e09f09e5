// Pixels kept between frames, and where quad units land in the window.
#pragma once
#include <vector>

#include "gfx/coverage.h"

// Where quad units land in the window, for quads drawn without rotation.
struct WindowMap {
    double scaleX, offsetX, scaleY, offsetY;
    PixelRect viewport;
};
// The current matrices and viewport as a map, or false when they rotate.
bool currentWindowMap(WindowMap* map);

// A rectangle in window pixels, not yet rounded.
struct WindowRect {
    double x0, y0, x1, y1;
};
WindowRect toWindow(const WindowMap& map, float x0, float y0, float x1, float y1);

// A copy of part of the picture, put back later where the same drawing would
// give the same pixels again: copying costs far less than filtering.
class KeptPixels {
   public:
    // Whether the copy was taken for `key`.
    bool holds(const std::vector<double>& key) const { return !key_.empty() && key_ == key; }
    // Copies `region` of the picture as it stands now.
    void keep(const std::vector<double>& key, const PixelRect& region);
    // Puts the copy back into `parts` of its region, as it was, with
    // blending and alpha test already off.
    void putBack(const std::vector<PixelRect>& parts) const;
    // A new OpenGL context holds no copy.
    void forget();

   private:
    unsigned texture_ = 0;
    int textureWidth_ = 0, textureHeight_ = 0;
    PixelRect region_{};
    std::vector<double> key_;
};
