// Route scripts: their text form, the key changes they make and their replay.
#include "levels/route.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

#include "app/globals.h"
#include "app/input.h"
#include "hero/hero.h"
#include "world/level.h"

namespace {

constexpr char kCommentMark = ';';
constexpr char kNoKeys = '-';
// No run of keys lasts longer than this (about 24 minutes of play), so that a
// damaged route cannot keep a replay busy for hours.
constexpr int kLongestRun = 100'000;
// The letters of the keys, in the order they are written and pressed.
constexpr struct {
    int key;
    char letter;
} kKeyLetters[] = {
    {kKeyLeft, 'L'}, {kKeyRight, 'R'}, {kKeyUp, 'U'}, {kKeyDown, 'D'}, {kKeyFire, 'F'}};

bool parseKeys(std::string_view word, int* keys) {
    *keys = 0;
    if (word == std::string_view(&kNoKeys, 1)) return true;
    if (word.empty()) return false;
    for (char c : word) {
        int key = 0;
        for (const auto& k : kKeyLetters)
            if (k.letter == c) key = k.key;
        if (key == 0 || (*keys & key)) return false;
        *keys |= key;
    }
    return true;
}

void press(Hero& hero, int key) {
    if (key == kKeyLeft) hero.pressLeft();
    if (key == kKeyRight) hero.pressRight();
    if (key == kKeyUp) hero.pressUp();
    if (key == kKeyDown) hero.pressDown();
}

void release(Hero& hero, int key) {
    if (key == kKeyLeft) hero.releaseLeft();
    if (key == kKeyRight) hero.releaseRight();
    if (key == kKeyUp) hero.releaseUp();
    if (key == kKeyDown) hero.releaseDown();
}

}  // namespace

int Route::totalFrames() const {
    int total = 0;
    for (const RouteRun& run : runs) total += run.frames;
    return total;
}

void Route::add(int frames, int keys) {
    if (frames <= 0) return;
    if (!runs.empty() && runs.back().keys == keys && !(keys & kKeyFire)) {
        runs.back().frames += frames;
    } else {
        runs.push_back({frames, keys});
    }
}

void Route::keepFirst(int frames) {
    size_t kept = 0;
    for (; kept < runs.size() && frames > 0; ++kept) {
        runs[kept].frames = std::min(runs[kept].frames, frames);
        frames -= runs[kept].frames;
    }
    runs.resize(kept);
}

std::string keysText(int keys) {
    std::string text;
    for (const auto& k : kKeyLetters)
        if (keys & k.key) text += k.letter;
    return text.empty() ? std::string(1, kNoKeys) : text;
}

std::string routeText(const Route& route, const std::string& comment) {
    std::ostringstream out;
    if (!comment.empty()) out << kCommentMark << ' ' << comment << '\n';
    for (const RouteRun& run : route.runs) out << run.frames << ' ' << keysText(run.keys) << '\n';
    return out.str();
}

bool parseRoute(std::string_view text, const std::string& name, Route* out, std::string* error) {
    Route route;
    std::istringstream in{std::string(text)};
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::istringstream words(line);
        std::string framesWord, keysWord, extra;
        if (!(words >> framesWord) || framesWord[0] == kCommentMark) continue;
        int frames = 0, keys = 0;
        auto [end, ec] =
            std::from_chars(framesWord.data(), framesWord.data() + framesWord.size(), frames);
        bool framesOk = ec == std::errc() && end == framesWord.data() + framesWord.size() &&
                        frames > 0 && frames <= kLongestRun;
        if (!framesOk || !(words >> keysWord) || !parseKeys(keysWord, &keys) || (words >> extra)) {
            *error = name + ":" + std::to_string(number) +
                     ": expected \"FRAMES KEYS\" with a count from 1 to " +
                     std::to_string(kLongestRun) + " and keys from L, R, U, D, F or -";
            return false;
        }
        route.runs.push_back({frames, keys});
    }
    *out = route;
    return true;
}

bool readRoute(const std::string& path, Route* out, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = path + ": cannot be opened";
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parseRoute(text.str(), path, out, error);
}

void changeKeys(Hero& hero, int held, int wanted) {
    for (const auto& k : kKeyLetters)
        if ((held & k.key) && !(wanted & k.key)) release(hero, k.key);
    for (const auto& k : kKeyLetters)
        if (!(held & k.key) && (wanted & k.key)) press(hero, k.key);
}

void beginRun(int held, int keys) {
    changeKeys(g_hero, held & kDirectionKeys, keys & kDirectionKeys);
    if (keys & kKeyFire) fireStraightShot();
}

void endRun(int keys) {
    if (keys & kKeyFire) g_hero.shooting = 0;  // what letting go of the key does
}

void installLevel(const LevelGrid& grid) {
    g_enemies.clear();
    g_items.clear();
    for (int row = 0; row < kGridSize; ++row)
        for (int col = 0; col < kGridSize; ++col)
            g_level.grid[row][col] =
                spawnFromCode(grid.cells[row][col], col * kTileSize, row * kTileSize);
}

void installLevelWithoutCreatures(const LevelGrid& grid) {
    installLevel(grid);
    g_enemies.clear();
    g_items.clear();
}

void beginLevelRun() {
    g_hero = Hero();
    g_hero.placeAtStart();
    g_hero.invulnTimer = 0;
    g_onScreens = 0;
    g_completionTimer = 0;
}

RouteOutcome followRoute(const Route& route, void (*frame)()) {
    const int level = g_levelNumber;
    int held = 0, frames = 0;
    for (const RouteRun& run : route.runs) {
        beginRun(held, run.keys);
        held = run.keys;
        for (int i = 0; i < run.frames; ++i) {
            // Per frame, so that an extra life picked up earlier hides no loss.
            const int lives = g_lives;
            frame();
            ++frames;
            if (g_levelNumber != level || g_completionTimer > 0) return {RouteEnd::Exited, frames};
            if (g_hero.dying || g_lives < lives) return {RouteEnd::Died, frames};
        }
        endRun(run.keys);
    }
    return {RouteEnd::Unfinished, frames};
}
