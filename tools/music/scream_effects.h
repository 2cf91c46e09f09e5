// Effect letters shared by Scream Tracker 3 and Impulse Tracker modules.
#pragma once

#include <cstdint>

#include "music/song.h"

namespace music {

struct CommandBytes {
    std::uint8_t command = 0;  // 1 = 'A', 2 = 'B'...; 0 = none
    std::uint8_t param = 0;
};

// The S3M and IT command for one of our effects.
CommandBytes screamCommand(Effect effect, std::uint8_t param);

}  // namespace music
