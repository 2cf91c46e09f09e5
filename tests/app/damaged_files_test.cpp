// Every runtime file in turn removed, emptied or cut in half: the game starts,
// plays through the menu, every level and every era, says only its own
// diagnostics about that one file, and never crashes.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/input.h"
#include "app/screens.h"
#include "gfx/bitmap.h"
#include "gfx/font.h"
#include "support/scratch.h"
#include "support/world.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMenuFrames = 50;
constexpr int kFramesPerLevel = 150;

std::vector<std::string> runtimeFiles() {
    std::vector<std::string> files;
    for (int level = 1; level <= 12; ++level)
        files.push_back("level" + std::to_string(level) + ".dat");
    for (const char* file : kTextureFiles) files.push_back(file);
    files.push_back(kBackgroundRuins);
    for (const char* file : kSongFiles) files.push_back(file);
    for (const char* file : kEffectFiles) files.push_back(file);
    return files;
}

enum class Damage { kRemoved, kEmptied, kHalved };
const char* nameOf(Damage d) {
    return d == Damage::kRemoved ? "removed" : d == Damage::kEmptied ? "emptied" : "halved";
}

// A data folder of links to the real files, with one of them damaged.
void layOutDamaged(const fs::path& source, const std::string& victim, Damage damage) {
    fs::create_directories("music");
    for (const std::string& file : runtimeFiles()) {
        if (file == victim) continue;
        if (fs::exists(source / file)) fs::create_symlink(source / file, file);
    }
    if (damage == Damage::kRemoved) return;
    std::ifstream in(source / victim, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    writeFile(victim, damage == Damage::kEmptied ? "" : bytes.substr(0, bytes.size() / 2));
}

// Start-up without a window, then the menu, every era, and every level.
void playThrough() {
    g_levelNumber = 1;
    g_level.load();
    g_hero = Hero();
    loadTextures();
    buildFont();
    initSounds();
    initMusic();
    g_onScreens = 1;
    for (int i = 0; i < kMenuFrames; ++i) runFrame();
    for (int era = 0; era < kEraCount; ++era) {
        onSpecialDown(GLUT_KEY_DOWN, 0, 0);
        runFrame();
    }
    onKeyDown(13, 0, 0);
    onKeyDown('d', 0, 0);
    for (int level = 1; level <= 12; ++level) {
        g_levelNumber = level;
        reloadLevel();
        g_hero.placeAtStart();
        for (int i = 0; i < kFramesPerLevel; ++i) {
            if (i % 40 == 0) onKeyDown(' ', 0, 0);
            if (i % 40 == 1) onKeyUp(' ', 0, 0);
            runFrame();
        }
        g_onScreens = 0;
    }
    onKeyUp('d', 0, 0);
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

struct DamagedFile : ::testing::TestWithParam<std::tuple<std::string, Damage>> {
    void TearDown() override {
        shutdownAudio();
        resetWorld();
        g_level.load();
    }
};

TEST_P(DamagedFile, GameRunsOnAndSaysOnlyItsOwnDiagnostics) {
    const auto& [victim, damage] = GetParam();
    fs::path source = DORIAN_DATA_DIR;
    if (!fs::exists(source / victim)) GTEST_SKIP() << victim << " is not built yet";
    ScratchFolder scratch;
    layOutDamaged(source, victim, damage);
    resetWorld();
    testing::internal::CaptureStdout();
    playThrough();
    std::vector<std::string> lines = linesOf(testing::internal::GetCapturedStdout());

    bool isPicture = victim.size() > 4 && victim.substr(victim.size() - 4) == ".bmp";
    std::string expected;
    if (isPicture && damage == Damage::kRemoved) expected = " can't open file: " + victim;
    if (isPicture && damage == Damage::kEmptied)
        expected = "not a 24 bit/pixelimage, or is compressed!";
    if (expected.empty()) {
        EXPECT_TRUE(lines.empty()) << lines.front();
    } else {
        EXPECT_FALSE(lines.empty());
        for (const std::string& line : lines) EXPECT_EQ(line, expected);
    }
}

std::string caseName(const testing::TestParamInfo<DamagedFile::ParamType>& info) {
    std::string name = std::get<0>(info.param) + "_" + nameOf(std::get<1>(info.param));
    for (char& c : name)
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryFile, DamagedFile,
                         ::testing::Combine(::testing::ValuesIn(runtimeFiles()),
                                            ::testing::Values(Damage::kRemoved, Damage::kEmptied,
                                                              Damage::kHalved)),
                         caseName);

}  // namespace
