// Test helpers: whole files read back, and the data folder the build lays out.
#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

inline std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

template <typename Bytes>
std::string asString(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// Works inside the built data folder while alive.
class InDataFolder {
   public:
    InDataFolder() : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(DORIAN_DATA_DIR);
    }
    ~InDataFolder() { std::filesystem::current_path(previous_); }
    InDataFolder(const InDataFolder&) = delete;
    InDataFolder& operator=(const InDataFolder&) = delete;

   private:
    std::filesystem::path previous_;
};
