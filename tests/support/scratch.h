// Test helpers: a scratch working folder, working in a folder, and small file writers.
#pragma once
#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

// A new, empty folder under `parent` that no other process has: a folder
// left behind by a killed run under a reused process id is never reused.
inline std::filesystem::path uniqueFolder(
    const std::string& prefix,
    const std::filesystem::path& parent = std::filesystem::temp_directory_path()) {
    std::string pattern = (parent / (prefix + "XXXXXX")).string();
    if (!::mkdtemp(pattern.data()))
        throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
    return pattern;
}

// Makes a fresh folder, works inside it while alive, then removes it.
class ScratchFolder {
   public:
    ScratchFolder() : path(uniqueFolder("dorian_test_")) {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path);
    }
    ~ScratchFolder() {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path path;

   private:
    std::filesystem::path previous_;
};

// Works inside `folder` while alive, then goes back where it was.
class InFolder {
   public:
    explicit InFolder(const std::filesystem::path& folder)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~InFolder() { std::filesystem::current_path(previous_); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

   private:
    std::filesystem::path previous_;
};

// The text of a level file whose cell (row, col) holds code(row, col).
template <typename Code>
std::string levelFile(Code code) {
    std::string text;
    for (int i = 0; i < 100 * 100; ++i) text += std::to_string(code(i / 100, i % 100)) + " ";
    return text;
}

inline void writeFile(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
}
