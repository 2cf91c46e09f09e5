// Writes a song as a four-channel ProTracker module ("M.K."), 8-bit samples.
#include <algorithm>
#include <cmath>

#include "music/byte_writer.h"
#include "music/module.h"

namespace music {
namespace {

constexpr int kChannels = 4;
constexpr int kSampleSlots = 31;
constexpr int kMaxPatterns = 64;
constexpr int kOrderSlots = 128;
constexpr int kRows = 64;
constexpr size_t kMaxSampleBytes = 2 * 0xFFFF;
constexpr unsigned kNoLoopWords = 1;
constexpr int kDefaultSpeed = 6;
constexpr int kDefaultTempo = 125;
constexpr int kSampleBits = 8;

// Periods of C-1 to B-3 at finetune 0: the notes every ProTracker plays.
constexpr unsigned kPeriods[] = {856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
                                 428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
                                 214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113};
constexpr int kNoteCount = sizeof(kPeriods) / sizeof(kPeriods[0]);
// C-3 plays a sample at about 16.6 kHz, so 64 frames a cycle sound middle C.
constexpr int kPeriodIndexOfMiddleC = 24;
constexpr int kCycleOfMiddleC = 64;

enum Command : unsigned {
    kArpeggio = 0x0,
    kPitchUp = 0x1,
    kPitchDown = 0x2,
    kTonePorta = 0x3,
    kVibrato = 0x4,
    kSampleOffset = 0x9,
    kVolumeSlide = 0xA,
    kSetVolume = 0xC,
    kExtended = 0xE,
    kSpeedOrTempo = 0xF
};
constexpr unsigned kCutNibble = 0xC0, kDelayNibble = 0xD0;

struct ModCell {
    unsigned period = 0;
    unsigned sample = 0;
    unsigned command = 0;
    unsigned param = 0;
    bool hasCommand = false;
};

void checkFits(const Song& song) {
    checkSongShape(song);
    if (song.channels != kChannels) throw FormatError("a MOD has exactly 4 channels");
    if (song.instruments.empty() || static_cast<int>(song.instruments.size()) > kSampleSlots) {
        throw FormatError("a MOD holds 1 to 31 samples");
    }
    if (static_cast<int>(song.patterns.size()) > kMaxPatterns)
        throw FormatError("too many patterns");
    if (song.order.empty() || static_cast<int>(song.order.size()) > kOrderSlots) {
        throw FormatError("a MOD holds 1 to 128 orders");
    }
    for (const Pattern& p : song.patterns) {
        if (p.rows != kRows) throw FormatError("MOD patterns have 64 rows");
    }
    for (const Instrument& instrument : song.instruments) {
        if (instrument.samples.size() > kMaxSampleBytes) throw FormatError("a sample is too long");
    }
}

// A sample with more frames a cycle sounds lower at the same period.
unsigned periodFor(int note, const Instrument& instrument) {
    int octaves =
        static_cast<int>(std::lround(std::log2(double(instrument.cycle) / kCycleOfMiddleC)));
    int index = kPeriodIndexOfMiddleC + note - kMiddleC + 12 * octaves;
    if (index < 0 || index >= kNoteCount) {
        throw FormatError("a note of '" + instrument.name + "' is outside the MOD range");
    }
    return kPeriods[index];
}

void setCommand(ModCell& m, unsigned command, unsigned param) {
    if (m.hasCommand) throw FormatError("a MOD cell holds one effect or volume, not two");
    m.command = command;
    m.param = param;
    m.hasCommand = true;
}

void setEffect(ModCell& m, Effect effect, unsigned param) {
    switch (effect) {
        case Effect::kArpeggio:
            return setCommand(m, kArpeggio, param);
        case Effect::kVibrato:
            return setCommand(m, kVibrato, param);
        case Effect::kTonePorta:
            return setCommand(m, kTonePorta, param);
        case Effect::kPitchUp:
            return setCommand(m, kPitchUp, param);
        case Effect::kPitchDown:
            return setCommand(m, kPitchDown, param);
        case Effect::kVolumeSlide:
            return setCommand(m, kVolumeSlide, param);
        case Effect::kNoteCut:
            return setCommand(m, kExtended, kCutNibble | param);
        case Effect::kNoteDelay:
            return setCommand(m, kExtended, kDelayNibble | param);
        case Effect::kSampleOffset:
            return setCommand(m, kSampleOffset, param);
        default:
            return;
    }
}

ModCell convertCell(const Cell& cell, const Song& song) {
    ModCell m;
    m.sample = static_cast<unsigned>(cell.instrument);
    if (cell.note >= 0) m.period = periodFor(cell.note, song.instruments[cell.instrument - 1]);
    setEffect(m, cell.effect, cell.param);
    if (cell.volume != kNoVolume) setCommand(m, kSetVolume, static_cast<unsigned>(cell.volume));
    if (cell.note == kNoteCut || cell.note == kNoteOff) setCommand(m, kSetVolume, 0);
    return m;
}

std::vector<ModCell> convertPattern(const Pattern& pattern, const Song& song) {
    std::vector<ModCell> cells;
    for (const Cell& cell : pattern.cells) cells.push_back(convertCell(cell, song));
    return cells;
}

// A MOD starts at speed 6, tempo 125: other values are set on the first row
// the song plays, each in a channel whose effect column is free there.
void setInitialTiming(std::vector<ModCell>& firstPattern, const Song& song) {
    std::vector<unsigned> wanted;
    if (song.speed != kDefaultSpeed) wanted.push_back(static_cast<unsigned>(song.speed));
    if (song.tempo != kDefaultTempo) wanted.push_back(static_cast<unsigned>(song.tempo));
    for (int c = 0; c < kChannels && !wanted.empty(); ++c) {
        if (firstPattern[c].hasCommand) continue;
        setCommand(firstPattern[c], kSpeedOrTempo, wanted.back());
        wanted.pop_back();
    }
    if (!wanted.empty()) throw FormatError("the first row needs free effect columns for the tempo");
}

void writeSampleHeader(ByteWriter& w, const Instrument& instrument) {
    unsigned words = static_cast<unsigned>((instrument.samples.size() + 1) / 2);
    bool loops = instrument.loopStart >= 0;
    w.text(instrument.name, 22);
    w.u16be(words);
    w.u8(0);  // finetune
    w.u8(static_cast<unsigned>(instrument.volume));
    w.u16be(loops ? static_cast<unsigned>(instrument.loopStart / 2) : 0);
    w.u16be(loops ? words - static_cast<unsigned>(instrument.loopStart / 2) : kNoLoopWords);
}

void writeCell(ByteWriter& w, const ModCell& m) {
    w.u8((m.sample & 0xF0) | (m.period >> 8));
    w.u8(m.period & 0xFF);
    w.u8(((m.sample & 0x0F) << 4) | m.command);
    w.u8(m.param);
}

// A sample that does not loop starts with two silent frames: the Amiga
// repeats them after the end.
void writeSampleData(ByteWriter& w, const Instrument& instrument) {
    bool loops = instrument.loopStart >= 0;
    for (size_t i = 0; i < instrument.samples.size(); ++i) {
        bool silent = !loops && i < 2;
        w.u8(silent ? 0
                    : static_cast<unsigned>(quantize(instrument.samples[i], kSampleBits)) & 0xFF);
    }
    if (instrument.samples.size() % 2) w.u8(0);
}

}  // namespace

std::vector<std::uint8_t> writeMod(const Song& song) {
    checkFits(song);
    // Players count the patterns from the order list, so none may follow the
    // last one it plays.
    int patternCount = *std::max_element(song.order.begin(), song.order.end()) + 1;
    std::vector<std::vector<ModCell>> patterns;
    for (int p = 0; p < patternCount; ++p)
        patterns.push_back(convertPattern(song.patterns[p], song));
    setInitialTiming(patterns[song.order[0]], song);

    ByteWriter w;
    w.text(song.title, 20);
    for (int i = 0; i < kSampleSlots; ++i) {
        if (i < static_cast<int>(song.instruments.size())) {
            writeSampleHeader(w, song.instruments[i]);
        } else {
            w.zeros(22 + 2 + 2);
            w.u16be(0);
            w.u16be(kNoLoopWords);
        }
    }
    w.u8(static_cast<unsigned>(song.order.size()));
    w.u8(0);  // restart at the first order
    for (int i = 0; i < kOrderSlots; ++i) {
        w.u8(i < static_cast<int>(song.order.size()) ? static_cast<unsigned>(song.order[i]) : 0);
    }
    w.tag("M.K.");
    for (const std::vector<ModCell>& pattern : patterns) {
        for (const ModCell& m : pattern) writeCell(w, m);
    }
    for (const Instrument& instrument : song.instruments) writeSampleData(w, instrument);
    return w.take();
}

}  // namespace music
