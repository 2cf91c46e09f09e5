// Renders art blocks: runs their drawing commands on a canvas of native pixels.
#pragma once
#include <map>
#include <set>
#include <string>

#include "art/image.h"
#include "art/source.h"

class Painter {
   public:
    explicit Painter(const ArtLibrary& library) : lib_(library) {}

    // The finished canvas of the named art block; throws ArtError naming `from` if unknown.
    const Image& art(const std::string& name, const SourcePlace& from);
    const Image& glyph(int code);
    // A colour word as the sources write it: a legend key, #rrggbb, a name, "." or "clear".
    Rgba colour(const std::string& word, const std::map<char, std::string>& legend,
                const SourcePlace& from) const;

   private:
    struct Origin {
        int x = 0, y = 0;  // where the next pixel grid starts
    };
    Image render(const ArtDef& def);
    void layer(const Command& c, Image& img);
    void run(const Command& c, const ArtDef& def, Image& img, Origin& origin);

    const ArtLibrary& lib_;
    std::map<std::string, Image> done_;
    std::map<int, Image> glyphs_;
    std::set<std::string> busy_;  // blocks being rendered, to catch layers that loop
};

// Copies `src` onto `dst` scaled to fill the rectangle, nearest pixel, opaque pixels only.
void fitInto(const Image& src, Image& dst, int x0, int y0, int x1, int y1, bool flipX = false,
             bool flipY = false);
