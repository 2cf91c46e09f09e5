// Cuts the hero out of his sheet and sets him on a dark rounded tile.
#include "icon/icon.h"

#include "gfx/bitmap.h"

namespace {
// The shooting pose, s 0.6 to 0.8 and t 0.8 to 1.0 of the hero sheet.
constexpr double kCellS0 = 0.6, kCellT0 = 0.8, kCellSize = 0.2;
constexpr Rgba kTile = {28, 24, 44, 255};
constexpr Rgba kRim = {92, 84, 140, 255};

bool insideRoundedTile(int x, int y, int size) {
    int r = size / 6;
    int cx = x < r ? r : x >= size - r ? size - 1 - r : x;
    int cy = y < r ? r : y >= size - r ? size - 1 - r : y;
    int dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= r * r;
}
}  // namespace

Image makeIcon(const Bitmap& sheet, int size) {
    int cell = static_cast<int>(sheet.width * kCellSize);
    if (cell < 1 || size < 8 || !sheet.pixels) return Image();
    int left = static_cast<int>(sheet.width * kCellS0);
    int bottom = static_cast<int>(sheet.height * kCellT0);
    int margin = size / 12;
    Image icon(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (!insideRoundedTile(x, y, size)) continue;
            bool rim = !insideRoundedTile(x + 2, y, size) || !insideRoundedTile(x - 2, y, size) ||
                       !insideRoundedTile(x, y + 2, size) || !insideRoundedTile(x, y - 2, size);
            icon.set(x, y, rim ? kRim : kTile);
            // Icon rows run from the top; the sheet's rows from the bottom.
            int inner = size - 2 * margin;
            int ix = x - margin, iy = size - 1 - margin - y;
            if (ix < 0 || iy < 0 || ix >= inner || iy >= inner) continue;
            int sx = left + ix * cell / inner;
            int sy = bottom + iy * cell / inner;
            if (sx >= sheet.width || sy >= sheet.height) continue;
            const unsigned char* p = sheet.pixels + (size_t(sy) * sheet.width + sx) * 4;
            if (p[3]) icon.set(x, y, opaqueRgb(p[0], p[1], p[2]));
        }
    }
    return icon;
}
