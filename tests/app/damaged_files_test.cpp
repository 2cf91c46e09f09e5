// Every runtime file in turn removed, emptied or cut in half, and one of each
// kind made a directory, a FIFO, an endless device or a huge file: the game
// plays through the menu, every level and every era, says only its own
// diagnostics about that one file, and never hangs or crashes.
#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/input.h"
#include "app/screens.h"
#include "gfx/bitmap.h"
#include "gfx/font.h"
#include "support/files.h"
#include "support/scratch.h"
#include "support/world.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMenuFrames = 50;
constexpr int kFramesPerLevel = 150;

std::vector<std::string> runtimeFiles() {
    std::vector<std::string> files(std::begin(kTextureFiles), std::end(kTextureFiles));
    files.push_back(kBackgroundRuins);
    for (int level = 1; level <= 12; ++level)
        files.push_back("level" + std::to_string(level) + ".dat");
    files.insert(files.end(), std::begin(kSongFiles), std::end(kSongFiles));
    files.insert(files.end(), std::begin(kEffectFiles), std::end(kEffectFiles));
    return files;
}

// What is done to the file: the first three to every file, the rest to one of each kind.
const std::string kEveryFileDamages[] = {"removed", "emptied", "halved"};
const std::string kKindDamages[] = {"directory", "fifo", "endless", "huge"};

constexpr uintmax_t kHugeFileBytes = uintmax_t(3) << 30;  // sparse: costs no disk

// A data folder of links to the real files, with one of them damaged.
void layOutDamaged(const fs::path& source, const std::string& victim, const std::string& damage) {
    fs::create_directories("music");
    for (const std::string& file : runtimeFiles()) {
        if (file == victim) continue;
        if (fs::exists(source / file)) fs::create_symlink(source / file, file);
    }
    std::string bytes = fileBytes(source / victim);
    if (damage == "emptied") writeFile(victim, "");
    if (damage == "halved") writeFile(victim, bytes.substr(0, bytes.size() / 2));
    if (damage == "directory") fs::create_directory(victim);
    if (damage == "fifo" && mkfifo(victim.c_str(), 0600) != 0) FAIL() << victim;
    if (damage == "endless") fs::create_symlink("/dev/zero", victim);
    if (damage == "huge") writeFile(victim, bytes), fs::resize_file(victim, kHugeFileBytes);
}

// Start-up without a window, then the menu, every era, and every level.
void playThrough() {
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

struct DamagedFile : ::testing::TestWithParam<std::tuple<std::string, std::string>> {
    // SDL's silent device: songs and effects are read as with real sound.
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
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
    testing::internal::CaptureStderr();
    playThrough();
    std::vector<std::string> errors = linesOf(testing::internal::GetCapturedStderr());
    std::vector<std::string> lines = linesOf(testing::internal::GetCapturedStdout());

    // Pictures have their own two messages; other kinds tell only of files
    // they refuse, on standard error.
    bool isPicture = victim.ends_with(".bmp");
    bool special = std::count(std::begin(kKindDamages), std::end(kKindDamages), damage);
    std::string expected;
    if (isPicture)
        expected = damage == "removed" || special ? " can't open file: " + victim
                                                  : "not a 24 bit/pixelimage, or is compressed!";
    EXPECT_EQ(lines.empty(), expected.empty());
    for (const std::string& line : lines) EXPECT_EQ(line, expected);
    EXPECT_EQ(errors.empty(), isPicture || !special);
    for (const std::string& line : errors) EXPECT_NE(line.find(victim), std::string::npos) << line;
}

std::string caseName(const testing::TestParamInfo<DamagedFile::ParamType>& info) {
    std::string name = std::get<0>(info.param) + "_" + std::get<1>(info.param);
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return !isalnum(c); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryFile, DamagedFile,
                         ::testing::Combine(::testing::ValuesIn(runtimeFiles()),
                                            ::testing::ValuesIn(kEveryFileDamages)),
                         caseName);
INSTANTIATE_TEST_SUITE_P(EveryKind, DamagedFile,
                         ::testing::Combine(::testing::Values("level3.dat", kBackgroundRuins,
                                                              kSongFiles[0], "zap.wav"),
                                            ::testing::ValuesIn(kKindDamages)),
                         caseName);

}  // namespace
