// Test helper: small level pictures turned into full level sources.
#pragma once
#include <string>
#include <vector>

#include "levels/level_text.h"

// A level source whose map is `rows` (top row first) in the bottom-left
// corner, with walls everywhere else, and one legend for every sketch.
inline std::string sketchSource(const std::vector<std::string>& rows) {
    // Air, wall, ladder, water, spikes, start, exit, checkpoint, walker, points,
    // turret, hopper and back wall.
    std::string text = "title sketch\n";
    for (const char* legend : {". -1", "# 1", "H 64", "~ 129", "^ 126", "S 95", "E 104", "C 111",
                               "w -2", "$ -100", "T -24", "p -22", "B 102"})
        text += "legend " + std::string(legend) + "\n";
    text += "map\n";
    const int blank = kLevelSide - static_cast<int>(rows.size());
    for (int i = 0; i < kLevelSide; ++i) {
        std::string line = i < blank ? "" : rows[i - blank];
        line.resize(kLevelSide, '#');
        text += line + "\n";
    }
    return text;
}

inline LevelGrid sketchGrid(const std::vector<std::string>& rows) {
    LevelSource source;
    std::string error;
    parseLevelSource(sketchSource(rows), "sketch", &source, &error);
    return source.grid;
}
