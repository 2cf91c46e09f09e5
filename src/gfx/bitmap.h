// 24-bit BMP pictures read into RGBA memory and uploaded as textures.
#pragma once
#include <cstdlib>

// Texture ids, used directly as OpenGL texture names.
enum TextureId : unsigned {
    kTexBlocks = 0,  // tiles 0 to 63
    kTexHero = 1,    // the hero, the basic walker, life icons, era marker
    kTexEnemy2 = 2,
    kTexEnemy3 = 3,
    kTexLadders = 4,  // tiles 64 to 127
    kTexWater = 5,    // tiles 128 and above
    kTexGiant = 6,
    kTexTiger = 7,
    kTexFlares = 8,
    kTexItems = 9,
    kTexSnake = 10,
    kTexTribe = 11,
    kTexFlies = 12,
    kTexBackground = 13,
    kTexFont = 14,
    kTexLogo = 15,
    kTextureCount = 16
};
extern const char* const kTextureFiles[kTextureCount];
extern const char* const kBackgroundPresent;  // "background5.bmp"
extern const char* const kBackgroundRuins;    // "background9.bmp"

// Largest width or height accepted from a file.
constexpr int kMaxBitmapSide = 16384;

class Bitmap {
   public:
    Bitmap() = default;
    ~Bitmap() { std::free(pixels); }
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    // Reads an uncompressed 24-bit BMP; pure black becomes transparent. On
    // failure the previous picture stays and a diagnostic may be printed.
    bool loadBmp(const char* fileName);
    // Uploads the current picture as texture `id`.
    void makeTexture(unsigned id);

    int height = 0;
    int width = 0;
    unsigned char* pixels = nullptr;  // RGBA, bottom row first; from malloc

   private:
    // What loadBmp last allocated, reused while `pixels` still points there.
    unsigned char* allocated_ = nullptr;
    size_t capacity_ = 0;
};

extern Bitmap g_bitmap;

// Loads the sixteen textures, id 0 first.
void loadTextures();
// Loads `fileName` into the background texture.
void reloadBackground(const char* fileName);
