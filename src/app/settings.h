// What the player can change and keep between runs.
#pragma once

constexpr int kMaxVolume = 10;
// Keys that keep their own meaning and are never bound: the volume keys.
constexpr const char* kVolumeKeys = "-_+=";

// The keys that can be rebound; the arrows, Enter and Escape always work.
// Letters match whatever the Shift and Caps Lock state.
struct KeyBindings {
    unsigned char left = 'a';
    unsigned char right = 'd';
    unsigned char up = 'w';
    unsigned char down = 's';
    unsigned char shot = ' ';
    unsigned char pause = 'p';
    unsigned char background = 'b';
    unsigned char music = 'm';

    bool operator==(const KeyBindings&) const = default;
};

struct Settings {
    int fullscreen = 1;
    int musicOn = 1;
    int musicVolume = kMaxVolume;    // 0 to kMaxVolume
    int effectsVolume = kMaxVolume;  // 0 to kMaxVolume
    int backgroundOn = 1;
    KeyBindings keys;

    bool operator==(const Settings&) const = default;
};

extern Settings g_settings;

// Reads the settings file into g_settings. A missing, unreadable or damaged
// file leaves the defaults and says so in one line on stderr; the file is
// then left alone until the player changes a setting.
void loadSettings();
// Writes g_settings to the settings file atomically. False, with one line on
// stderr, when it cannot.
bool saveSettings();
