// Reading songs from our tracker-like text.
#include "music/song_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "sound/recipe_text.h"

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

}  // namespace
