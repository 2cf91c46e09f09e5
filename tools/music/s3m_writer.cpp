// Writes a song as a Scream Tracker 3 module with 8-bit unsigned samples.
#include <algorithm>

#include "music/byte_writer.h"
#include "music/module.h"
#include "music/scream_effects.h"

namespace music {
namespace {

constexpr unsigned kEndOfFile = 0x1A;
constexpr unsigned kFileType = 16;
constexpr unsigned kCreatedWith = 0x1320;  // Scream Tracker 3.20
constexpr unsigned kUnsignedSamples = 2;
constexpr unsigned kGlobalVolume = 64;
constexpr unsigned kStereo = 0x80;
constexpr unsigned kMaxMasterVolume = 0x7F;
constexpr unsigned kPanTablePresent = 252;
constexpr unsigned kUnusedChannel = 255;
constexpr unsigned kFirstRightChannel = 8;
constexpr int kChannelsPerSide = 8;
constexpr int kChannelSlots = 32;
constexpr unsigned kPanGiven = 0x20;
constexpr int kPanSteps = 15;
constexpr int kMaxPan = 64;
constexpr unsigned kOrderEnd = 255;
constexpr int kMaxInstruments = 99;
constexpr int kMaxPatterns = 100;
constexpr int kMaxOrders = 254;
constexpr int kRows = 64;
constexpr size_t kParagraph = 16;
constexpr unsigned kSampleType = 1;
constexpr unsigned kSampleLoops = 1;
constexpr size_t kMemorySegmentField = 0x0D;
constexpr int kLowestNote = 12, kHighestNote = 107;  // octaves 0 to 7
constexpr unsigned kNoteCutByte = 254, kNoNoteByte = 255;
constexpr unsigned kHasNote = 0x20, kHasVolume = 0x40, kHasCommand = 0x80;
constexpr int kSampleBits = 8;
constexpr int kUnsignedOffset = 128;

void checkFits(const Song& song) {
    checkSongShape(song);
    if (song.instruments.empty() || static_cast<int>(song.instruments.size()) > kMaxInstruments) {
        throw FormatError("S3M holds 1 to 99 samples");
    }
    if (static_cast<int>(song.patterns.size()) > kMaxPatterns)
        throw FormatError("too many patterns");
    if (song.order.empty() || static_cast<int>(song.order.size()) >= kMaxOrders) {
        throw FormatError("S3M holds 1 to 253 orders");
    }
    for (const Pattern& p : song.patterns) {
        if (p.rows != kRows) throw FormatError("S3M patterns have 64 rows");
    }
}

// Each channel plays on the left or the right; the pan table refines it.
std::vector<unsigned> channelSettings(const Song& song) {
    std::vector<unsigned> settings(kChannelSlots, kUnusedChannel);
    unsigned left = 0, right = kFirstRightChannel;
    for (int c = 0; c < song.channels; ++c) {
        bool onLeft = song.pans[c] < kMaxPan / 2;
        unsigned& next = onLeft ? left : right;
        unsigned limit = onLeft ? kFirstRightChannel : kFirstRightChannel + kChannelsPerSide;
        if (next >= limit) throw FormatError("S3M holds at most 8 channels on each side");
        settings[c] = next++;
    }
    return settings;
}

void writeHeader(ByteWriter& w, const Song& song, size_t orderCount) {
    w.text(song.title, 28);
    w.u8(kEndOfFile);
    w.u8(kFileType);
    w.zeros(2);
    w.u16le(static_cast<unsigned>(orderCount));
    w.u16le(static_cast<unsigned>(song.instruments.size()));
    w.u16le(static_cast<unsigned>(song.patterns.size()));
    w.u16le(0);  // flags
    w.u16le(kCreatedWith);
    w.u16le(kUnsignedSamples);
    w.tag("SCRM");
    w.u8(kGlobalVolume);
    w.u8(static_cast<unsigned>(song.speed));
    w.u8(static_cast<unsigned>(song.tempo));
    w.u8(kStereo | std::min(static_cast<unsigned>(song.mixVolume), kMaxMasterVolume));
    w.u8(0);  // click removal
    w.u8(kPanTablePresent);
    w.zeros(8);
    w.u16le(0);  // no special data
    for (unsigned setting : channelSettings(song)) w.u8(setting);
}

void writePanTable(ByteWriter& w, const Song& song) {
    for (int c = 0; c < kChannelSlots; ++c) {
        unsigned pan = c < song.channels ? (song.pans[c] * kPanSteps + kMaxPan / 2) / kMaxPan : 0;
        w.u8(c < song.channels ? kPanGiven | pan : 0);
    }
}

void writeSampleHeader(ByteWriter& w, const Instrument& instrument) {
    bool loops = instrument.loopStart >= 0;
    w.u8(kSampleType);
    w.text("", 12);
    w.zeros(3);  // memory segment, set once the data is placed
    w.u32le(static_cast<std::uint32_t>(instrument.samples.size()));
    w.u32le(loops ? static_cast<std::uint32_t>(instrument.loopStart) : 0);
    w.u32le(loops ? static_cast<std::uint32_t>(instrument.samples.size()) : 0);
    w.u8(static_cast<unsigned>(instrument.volume));
    w.u8(0);
    w.u8(0);  // not packed
    w.u8(loops ? kSampleLoops : 0);
    w.u32le(static_cast<std::uint32_t>(instrument.rate));
    w.zeros(12);
    w.text(instrument.name, 28);
    w.tag("SCRS");
}

unsigned noteByte(int note) {
    if (note == kNoNote) return kNoNoteByte;
    if (note < 0) return kNoteCutByte;  // S3M has no release: a cut stands in
    if (note < kLowestNote || note > kHighestNote)
        throw FormatError("a note is outside the S3M range");
    return static_cast<unsigned>(((note / 12 - 1) << 4) | (note % 12));
}

void packCell(ByteWriter& w, const Cell& cell, int channel) {
    bool hasNote = cell.note != kNoNote || cell.instrument;
    unsigned what = static_cast<unsigned>(channel) | (hasNote ? kHasNote : 0) |
                    (cell.volume != kNoVolume ? kHasVolume : 0) |
                    (cell.effect != Effect::kNone ? kHasCommand : 0);
    w.u8(what);
    if (what & kHasNote) {
        w.u8(noteByte(cell.note));
        w.u8(static_cast<unsigned>(cell.instrument));
    }
    if (what & kHasVolume) w.u8(static_cast<unsigned>(cell.volume));
    if (what & kHasCommand) {
        CommandBytes command = screamCommand(cell.effect, cell.param);
        w.u8(command.command);
        w.u8(command.param);
    }
}

// The packed pattern, its length word counting itself.
void writePattern(ByteWriter& w, const Pattern& pattern, int channels) {
    size_t start = w.size();
    w.u16le(0);
    for (int row = 0; row < pattern.rows; ++row) {
        for (int c = 0; c < channels; ++c) {
            const Cell& cell = pattern.at(row, c, channels);
            if (!cell.empty()) packCell(w, cell, c);
        }
        w.u8(0);
    }
    w.set16le(start, static_cast<unsigned>(w.size() - start));
}

unsigned paragraphOf(size_t offset) {
    return static_cast<unsigned>(offset / kParagraph);
}

}  // namespace

std::vector<std::uint8_t> writeS3m(const Song& song) {
    checkFits(song);
    std::vector<unsigned> orders(song.order.begin(), song.order.end());
    orders.push_back(kOrderEnd);
    if (orders.size() % 2) orders.push_back(kOrderEnd);  // the order count is kept even

    ByteWriter w;
    writeHeader(w, song, orders.size());
    for (unsigned o : orders) w.u8(o);
    size_t instrumentPointers = w.size();
    w.zeros(2 * song.instruments.size());
    size_t patternPointers = w.size();
    w.zeros(2 * song.patterns.size());
    writePanTable(w, song);

    std::vector<size_t> headers;
    for (size_t i = 0; i < song.instruments.size(); ++i) {
        w.padTo(kParagraph);
        w.set16le(instrumentPointers + 2 * i, paragraphOf(w.size()));
        headers.push_back(w.size());
        writeSampleHeader(w, song.instruments[i]);
    }
    for (size_t p = 0; p < song.patterns.size(); ++p) {
        w.padTo(kParagraph);
        w.set16le(patternPointers + 2 * p, paragraphOf(w.size()));
        writePattern(w, song.patterns[p], song.channels);
    }
    for (size_t i = 0; i < song.instruments.size(); ++i) {
        w.padTo(kParagraph);
        unsigned paragraph = paragraphOf(w.size());
        w.set8(headers[i] + kMemorySegmentField, paragraph >> 16);
        w.set16le(headers[i] + kMemorySegmentField + 1, paragraph & 0xFFFF);
        for (float s : song.instruments[i].samples) {
            w.u8(static_cast<unsigned>(quantize(s, kSampleBits) + kUnsignedOffset));
        }
    }
    return w.take();
}

}  // namespace music
