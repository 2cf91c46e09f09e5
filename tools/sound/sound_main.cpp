// dorian_sound: renders one sound-effect recipe into a WAV file.
#include <cstdio>
#include <exception>

#include "sound/effect.h"
#include "sound/file_io.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s RECIPE.txt OUTPUT.wav\n", argv[0]);
        return 2;
    }
    try {
        synth::writeFileAtomically(argv[2], synth::buildEffect(synth::readTextFile(argv[1])));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
        return 1;
    }
    return 0;
}
