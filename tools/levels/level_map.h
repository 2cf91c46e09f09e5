// Whole-level maps: every cell through the game's tile drawing, with a mark for each spawn code.
#pragma once
#include <memory>
#include <string>

#include "art/image.h"
#include "levels/level_text.h"
#include "levels/route_search.h"

class OffscreenContext;

class LevelMapRenderer {
   public:
    // Opens an offscreen picture of the whole world and loads the game's
    // textures from the working folder.
    LevelMapRenderer();
    ~LevelMapRenderer();
    LevelMapRenderer(const LevelMapRenderer&) = delete;
    LevelMapRenderer& operator=(const LevelMapRenderer&) = delete;

    bool ok() const;
    // The level scaled to `size` by `size` pixels, each pixel the average of
    // the world units it covers, with the hero's trail drawn over it and the
    // title in its top left corner.
    Image render(const LevelGrid& grid, int size, const std::vector<TrailPoint>& trail = {},
                 const std::string& title = "");
    // A key to the marks: each creature kind and pick-up with its name.
    Image renderKey(int width);

   private:
    void drawTiles();
    void drawMarks(const LevelGrid& grid);
    void drawTrail(const std::vector<TrailPoint>& trail);
    Image readBack(int x, int y, int width, int height, int outWidth, int outHeight);
    std::unique_ptr<OffscreenContext> context_;
};
