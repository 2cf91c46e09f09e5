// Effect letters shared by Scream Tracker 3 and Impulse Tracker modules.
#include "music/scream_effects.h"

namespace music {
namespace {

constexpr std::uint8_t letter(char c) {
    return static_cast<std::uint8_t>(c - 'A' + 1);
}
constexpr std::uint8_t kCutNibble = 0xC0;    // SCx
constexpr std::uint8_t kDelayNibble = 0xD0;  // SDx

}  // namespace

CommandBytes screamCommand(Effect effect, std::uint8_t param) {
    switch (effect) {
        case Effect::kArpeggio:
            return {letter('J'), param};
        case Effect::kVibrato:
            return {letter('H'), param};
        case Effect::kTonePorta:
            return {letter('G'), param};
        case Effect::kPitchUp:
            return {letter('F'), param};
        case Effect::kPitchDown:
            return {letter('E'), param};
        case Effect::kVolumeSlide:
            return {letter('D'), param};
        case Effect::kNoteCut:
            return {letter('S'), static_cast<std::uint8_t>(kCutNibble | param)};
        case Effect::kNoteDelay:
            return {letter('S'), static_cast<std::uint8_t>(kDelayNibble | param)};
        case Effect::kSampleOffset:
            return {letter('O'), param};
        default:
            return {};
    }
}

}  // namespace music
