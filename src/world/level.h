// The level: a 100 by 100 grid of tile codes read from "level%d.dat".
#pragma once
#include <string>

constexpr int kGridSize = 100;
constexpr int kTileSize = 20;

// Tile codes that mean something beyond their picture.
constexpr int kEmpty = -1;
constexpr int kFirstLadder = 64;
constexpr int kLastLadder = 79;
constexpr int kTurretBlock = 24;
constexpr int kStartMarker = 95;
constexpr int kExit = 104;
constexpr int kCheckpoint = 111;
constexpr int kDeadlyLow = 126;
constexpr int kDeadlyHigh = 127;
constexpr int kFirstWater = 128;
constexpr int kLastWater = 138;
constexpr int kSwimmerWater = 129;
constexpr int kWaterCheckpoint = 135;

class Level {
   public:
    Level();
    // Fills the grid from the file of g_levelNumber, spawning its creatures
    // and pick-ups into g_enemies and g_items and setting the start position.
    // Callers empty those lists first.
    void load();
    // Draws the tiles that overlap the view at the current camera.
    void draw();
    // The one way to read a tile: rows and columns outside 0..99 are empty.
    int at(int row, int col) const {
        if (row < 0 || row >= kGridSize || col < 0 || col >= kGridSize) return kEmpty;
        return grid[row][col];
    }

    int grid[kGridSize][kGridSize];  // [row][column], row 0 at the bottom
    char fileName[32];
};

extern Level g_level;

// One line a level, "NUMBER TITLE", beside the level files.
constexpr const char* kTitleFileName = "titles.txt";
// The title of a level from the title file, or "" when it has none.
std::string levelTitle(int number);

// Empties the creature and pick-up lists and loads the level of g_levelNumber.
void reloadLevel();

// Applies a level's spawn code: creates the entity it stands for, if any,
// and returns what the cell holds afterwards.
int spawnFromCode(int code, int x, int y);
