// The high-score table, kept in scores.txt in the data folder.
#include "app/scores.h"

#include <algorithm>
#include <ctime>
#include <sstream>

#include "app/progress.h"
#include "platform/user_files.h"
#include "platform/user_text.h"

std::vector<HighScore> g_highScores;

namespace {
UserFile s_file{UserFolder::kData, "scores.txt", "starting with an empty high-score table"};

constexpr const char* kHeader =
    "# Dorian Hazardous high scores, best first: score, level reached, date\n";
constexpr long kLastYear = 9999;

bool isDate(const std::string& text) {
    long year, month, day;
    return text.size() == 10 && text[4] == '-' && text[7] == '-' &&
           parseWholeNumber(text.substr(0, 4), 0, kLastYear, &year) &&
           parseWholeNumber(text.substr(5, 2), 1, 12, &month) &&
           parseWholeNumber(text.substr(8, 2), 1, 31, &day);
}

bool readEntry(const std::string& line, HighScore* entry) {
    std::istringstream fields(line);
    std::string score, level, date, extra;
    fields >> score >> level >> date;
    long points, reached;
    if (fields >> extra || !parseWholeNumber(score, 1, UINT32_MAX, &points) ||
        !parseWholeNumber(level, 1, kLastLevel, &reached) || !isDate(date))
        return false;
    *entry = {static_cast<uint32_t>(points), static_cast<int>(reached), date};
    return true;
}

// The table as written: best first, ten at most, no empty scores.
bool readTable(const std::string& text, std::vector<HighScore>* table, FileProblem* problem) {
    std::vector<std::string> lines = textLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        HighScore entry;
        std::string wrong;
        if (!isPlainText(line)) {
            wrong = "not text";
        } else if (line.empty() || line[0] == '#') {
            continue;
        } else if (!readEntry(line, &entry)) {
            wrong = "not a \"score level YYYY-MM-DD\" line";
        } else if (table->size() == kScoreTableSize) {
            wrong = "more than " + std::to_string(kScoreTableSize) + " scores";
        } else if (!table->empty() && entry.score > table->back().score) {
            wrong = "scores out of order";
        }
        if (!wrong.empty()) {
            *problem = {static_cast<int>(i) + 1, wrong};
            return false;
        }
        table->push_back(entry);
    }
    return true;
}

std::string tableText() {
    std::string text = kHeader;
    for (const HighScore& entry : g_highScores)
        text += std::to_string(entry.score) + " " + std::to_string(entry.level) + " " + entry.date +
                "\n";
    return text;
}

std::string today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[16] = "1970-01-01";
    if (localtime_r(&now, &local)) std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}
}  // namespace

void loadScores() {
    g_highScores.clear();
    std::string text;
    if (!s_file.load(&text)) return;
    std::vector<HighScore> table;
    FileProblem problem;
    if (readTable(text, &table, &problem)) {
        g_highScores = table;
    } else {
        s_file.reportDamage(problem.line, problem.what);
    }
}

// An equal score goes below the one already there.
int scoreRank(uint32_t score) {
    if (score == 0) return -1;
    int rank = 0;
    while (rank < static_cast<int>(g_highScores.size()) && g_highScores[rank].score >= score)
        ++rank;
    return rank < kScoreTableSize ? rank : -1;
}

int recordScore(uint32_t score, int level) {
    int rank = scoreRank(score);
    if (rank < 0) return -1;
    HighScore entry{score, std::clamp(level, 1, kLastLevel), today()};
    g_highScores.insert(g_highScores.begin() + rank, entry);
    if (g_highScores.size() > kScoreTableSize) g_highScores.resize(kScoreTableSize);
    s_file.save(tableText());
    return rank;
}
