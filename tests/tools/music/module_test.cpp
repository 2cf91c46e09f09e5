// Songs read from our tracker-like text; our three module writers and the game's four
// songs they write, read back through libopenmpt; and the game's own audio layer
// loading the songs and the effects.
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
#include "sound/recipe_text.h"
#include "support/files.h"
#include "support/scratch.h"

namespace {

using music::Cell;
using music::Effect;

const std::string kHeader = R"(
channels 2
instrument lead
  length 0.05
  layer
    wave saw
instrument drum
  volume 40
  cycle 128
  layer
    wave noise
    length 0.1
let K c4@drum:v50
)";

music::Song parse(const std::string& body) {
    return music::parseSong(kHeader + body);
}

int errorLine(const std::string& body) {
    try {
        parse(body);
    } catch (const synth::TextError& error) {
        return error.line() - 14;  // counted from the body's first line
    }
    return 0;
}

TEST(SongText, ExpandsTokensTracksAndOrder) {
    music::Song song = parse(R"(
track melody lead
  c4 f#4:v20 | bb3:vib4a K*2 ^ = .:slide04
track beat
  K . . .
pattern a 8
  1 melody+12
  2 beat*2
pattern b 8
  2 beat beat-2
order a b a
)");
    ASSERT_EQ(song.patterns.size(), 2u);
    EXPECT_EQ(song.order, (std::vector<int>{0, 1, 0}));
    // Note, instrument, volume, effect and its parameter, down a channel of a pattern.
    auto column = [&](int pattern, int channel) {
        std::vector<std::tuple<int, int, int, Effect, int>> cells;
        for (int row = 0; row < 8; ++row) {
            const Cell& c = song.patterns[pattern].at(row, channel, song.channels);
            cells.emplace_back(c.note, c.instrument, c.volume, c.effect, c.param);
        }
        return cells;
    };
    const int keep = music::kNoVolume;  // the channel keeps its volume
    const Effect none = Effect::kNone;
    using Cells = decltype(column(0, 0));
    // The macro K keeps its own instrument and volume but moves with the track.
    EXPECT_EQ(column(0, 0), (Cells{{72, 1, keep, none, 0},
                                   {78, 1, 20, none, 0},
                                   {70, 1, keep, Effect::kVibrato, 0x4A},
                                   {72, 2, 50, none, 0},
                                   {72, 2, 50, none, 0},
                                   {music::kNoteCut, 0, keep, none, 0},
                                   {music::kNoteOff, 0, keep, none, 0},
                                   {music::kNoNote, 0, keep, Effect::kVolumeSlide, 4}}));
    const auto K = std::tuple(60, 2, 50, none, 0),
               rest = std::tuple(music::kNoNote, 0, keep, none, 0);
    EXPECT_EQ(column(0, 1), (Cells{K, rest, rest, rest, K, rest, rest, rest}));
    EXPECT_EQ(column(1, 1), (Cells{K, rest, rest, rest, {58, 2, 50, none, 0}, rest, rest, rest}));
    EXPECT_EQ(column(1, 0), Cells(8, rest));
}

TEST(SongText, MistakesNameTheirLine) {
    // Line 1 of each body below is its "track" line.
    const std::string track = "\ntrack t lead\n  c4 . . .\n";
    EXPECT_EQ(errorLine(track + "pattern p 4\n  1 t\n  2 t*2\n"), 5);    // too many rows
    EXPECT_EQ(errorLine(track + "pattern p 4\n  1 u\n"), 4);             // unknown track
    EXPECT_EQ(errorLine(track + "pattern p 4\n  3 t\n"), 4);             // no channel 3
    EXPECT_EQ(errorLine(track + "pattern p 4\n  1 t\n  1 t\n"), 5);      // channel twice
    EXPECT_EQ(errorLine(track + "pattern p 4\n  1 t\norder p q\n"), 5);  // unknown pattern
    EXPECT_EQ(errorLine(track + "pattern p 4\n  1 t+100\n"), 4);         // transposed too far
    EXPECT_EQ(errorLine("\ntrack t\n  c4\n"), 2);                        // no instrument
    EXPECT_EQ(errorLine("\ntrack t lead\n  h4\n"), 2);                   // not a note
    EXPECT_EQ(errorLine("\ntrack t lead\n  c4@bass\n"), 2);              // unknown instrument
    EXPECT_EQ(errorLine("\ntrack t lead\n  X\n"), 2);                    // unknown name
    EXPECT_EQ(errorLine("\ntrack t lead\n  c4:slide44\n"), 2);           // both ways at once
    EXPECT_EQ(errorLine("\ntrack t lead\n  c4:cut10\n"), 2);             // past the last tick
    EXPECT_EQ(errorLine("\ntrack t lead\n  c4:v65\n"), 2);
    EXPECT_EQ(errorLine("\ntrack t lead\n  c4:arp00\n"), 2);
    EXPECT_EQ(errorLine("\ntrack t lead\n  c4:wobble12\n"), 2);
    EXPECT_EQ(errorLine("\ntrack t lead\n  c4*0\n"), 2);
    EXPECT_EQ(errorLine("\ntempo 20\n"), 1);
    EXPECT_EQ(errorLine("\ntitle A title much too long for a MOD\n"), 1);
    EXPECT_EQ(errorLine("\nlet k c4\n"), 1);                    // names are capitalised
    EXPECT_EQ(errorLine("\nlet X X\ntrack t lead\n  X\n"), 3);  // refers to itself
    EXPECT_EQ(errorLine("\npan 0 64 32\n" + track + "pattern p 4\norder p\n"), 1);
}

// A looped instrument repeats seamlessly: what would break the join is refused, and
// the sample's last cycle runs on into its loop start.
TEST(SongText, LoopedInstrumentsRepeatSeamlessly) {
    const std::string looped = "\ninstrument pad\n  length 0.1\n  loop 0.05\n  layer\n";
    const std::string song = "track t pad\n  c4 . . .\npattern p 4\n  1 t\norder p\n";
    EXPECT_THROW(parse(looped + "    wave square\n    ratio 1.5\n"), synth::TextError);
    EXPECT_THROW(parse(looped + "    wave saw\n    pitch 300\n"), synth::TextError);
    EXPECT_THROW(parse(looped + "    wave saw\n    vibrato 5 0.2\n"), synth::TextError);
    EXPECT_THROW(parse("\ninstrument pad\n  length 0.1\n  loop 0.2\n  layer\n    wave saw\n"),
                 synth::TextError);  // the loop starts past the end
    EXPECT_THROW(parse("\ninstrument pad\n  cycle 48\n"), synth::TextError);
    for (const std::string& pad :
         {looped + "    wave square\n    ratio 2\n",
          std::string(
              "\ninstrument pad\n  cycle 32\n  length 0.2\n  loop 0.1\n  layer\n    wave saw\n"
              "    decay 0.03\n    sustain 0.5\n")}) {
        const music::Instrument i = parse(pad + song).instruments.back();
        ASSERT_GE(i.loopStart, 0);
        EXPECT_EQ(i.loopStart % i.cycle, 0);
        EXPECT_EQ(i.samples.size() % i.cycle, 0u);
        const size_t lastCycle = i.samples.size() - i.cycle;
        float loudest = 0.0f;
        for (int k = 0; k < i.cycle; ++k) {
            EXPECT_NEAR(i.samples[i.loopStart + k], i.samples[lastCycle + k], 1e-4);
            loudest = std::max(loudest, std::fabs(i.samples[lastCycle + k]));
        }
        EXPECT_GT(loudest, 0.3f) << pad;  // and it is not silence
    }
}

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
