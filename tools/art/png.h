// A small PNG writer for previews: 8-bit RGB, our own deflate encoder.
#pragma once
#include <cstdint>
#include <string>

#include "art/image.h"

// Transparent pixels are written as `transparent`.
std::string encodePng(const Image& image, Rgba transparent);

// The pieces, exposed so that they can be checked on their own.
uint32_t crc32Of(const std::string& bytes);
uint32_t adler32Of(const std::string& bytes);
// A complete zlib stream (one fixed-Huffman deflate block with LZ77 matches).
std::string zlibCompress(const std::string& raw);
