// dorian_levels: checks the level sources and writes the game's level files.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "levels/level_set.h"
#include "world/level.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: dorian_levels SOURCE_FOLDER OUTPUT_FOLDER\n"
                 "       dorian_levels --check SOURCE_FOLDER\n");
    return 2;
}

bool writeText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return usage();
    const bool checkOnly = std::string(argv[1]) == "--check";
    const std::string sources = checkOnly ? argv[2] : argv[1];
    std::vector<LevelFile> levels;
    std::string error;
    if (!readLevelSet(sources, &levels, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::vector<std::string> problems = checkLevelSet(levels);
    for (const std::string& problem : problems) std::fprintf(stderr, "%s\n", problem.c_str());
    if (!problems.empty()) return 1;
    if (checkOnly) {
        std::printf("%zu levels checked\n", levels.size());
        return 0;
    }
    std::filesystem::path output = argv[2];
    std::error_code ignored;
    std::filesystem::create_directories(output, ignored);
    std::string titles;
    for (const LevelFile& level : levels) {
        std::filesystem::path file = output / levelDataName(level.number);
        if (!writeText(file, levelDataText(level.source.grid))) {
            std::fprintf(stderr, "%s: cannot be written\n", file.string().c_str());
            return 1;
        }
        titles += std::to_string(level.number) + " " + level.source.title + "\n";
    }
    // The game shows each level's title as it begins.
    std::filesystem::path titleFile = output / kTitleFileName;
    if (!writeText(titleFile, titles)) {
        std::fprintf(stderr, "%s: cannot be written\n", titleFile.string().c_str());
        return 1;
    }
    return 0;
}
