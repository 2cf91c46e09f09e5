// Level maps drawn offscreen: the camera steps over the world one view at a
// time so that Level::draw draws every cell, then the marks go on top.
#include "levels/level_map.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "app/globals.h"
#include "gfx/bitmap.h"
#include "gfx/draw.h"
#include "gfx/font.h"
#include "gfx/offscreen.h"
#include "levels/level_codes.h"
#include "levels/route.h"
#include "world/level.h"

namespace {

constexpr int kWorldSide = kGridSize * kTileSize;  // 2000 units, one pixel each
constexpr int kViewWidth = 300;
constexpr int kViewHeight = 250;
constexpr int kCameraHalfWidth = 150;
constexpr float kSky[3] = {0.10f, 0.12f, 0.18f};
constexpr float kMarkAlpha = 0.85f;
constexpr float kMarkSize = 32.0f;    // marks stand out beyond their 20-unit cell
constexpr float kLetterScale = 4.0f;  // 5-unit glyphs become 20 units
constexpr float kOutline = 4.0f;
constexpr float kTrailHalfWidth = 3.0f;
constexpr float kTrailColour[4] = {1.0f, 1.0f, 0.3f, 0.9f};
constexpr float kHeroMiddle = 10.0f;  // the trail follows the middle of the hero's body

struct Mark {
    char letter;
    float r, g, b;
};

constexpr Mark kPointsMark = {'$', 1.0f, 0.85f, 0.1f};
constexpr Mark kLifeMark = {'+', 1.0f, 0.4f, 0.8f};

bool markOf(int code, Mark* mark) {
    if (code == kCodeExtraLife) {
        *mark = kLifeMark;
        return true;
    }
    if (isItemCode(code)) {
        *mark = kPointsMark;
        return true;
    }
    if (const CreatureKind* kind = creatureKindOf(code)) {
        *mark = {kind->letter, kind->r, kind->g, kind->b};
        return true;
    }
    return false;
}

// Places where the hero's journey changes get a coloured frame.
constexpr float kStartFrame[3] = {0.2f, 1.0f, 0.2f};
constexpr float kExitFrame[3] = {1.0f, 1.0f, 1.0f};
constexpr float kCheckpointFrame[3] = {0.3f, 0.6f, 1.0f};

const float* frameOf(int code) {
    if (code == kCodeStart) return kStartFrame;
    if (code == kCodeExit) return kExitFrame;
    if (isCheckpointCode(code)) return kCheckpointFrame;
    return nullptr;
}

void worldProjection(int width, int height) {
    setViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, width, 0, height);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void drawBox(float cx, float cy, float half, float r, float g, float b, float a) {
    glDisable(GL_TEXTURE_2D);
    setColor(r, g, b, a);
    drawQuad(cx - half, cy - half, cx + half, cy + half, {0, 0, 1, 1});
    glEnable(GL_TEXTURE_2D);
}

void drawFrame(float x0, float y0, float x1, float y1, const float rgb[3]) {
    glDisable(GL_TEXTURE_2D);
    setColor(rgb[0], rgb[1], rgb[2], 1);
    const TexRect none = {0, 0, 1, 1};
    drawQuad(x0, y0, x1, y0 + kOutline, none);
    drawQuad(x0, y1 - kOutline, x1, y1, none);
    drawQuad(x0, y0, x0 + kOutline, y1, none);
    drawQuad(x1 - kOutline, y0, x1, y1, none);
    glEnable(GL_TEXTURE_2D);
}

void drawLetter(float cx, float cy, char letter, float scale) {
    const char text[2] = {letter, 0};
    float half = kGlyphSize * scale / 2;
    glPushMatrix();
    glTranslatef(cx - half, cy - half, 0);
    glScalef(scale, scale, 1);
    setColor(1, 1, 1, 1);
    printText(0, 0, text);
    glPopMatrix();
}

void drawMark(float cx, float cy, const Mark& mark) {
    drawBox(cx, cy, kMarkSize / 2, 0, 0, 0, kMarkAlpha);
    drawBox(cx, cy, kMarkSize / 2 - kOutline / 2, mark.r, mark.g, mark.b, kMarkAlpha);
    drawLetter(cx, cy, mark.letter, kLetterScale);
}

}  // namespace

