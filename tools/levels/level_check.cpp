// The level rules: one start on firm ground, an exit, walls round the play
// area, known codes only, and the game-wide cast.
#include "levels/level_check.h"

#include <set>
#include <sstream>
#include <vector>

#include "levels/level_codes.h"

namespace {

constexpr int kMinCheckpoints = 1;
constexpr int kMaxCheckpoints = 3;
// A cell with back walls on this many of its four sides is a hole in the wall
// once its spawn code leaves it empty or the start beacon stands in it.
constexpr int kHoleSides = 3;

std::string cellName(int row, int col) {
    std::ostringstream out;
    out << "row " << row << " column " << col;
    return out.str();
}

struct Census {
    int starts = 0, exits = 0, checkpoints = 0;
    int startRow = -1, startCol = -1;
};

Census countSpecials(const LevelGrid& grid) {
    Census census;
    for (int row = 0; row < kLevelSide; ++row) {
        for (int col = 0; col < kLevelSide; ++col) {
            int code = grid.cells[row][col];
            if (code == kCodeStart) {
                ++census.starts;
                census.startRow = row;
                census.startCol = col;
            }
            if (code == kCodeExit) ++census.exits;
            if (isCheckpointCode(code)) ++census.checkpoints;
        }
    }
    return census;
}

void checkCodes(const LevelGrid& grid, std::vector<std::string>* problems) {
    for (int row = 0; row < kLevelSide; ++row) {
        for (int col = 0; col < kLevelSide; ++col) {
            int code = grid.cells[row][col];
            if (isKnownCode(code)) continue;
            problems->push_back("unknown code " + std::to_string(code) + " at " +
                                mapPlace(row, col));
        }
    }
}

void checkStart(const LevelGrid& grid, const Census& census, std::vector<std::string>* problems) {
    if (census.starts != 1) {
        problems->push_back("there are " + std::to_string(census.starts) +
                            " start markers; a level needs exactly one");
        return;
    }
    int bodyRow = census.startRow - 1, col = census.startCol;
    std::string where = mapPlace(census.startRow, col);
    if (bodyRow < 1) {
        problems->push_back("the start marker at " + where + " leaves no room for the hero");
        return;
    }
    if (isSolidCode(grid.at(bodyRow, col)))
        problems->push_back("the hero would start inside a wall below the marker at " + where);
    if (!isSolidCode(grid.at(bodyRow - 1, col)))
        problems->push_back("no ground two cells below the start marker at " + where);
}

// Every cell the hero could ever occupy, found from its start through
// anything that is not a wall.
std::vector<std::vector<bool>> openArea(const LevelGrid& grid, int fromRow, int fromCol) {
    std::vector<std::vector<bool>> seen(kLevelSide, std::vector<bool>(kLevelSide, false));
    std::vector<std::pair<int, int>> todo = {{fromRow, fromCol}};
    while (!todo.empty()) {
        auto [row, col] = todo.back();
        todo.pop_back();
        if (row < 0 || row >= kLevelSide || col < 0 || col >= kLevelSide) continue;
        if (seen[row][col] || isSolidCode(grid.cells[row][col])) continue;
        seen[row][col] = true;
        todo.push_back({row + 1, col});
        todo.push_back({row - 1, col});
        todo.push_back({row, col + 1});
        todo.push_back({row, col - 1});
    }
    return seen;
}

void checkWalls(const std::vector<std::vector<bool>>& open, std::vector<std::string>* problems) {
    for (int i = 0; i < kLevelSide; ++i) {
        if (open[i][0]) problems->push_back("no wall on the left at " + cellName(i, 0));
        if (open[i][kLevelSide - 1])
            problems->push_back("no wall on the right at " + cellName(i, kLevelSide - 1));
        if (open[kLevelSide - 1][i])
            problems->push_back("no roof at " + cellName(kLevelSide - 1, i));
    }
}

// Creatures, pick-ups, checkpoints and exits belong inside the play area;
// a turret sits in a wall and must face into it.
void checkPlacement(const LevelGrid& grid, const std::vector<std::vector<bool>>& open,
                    std::vector<std::string>* problems) {
    for (int row = 0; row < kLevelSide; ++row) {
        for (int col = 0; col < kLevelSide; ++col) {
            int code = grid.cells[row][col];
            bool placed = isItemCode(code) || isCreatureCode(code) || code == kCodeExit ||
                          isCheckpointCode(code);
            if (!placed) continue;
            bool reachable = open[row][col];
            if (isTurretCode(code)) {
                int facing = code == kCodeTurretRight ? 1 : -1;
                int front = col + facing;
                reachable = front >= 0 && front < kLevelSide && open[row][front];
            }
            if (!reachable) {
                problems->push_back("code " + std::to_string(code) + " at " + mapPlace(row, col) +
                                    " is outside the play area");
            }
        }
    }
}

bool isWaterAfterLoad(int code) {
    const CreatureKind* kind = creatureKindOf(code);
    return isWaterCode(code) || (kind && kind->habitat == Habitat::Water);
}

bool nextToWater(const LevelGrid& grid, int row, int col) {
    return isWaterAfterLoad(grid.at(row - 1, col)) || isWaterAfterLoad(grid.at(row + 1, col)) ||
           isWaterAfterLoad(grid.at(row, col - 1)) || isWaterAfterLoad(grid.at(row, col + 1));
}

// What is wrong with where a creature stands, or "" if it can live there.
std::string habitatProblem(const LevelGrid& grid, const CreatureKind& kind, int row, int col) {
    bool ground = isSolidCode(grid.at(row - 1, col));
    switch (kind.habitat) {
        case Habitat::Ground:
            return ground ? "" : "has no ground under it";
        case Habitat::TallGround:
            if (!ground) return "has no ground under it";
            return isSolidCode(grid.at(row + 1, col)) ? "has no room above it" : "";
        case Habitat::Water:
            return nextToWater(grid, row, col) ? "" : "is not in water";
        case Habitat::Wall:
            return isSolidCode(grid.at(row + 1, col)) || ground ? "" : "is not set in a wall";
        case Habitat::Air:
            return "";
    }
    return "";
}

// Each kind where its way of moving works: walkers on ground, swimmers in
// water, turrets in walls.
void checkHabitats(const LevelGrid& grid, std::vector<std::string>* problems) {
    for (int row = 0; row < kLevelSide; ++row) {
        for (int col = 0; col < kLevelSide; ++col) {
            const CreatureKind* kind = creatureKindOf(grid.cells[row][col]);
            if (!kind) continue;
            std::string problem = habitatProblem(grid, *kind, row, col);
            if (!problem.empty())
                problems->push_back("the " + kind->name + " at " + mapPlace(row, col) + " " +
                                    problem);
        }
    }
}

// The start beacon and every creature and pick-up leave their cell without a
// back wall; inside one that shows the background through a hole.
void checkBackWallHoles(const LevelGrid& grid, std::vector<std::string>* problems) {
    for (int row = 0; row < kLevelSide; ++row) {
        for (int col = 0; col < kLevelSide; ++col) {
            int code = grid.cells[row][col];
            if (code != kCodeStart && !isItemCode(code) && !isCreatureCode(code)) continue;
            int walls =
                isBackWallCode(grid.at(row, col - 1)) + isBackWallCode(grid.at(row, col + 1)) +
                isBackWallCode(grid.at(row - 1, col)) + isBackWallCode(grid.at(row + 1, col));
            if (walls >= kHoleSides)
                problems->push_back("code " + std::to_string(code) + " at " + mapPlace(row, col) +
                                    " leaves a hole in the back wall around it");
        }
    }
}

}  // namespace

