// The game's four songs as the build writes them from assets/music, and the game's
// own audio layer loading them and the effects.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <libopenmpt/libopenmpt.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "music/module.h"
#include "sound/file_io.h"
#include "support/files.h"
#include "support/scratch.h"

namespace {

constexpr double kShortestLoop = 60.0;
constexpr double kLongestLoop = 300.0;
constexpr int kFewestChannels = 4;
constexpr size_t kLargestFile = 400 * 1024;
constexpr int kRate = 44100;
constexpr double kListenSeconds = 4.0;

class GameSong : public ::testing::TestWithParam<const char*> {};

// Each song is of the type its file name ends in.
TEST_P(GameSong, IsTheBuiltModuleAndPlaysAudiblyWithoutClipping) {
    const std::string file = GetParam();
    std::string text = synth::readTextFile(std::string(DORIAN_MUSIC_ASSETS) + "/" + file + ".txt");
    std::vector<std::uint8_t> bytes = music::buildModule(text, *music::formatForFile(file));
    // The same bytes as the build wrote.
    EXPECT_EQ(bytes, fileBytes<std::vector<std::uint8_t>>(DORIAN_DATA_DIR "/music/" + file));
    EXPECT_LT(bytes.size(), kLargestFile);
    std::ostringstream log;
    openmpt::module m(bytes, log);
    EXPECT_EQ(log.str(), "");
    EXPECT_EQ(m.get_metadata("warnings"), "");
    EXPECT_EQ(m.get_metadata("type"), file.substr(file.rfind('.') + 1));
    EXPECT_GE(m.get_num_channels(), kFewestChannels);
    const double duration = m.get_duration_seconds();
    EXPECT_GE(duration, kShortestLoop);
    EXPECT_LE(duration, kLongestLoop);
    std::vector<float> left(size_t(kListenSeconds * kRate)), right(left.size());
    for (double at : {0.0, duration / 2, duration - kListenSeconds}) {
        m.set_position_seconds(at);
        const size_t got = m.read(kRate, left.size(), left.data(), right.data());
        double peak = 0.0, sum = 0.0;
        for (size_t i = 0; i < got; ++i) {
            peak = std::max({peak, double(std::fabs(left[i])), double(std::fabs(right[i]))});
            sum += left[i] * left[i] + right[i] * right[i];
        }
        EXPECT_GT(got ? std::sqrt(sum / (2.0 * got)) : 0.0, 0.02) << "quiet at " << at << " s";
        EXPECT_LT(peak, 1.0) << "clips at " << at << " s";
    }
}

INSTANTIATE_TEST_SUITE_P(Songs, GameSong,
                         ::testing::Values("survival.it", "capslock.mod", "mr_ntid.it",
                                           "mr_estm.s3m"));

TEST(GeneratedAudio, TheMixerLoadsEverySongAndEffect) {
    InFolder data(DORIAN_DATA_DIR);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    initSounds();
    ASSERT_EQ(g_soundDevice, 1);
    ASSERT_TRUE(initMusic());
    for (int i = 0; i < kSongCount; ++i) EXPECT_NE(g_songs[i], nullptr) << kSongFiles[i];
    for (int i = 0; i < kEffectCount; ++i) EXPECT_NE(g_effects[i], nullptr) << kEffectFiles[i];
    shutdownAudio();
}

}  // namespace
