// Every input a fuzzer ever broke on stays here and must pass for good.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/targets.h"
#include "support/scratch.h"
#include "support/world.h"

namespace {

std::vector<std::filesystem::path> inputsIn(const char* kind) {
    std::vector<std::filesystem::path> files;
    auto folder = std::filesystem::path(DORIAN_FUZZ_REGRESSIONS) / kind;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file() && entry.path().filename() != ".keep")
            files.push_back(entry.path());
    return files;
}

std::vector<uint8_t> bytesOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(FuzzRegressions, EveryKeptInputRunsCleanly) {
    ScratchFolder scratch;
    testing::internal::CaptureStdout();
    const std::pair<const char*, void (*)(const uint8_t*, size_t)> kinds[] = {
        {"bmp", fuzzBitmap}, {"song", fuzzSong}, {"level", fuzzLevel}};
    for (auto [kind, target] : kinds) {
        for (const auto& file : inputsIn(kind)) {
            std::vector<uint8_t> bytes = bytesOf(file);
            target(bytes.data(), bytes.size());
        }
    }
    testing::internal::GetCapturedStdout();
    shutdownAudio();
    resetWorld();
    g_level.load();
}

}  // namespace
