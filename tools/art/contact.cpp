// The contact sheet: every picture on a checkerboard with its cells outlined and named.
#include <algorithm>

#include "art/cells.h"
#include "art/generator.h"
#include "art/paint.h"

namespace {

constexpr int kRowWidth = 1900;  // pictures wrap onto a new row past this width
constexpr int kGap = 24;
constexpr int kLabelScale = 2;
constexpr int kLabelHeight = 8 * kLabelScale + 6;
constexpr int kChecker = 8;
constexpr int kLabelAdvance = 7;
const Rgba kPage = opaqueRgb(28, 26, 34);
const Rgba kCheckA = opaqueRgb(44, 42, 52), kCheckB = opaqueRgb(58, 56, 66);
const Rgba kGridLine = opaqueRgb(255, 64, 200);
const Rgba kLabel = opaqueRgb(240, 236, 220);

void drawLabel(Painter& painter, Image& page, int x, int y, const std::string& text) {
    for (char ch : text) {
        const Image& g = painter.glyph(uint8_t(ch));
        for (int gy = 0; gy < g.height(); ++gy)
            for (int gx = 0; gx < g.width(); ++gx)
                if (g.at(gx, gy).opaque())
                    for (int k = 0; k < kLabelScale * kLabelScale; ++k)
                        page.set(x + gx * kLabelScale + k % kLabelScale,
                                 y + gy * kLabelScale + k / kLabelScale, kLabel);
        x += kLabelAdvance * kLabelScale;
    }
}

// Dotted outlines, so that the art stays visible under them.
void dottedBox(Image& page, int ox, int oy, const PixelRect& r) {
    for (int x = r.x0; x < r.x1; x += 2) {
        page.set(ox + x, oy + r.y0, kGridLine);
        page.set(ox + x, oy + r.y1 - 1, kGridLine);
    }
    for (int y = r.y0; y < r.y1; y += 2) {
        page.set(ox + r.x0, oy + y, kGridLine);
        page.set(ox + r.x1 - 1, oy + y, kGridLine);
    }
}

void drawPicture(Image& page, int ox, int oy, const Picture& p) {
    const Image& img = p.image;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const bool dark = ((x / kChecker) + (y / kChecker)) % 2;
            page.set(ox + x, oy + y,
                     img.at(x, y).opaque() ? img.at(x, y)
                     : dark                ? kCheckA
                                           : kCheckB);
        }
    for (const Cell& cell : gameCells()) {
        if (cell.sheet != p.file || cell.kind == CellKind::Picture) continue;
        dottedBox(page, ox, oy, paintPixels(cell, img.width(), img.height()));
    }
}

Image shrinkBy(const Image& img, int n) {
    if (n <= 1) return img;
    Image out(img.width() / n, img.height() / n);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            int r = 0, g = 0, b = 0;
            for (int k = 0; k < n * n; ++k) {
                const Rgba c = img.at(x * n + k % n, y * n + k / n);
                r += c.r, g += c.g, b += c.b;
            }
            out.set(x, y, opaqueRgb(r / (n * n), g / (n * n), b / (n * n)));
        }
    return out;
}

}  // namespace

Image contactSheet(const ArtLibrary& library, const GeneratedArt& art, int shrink) {
    struct Spot {
        int x, y;
    };
    std::vector<Spot> spots;
    int x = kGap, y = kGap, rowHeight = 0, width = 0;
    for (const Picture& p : art.pictures) {
        if (x > kGap && x + p.image.width() > kRowWidth) {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        spots.push_back({x, y});
        x += p.image.width() + kGap;
        width = std::max(width, x);
        rowHeight = std::max(rowHeight, p.image.height() + kLabelHeight);
    }
    Image page(width, y + rowHeight + kGap);
    for (int py = 0; py < page.height(); ++py)
        for (int px = 0; px < page.width(); ++px) page.set(px, py, kPage);
    Painter painter(library);
    for (size_t i = 0; i < art.pictures.size(); ++i) {
        const Picture& p = art.pictures[i];
        drawLabel(painter, page, spots[i].x, spots[i].y, p.file);
        drawPicture(page, spots[i].x, spots[i].y + kLabelHeight, p);
    }
    return shrinkBy(page, shrink);
}

Image previewImage(const Picture& picture, int zoom) {
    Image page(picture.image.width(), picture.image.height());
    drawPicture(page, 0, 0, picture);
    Image out(page.width() * zoom, page.height() * zoom);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) out.set(x, y, page.at(x / zoom, y / zoom));
    return out;
}
