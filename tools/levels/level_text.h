// Level sources: a legend and a picture of the level, turned into the game's level files.
#pragma once
#include <array>
#include <string>
#include <string_view>

constexpr int kLevelSide = 100;

// Raw level codes as the level file holds them, [row][column], row 0 at the bottom.
struct LevelGrid {
    std::array<std::array<int, kLevelSide>, kLevelSide> cells;
    LevelGrid();
    // Cells outside the grid read as empty air.
    int at(int row, int col) const;
};

struct LevelSource {
    std::string title;
    LevelGrid grid;
};

// Reads a level source. On failure returns false and sets `error` to
// "NAME:LINE: what is wrong"; `name` is only used in messages.
bool parseLevelSource(std::string_view text, const std::string& name, LevelSource* out,
                      std::string* error);
bool readLevelSource(const std::string& path, LevelSource* out, std::string* error);

// Where a cell is in the source, as an editor shows it: "map line L column C",
// counting lines from the top of the map and columns from 1.
std::string mapPlace(int row, int col);

// The level file: 100 lines of 100 integers, bottom row first.
std::string levelDataText(const LevelGrid& grid);
