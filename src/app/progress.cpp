// Progress through the eras, kept in progress.ini in the data folder.
#include "app/progress.h"

#include <string>
#include <vector>

#include "app/screens.h"
#include "platform/user_files.h"
#include "platform/user_text.h"

int g_furthestLevel[5] = {};

namespace {
UserFile s_file{UserFolder::kData, "progress.ini", "starting with no saved progress"};

constexpr const char* kHeader =
    "; Dorian Hazardous progress: the furthest level reached in each era\n";

int lastLevelOfEra(int era) {
    return era < kEraCount ? firstLevelOfEra(era + 1) - 1 : kLastLevel;
}

std::string eraName(int era) {
    return "era" + std::to_string(era);
}

int eraNamed(const std::string& name) {
    for (int era = 1; era <= kEraCount; ++era)
        if (name == eraName(era)) return era;
    return 0;
}

bool readEntry(const IniEntry& entry, int* furthest, FileProblem* problem) {
    int era = eraNamed(entry.key);
    long level = 0;
    std::string wrong;
    if (!entry.section.empty()) {
        wrong = "unexpected section [" + entry.section + "]: this file has none";
    } else if (!era) {
        wrong = "unknown entry " + entry.key;
    } else if (!parseWholeNumber(entry.value, 0, lastLevelOfEra(era), &level) ||
               (level && level < firstLevelOfEra(era))) {
        wrong = entry.key + " must be 0 or a level from " + std::to_string(firstLevelOfEra(era)) +
                " to " + std::to_string(lastLevelOfEra(era));
    }
    if (!wrong.empty()) {
        *problem = {entry.line, wrong};
        return false;
    }
    furthest[era] = static_cast<int>(level);
    return true;
}

std::string progressText() {
    std::string text = kHeader;
    for (int era = 1; era <= kEraCount; ++era)
        text += eraName(era) + " = " + std::to_string(g_furthestLevel[era]) + "\n";
    return text;
}
}  // namespace

int eraOfLevel(int level) {
    int era = 1;
    while (era < kEraCount && level >= firstLevelOfEra(era + 1)) ++era;
    return era;
}

void loadProgress() {
    for (int& level : g_furthestLevel) level = 0;
    std::string text;
    if (!s_file.load(&text)) return;
    int furthest[kEraCount + 1] = {};
    std::vector<IniEntry> entries;
    FileProblem problem;
    bool ok = parseIni(text, &entries, &problem);
    for (size_t i = 0; ok && i < entries.size(); ++i)
        ok = readEntry(entries[i], furthest, &problem);
    if (!ok) {
        s_file.reportDamage(problem.line, problem.what);
        return;
    }
    for (int era = 1; era <= kEraCount; ++era) g_furthestLevel[era] = furthest[era];
}

void noteLevelReached(int level) {
    if (level < 1 || level > kLastLevel) return;
    int era = eraOfLevel(level);
    if (level <= g_furthestLevel[era]) return;
    g_furthestLevel[era] = level;
    s_file.save(progressText());
}
