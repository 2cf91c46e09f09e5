// The source folder of the art, fixed when the tools are configured.
#include "art/art_paths.h"

#ifndef DORIAN_ART_SOURCE_DIR
#define DORIAN_ART_SOURCE_DIR "assets/art"
#endif

const char* artSourceFolder() {
    return DORIAN_ART_SOURCE_DIR;
}
