// Text drawn glyph by glyph through the drawing helper.
#include "gfx/font.h"

#include "gfx/bitmap.h"

TexRect g_glyphs[kGlyphCount];

namespace {
constexpr int kCellsPerRow = 16;
constexpr float kCell = 1.0f / kCellsPerRow;
constexpr unsigned char kFirstChar = 32;  // the space is the top-left cell
}  // namespace

void buildFont() {
    for (int i = 0; i < kGlyphCount; ++i) {
        float s0 = static_cast<float>(i % kCellsPerRow) / kCellsPerRow;
        // Rows count from the top of the picture, t from its bottom.
        float t1 = 1.0f - static_cast<float>(i / kCellsPerRow) / kCellsPerRow;
        g_glyphs[i] = {s0, t1 - kCell, s0 + kCell, t1};
    }
}

void printText(int x, int y, const char* text) {
    QuadBatch batch;
    bindTexture(kTexFont);
    int pen = x;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (*p < kFirstChar) continue;  // no glyph, no advance
        drawQuad(pen, y, pen + kGlyphSize, y + kGlyphSize, g_glyphs[*p - kFirstChar]);
        pen += kGlyphSize;
    }
}
