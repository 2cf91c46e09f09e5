// Loading a level file: tokens, spawn codes and the start position.
#include "world/level.h"

#include <climits>
#include <cstdio>
#include <fstream>

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
#include "shots/item.h"

namespace {

// Reads one decimal integer the way "%d" does, but treats a value outside
// int's range as a failed read instead of wrapping it into another code.
bool readInt(std::FILE* f, int* out) {
    int ch;
    do ch = std::getc(f);
    while (ch == ' ' || ch == '\n' || ch == '\t' || ch == '\r' || ch == '\v' || ch == '\f');
    bool negative = ch == '-';
    if (ch == '-' || ch == '+') ch = std::getc(f);
    if (ch < '0' || ch > '9') return false;
    long long value = 0;
    for (; ch >= '0' && ch <= '9'; ch = std::getc(f)) {
        value = value * 10 + (ch - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) return false;
    }
    if (ch != EOF) std::ungetc(ch, f);
    if (negative) value = -value;
    if (value < INT_MIN || value > INT_MAX) return false;
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
    std::FILE* f = std::fopen(fileName, "r");
    if (!f) return;  // an empty level; the start position stays
    bool reading = true;
    for (int row = 0; row < kGridSize; ++row) {
        for (int col = 0; col < kGridSize; ++col) {
            if (reading) reading = readInt(f, &grid[row][col]);
            if (!reading) break;
            grid[row][col] = spawnFromCode(grid[row][col], col * kTileSize, row * kTileSize);
        }
    }
    std::fclose(f);
}

std::string levelTitle(int number) {
    std::ifstream in(kTitleFileName);
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
