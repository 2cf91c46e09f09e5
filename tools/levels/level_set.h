// The twelve level sources of the game, their routes and their level files.
#pragma once
#include <string>
#include <vector>

#include "levels/level_check.h"
#include "levels/level_text.h"

struct LevelFile {
    int number;
    std::string path;
    LevelSource source;
};

// "FOLDER/level07.txt", "FOLDER/level07.route", "FOLDER/level07.alive.route"
// and "level7.dat".
std::string levelSourcePath(const std::string& folder, int number);
std::string levelRoutePath(const std::string& folder, int number);
std::string levelAliveRoutePath(const std::string& folder, int number);
std::string levelDataName(int number);

// Reads the sources of levels 1 to 12 from `folder`; stops at the first error.
bool readLevelSet(const std::string& folder, std::vector<LevelFile>* out, std::string* error);
// Every problem of every level, "levelNN.txt: problem", then those of the game.
std::vector<std::string> checkLevelSet(const std::vector<LevelFile>& levels);

// The folders fixed when the tools are configured.
const char* levelSourceFolder();
const char* levelDataFolder();
