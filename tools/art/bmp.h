// The game's picture files: uncompressed 24-bit BMP, bottom row first.
#pragma once
#include <string>

#include "art/image.h"

// Opaque pure black would read as transparent, so it is stored as (1, 1, 1).
std::string encodeBmp(const Image& image);
