// The audio layer keeps the same state with and without a sound device.
#include "audio/audio.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "support/scratch.h"

namespace {

// Runs every case in a scratch folder, so no song or effect file exists
// unless a case writes one.
struct AudioTest : ::testing::TestWithParam<const char*> {
    void SetUp() override {
        scratch = std::make_unique<ScratchFolder>();
        std::filesystem::create_directories("music");
        setenv("SDL_AUDIODRIVER", GetParam(), 1);
    }
    void TearDown() override {
        shutdownAudio();
        EXPECT_EQ(g_soundDevice, 0);
        g_lastEffect = -1;
        g_effectCount = 0;
        scratch.reset();
    }
    std::unique_ptr<ScratchFolder> scratch;
};

// Only a real output counts as a device.
TEST_P(AudioTest, SongSlotsKeepTheirStateWhateverTheDevice) {
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
}

TEST_P(AudioTest, EffectsPlayWithOrWithoutTheirFiles) {
    std::filesystem::copy_file(DORIAN_DATA_DIR "/zap.wav", "zap.wav");
    initSounds();
    playEffect(kEffectZap);
    playEffect(kEffectPop);  // missing file: silent, but counted
    EXPECT_EQ(g_lastEffect, kEffectPop);
    EXPECT_EQ(g_effectCount, 2u);
    if (g_soundDevice) {
        EXPECT_NE(g_effects[kEffectZap], nullptr);
        EXPECT_EQ(g_effects[kEffectPop], nullptr);
    }
}

// "dummy" is SDL's silent output device: the real mixer path runs. A driver
// that does not exist stands for a machine without sound.
INSTANTIATE_TEST_SUITE_P(Devices, AudioTest, ::testing::Values("dummy", "no_such_device"));

}  // namespace
