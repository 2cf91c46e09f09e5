// dorian_icon HERO_SHEET SIZE OUT.png: writes the desktop icon.
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "art/png.h"
#include "gfx/bitmap.h"
#include "icon/icon.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: dorian_icon HERO_SHEET SIZE OUT.png\n");
        return 2;
    }
    Bitmap sheet;
    if (!sheet.loadBmp(argv[1])) return 1;
    Image icon = makeIcon(sheet, std::atoi(argv[2]));
    if (icon.width() == 0) {
        std::fprintf(stderr, "dorian_icon: cannot make an icon of %s pixels from %s\n", argv[2],
                     argv[1]);
        return 1;
    }
    std::ofstream(argv[3], std::ios::binary) << encodePng(icon, kClear);
    return 0;
}