std::vector<std::string> checkLevel(const LevelGrid& grid) {
    std::vector<std::string> problems;
    checkCodes(grid, &problems);
    checkHabitats(grid, &problems);
    checkBackWallHoles(grid, &problems);
    Census census = countSpecials(grid);
    checkStart(grid, census, &problems);
    if (census.exits == 0) problems.push_back("there is no exit (code 104)");
    if (census.checkpoints < kMinCheckpoints || census.checkpoints > kMaxCheckpoints) {
        problems.push_back("there are " + std::to_string(census.checkpoints) +
                           " checkpoints; a level has one to three");
    }
    // Without a sound start there is no play area to look at.
    bool startSound = census.starts == 1 && census.startRow >= 1 &&
                      !isSolidCode(grid.at(census.startRow - 1, census.startCol));
    if (startSound) {
        auto open = openArea(grid, census.startRow - 1, census.startCol);
        checkWalls(open, &problems);
        checkPlacement(grid, open, &problems);
    }
    return problems;
}

namespace {

struct CastSeen {
    std::set<std::string> kinds;
    bool pointsItem = false;
    std::set<int> erasWithExtraLife;
};

CastSeen castOf(const std::vector<NumberedLevel>& levels) {
    CastSeen seen;
    for (const NumberedLevel& level : levels) {
        for (const auto& row : level.grid.cells) {
            for (int code : row) {
                if (const CreatureKind* kind = creatureKindOf(code)) seen.kinds.insert(kind->name);
                if (code == kCodeExtraLife)
                    seen.erasWithExtraLife.insert(eraOfLevel(level.number));
                else if (isItemCode(code))
                    seen.pointsItem = true;
            }
        }
    }
    return seen;
}

}  // namespace

std::vector<std::string> checkGame(const std::vector<NumberedLevel>& levels) {
    std::vector<std::string> problems;
    CastSeen seen = castOf(levels);
    for (const CreatureKind& kind : creatureKinds())
        if (!seen.kinds.count(kind.name)) problems.push_back("no level has a " + kind.name);
    if (!seen.pointsItem) problems.push_back("no level has a points pick-up");
    for (int era = 1; era <= kEraCount; ++era) {
        if (!seen.erasWithExtraLife.count(era))
            problems.push_back("era " + std::to_string(era) + " has no extra life (code -122)");
    }
    return problems;
}
