// A song as our module writers see it, before it takes any file format.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace music {

// Note numbers follow MIDI: 60 is middle C ("c4" in our text).
constexpr int kMiddleC = 60;
constexpr int kNoNote = -1;
constexpr int kNoteCut = -2;  // silences the channel at once
constexpr int kNoteOff = -3;  // releases the note (a cut where a format has no release)
constexpr int kNoVolume = -1;
constexpr int kMaxVolume = 64;

// The effects our songs use, each with a counterpart in every format.
enum class Effect : std::uint8_t {
    kNone,
    kArpeggio,   // x, y: semitones above the note, cycled every tick
    kVibrato,    // x: speed, y: depth
    kTonePorta,  // glide to the note at this speed
    kPitchUp,
    kPitchDown,
    kVolumeSlide,  // x0: up by x per tick, 0y: down by y per tick
    kNoteCut,      // silence after this many ticks
    kNoteDelay,    // start the note after this many ticks
    kSampleOffset  // start this many 256-sample blocks into the sample
};

struct Cell {
    int note = kNoNote;
    int instrument = 0;  // 1-based; 0 keeps the channel's instrument
    int volume = kNoVolume;
    Effect effect = Effect::kNone;
    std::uint8_t param = 0;

    bool empty() const {
        return note == kNoNote && instrument == 0 && volume == kNoVolume && effect == Effect::kNone;
    }
};

struct Pattern {
    std::string name;
    int rows = 64;
    std::vector<Cell> cells;  // row by row, `channels` cells a row

    Cell& at(int row, int channel, int channels) { return cells[row * channels + channel]; }
    const Cell& at(int row, int channel, int channels) const {
        return cells[row * channels + channel];
    }
};

// A sampled instrument. Pitched samples hold whole cycles of `cycle` frames
// and play middle C at `rate` frames per second.
struct Instrument {
    std::string name;
    int volume = kMaxVolume;
    int cycle = 64;
    int rate = 0;
    std::vector<float> samples;  // -1 to 1
    int loopStart = -1;          // -1: plays once; else loops to the end
};

struct Song {
    std::string title;
    int speed = 6;    // ticks per row
    int tempo = 125;  // the tracker tempo: rows of speed 6 at 4 per beat give BPM
    int channels = 4;
    std::vector<int> pans;  // per channel, 0 (left) to 64 (right)
    int mixVolume = 48;     // the module's overall loudness, 0 to 128
    std::vector<Instrument> instruments;
    std::vector<Pattern> patterns;
    std::vector<int> order;  // pattern indices in play order
};

}  // namespace music
