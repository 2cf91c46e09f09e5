// The letterboxed picture rectangle and the pointer mapping through it.
#include "app/display.h"

#include "gfx/draw.h"

namespace {
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr double kPixelsPerUnitX = 3.413;
constexpr double kPixelsPerUnitY = 3.072;
}  // namespace

Picture g_picture = {0, 0, kScreenWidth, kScreenHeight};

Picture fitPicture(int windowWidth, int windowHeight) {
    if (windowWidth < 1) windowWidth = 1;
    if (windowHeight < 1) windowHeight = 1;
    int width = windowWidth;
    int height = width * 3 / 4;
    if (height > windowHeight) {
        height = windowHeight;
        width = height * 4 / 3;
    }
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    return {(windowWidth - width) / 2, (windowHeight - height) / 2, width, height};
}

void windowToView(int x, int y, float* px, float* py) {
    double scaleX = kPixelsPerUnitX * (g_picture.width / double(kScreenWidth));
    double scaleY = kPixelsPerUnitY * (g_picture.height / double(kScreenHeight));
    *px = static_cast<float>((x - g_picture.left) / scaleX);
    *py = static_cast<float>((g_picture.top + g_picture.height - y) / scaleY);
}

void onReshape(int width, int height) {
    g_picture = fitPicture(width, height);
    int bottom = height - g_picture.top - g_picture.height;
    setViewport(g_picture.left, bottom, g_picture.width, g_picture.height);
}
