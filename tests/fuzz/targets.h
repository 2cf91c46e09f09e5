// Fuzz targets for the files the game reads from disk, shared by the fuzzers
// and by the regression test that replays every input they ever broke on.
#pragma once
#include <cstddef>
#include <cstdint>

// Moves into a scratch folder of its own and silences the diagnostics.
void prepareFuzzing();
// Feeds `data` to the BMP reader as a picture file.
void fuzzBitmap(const uint8_t* data, size_t size);
// Feeds `data` to the song loader as a song file, on SDL's silent device.
void fuzzSong(const uint8_t* data, size_t size);
// Feeds `data` to the level loader as a level file, then lets the level live
// for a few frames of play with the hero in it.
void fuzzLevel(const uint8_t* data, size_t size);
