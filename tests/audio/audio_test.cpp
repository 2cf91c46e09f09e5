// The audio layer keeps the same state with and without a sound device.
#include "audio/audio.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "support/scratch.h"

namespace {

// Runs in a scratch folder, so no song or effect file exists.
struct AudioTest : ::testing::TestWithParam<const char*> {
    void SetUp() override {
        std::filesystem::create_directories("music");
        setenv("SDL_AUDIODRIVER", GetParam(), 1);
    }
    void TearDown() override {
        shutdownAudio();
        EXPECT_EQ(g_soundDevice, 0);
        g_lastEffect = -1, g_effectCount = 0;
    }
    ScratchFolder scratch;
};

// Only a real output counts as a device; a missing effect is silent but counted.
TEST_P(AudioTest, SongSlotsAndEffectsKeepTheirStateWhateverTheDevice) {
    initSounds();
    EXPECT_EQ(g_soundDevice, std::string(GetParam()) == "dummy");
    ASSERT_TRUE(initMusic());
    EXPECT_TRUE(isSongPlaying(0));  // the menu starts with slot 0
    EXPECT_FALSE(isSongPlaying(1));
    stopAllSongs();
    for (int slot = 0; slot < kSongCount; ++slot) EXPECT_FALSE(isSongPlaying(slot));
    playSong(3);
    EXPECT_TRUE(isSongPlaying(3));
    playSong(2);  // one song at a time
    EXPECT_FALSE(isSongPlaying(3));
    EXPECT_TRUE(isSongPlaying(2));
    playSong(-1);  // slots and effects out of range are ignored
    playSong(kSongCount);
    playEffect(kEffectCount);
    EXPECT_TRUE(isSongPlaying(2));
    EXPECT_EQ(g_effectCount, 0u);
    playEffect(kEffectZap);
    playEffect(kEffectPop);
    EXPECT_EQ(std::make_pair(g_lastEffect, g_effectCount), std::make_pair(int(kEffectPop), 2u));
}

// "dummy" is SDL's silent output device: the real mixer path runs. A driver
// that does not exist stands for a machine without sound.
INSTANTIATE_TEST_SUITE_P(Devices, AudioTest, ::testing::Values("dummy", "no_such_device"));

}  // namespace
