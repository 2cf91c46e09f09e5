// Our three module writers and the game's four songs they write, read back through
// libopenmpt, and the game's own audio layer loading the songs and the effects.
#include "music/module.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <libopenmpt/libopenmpt.hpp>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "audio/audio.h"
#include "music/song_text.h"
#include "sound/file_io.h"
#include "support/files.h"
#include "support/scratch.h"

namespace {

// The module as libopenmpt reads it, which logs nothing, warns of nothing and finds the
// type the file name ends in.
std::unique_ptr<openmpt::module> readBack(const std::vector<std::uint8_t>& bytes,
                                          const std::string& type) {
    std::ostringstream log;
    auto m = std::make_unique<openmpt::module>(bytes, log);
    EXPECT_EQ(std::make_tuple(m->get_metadata("type"), m->get_metadata("warnings"), log.str()),
              std::make_tuple(type, "", ""));
    return m;
}

using music::ModuleFormat;

// Three patterns of 64 rows at speed 5, tempo 150: 16 seconds.
const char* const kProbeSong = R"(
title Probe
speed 5
tempo 150
channels 4
pan 0 64 16 48
instrument tone
  volume 50
  length 0.1
  loop 0.05
  layer
    wave square
instrument hit
  volume 30
  cycle 32
  length 0.05
  layer
    wave noise
track notes tone
  c4 d4:v20 e4@hit:vib44 ^ . .:slide04 c3:arp37 .*57
track half tone
  c4 .*31
pattern first
  1 notes
  2 notes-12
  4 notes
pattern second
  3 notes+7
order first second first
)";
constexpr double kProbeSeconds = 16.0;

// Parameterised by the type, which is also the file name's ending.
struct ProbeModule : ::testing::TestWithParam<const char*> {};

// How a module sounds is checked on the shipped songs, which use all three formats.
TEST_P(ProbeModule, LoadsCleanlyWithItsPartsAndCellsWhereTheTextPutThem) {
    const ModuleFormat format = *music::formatForFile(std::string("probe.") + GetParam());
    const std::vector<std::uint8_t> bytes = music::buildModule(kProbeSong, format);
    const std::unique_ptr<openmpt::module> m = readBack(bytes, GetParam());
    auto cell = [&](int pattern, int row, int channel, int what) {
        return m->get_pattern_row_channel_command(pattern, row, channel, what);
    };
    EXPECT_EQ(std::make_tuple(m->get_metadata("title"), m->get_num_channels(), m->get_num_orders()),
              std::make_tuple("Probe", 4, 3));
    // A MOD always lists 31 sample slots.
    bool mod = format == ModuleFormat::kMod;
    EXPECT_EQ(m->get_num_samples(), mod ? 31 : 2);
    EXPECT_NEAR(m->get_duration_seconds(), kProbeSeconds, 0.05);
    const int note = openmpt::module::command_note,
              instrument = openmpt::module::command_instrument;
    // Middle C is C-5 (61) in IT and S3M; a MOD names its periods an octave higher.
    int c4 = mod ? 73 : 61;
    EXPECT_EQ(cell(0, 0, 0, note), c4);
    EXPECT_EQ(cell(0, 0, 0, instrument), 1);
    EXPECT_EQ(cell(0, 1, 0, note), c4 + 2);
    // A MOD cannot tune a sample, so one of half the cycle is written an octave down.
    EXPECT_EQ(cell(0, 2, 0, note), c4 + 4 - (mod ? 12 : 0));
    EXPECT_EQ(cell(0, 2, 0, instrument), 2);
    EXPECT_EQ(cell(0, 6, 0, note), c4 - 12);
    EXPECT_EQ(cell(0, 0, 1, note), c4 - 12);  // transposed down an octave
    EXPECT_EQ(cell(1, 0, 2, note), c4 + 7);   // up a fifth
    EXPECT_EQ(cell(1, 0, 0, note), 0);        // channel left out
    EXPECT_EQ(cell(0, 7, 0, note), 0);        // rests stay empty
    EXPECT_EQ(cell(1, 6, 2, note), c4 - 5);
}

INSTANTIATE_TEST_SUITE_P(Formats, ProbeModule, ::testing::Values("it", "s3m", "mod"));

// What a format cannot hold, or a song whose parts do not fit, is refused, not written wrong.
TEST(ModuleFormats, RefuseWhatTheyCannotHold) {
    auto with = [](const std::string& from, const std::string& to) {
        std::string song = kProbeSong;
        return song.replace(song.find(from), from.size(), to);
    };
    const struct {
        const char *from, *to;
        ModuleFormat holds;
    } cases[] = {
        {"channels 4\npan 0 64 16 48", "channels 5", ModuleFormat::kS3m},
        {"c4 d4", "c6 d4", ModuleFormat::kIt},  // too high for a MOD
        {"d4:v20", "d4:v20:vib22", ModuleFormat::kS3m},
    };
    for (const auto& c : cases) {
        EXPECT_THROW(music::buildModule(with(c.from, c.to), ModuleFormat::kMod),
                     music::FormatError);
        EXPECT_NO_THROW(music::buildModule(with(c.from, c.to), c.holds));
    }
    std::string shortPattern = with("pattern second\n  3 notes+7", "pattern second 32\n  3 half");
    EXPECT_THROW(music::buildModule(shortPattern, ModuleFormat::kS3m), music::FormatError);
    EXPECT_THROW(music::buildModule(shortPattern, ModuleFormat::kMod), music::FormatError);
    std::vector<std::uint8_t> it = music::buildModule(shortPattern, ModuleFormat::kIt);
    EXPECT_NEAR(openmpt::module(it).get_duration_seconds(), kProbeSeconds * 5 / 6, 0.05);
    EXPECT_FALSE(music::formatForFile("song.xm").has_value());  // nor is an unknown name guessed
    EXPECT_FALSE(music::formatForFile("it").has_value());
}

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
    const std::unique_ptr<openmpt::module> m = readBack(bytes, file.substr(file.rfind('.') + 1));
    EXPECT_GE(m->get_num_channels(), kFewestChannels);
    const double duration = m->get_duration_seconds();
    EXPECT_GE(duration, kShortestLoop);
    EXPECT_LE(duration, kLongestLoop);
    std::vector<float> left(size_t(kListenSeconds * kRate)), right(left.size());
    for (double at : {0.0, duration / 2, duration - kListenSeconds}) {
        m->set_position_seconds(at);
        const size_t got = m->read(kRate, left.size(), left.data(), right.data());
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
