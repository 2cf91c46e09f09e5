// Reading songs from our tracker-like text.
#include "music/song_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

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
    EXPECT_EQ(song.instruments.size(), 2u);
    const music::Pattern& a = song.patterns[0];
    auto at = [&](int row, int channel) { return a.at(row, channel, song.channels); };
    EXPECT_EQ(at(0, 0).note, 72);
    EXPECT_EQ(at(0, 0).instrument, 1);
    EXPECT_EQ(at(1, 0).note, 78);
    EXPECT_EQ(at(1, 0).volume, 20);
    EXPECT_EQ(at(2, 0).note, 70);
    EXPECT_EQ(at(2, 0).effect, Effect::kVibrato);
    EXPECT_EQ(at(2, 0).param, 0x4A);
    EXPECT_EQ(at(3, 0).instrument, 2);  // the macro keeps its own instrument...
    EXPECT_EQ(at(3, 0).note, 72);       // ...but moves with the track
    EXPECT_EQ(at(4, 0).volume, 50);
    EXPECT_EQ(at(5, 0).note, music::kNoteCut);
    EXPECT_EQ(at(6, 0).note, music::kNoteOff);
    EXPECT_TRUE(at(7, 0).note == music::kNoNote && at(7, 0).effect == Effect::kVolumeSlide);
    EXPECT_EQ(at(4, 1).note, 60);
    EXPECT_TRUE(at(1, 1).empty());
    EXPECT_EQ(song.patterns[1].at(4, 1, 2).note, 58);
    EXPECT_TRUE(song.patterns[1].at(0, 0, 2).empty());
    EXPECT_NEAR(song.lengthSeconds(), 3 * 8 * 6 * 2.5 / 125, 1e-9);
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
