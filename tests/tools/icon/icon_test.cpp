// The desktop icon is cut from the right cell and framed on its tile.
#include "icon/icon.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "gfx/bitmap.h"

namespace {

// A 10 by 10 sheet: red everywhere, green in the shooting-pose cell (columns
// 6 and 7, rows 8 and 9 from the bottom). An empty sheet or a tiny size gives
// no icon at all.
TEST(Icon, ShowsThePoseCellOnARoundedTileAndRefusesWhatItCannotUse) {
    Bitmap sheet, empty;
    sheet.width = sheet.height = 10;
    sheet.pixels = static_cast<unsigned char*>(std::calloc(100, 4));
    for (int i = 0; i < 100; ++i) {
        const bool pose = i % 10 >= 6 && i % 10 < 8 && i >= 80;
        sheet.pixels[i * 4 + (pose ? 1 : 0)] = sheet.pixels[i * 4 + 3] = 255;
    }
    Image icon = makeIcon(sheet, 48);
    ASSERT_EQ(icon.width(), 48);
    EXPECT_FALSE(icon.at(0, 0).opaque());  // rounded corner
    EXPECT_EQ(icon.at(24, 24), opaqueRgb(0, 255, 0));
    EXPECT_TRUE(icon.at(24, 1).opaque());  // the rim frames the tile
    EXPECT_EQ(makeIcon(empty, 64).width(), 0);
    EXPECT_EQ(makeIcon(sheet, 4).width(), 0);
}

}  // namespace
