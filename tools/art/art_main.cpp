// The art generator: reads assets/art and writes the game's BMP pictures (and a contact sheet).
#include "art/art_cli.h"

int main(int argc, char** argv) {
    return runArtGenerator(std::vector<std::string>(argv + 1, argv + argc));
}
