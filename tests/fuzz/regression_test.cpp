// Every input a fuzzer ever broke on stays here and must pass for good.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "fuzz/targets.h"
#include "support/files.h"
#include "support/scratch.h"
#include "support/world.h"

namespace {

TEST(FuzzRegressions, EveryKeptInputRunsCleanly) {
    ScratchFolder scratch;
    testing::internal::CaptureStdout();
    const std::pair<const char*, void (*)(const uint8_t*, size_t)> kinds[] = {
        {"bmp", fuzzBitmap}, {"song", fuzzSong}, {"level", fuzzLevel}};
    for (auto [kind, target] : kinds) {
        auto folder = std::filesystem::path(DORIAN_FUZZ_REGRESSIONS) / kind;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (!entry.is_regular_file() || entry.path().filename() == ".keep") continue;
            auto bytes = fileBytes<std::vector<uint8_t>>(entry.path());
            target(bytes.data(), bytes.size());
        }
    }
    testing::internal::GetCapturedStdout();
    shutdownAudio();
    resetWorld();
    g_level.load();
}

}  // namespace
