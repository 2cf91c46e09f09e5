// The command line: the game's own options and the ones GLUT takes.
#pragma once
#include <string>
#include <vector>

enum class ScreenChoice { FromSettings, Windowed, FullScreen };

struct Options {
    ScreenChoice screen = ScreenChoice::FromSettings;
    bool help = false;
    bool version = false;
    // argv[0] and the X options GLUT understands, handed on to glutInit.
    std::vector<char*> glutArgs;
};

// Fills `out`; false with one readable line in `error` for anything unknown.
bool parseOptions(int argc, char** argv, Options* out, std::string* error);
// What --help prints.
std::string usageText();
// What --version prints.
std::string versionText();
