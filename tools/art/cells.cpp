// The table of drawn rectangles: the sprite cells, tiles, glyphs and whole pictures.
#include "art/cells.h"

#include <cmath>
#include <map>

namespace {

constexpr int kFirstGlyph = 33;  // the space has nothing to show
constexpr int kLastGlyph = 126;
constexpr int kFontGrid = 16;
constexpr int kItemGrid = 6;
constexpr float kItemCell = 0.1667f;
constexpr int kLastWaterTile = 138;

class TableBuilder {
   public:
    std::vector<Cell> cells;

    void add(const std::string& sheet, float s0, float t0, float s1, float t1,
             const std::string& name, const std::string& animation = "",
             CellKind kind = CellKind::Sprite) {
        cells.push_back({sheet, s0, t0, s1, t1, name, kind, animation});
    }
    // Frames side by side from s = u, each `w` wide and `h` high, named name.0, name.1, ...
    void strip(const std::string& sheet, float u, float v, float w, float h, int frames,
               const std::string& name) {
        for (int i = 0; i < frames; ++i)
            add(sheet, u + w * i, v, u + w * (i + 1), v + h, name + "." + std::to_string(i), name);
    }
};

void addHeroSheet(TableBuilder& b) {
    const std::string s = "dorin3.bmp";
    b.add(s, 0.0f, 0.8f, 0.2f, 1.0f, "hero.walk.a", "hero.walk");
    b.add(s, 0.2f, 0.8f, 0.4f, 1.0f, "hero.walk.b", "hero.walk");
    b.add(s, 0.4f, 0.8f, 0.6f, 1.0f, "hero.shoot.a", "hero.shoot");
    b.add(s, 0.6f, 0.8f, 0.8f, 1.0f, "hero.shoot.b", "hero.shoot");
    b.add(s, 0.0f, 0.6f, 0.2f, 0.799f, "hero.duck.a", "hero.duck");
    b.add(s, 0.2f, 0.6f, 0.4f, 0.799f, "hero.duck.b", "hero.duck");
    b.add(s, 0.4f, 0.6f, 0.6f, 0.79f, "hero.jump");
    b.add(s, 0.8f, 0.2f, 1.0f, 0.4f, "hero.death.a", "hero.death");
    b.add(s, 0.8f, 0.4f, 1.0f, 0.6f, "hero.death.b", "hero.death");
    b.add(s, 0.2f, 0.8f, 0.4f, 1.0f, "hud.life");
    b.add(s, 0.6f, 0.8f, 0.8f, 1.0f, "menu.era_marker");
    // The basic walkers: two frames each, stored facing the way they walk first (left).
    const struct {
        int code;
        float u, v;
    } walkers[] = {{-8, 0.4f, 0.0f}, {-7, 0.0f, 0.0f}, {-6, 0.4f, 0.2f}, {-5, 0.0f, 0.2f},
                   {-4, 0.4f, 0.4f}, {-3, 0.0f, 0.4f}, {-2, 0.6f, 0.6f}};
    for (const auto& w : walkers) {
        const std::string name = "walker" + std::to_string(w.code);
        b.add(s, w.u, w.v, w.u + 0.2f, w.v + 0.199f, name + ".a", name);
        b.add(s, w.u + 0.2f, w.v, w.u + 0.4f, w.v + 0.199f, name + ".b", name);
    }
}

void addEnemy2Sheet(TableBuilder& b) {
    const std::string s = "enemy2.bmp";
    b.add(s, 0.0f, 0.0f, 0.2f, 0.2f, "hero.climb.a", "hero.climb");
    b.add(s, 0.2f, 0.0f, 0.4f, 0.2f, "hero.climb.b", "hero.climb");
    b.add(s, 0.4f, 0.0f, 0.6f, 0.2f, "hopper.air", "hopper");
    b.add(s, 0.8f, 0.0f, 1.0f, 0.2f, "hopper.rest", "hopper");
    b.add(s, 0.6f, 0.0f, 0.8f, 0.2f, "hopper.crouch", "hopper");
    const float thirds[4] = {0.0f, 0.333f, 0.666f, 1.0f};
    for (int i = 0; i < 7; ++i) {
        const int col = i % 3, row = i / 3;
        const float top = 1.0f - 0.2f * row;
        b.add(s, thirds[col], top - 0.2f, thirds[col + 1], top, "bystander." + std::to_string(i),
              "bystander");
    }
}

void addEnemy3Sheet(TableBuilder& b) {
    const std::string s = "enemy3.bmp";
    b.strip(s, 0.0f, 0.8f, 0.2f, 0.2f, 3, "swimmer-9");
    b.strip(s, 0.0f, 0.6f, 0.2f, 0.2f, 3, "swimmer-10");
    b.strip(s, 0.0f, 0.4f, 0.2f, 0.2f, 3, "leaper-11");
    b.strip(s, 0.0f, 0.2f, 0.2f, 0.2f, 3, "swimmer-12");
    // The striders share their rows with two of the swimmers: creatures of land and water.
    b.strip(s, 0.0f, 0.6f, 0.2f, 0.2f, 3, "strider-21");
    b.strip(s, 0.0f, 0.2f, 0.2f, 0.2f, 3, "strider-20");
    b.strip(s, 0.0f, 0.0f, 0.2f, 0.2f, 3, "strider-13");
    b.strip(s, 0.6f, 0.2f, 0.2f, 0.2f, 2, "gunner-15");
    b.strip(s, 0.6f, 0.0f, 0.2f, 0.2f, 2, "gunner-14");
    // The creeper in the order it shows them: the spurt, then three resting cells.
    b.add(s, 0.8f, 0.6f, 1.0f, 0.798f, "creeper.0", "creeper");
    b.add(s, 0.6f, 0.6f, 0.8f, 0.798f, "creeper.1", "creeper");
    b.add(s, 0.6f, 0.8f, 0.8f, 0.998f, "creeper.2", "creeper");
    b.add(s, 0.8f, 0.8f, 1.0f, 0.998f, "creeper.3", "creeper");
    b.add(s, 0.6f, 0.4f, 0.8f, 0.6f, "turret.right");
    b.add(s, 0.8f, 0.4f, 1.0f, 0.6f, "turret.left");
}

// Four-frame walkers on 50 by 40 cells (the giant and the snake), in the order of a step.
void addBigSheet(TableBuilder& b, const std::string& s, const std::string& name, float upperTop) {
    b.add(s, 0.0f, 0.32f, 0.5f, upperTop, name + ".0", name);
    b.add(s, 0.5f, 0.32f, 1.0f, upperTop, name + ".1", name);
    b.add(s, 0.0f, 0.0f, 0.5f, 0.318f, name + ".2", name);
    b.add(s, 0.5f, 0.0f, 1.0f, 0.318f, name + ".3", name);
}

void addCreatureSheets(TableBuilder& b) {
    addBigSheet(b, "big.bmp", "giant-17", 0.678f);
    b.add("big.bmp", 0.0f, 0.68f, 0.5f, 1.0f, "giant-16.0", "giant-16");
    b.add("big.bmp", 0.5f, 0.68f, 1.0f, 1.0f, "giant-16.1", "giant-16");
    addBigSheet(b, "snake.bmp", "snake", 0.658f);
    b.add("snake.bmp", 0.0f, 0.667f, 0.333f, 1.0f, "static_snake.0", "static_snake");
    b.add("snake.bmp", 0.332f, 0.667f, 0.665f, 1.0f, "static_snake.1", "static_snake");
    b.add("snake.bmp", 0.668f, 0.667f, 1.0f, 1.0f, "static_snake.2", "static_snake");
    // The tiger's run, stored facing right, in reading order from the top left.
    const float rows[3][2] = {{0.666f, 1.0f}, {0.333f, 0.666f}, {0.0f, 0.333f}};
    for (int i = 0; i < 6; ++i) {
        const float s0 = (i % 2) * 0.5f;
        b.add("tiger.bmp", s0, rows[i / 2][0], s0 + 0.5f, rows[i / 2][1],
              "tiger." + std::to_string(i), "tiger");
    }
    // Tribesmen: 4 by 4 cells of 0.25 by 0.248.
    b.strip("tribe.bmp", 0.0f, 0.75f, 0.25f, 0.248f, 4, "tribe-28.walk");
    b.strip("tribe.bmp", 0.0f, 0.5f, 0.25f, 0.248f, 4, "tribe-29.walk");
    b.add("tribe.bmp", 0.0f, 0.25f, 0.25f, 0.498f, "tribe-29.swing.0", "tribe-29.swing");
    b.add("tribe.bmp", 0.25f, 0.25f, 0.5f, 0.498f, "tribe-29.swing.1", "tribe-29.swing");
    b.add("tribe.bmp", 0.75f, 0.25f, 1.0f, 0.498f, "tribe-29.swing.2", "tribe-29.swing");
    b.strip("tribe.bmp", 0.0f, 0.0f, 0.25f, 0.248f, 4, "tribe-31.walk");
    b.strip("flies.bmp", 0.0f, 0.0f, 0.25f, 0.248f, 4, "tribe-30.walk");
    b.strip("flies.bmp", 0.0f, 0.25f, 0.25f, 0.248f, 4, "tribe-30.throw");
    b.strip("flies.bmp", 0.0f, 0.5f, 0.25f, 0.25f, 4, "fly-34");
    b.strip("flies.bmp", 0.0f, 0.75f, 0.25f, 0.25f, 4, "fly-33");
}

void addFlaresAndItems(TableBuilder& b) {
    const std::string s = "flares.bmp";
    b.add(s, 0.0f, 0.75f, 0.25f, 1.0f, "flare.glow");
    b.add(s, 0.25f, 0.75f, 0.5f, 1.0f, "flare.star");
    b.add(s, 0.5f, 0.75f, 0.75f, 1.0f, "flare.core");
    b.add(s, 0.75f, 0.75f, 1.0f, 1.0f, "flare.bolt");
    b.add(s, 0.0f, 0.5f, 0.25f, 0.75f, "flare.sparkle");
    b.add(s, 0.25f, 0.49f, 0.51f, 0.75f, "flare.ring");
    b.add(s, 0.75f, 0.5f, 1.0f, 0.75f, "flare.stone");
    for (int i = 0; i < kItemGrid * kItemGrid; ++i) {
        const int row = i / kItemGrid, col = i % kItemGrid;
        b.add("items.bmp", col * kItemCell, row * kItemCell, (col + 1) * kItemCell,
              (row + 1) * kItemCell, "item." + std::to_string(i));
    }
}

void addTiles(TableBuilder& b) {
    for (int code = 0; code <= kLastWaterTile; ++code) {
        const int n = code % (kTileGrid * kTileGrid);
        const float c = float(n % kTileGrid), r = float(n / kTileGrid);
        b.add(tileSheetFor(code), (c + kTileInset) / kTileGrid, (r + kTileInset) / kTileGrid,
              (c + 1 - kTileInset) / kTileGrid, (r + 1 - kTileInset) / kTileGrid,
              "tile." + std::to_string(code), "", CellKind::Tile);
    }
}

void addFontAndPictures(TableBuilder& b) {
    const float g = 1.0f / kFontGrid;
    for (int code = kFirstGlyph; code <= kLastGlyph; ++code) {
        const int i = code - 32;
        const float s0 = (i % kFontGrid) * g, t1 = 1.0f - (i / kFontGrid) * g;
        b.add("font.bmp", s0, t1 - g, s0 + g, t1, "glyph." + std::to_string(code), "",
              CellKind::Glyph);
    }
    b.add("background5.bmp", 0, 0, 1, 1, "background.city", "", CellKind::Picture);
    b.add("background9.bmp", 0, 0, 1, 1, "background.wilds", "", CellKind::Picture);
    b.add("ottologo4.bmp", 0, 0, 1, 1, "logo", "", CellKind::Picture);
}

int roundPixel(float v) {
    return int(std::lround(v));
}

}  // namespace

