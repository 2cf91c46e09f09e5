// Test helpers: a scratch working folder, working in a folder, and small file writers.
#pragma once
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

// Makes a fresh folder, works inside it while alive, then removes it.
class ScratchFolder {
   public:
    ScratchFolder() {
        static std::atomic<int> counter{0};
        previous_ = std::filesystem::current_path();
        path = std::filesystem::temp_directory_path() /
               ("dorian_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::create_directories(path);
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