LevelMapRenderer::LevelMapRenderer()
    : context_(std::make_unique<OffscreenContext>(kWorldSide, kWorldSide)) {
    if (!context_->ok()) return;
    loadTextures();
    buildFont();
}

LevelMapRenderer::~LevelMapRenderer() = default;

bool LevelMapRenderer::ok() const {
    return context_->ok();
}

// One view at a time, as the game would show it with the camera there.
void LevelMapRenderer::drawTiles() {
    for (int viewY = 0; viewY < kWorldSide; viewY += kViewHeight) {
        for (int viewX = 0; viewX < kWorldSide; viewX += kViewWidth) {
            g_scrollX = viewX + kCameraHalfWidth;
            g_scrollY = viewY;
            setViewport(viewX, viewY, kViewWidth, kViewHeight);
            setupProjection();
            setColor(1, 1, 1, 1);
            blendNormal();
            g_level.draw();
        }
    }
}

void LevelMapRenderer::drawMarks(const LevelGrid& grid) {
    blendNormal();
    for (int row = 0; row < kGridSize; ++row) {
        for (int col = 0; col < kGridSize; ++col) {
            int code = grid.cells[row][col];
            float x = col * kTileSize, y = row * kTileSize;
            if (const float* rgb = frameOf(code))
                drawFrame(x, y, x + kTileSize, y + kTileSize, rgb);
            Mark mark;
            if (markOf(code, &mark)) drawMark(x + kTileSize / 2.0f, y + kTileSize / 2.0f, mark);
        }
    }
    setColor(1, 1, 1, 1);
}

void LevelMapRenderer::drawTrail(const std::vector<TrailPoint>& trail) {
    glDisable(GL_TEXTURE_2D);
    setColor(kTrailColour[0], kTrailColour[1], kTrailColour[2], kTrailColour[3]);
    for (const TrailPoint& p : trail) {
        float y = p.y + kHeroMiddle;
        drawQuad(p.x - kTrailHalfWidth, y - kTrailHalfWidth, p.x + kTrailHalfWidth,
                 y + kTrailHalfWidth, {0, 0, 1, 1});
    }
    glEnable(GL_TEXTURE_2D);
    setColor(1, 1, 1, 1);
}

namespace {

constexpr float kTitleScale = 8.0f;  // 5-unit glyphs become 40 units
constexpr float kTitleMargin = 40.0f;

void drawTitle(std::string title) {
    for (char& c : title) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    glPushMatrix();
    glTranslatef(kTitleMargin, kWorldSide - kTitleMargin - kGlyphSize * kTitleScale, 0);
    glScalef(kTitleScale, kTitleScale, 1);
    setColor(1, 1, 1, 1);
    printText(0, 0, title.c_str());
    glPopMatrix();
}

}  // namespace

Image LevelMapRenderer::render(const LevelGrid& grid, int size,
                               const std::vector<TrailPoint>& trail, const std::string& title) {
    if (!ok() || size <= 0) return Image();
    const int savedScrollX = g_scrollX, savedScrollY = g_scrollY;
    installLevelWithoutCreatures(grid);
    setViewport(0, 0, kWorldSide, kWorldSide);
    glClearColor(kSky[0], kSky[1], kSky[2], 1);
    clearScreen();
    drawTiles();
    worldProjection(kWorldSide, kWorldSide);
    drawTrail(trail);
    drawMarks(grid);
    drawTitle(title);
    context_->finish();
    g_scrollX = savedScrollX;
    g_scrollY = savedScrollY;
    return readBack(0, 0, kWorldSide, kWorldSide, size, size);
}

