// The ten best scores, kept between runs.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr int kScoreTableSize = 10;

struct HighScore {
    uint32_t score;
    int level;         // the level the game reached
    std::string date;  // "YYYY-MM-DD"
    bool operator==(const HighScore&) const = default;
};

// Best first, at most kScoreTableSize.
extern std::vector<HighScore> g_highScores;

// Reads the score file; a damaged one is reported and left alone.
void loadScores();
// Where `score` would enter the table (0 is the top), or -1 if it would not.
int scoreRank(uint32_t score);
// Enters a score that makes the table, dated today, and saves the table.
// Returns its place, or -1 when it does not make the table.
int recordScore(uint32_t score, int level);
