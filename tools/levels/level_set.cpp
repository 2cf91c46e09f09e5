// Reading and checking the game's level sources as one set.
#include "levels/level_set.h"

#include <cstdio>
#include <filesystem>

#include "levels/fair_start.h"
#include "levels/level_codes.h"

#ifndef DORIAN_LEVEL_SOURCE_DIR
#define DORIAN_LEVEL_SOURCE_DIR "assets/levels"
#endif
#ifndef DORIAN_LEVEL_DATA_DIR
#define DORIAN_LEVEL_DATA_DIR "data"
#endif

namespace {
std::string numberedName(int number, const char* extension) {
    char name[32];
    std::snprintf(name, sizeof name, "level%02d.%s", number, extension);
    return name;
}
}  // namespace

std::string levelSourcePath(const std::string& folder, int number) {
    return (std::filesystem::path(folder) / numberedName(number, "txt")).string();
}

std::string levelRoutePath(const std::string& folder, int number) {
    return (std::filesystem::path(folder) / numberedName(number, "route")).string();
}

std::string levelAliveRoutePath(const std::string& folder, int number) {
    return (std::filesystem::path(folder) / numberedName(number, "alive.route")).string();
}

std::string levelDataName(int number) {
    return "level" + std::to_string(number) + ".dat";
}

bool readLevelSet(const std::string& folder, std::vector<LevelFile>* out, std::string* error) {
    out->clear();
    for (int number = 1; number <= kLevelCount; ++number) {
        LevelFile file{number, levelSourcePath(folder, number), {}};
        if (!readLevelSource(file.path, &file.source, error)) return false;
        out->push_back(std::move(file));
    }
    return true;
}

std::vector<std::string> checkLevelSet(const std::vector<LevelFile>& levels) {
    std::vector<std::string> problems;
    std::vector<NumberedLevel> numbered;
    for (const LevelFile& level : levels) {
        std::string name = std::filesystem::path(level.path).filename().string();
        std::vector<std::string> found = checkLevel(level.source.grid);
        checkFairArrivals(level.source.grid, &found);
        for (const std::string& problem : found) problems.push_back(name + ": " + problem);
        numbered.push_back({level.number, level.source.grid});
    }
    for (const std::string& problem : checkGame(numbered)) problems.push_back(problem);
    return problems;
}

const char* levelSourceFolder() {
    return DORIAN_LEVEL_SOURCE_DIR;
}
const char* levelDataFolder() {
    return DORIAN_LEVEL_DATA_DIR;
}
