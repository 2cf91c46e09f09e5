// The game's own audio layer loads every song and effect the build writes.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "audio/audio.h"
#include "support/files.h"

namespace {

TEST(GeneratedAudio, TheMixerLoadsEverySongAndEffect) {
    InDataFolder inData;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    initSounds();
    ASSERT_EQ(g_soundDevice, 1);
    ASSERT_TRUE(initMusic());
    for (int i = 0; i < kSongCount; ++i) EXPECT_NE(g_songs[i], nullptr) << kSongFiles[i];
    for (int i = 0; i < kEffectCount; ++i) EXPECT_NE(g_effects[i], nullptr) << kEffectFiles[i];
    shutdownAudio();
}

}  // namespace
