// The game's own audio layer loads every song and effect the build writes.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "audio/audio.h"

namespace {

TEST(GeneratedAudio, TheMixerLoadsEverySongAndEffect) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(DORIAN_DATA_DIR);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    initSounds();
    ASSERT_EQ(g_soundDevice, 1);
    ASSERT_TRUE(initMusic());
    for (int i = 0; i < kSongCount; ++i) EXPECT_NE(g_songs[i], nullptr) << kSongFiles[i];
    for (int i = 0; i < kEffectCount; ++i) EXPECT_NE(g_effects[i], nullptr) << kEffectFiles[i];
    shutdownAudio();
    std::filesystem::current_path(previous);
}

}  // namespace
