// Every rectangle the game draws from its pictures, and the pixel size of each picture.
#pragma once
#include <string>
#include <vector>

enum class CellKind {
    Sprite,   // drawn exactly on its rectangle; keeps a clear ring so neighbours never bleed in
    Tile,     // drawn inset from its grid cell; painted edge to edge so tiles join without seams
    Glyph,    // a font cell, drawn edge to edge
    Picture,  // the whole image (backgrounds, logo)
};

struct Cell {
    std::string sheet;     // file name, e.g. "dorin3.bmp"
    float s0, t0, s1, t1;  // texture rectangle as drawn; t = 0 is the bottom of the picture
    std::string name;      // what the art sources place into it, e.g. "hero.walk.a"
    CellKind kind;
    std::string animation;  // frames of one animation share this and must differ; "" for stills
};

struct SheetSize {
    std::string file;
    int width, height;
};

const std::vector<Cell>& gameCells();
const std::vector<SheetSize>& sheetSizes();
const Cell* findCell(const std::string& name);
const SheetSize* findSheet(const std::string& file);

// Pixel rectangles, rows counted from the top of the image, half-open.
struct PixelRect {
    int x0, y0, x1, y1;
    int width() const { return x1 - x0; }
    int height() const { return y1 - y0; }
};
// Where the game samples the cell.
PixelRect drawnPixels(const Cell& cell, int sheetWidth, int sheetHeight);
// Where the art for the cell is painted: the drawn rectangle, or the whole grid cell of a tile.
PixelRect paintPixels(const Cell& cell, int sheetWidth, int sheetHeight);

// Tile code n lives on this sheet at this grid cell (8 by 8, row 0 at the bottom).
constexpr int kTileGrid = 8;
constexpr float kTileInset = 0.02f;
std::string tileSheetFor(int code);
