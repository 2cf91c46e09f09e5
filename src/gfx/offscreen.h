// An offscreen OpenGL context in memory, for pixel tests and image tools.
#pragma once
#include <vector>

// While it lives, the drawing helper renders into `pixels` (RGBA, bottom row
// first) instead of a window. Only one may exist at a time.
class OffscreenContext {
   public:
    OffscreenContext(int width, int height);
    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    bool ok() const { return ok_; }
    // Finishes drawing so that `pixels` holds the picture.
    void finish();
    // The RGBA bytes of pixel (x, y), y counted from the bottom.
    const unsigned char* pixel(int x, int y) const { return &pixels[(y * width + x) * 4]; }

    int width;
    int height;
    std::vector<unsigned char> pixels;

   private:
    void* context_ = nullptr;
    int previousDrawingOn_ = 0;
    bool ok_ = false;
};
