// dorian_music: writes one song text as a module in the format its output name asks for.
#include <cstdio>
#include <exception>

#include "music/module.h"
#include "sound/file_io.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SONG.txt OUTPUT.{it,s3m,mod}\n", argv[0]);
        return 2;
    }
    auto format = music::formatForFile(argv[2]);
    if (!format) {
        std::fprintf(stderr, "%s: the name must end in .it, .s3m or .mod\n", argv[2]);
        return 2;
    }
    try {
        synth::writeFileAtomically(argv[2],
                                   music::buildModule(synth::readTextFile(argv[1]), *format));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
        return 1;
    }
    return 0;
}