std::string tileSheetFor(int code) {
    if (code >= 128) return "blocks3.bmp";
    if (code >= 64) return "blocks2.bmp";
    return "blocks1a.bmp";
}

const std::vector<Cell>& gameCells() {
    static const std::vector<Cell> cells = [] {
        TableBuilder b;
        addHeroSheet(b);
        addEnemy2Sheet(b);
        addEnemy3Sheet(b);
        addCreatureSheets(b);
        addFlaresAndItems(b);
        addTiles(b);
        addFontAndPictures(b);
        return b.cells;
    }();
    return cells;
}

// Sprite sheets hold 4 texels per world unit (a 20-unit cell is 80 pixels); tiles 3.
const std::vector<SheetSize>& sheetSizes() {
    static const std::vector<SheetSize> sizes = {
        {"blocks1a.bmp", 480, 480}, {"dorin3.bmp", 400, 400},      {"enemy2.bmp", 600, 400},
        {"enemy3.bmp", 400, 400},   {"blocks2.bmp", 480, 480},     {"blocks3.bmp", 480, 480},
        {"big.bmp", 400, 500},      {"tiger.bmp", 320, 360},       {"flares.bmp", 512, 512},
        {"items.bmp", 480, 480},    {"snake.bmp", 400, 500},       {"tribe.bmp", 384, 400},
        {"flies.bmp", 384, 400},    {"background5.bmp", 600, 500}, {"background9.bmp", 600, 500},
        {"font.bmp", 256, 256},     {"ottologo4.bmp", 320, 360},
    };
    return sizes;
}

