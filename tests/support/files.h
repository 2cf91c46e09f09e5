// Test helpers: whole files read back, such as those the build writes into DORIAN_DATA_DIR.
#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// The file's bytes, as a string or as a vector of bytes.
template <typename Bytes = std::string>
Bytes fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
