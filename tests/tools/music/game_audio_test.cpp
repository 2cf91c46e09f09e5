// The game's own audio layer loads every generated song and effect.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "audio/audio.h"
#include "music/module.h"
#include "sound/effect.h"
#include "sound/file_io.h"
#include "support/scratch.h"

namespace {

// Writes the data folder the way the build lays it out, into the scratch folder.
void writeGeneratedFiles() {
    for (const char* effect : kEffectFiles) {
        std::string name(effect);
        std::string recipe =
            std::string(DORIAN_SOUND_ASSETS) + "/" + name.substr(0, name.size() - 4) + ".txt";
        synth::writeFileAtomically(name, synth::buildEffect(synth::readTextFile(recipe)));
    }
    for (const char* song : kSongFiles) {
        std::string name(song);
        std::string text = std::string(DORIAN_MUSIC_ASSETS) + "/" + name.substr(6) + ".txt";
        synth::writeFileAtomically(
            name, music::buildModule(synth::readTextFile(text), *music::formatForFile(name)));
    }
}

TEST(GeneratedAudio, TheMixerLoadsEverySongAndEffect) {
    ScratchFolder folder;
    writeGeneratedFiles();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    initSounds();
    ASSERT_EQ(g_soundDevice, 1);
    ASSERT_TRUE(initMusic());
    for (int i = 0; i < kSongCount; ++i) EXPECT_NE(g_songs[i], nullptr) << kSongFiles[i];
    for (int i = 0; i < kEffectCount; ++i) EXPECT_NE(g_effects[i], nullptr) << kEffectFiles[i];
    for (int slot = 0; slot < kSongCount; ++slot) {
        playSong(slot);
        EXPECT_TRUE(isSongPlaying(slot));
    }
    shutdownAudio();
}

}  // namespace
