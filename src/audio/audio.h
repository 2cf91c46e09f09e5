// Background music in four song slots and six one-shot sound effects.
#pragma once
#include <string>

typedef struct _Mix_Music Mix_Music;
typedef struct Mix_Chunk Mix_Chunk;

enum Effect {
    kEffectWaa,     // the hero is hit
    kEffectZap,     // the hero fires
    kEffectPickup,  // an item is collected
    kEffectPop,     // a shot bursts an enemy
    kEffectSpark,   // a shot hits a wall
    kEffectJump,    // the up arrow starts a jump
    kEffectCount
};

constexpr int kSongCount = 4;
extern const char* const kSongFiles[kSongCount];
extern const char* const kEffectFiles[kEffectCount];
// Master volume of each slot on a scale of 0 to 256.
extern const int kSongVolumes[kSongCount];

extern Mix_Music* g_songs[kSongCount];
extern Mix_Chunk* g_effects[kEffectCount];

// 1 once an output device is open; without one every call below still keeps
// its state, silently, so the game flows the same with or without sound.
extern int g_soundDevice;
// The slot that plays (or would play, without a device), -1 for none.
extern int g_playingSong;
// The player's volumes, 0 (silent) to 10 (as made). Music is also silent
// while it is switched off, whatever starts a song.
constexpr int kFullVolume = 10;
extern int g_musicVolume;
extern int g_effectsVolume;
// Puts the volumes above into effect.
void applyVolumes();

// The last effect started and how many were started, for tests and tools.
extern int g_lastEffect;
extern unsigned g_effectCount;

// Opens the output device, if there is one, and loads the effects.
void initSounds();
// Loads the songs and plays slot 0. Returns false only when the linked mixer
// library is older than the one the game was built against.
bool initMusic();
void playEffect(int effect);
void stopAllSongs();
void playSong(int slot);
int isSongPlaying(int slot);
// Holds the song where it is, and lets it go on from there.
void pauseMusic();
void resumeMusic();
// Loads one song file through the data-file checks, keeping its bytes in
// `bytes`, which must outlive the song; null when missing, refused or not a
// song the mixer can play. Needs an open device.
Mix_Music* loadSong(const char* path, std::string* bytes);
// Closes the device and frees what was loaded; the state goes back to silent.
void shutdownAudio();
