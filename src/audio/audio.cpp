// The audio layer over SDL_mixer, falling back to silence without a device.
#include "audio/audio.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <string>

#include "app/globals.h"
#include "platform/data_file.h"

const char* const kSongFiles[kSongCount] = {"music/survival.it", "music/capslock.mod",
                                            "music/mr_ntid.it", "music/mr_estm.s3m"};
const char* const kEffectFiles[kEffectCount] = {"waa.wav", "zap.wav",   "pickup.wav",
                                                "pop.wav", "spark.wav", "jump.wav"};
const int kSongVolumes[kSongCount] = {256, 200, 65, 256};

Mix_Music* g_songs[kSongCount] = {};
Mix_Chunk* g_effects[kEffectCount] = {};
int g_soundDevice = 0;
int g_playingSong = -1;
int g_lastEffect = -1;
unsigned g_effectCount = 0;
int g_musicVolume = kFullVolume;
int g_effectsVolume = kFullVolume;

namespace {
constexpr int kOutputRate = 44100;
constexpr int kOutputChunk = 1024;
constexpr int kMixerVolumeScale = 256 / MIX_MAX_VOLUME;
// All effects share one channel, so a new one cuts off the one sounding.
constexpr int kEffectChannel = 0;

int clampVolume(int volume) {
    return volume < 0 ? 0 : volume > kFullVolume ? kFullVolume : volume;
}

// The mixer's music volume for a slot: its own level, scaled by the player's.
int musicVolumeOf(int slot) {
    if (!g_musicOn) return 0;
    return kSongVolumes[slot] / kMixerVolumeScale * clampVolume(g_musicVolume) / kFullVolume;
}

// The bytes of each loaded song: a decoder may go on reading them while the
// song lives.
std::string s_songBytes[kSongCount];

bool linkedMixerIsOlder() {
    SDL_version built;
    SDL_MIXER_VERSION(&built);
    const SDL_version* linked = Mix_Linked_Version();
    return SDL_VERSIONNUM(linked->major, linked->minor, linked->patch) <
           SDL_VERSIONNUM(built.major, built.minor, built.patch);
}

// Reads a file through the data-file checks into memory that SDL_mixer reads
// from; null when the file is missing or refused.
SDL_RWops* openChecked(const char* path, size_t maxBytes, std::string* bytes) {
    DataFile file = readDataFile(path, maxBytes);
    reportRefusal(path, file);
    if (file.status != DataFile::kRead) return nullptr;
    *bytes = std::move(file.bytes);
    return SDL_RWFromConstMem(bytes->data(), static_cast<int>(bytes->size()));
}

Mix_Chunk* loadEffect(const char* path) {
    std::string bytes;  // the chunk keeps its own decoded copy
    SDL_RWops* source = openChecked(path, kMaxEffectBytes, &bytes);
    return source ? Mix_LoadWAV_RW(source, 1) : nullptr;
}

}  // namespace

Mix_Music* loadSong(const char* path, std::string* bytes) {
    SDL_RWops* source = openChecked(path, kMaxSongBytes, bytes);
    // Our songs are all modules, the type SDL_mixer gives their file names.
    return source ? Mix_LoadMUSType_RW(source, MUS_MOD, 1) : nullptr;
}

void initSounds() {
    if (g_soundDevice) return;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    if (Mix_OpenAudio(kOutputRate, MIX_DEFAULT_FORMAT, 2, kOutputChunk) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    g_soundDevice = 1;
    Mix_AllocateChannels(1);
    applyVolumes();
    for (int i = 0; i < kEffectCount; ++i) g_effects[i] = loadEffect(kEffectFiles[i]);
}

bool initMusic() {
    if (linkedMixerIsOlder()) return false;
    if (g_soundDevice) {
        Mix_Init(MIX_INIT_MOD);
        for (int i = 0; i < kSongCount; ++i) {
            if (!g_songs[i]) g_songs[i] = loadSong(kSongFiles[i], &s_songBytes[i]);
        }
    }
    playSong(0);
    return true;
}

void playEffect(int effect) {
    if (effect < 0 || effect >= kEffectCount) return;
    g_lastEffect = effect;
    ++g_effectCount;
    if (g_soundDevice && g_effects[effect]) Mix_PlayChannel(kEffectChannel, g_effects[effect], 0);
}

void stopAllSongs() {
    g_playingSong = -1;
    if (g_soundDevice) Mix_HaltMusic();
}

void playSong(int slot) {
    if (slot < 0 || slot >= kSongCount) return;
    g_playingSong = slot;
    if (!g_soundDevice || !g_songs[slot]) return;
    Mix_VolumeMusic(musicVolumeOf(slot));
    Mix_PlayMusic(g_songs[slot], -1);
}

int isSongPlaying(int slot) {
    return slot >= 0 && slot == g_playingSong;
}

void applyVolumes() {
    if (!g_soundDevice) return;
    Mix_Volume(kEffectChannel, MIX_MAX_VOLUME * clampVolume(g_effectsVolume) / kFullVolume);
    if (g_playingSong >= 0) Mix_VolumeMusic(musicVolumeOf(g_playingSong));
}

void pauseMusic() {
    if (g_soundDevice) Mix_PauseMusic();
}

void resumeMusic() {
    if (g_soundDevice) Mix_ResumeMusic();
}

void shutdownAudio() {
    if (g_soundDevice) {
        Mix_HaltMusic();
        Mix_HaltChannel(-1);
    }
    for (int i = 0; i < kSongCount; ++i) {
        if (g_songs[i]) Mix_FreeMusic(g_songs[i]);
        g_songs[i] = nullptr;
        s_songBytes[i] = std::string();
    }
    for (Mix_Chunk*& chunk : g_effects) {
        if (chunk) Mix_FreeChunk(chunk);
        chunk = nullptr;
    }
    if (g_soundDevice) {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    g_soundDevice = 0;
    g_playingSong = -1;
}
