// Loading a level file: tokens, spawn codes and the start position.
#include "world/level.h"

#include <climits>
#include <cstdio>
#include <sstream>
#include <string>

#include "app/globals.h"
#include "enemies/bystander.h"
#include "enemies/creeper.h"
#include "enemies/enemy.h"
#include "enemies/flyer.h"
#include "enemies/giant.h"
#include "enemies/gunner.h"
#include "enemies/hopper.h"
#include "enemies/snake.h"
#include "enemies/static_snake.h"
#include "enemies/strider.h"
#include "enemies/swimmer.h"
#include "enemies/tiger.h"
#include "enemies/tribesman.h"
#include "enemies/turret.h"
#include "platform/data_file.h"
#include "shots/item.h"

namespace {

bool isSpace(char ch) {
    return ch == ' ' || ch == '\n' || ch == '\t' || ch == '\r' || ch == '\v' || ch == '\f';
}

bool isDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// Reads one decimal integer from `text` at `*pos` the way "%d" does, but
// treats a value outside int's range as a failed read instead of wrapping it
// into another code.
bool readInt(const std::string& text, size_t* pos, int* out) {
    size_t i = *pos;
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    if (i >= text.size() || !isDigit(text[i])) return false;
    long long value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) return false;
    }
    if (negative) value = -value;
    if (value < INT_MIN || value > INT_MAX) return false;
    *pos = i;
    *out = static_cast<int>(value);
    return true;
}

}  // namespace

Level::Level() {
    load();
}

void Level::load() {
    for (auto& gridRow : grid)
        for (int& cell : gridRow) cell = kEmpty;
    std::snprintf(fileName, sizeof fileName, "level%d.dat", g_levelNumber);
    DataFile file = readDataFile(fileName, kMaxLevelBytes);
    reportRefusal(fileName, file);
    if (file.status != DataFile::kRead) return;  // an empty level; the start position stays
    size_t pos = 0;
    bool reading = true;
    for (int row = 0; row < kGridSize; ++row) {
        for (int col = 0; col < kGridSize; ++col) {
            if (reading) reading = readInt(file.bytes, &pos, &grid[row][col]);
            if (!reading) break;
            grid[row][col] = spawnFromCode(grid[row][col], col * kTileSize, row * kTileSize);
        }
    }
}

std::string levelTitle(int number) {
    DataFile file = readDataFile(kTitleFileName, kMaxLevelBytes);
    reportRefusal(kTitleFileName, file);
    std::istringstream in(file.bytes);
    std::string line;
    const std::string prefix = std::to_string(number) + " ";
    while (std::getline(in, line))
        if (line.compare(0, prefix.size(), prefix) == 0) return line.substr(prefix.size());
    return "";
}

void reloadLevel() {
    g_enemies.clear();
    g_items.clear();
    g_level.load();
}

int spawnFromCode(int code, int x, int y) {
    if (code <= -91) {
        spawnItem(code, x, y);
        return kEmpty;
    }
    if (code == kStartMarker) {
        g_startX = x;
        g_startY = y - kTileSize;  // the hero's feet stand on the row below
        return kStartMarker;
    }
    switch (code) {
        case -34:
        case -33:
            spawnEnemy<Flyer>(code, x, y);
            return kEmpty;
        case -32:
            spawnEnemy<Snake>(code, x, y);
            return kEmpty;
        case -31:
        case -30:
        case -29:
        case -28:
            spawnEnemy<Tribesman>(code, x, y);
            return kEmpty;
        case -27:
            spawnEnemy<StaticSnake>(code, x, y)->dir = 1;
            return kEmpty;
        case -26:
            spawnEnemy<StaticSnake>(code, x, y)->dir = -1;
            return kEmpty;
        // A turret sits in a wall.
        case -25:
            spawnEnemy<Turret>(code, x, y)->dir = 1;
            return kTurretBlock;
        case -24:
            spawnEnemy<Turret>(code, x, y)->dir = -1;
            return kTurretBlock;
        case -23:
            spawnEnemy<Bystander>(code, x, y);
            return kEmpty;
        case -22:
            spawnEnemy<Hopper>(code, x, y)->baseY = y;
            return kEmpty;
        case -21:
        case -20:
        case -13:
            spawnEnemy<Strider>(code, x, y);
            return kEmpty;
        case -19:
            spawnEnemy<Tiger>(code, x, y);
            return kEmpty;
        case -18:
            spawnEnemy<Creeper>(code, x, y);
            return kEmpty;
        case -17:
        case -16:
            spawnEnemy<Giant>(code, x, y);
            return kEmpty;
        case -15:
        case -14:
            spawnEnemy<Gunner>(code, x, y);
            return kEmpty;
        default:
            break;
    }
    if (code < -8) {
        spawnEnemy<Swimmer>(code, x + 10, y);  // the middle of its cell, left as water
        return kSwimmerWater;
    }
    if (code <= -2) {
        spawnEnemy<Enemy>(code, x, y);  // the basic walker
        return kEmpty;
    }
    return code;
}
