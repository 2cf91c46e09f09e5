// The game's four songs as the build writes them from assets/music.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <libopenmpt/libopenmpt.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "music/module.h"
#include "sound/file_io.h"

namespace {

constexpr double kShortestLoop = 60.0;
constexpr double kLongestLoop = 300.0;
constexpr int kFewestChannels = 4;
constexpr size_t kLargestFile = 400 * 1024;
constexpr int kRate = 44100;
constexpr double kListenSeconds = 4.0;

struct SongFile {
    const char* file;
    const char* type;
};

std::vector<std::uint8_t> build(const std::string& file) {
    std::string text = synth::readTextFile(std::string(DORIAN_MUSIC_ASSETS) + "/" + file + ".txt");
    return music::buildModule(text, *music::formatForFile(file));
}

struct Level {
    double peak = 0.0;
    double rms = 0.0;
};

Level listen(openmpt::module& m, double fromSeconds) {
    m.set_position_seconds(fromSeconds);
    std::vector<float> left(static_cast<size_t>(kListenSeconds * kRate)), right(left.size());
    size_t got = m.read(kRate, left.size(), left.data(), right.data());
    Level level;
    double sum = 0.0;
    for (size_t i = 0; i < got; ++i) {
        level.peak =
            std::max({level.peak, double(std::fabs(left[i])), double(std::fabs(right[i]))});
        sum += left[i] * left[i] + right[i] * right[i];
    }
    level.rms = got ? std::sqrt(sum / (2.0 * got)) : 0.0;
    return level;
}

class GameSong : public ::testing::TestWithParam<SongFile> {};

TEST_P(GameSong, LoadsCleanlyAsItsOwnFormat) {
    std::vector<std::uint8_t> bytes = build(GetParam().file);
    EXPECT_LT(bytes.size(), kLargestFile);
    std::ostringstream log;
    openmpt::module m(bytes, log);
    EXPECT_EQ(log.str(), "");
    EXPECT_EQ(m.get_metadata("warnings"), "");
    EXPECT_EQ(m.get_metadata("type"), GetParam().type);
    EXPECT_GE(m.get_num_channels(), kFewestChannels);
    EXPECT_GE(m.get_duration_seconds(), kShortestLoop);
    EXPECT_LE(m.get_duration_seconds(), kLongestLoop);
}

TEST_P(GameSong, PlaysAudiblyWithoutClipping) {
    std::vector<std::uint8_t> bytes = build(GetParam().file);
    openmpt::module m(bytes);
    double duration = m.get_duration_seconds();
    for (double at : {0.0, duration / 2, duration - kListenSeconds}) {
        Level level = listen(m, at);
        EXPECT_GT(level.rms, 0.02) << "quiet at " << at << " s";
        EXPECT_LT(level.peak, 1.0) << "clips at " << at << " s";
    }
}

TEST_P(GameSong, ComesOutTheSameOnEveryBuild) {
    EXPECT_EQ(build(GetParam().file), build(GetParam().file));
}

INSTANTIATE_TEST_SUITE_P(Songs, GameSong,
                         ::testing::Values(SongFile{"survival.it", "it"},
                                           SongFile{"capslock.mod", "mod"},
                                           SongFile{"mr_ntid.it", "it"},
                                           SongFile{"mr_estm.s3m", "s3m"}));

}  // namespace