const Cell* findCell(const std::string& name) {
    static const std::map<std::string, const Cell*> byName = [] {
        std::map<std::string, const Cell*> m;
        for (const Cell& c : gameCells()) m.emplace(c.name, &c);
        return m;
    }();
    auto it = byName.find(name);
    return it == byName.end() ? nullptr : it->second;
}

const SheetSize* findSheet(const std::string& file) {
    for (const SheetSize& s : sheetSizes())
        if (s.file == file) return &s;
    return nullptr;
}

PixelRect drawnPixels(const Cell& cell, int w, int h) {
    auto clampTo = [](int v, int hi) { return v < 0 ? 0 : (v > hi ? hi : v); };
    return {clampTo(roundPixel(cell.s0 * w), w), clampTo(roundPixel((1.0f - cell.t1) * h), h),
            clampTo(roundPixel(cell.s1 * w), w), clampTo(roundPixel((1.0f - cell.t0) * h), h)};
}

PixelRect paintPixels(const Cell& cell, int w, int h) {
    if (cell.kind != CellKind::Tile) return drawnPixels(cell, w, h);
    const int col = int(cell.s0 * kTileGrid), row = int(cell.t0 * kTileGrid);
    const int cw = w / kTileGrid, ch = h / kTileGrid;
    return {col * cw, h - (row + 1) * ch, (col + 1) * cw, h - row * ch};
}
