// The bitmap font: 16 by 16 glyph cells from the space on, 5 by 5 units each.
#pragma once
#include "gfx/draw.h"

constexpr int kGlyphSize = 5;
constexpr int kGlyphCount = 256;

// The texture rectangle of every glyph cell, made by buildFont.
extern TexRect g_glyphs[kGlyphCount];

void buildFont();
// Draws `text` with its first glyph's lower-left corner at view (x, y), in
// the current colour and blending. Binds the font texture and leaves it bound.
void printText(int x, int y, const char* text);
