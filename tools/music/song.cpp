// A song as our module writers see it, before it takes any file format.
#include "music/song.h"

namespace music {
namespace {
// A tracker tempo T plays 2 * T / 5 ticks per second.
constexpr double kTickSecondsTimesTempo = 2.5;
}  // namespace

double Song::lengthSeconds() const {
    double seconds = 0.0;
    for (int index : order) {
        seconds += patterns[index].rows * speed * kTickSecondsTimesTempo / tempo;
    }
    return seconds;
}

}  // namespace music