namespace {

constexpr float kKeyWidth = 400;
constexpr float kKeyLineHeight = kMarkSize + 8;
constexpr float kKeyTextScale = 2.5f;

// One line of the key: a mark, a frame or a piece of trail, and its name.
struct KeyLine {
    enum Symbol { kMarkSymbol, kFrameSymbol, kTrailSymbol } symbol;
    Mark mark;
    const float* frame;
    std::string name;
};

std::vector<KeyLine> keyLines() {
    std::vector<KeyLine> lines;
    for (const CreatureKind& kind : creatureKinds())
        lines.push_back(
            {KeyLine::kMarkSymbol, {kind.letter, kind.r, kind.g, kind.b}, nullptr, kind.name});
    lines.push_back({KeyLine::kMarkSymbol, kPointsMark, nullptr, "points"});
    lines.push_back({KeyLine::kMarkSymbol, kLifeMark, nullptr, "extra life"});
    lines.push_back({KeyLine::kFrameSymbol, {}, kStartFrame, "start"});
    lines.push_back({KeyLine::kFrameSymbol, {}, kCheckpointFrame, "checkpoint"});
    lines.push_back({KeyLine::kFrameSymbol, {}, kExitFrame, "exit"});
    lines.push_back({KeyLine::kTrailSymbol, {}, nullptr, "the hero's route"});
    return lines;
}

void drawKeySymbol(float cx, float cy, const KeyLine& line) {
    const float half = kTileSize / 2.0f;
    switch (line.symbol) {
        case KeyLine::kMarkSymbol:
            drawMark(cx, cy, line.mark);
            break;
        case KeyLine::kFrameSymbol:
            drawFrame(cx - half, cy - half, cx + half, cy + half, line.frame);
            break;
        case KeyLine::kTrailSymbol:
            drawBox(cx, cy, half, kTrailColour[0], kTrailColour[1], kTrailColour[2], 1);
            break;
    }
}

void drawKeyName(float x, float cy, std::string name) {
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    glPushMatrix();
    glTranslatef(x, cy - kGlyphSize * kKeyTextScale / 2, 0);
    glScalef(kKeyTextScale, kKeyTextScale, 1);
    setColor(1, 1, 1, 1);
    printText(0, 0, name.c_str());
    glPopMatrix();
}

}  // namespace

Image LevelMapRenderer::renderKey(int width) {
    if (!ok() || width <= 0) return Image();
    std::vector<KeyLine> lines = keyLines();
    const float keyHeight = kKeyLineHeight * lines.size() + 8;
    worldProjection(kWorldSide, kWorldSide);
    glClearColor(kSky[0], kSky[1], kSky[2], 1);
    clearScreen();
    blendNormal();
    for (size_t i = 0; i < lines.size(); ++i) {
        float cy = keyHeight - kKeyLineHeight * (i + 0.5f) - 4;
        drawKeySymbol(8 + kMarkSize / 2, cy, lines[i]);
        drawKeyName(kMarkSize + 20, cy, lines[i].name);
    }
    setColor(1, 1, 1, 1);
    context_->finish();
    int outHeight = static_cast<int>(keyHeight * width / kKeyWidth);
    return readBack(0, 0, static_cast<int>(kKeyWidth), static_cast<int>(keyHeight), width,
                    outHeight);
}

// Averages the rendered pixels of a rectangle into a smaller picture, top row first.
Image LevelMapRenderer::readBack(int x, int y, int width, int height, int outWidth, int outHeight) {
    Image out(outWidth, outHeight);
    for (int oy = 0; oy < outHeight; ++oy) {
        // Output rows count from the top, rendered rows from the bottom.
        int y0 = y + height - (oy + 1) * height / outHeight;
        int y1 = y + height - oy * height / outHeight;
        for (int ox = 0; ox < outWidth; ++ox) {
            int x0 = x + ox * width / outWidth, x1 = x + (ox + 1) * width / outWidth;
            long sum[3] = {0, 0, 0}, count = 0;
            for (int py = y0; py < std::max(y1, y0 + 1); ++py) {
                for (int px = x0; px < std::max(x1, x0 + 1); ++px) {
                    const unsigned char* p = context_->pixel(px, py);
                    for (int c = 0; c < 3; ++c) sum[c] += p[c];
                    ++count;
                }
            }
            out.set(ox, oy, opaqueRgb(sum[0] / count, sum[1] / count, sum[2] / count));
        }
    }
    return out;
}
