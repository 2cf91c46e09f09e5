// Test helper: small level pictures turned into full level sources.
#pragma once
#include <string>
#include <vector>

#include "levels/level_text.h"

// A level source whose map is `rows` (top row first) in the bottom-left
// corner, with walls everywhere else, and one legend for every sketch.
inline std::string sketchSource(const std::vector<std::string>& rows) {
    std::string text =
        "title sketch\n"
        "legend . -1 air\n"
        "legend # 1 wall\n"
        "legend H 64 ladder\n"
        "legend ~ 129 water\n"
        "legend ^ 126 spikes\n"
        "legend S 95 start\n"
        "legend E 104 exit\n"
        "legend C 111 checkpoint\n"
        "legend w -2 walker\n"
        "legend $ -100 points\n"
        "legend T -24 turret\n"
        "legend p -22 hopper\n"
        "legend B 102 back wall\n"
        "map\n";
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
