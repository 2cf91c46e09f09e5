// Settings, progress and high scores: kept across runs, and a damaged file
// gives the defaults, one line on stderr, and stays as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "app/progress.h"
#include "app/scores.h"
#include "app/settings.h"
#include "platform/user_files.h"
#include "support/files.h"
#include "support/scratch.h"

namespace {

namespace fs = std::filesystem;

void writeUserFile(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    writeFile(path, bytes);
}

// Every test starts with no files and with something other than the defaults
// in memory, so that a loader that forgets to reset is caught.
struct SavedFiles : ::testing::Test {
    void SetUp() override {
        fs::remove_all(userFolder(UserFolder::kConfig));
        fs::remove_all(userFolder(UserFolder::kData));
        g_settings.musicVolume = 3;
        g_settings.keys.left = 'j';
        g_furthestLevel[2] = 5;
        g_highScores = {{1, 1, "2000-01-01"}};
    }
    void TearDown() override {
        g_settings = Settings();
        g_highScores.clear();
        std::fill(std::begin(g_furthestLevel), std::end(g_furthestLevel), 0);
    }
    const std::string settings = userFolder(UserFolder::kConfig) + "/settings.ini",
                      progress = userFolder(UserFolder::kData) + "/progress.ini",
                      scores = userFolder(UserFolder::kData) + "/scores.txt";
};

// A hand-edited file: upper-case letters, either pair of switch words, absent
// entries left at their defaults.
TEST_F(SavedFiles, SettingsComeBackAsSavedOrAsEditedByHand) {
    g_settings = {0, 0, 4, 0, 0, {'j', 'l', 'i', 'k', 'z', ' ', '1', '/'}};
    Settings saved = g_settings;
    ASSERT_TRUE(saveSettings());
    g_settings = Settings();
    loadSettings();
    EXPECT_EQ(g_settings, saved);
    writeUserFile(settings,
                  "# edited\n[screen]\nfullscreen = OFF\n[keys]\r\nleft = J\nshot = SPACE\n");
    loadSettings();
    Settings expected;
    expected.fullscreen = 0, expected.keys.left = 'j';
    EXPECT_EQ(g_settings, expected);
}

TEST_F(SavedFiles, ADamagedFileGivesTheDefaultsAndOneLineAndIsKeptUntilAChangeIsSaved) {
    const struct {
        const char* name;
        std::string file, bytes;  // bytes "folder" and "fifo" put those in the file's place
        std::string says;
    } cases[] = {
        {"missing", settings, "", "not there yet"},
        {"bad value", settings, "[sound]\nmusic_volume = 11\n",
         "line 2: music_volume must be 0 to 10"},
        {"unknown key", settings, "[sound]\nloudness = 3\n", "line 2: unknown setting loudness"},
        {"unknown section", settings, "[colour]\n", "line 1: unknown section [colour]"},
        {"key twice", settings, "[keys]\nleft = d\n",
         "line 2: key d is bound to both left and right"},
        {"volume key", settings, "[keys]\nshot = -\n", "line 2: shot must be one character"},
        {"garbage", settings, std::string("\177ELF\2\1\0=\0", 9), "line 1: not text"},
        {"folder", settings, "folder", "a folder, not a file"},
        {"fifo", settings, "fifo", "not a regular file"},
        {"too big", settings, std::string(kMaxUserFileBytes + 1, '\n'), "larger than 64 KiB"},
        {"level of another era", progress, "era2 = 9\n",
         "line 1: era2 must be 0 or a level from 4 to 7"},
        {"scores out of order", scores, "5 3 2024-01-01\n9 4 2024-01-02\n",
         "line 2: scores out of order"},
        {"bad date", scores, "5 3 2024-13-01\n", "line 1: not a \"score level"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        fs::create_directories(fs::path(c.file).parent_path());
        if (c.bytes == "folder") fs::create_directory(c.file);
        if (c.bytes == "fifo") mkfifo(c.file.c_str(), 0600);
        if (!c.bytes.empty() && !fs::exists(c.file)) writeFile(c.file, c.bytes);
        for (const std::string& other : {settings, progress, scores})
            if (other != c.file) writeUserFile(other, "");
        testing::internal::CaptureStderr();
        loadSettings();
        loadProgress();
        loadScores();
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(g_settings == Settings() && g_highScores.empty() &&
                    std::count(std::begin(g_furthestLevel), std::end(g_furthestLevel), 0) == 5);
        EXPECT_EQ(said.rfind("dorian: " + c.file, 0), 0u) << said;
        EXPECT_NE(said.find(c.says), std::string::npos) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
        if (!fs::is_regular_file(c.file)) continue;
        EXPECT_EQ(fileBytes(c.file), c.bytes);
        if (c.file != settings) continue;
        // A change saved later keeps the damaged file aside.
        testing::internal::CaptureStderr();
        g_settings.musicOn = 0;
        EXPECT_TRUE(saveSettings());
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(fileBytes(settings + ".damaged"), c.bytes);
    }
}

TEST_F(SavedFiles, HighScoresKeepTheirOrderAndLastAcrossRuns) {
    g_highScores.clear();
    // Score, level and the rank it takes: equal scores go below the ones
    // already there; a score of 0 never enters.
    const std::tuple<uint32_t, int, int> entries[] = {
        {500, 3, 0}, {900, 4, 0}, {500, 5, 2}, {0, 1, -1}, {100, 6, 3}};
    for (auto [score, level, rank] : entries) EXPECT_EQ(recordScore(score, level), rank) << score;
    for (int i = 0; i < kScoreTableSize; ++i) recordScore(200, 7);
    EXPECT_EQ(scoreRank(200), -1);
    EXPECT_EQ(recordScore(200, 7), -1);
    EXPECT_EQ(scoreRank(201), 3);  // below 900, 500 and 500
    ASSERT_EQ(g_highScores.size(), kScoreTableSize);
    EXPECT_EQ(std::make_tuple(g_highScores[1].level, g_highScores[2].level, g_highScores[9].score),
              std::make_tuple(3, 5, 200u));
    std::vector<HighScore> saved = g_highScores;
    g_highScores.clear();
    loadScores();
    EXPECT_EQ(g_highScores, saved);
}

TEST_F(SavedFiles, ProgressRisesPerEraAndNeverFalls) {
    std::fill(std::begin(g_furthestLevel), std::end(g_furthestLevel), 0);
    for (int level : {2, 3, 1, 4, 7, 8, 10, 11, 12}) noteLevelReached(level);
    const int expected[5] = {0, 3, 7, 10, 12};
    EXPECT_TRUE(std::equal(expected, expected + 5, g_furthestLevel));
    std::fill(std::begin(g_furthestLevel), std::end(g_furthestLevel), 0);
    loadProgress();
    EXPECT_TRUE(std::equal(expected, expected + 5, g_furthestLevel));
    fs::remove(progress);
    noteLevelReached(2);  // no rise: nothing to save
    EXPECT_FALSE(fs::exists(progress));
}

}  // namespace
