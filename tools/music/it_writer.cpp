// Writes a song as an Impulse Tracker module in sample mode, 16-bit samples.
#include "music/byte_writer.h"
#include "music/module.h"
#include "music/scream_effects.h"

namespace music {
namespace {

constexpr unsigned kCreatedWith = 0x0214;
constexpr unsigned kCompatibleWith = 0x0214;
constexpr unsigned kFlagStereo = 0x01;
constexpr unsigned kFlagLinearSlides = 0x08;
constexpr unsigned kRowsPerBeat = 4, kRowsPerBar = 16;
constexpr unsigned kGlobalVolume = 128;
constexpr unsigned kStereoSeparation = 128;
constexpr unsigned kChannelVolume = 64;
constexpr unsigned kChannelDisabled = 0x80;
constexpr unsigned kCenterPan = 32;
constexpr unsigned kOrderEnd = 255;
constexpr int kHeaderChannels = 64;
constexpr int kMaxInstruments = 99;
constexpr int kMaxPatterns = 200;
constexpr int kMaxOrders = 255;
constexpr int kHighestNote = 119;
constexpr unsigned kNoteCutByte = 254, kNoteOffByte = 255;
constexpr unsigned kSampleHasData = 0x01, kSample16Bit = 0x02, kSampleLoops = 0x10;
constexpr unsigned kSamplesSigned = 0x01;
constexpr unsigned kSampleGlobalVolume = 64;
constexpr size_t kSamplePointerField = 0x48;
constexpr size_t kMaxPackedPattern = 0xFFFF;
constexpr unsigned kMaskNote = 1, kMaskInstrument = 2, kMaskVolume = 4, kMaskCommand = 8;
constexpr unsigned kNewMask = 0x80;
constexpr int kSampleBits = 16;

void checkFits(const Song& song) {
    checkSongShape(song);
    if (song.channels > kHeaderChannels) throw FormatError("IT holds at most 64 channels");
    if (song.instruments.empty() || static_cast<int>(song.instruments.size()) > kMaxInstruments) {
        throw FormatError("IT holds 1 to 99 samples");
    }
    if (static_cast<int>(song.patterns.size()) > kMaxPatterns)
        throw FormatError("too many patterns");
    if (song.order.empty() || static_cast<int>(song.order.size()) >= kMaxOrders) {
        throw FormatError("IT holds 1 to 254 orders");
    }
}

void writeHeader(ByteWriter& w, const Song& song) {
    w.tag("IMPM");
    w.text(song.title, 26);
    w.u8(kRowsPerBeat);
    w.u8(kRowsPerBar);
    w.u16le(static_cast<unsigned>(song.order.size() + 1));
    w.u16le(0);  // sample mode: no instruments
    w.u16le(static_cast<unsigned>(song.instruments.size()));
    w.u16le(static_cast<unsigned>(song.patterns.size()));
    w.u16le(kCreatedWith);
    w.u16le(kCompatibleWith);
    w.u16le(kFlagStereo | kFlagLinearSlides);
    w.u16le(0);  // no message
    w.u8(kGlobalVolume);
    w.u8(static_cast<unsigned>(song.mixVolume));
    w.u8(static_cast<unsigned>(song.speed));
    w.u8(static_cast<unsigned>(song.tempo));
    w.u8(kStereoSeparation);
    w.u8(0);     // pitch wheel depth
    w.u16le(0);  // message length
    w.u32le(0);  // message offset
    w.u32le(0);  // reserved
    for (int c = 0; c < kHeaderChannels; ++c) {
        w.u8(c < song.channels ? static_cast<unsigned>(song.pans[c])
                               : kCenterPan | kChannelDisabled);
    }
    for (int c = 0; c < kHeaderChannels; ++c) w.u8(kChannelVolume);
}

// Returns where the pointer to the sample data goes, filled in later.
size_t writeSampleHeader(ByteWriter& w, const Instrument& instrument) {
    bool loops = instrument.loopStart >= 0;
    w.tag("IMPS");
    w.text("", 12);  // DOS file name
    w.u8(0);
    w.u8(kSampleGlobalVolume);
    w.u8(kSampleHasData | kSample16Bit | (loops ? kSampleLoops : 0));
    w.u8(static_cast<unsigned>(instrument.volume));
    w.text(instrument.name, 26);
    w.u8(kSamplesSigned);
    w.u8(kCenterPan);  // default pan, not enabled
    w.u32le(static_cast<std::uint32_t>(instrument.samples.size()));
    w.u32le(loops ? static_cast<std::uint32_t>(instrument.loopStart) : 0);
    w.u32le(loops ? static_cast<std::uint32_t>(instrument.samples.size()) : 0);
    w.u32le(static_cast<std::uint32_t>(instrument.rate));
    w.u32le(0);  // sustain loop
    w.u32le(0);
    size_t pointer = w.size();
    w.u32le(0);
    w.zeros(4);  // auto-vibrato
    return pointer;
}

unsigned noteByte(int note) {
    if (note == kNoteCut) return kNoteCutByte;
    if (note == kNoteOff) return kNoteOffByte;
    if (note < 0 || note > kHighestNote) throw FormatError("a note is outside the IT range");
    return static_cast<unsigned>(note);
}

void packCell(ByteWriter& w, const Cell& cell, int channel) {
    unsigned mask = (cell.note != kNoNote ? kMaskNote : 0) |
                    (cell.instrument ? kMaskInstrument : 0) |
                    (cell.volume != kNoVolume ? kMaskVolume : 0) |
                    (cell.effect != Effect::kNone ? kMaskCommand : 0);
    w.u8((channel + 1) | kNewMask);
    w.u8(mask);
    if (mask & kMaskNote) w.u8(noteByte(cell.note));
    if (mask & kMaskInstrument) w.u8(static_cast<unsigned>(cell.instrument));
    if (mask & kMaskVolume) w.u8(static_cast<unsigned>(cell.volume));
    if (mask & kMaskCommand) {
        CommandBytes command = screamCommand(cell.effect, cell.param);
        w.u8(command.command);
        w.u8(command.param);
    }
}

std::vector<std::uint8_t> packPattern(const Pattern& pattern, int channels) {
    ByteWriter w;
    for (int row = 0; row < pattern.rows; ++row) {
        for (int c = 0; c < channels; ++c) {
            const Cell& cell = pattern.at(row, c, channels);
            if (!cell.empty()) packCell(w, cell, c);
        }
        w.u8(0);
    }
    if (w.size() > kMaxPackedPattern)
        throw FormatError("pattern '" + pattern.name + "' is too big");
    return w.take();
}

}  // namespace

std::vector<std::uint8_t> writeIt(const Song& song) {
    checkFits(song);
    ByteWriter w;
    writeHeader(w, song);
    for (int index : song.order) w.u8(static_cast<unsigned>(index));
    w.u8(kOrderEnd);
    size_t sampleTable = w.size();
    w.zeros(4 * song.instruments.size());
    size_t patternTable = w.size();
    w.zeros(4 * song.patterns.size());
    w.u16le(0);  // no edit history

    std::vector<size_t> dataPointers;
    for (size_t i = 0; i < song.instruments.size(); ++i) {
        w.set32le(sampleTable + 4 * i, static_cast<std::uint32_t>(w.size()));
        dataPointers.push_back(writeSampleHeader(w, song.instruments[i]));
    }
    for (size_t p = 0; p < song.patterns.size(); ++p) {
        std::vector<std::uint8_t> packed = packPattern(song.patterns[p], song.channels);
        w.set32le(patternTable + 4 * p, static_cast<std::uint32_t>(w.size()));
        w.u16le(static_cast<unsigned>(packed.size()));
        w.u16le(static_cast<unsigned>(song.patterns[p].rows));
        w.zeros(4);
        for (std::uint8_t b : packed) w.u8(b);
    }
    for (size_t i = 0; i < song.instruments.size(); ++i) {
        w.set32le(dataPointers[i], static_cast<std::uint32_t>(w.size()));
        for (float s : song.instruments[i].samples) {
            w.u16le(static_cast<unsigned>(quantize(s, kSampleBits)) & 0xFFFF);
        }
    }
    return w.take();
}

}  // namespace music
