// The art sources: their drawing commands checked pixel by pixel on small canvases, and
// their faults, clear messages with file and line, never a crash.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "art/art_cli.h"
#include "art/generator.h"
#include "art/paint.h"
#include "art/source.h"
#include "support/scratch.h"

namespace {

const Rgba kWhite = opaqueRgb(255, 255, 255);
const Rgba kRose = opaqueRgb(200, 10, 20);

// Paints `body` as art t of w by h, beside a named colour, a legend and two small arts.
Image paintOne(const std::string& body, int w, int h) {
    ArtLibrary lib;
    parseArtSource("t.txt",
                   "color rose 200 10 20\n"
                   "legend\n  w #ffffff\n  k #141018\n  r rose\n  g #00ff00\nend\n"
                   "art bar 3 1\n|www|\nend\n"
                   "art dot 3 2\n|r.g|\n|rr.|\nend\n"
                   "art t " +
                       std::to_string(w) + " " + std::to_string(h) + "\n" + body + "end\n",
                   lib);
    Painter painter(lib);
    return painter.art("t", {});
}

const Rgba kInk = opaqueRgb(20, 16, 24);

// The picture as text: the legend's keys for its colours, '#' for others, '.' for clear.
std::string drawn(const Image& img) {
    std::string s;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const Rgba c = img.at(x, y);
            s += c == kWhite ? 'w' : c == kInk ? 'k' : c == kRose ? 'r' : c.opaque() ? '#' : '.';
        }
        s += '\n';
    }
    return s;
}

TEST(ArtPaint, ShapesOutlinesLayersAndBricksCoverWhatTheySay) {
    const struct {
        const char* body;
        int w, h;
        const char* drawn;
    } cases[] = {
        // The outline goes round the shape and leaves it alone.
        {"rect 2 2 2 1 w\noutline k\n", 6, 5, "......\n..kk..\n.kwwk.\n..kk..\n......\n"},
        {"tri 0 0 4 0 0 4 w\n", 4, 4, "wwww\nwww.\nww..\nw...\n"},
        {"tri 0 4 4 0 0 0 w\n", 4, 4, "wwww\nwww.\nww..\nw...\n"},  // either way round
        {"layer bar 0 0 rot90\n", 3, 3, "w..\nw..\nw..\n"},
        {"layer bar 1 0 rot270\n", 3, 3, ".w.\n.w.\n.w.\n"},
        {"layer bar 0 2\n", 3, 3, "...\n...\nwww\n"},
        {"layer dot 0 0\nlayer dot 3 0 flipx\n", 6, 2, "r.##.r\nrr..rr\n"},
        // A grid character of the legend's named colour; then the green becomes rose.
        {"layer dot 0 0\nreplace g r\n", 3, 2, "r.r\nrr.\n"},
        // Every other course is offset by half a brick.
        {"fill w\nbricks 0 0 8 6 4 3 k\n", 8, 6,
         "kkkkkkkk\nkwwwkwww\nkwwwkwww\nkkkkkkkk\nwwkwwwkw\nwwkwwwkw\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(drawn(paintOne(c.body, c.w, c.h)), c.drawn) << c.body;
}

TEST(ArtPaint, GlowOverClearOnlyShowsAboveItsFloor) {
    const Image soft = paintOne("glow 10 10 10 #ffffff 1\n", 20, 20);
    const Image hard = paintOne("glow 10 10 10 #ffffff 1 128\n", 20, 20);
    auto lit = [](const Image& img) {
        return std::count_if(img.pixels().begin(), img.pixels().end(), std::mem_fn(&Rgba::opaque));
    };
    EXPECT_GT(lit(soft), lit(hard));
    EXPECT_GT(lit(hard), 0);
    EXPECT_FALSE(soft.at(0, 0).opaque());             // outside the radius nothing is lit
    EXPECT_EQ(soft.at(10, 10).r, soft.at(10, 10).b);  // white light stays grey
}

TEST(ArtPaint, FittingScalesByNearestPixelAndMirrors) {
    Image src(2, 1);
    src.set(0, 0, kWhite);
    for (auto [x0, x1, flip, expected] :
         {std::tuple{0, 6, false, "www...\nwww...\n"},
          {0, 6, true, "...www\n...www\n"},
          {3, 3, false, "......\n......\n"}}) {  // an empty rectangle paints nothing
        Image dst(6, 2);
        fitInto(src, dst, x0, 0, x1, 2, flip);
        EXPECT_EQ(drawn(dst), expected);
    }
}

// The message of the fault that parsing and rendering `text` runs into, or "" for none.
std::string faultIn(const std::string& text) {
    try {
        ArtLibrary lib;
        parseArtSource("bad.txt", text, lib);
        Painter painter(lib);
        for (const auto& [name, art] : lib.arts) painter.art(name, art.place);
        generatePictures(lib);
    } catch (const ArtError& e) {
        return e.what();
    }
    return "";
}

TEST(ArtSource, FaultsNameTheFileAndTheLine) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"# fine\nsprocket 3\n", "bad.txt:2: unknown statement 'sprocket'"},
        {"art a 4 4\nrect 0 0 2\nend\n", "bad.txt:2: rect takes 5 arguments"},
        {"art a 4 4\nrect 0 0 x 2 #ffffff\nend\n", "bad.txt:2: 'x' is not a whole number"},
        {"art a 4 4\n|..z.|\nend\n", "bad.txt:2: grid character 'z' is not in the legend"},
        {"art a 4 4\nfill q\nend\n", "bad.txt:2: colour key 'q' is not in the legend"},
        {"art a 4 4\nfill #12345\nend\n", "bad.txt:2: bad colour '#12345'"},
        {"art a 4 4\nfill #ffffff\n", "bad.txt:2: art 'a' is not closed by 'end'"},
        {"art a 0 4\nend\n", "bad.txt:1: size 0 is out of range"},
        {"art a 4 4\nend\nart a 4 4\nend\n", "bad.txt:3: art 'a' is defined twice"},
        {"legend\n  ab red\nend\n", "bad.txt:2: a legend key is one character, not 'ab'"},
        {"art a 4 4\nfill mauve\nend\n", "bad.txt:2: unknown colour 'mauve'"},
        {"art a 4 4\nlayer b 0 0\nend\n", "bad.txt:2: unknown art 'b'"},
        {"art a 4 4\nlayer a 0 0\nend\n", "bad.txt:2: art 'a' contains itself"},
        {"art a 4 4\nlayer a 0 0 sideways\nend\n", "bad.txt:2: unknown layer option 'sideways'"},
        {"art a 4 4\nend\nsheet dorin3.bmp\n  put hero.nowhere a\nend\n",
         "bad.txt:4: no drawn cell is named 'hero.nowhere'"},
        {"art a 4 4\nend\nsheet dorin3.bmp\n  put tile.3 a\nend\n",
         "bad.txt:4: cell 'tile.3' belongs to blocks1a.bmp, not dorin3.bmp"},
        {"art a 4 4\nend\nsheet dorin3.bmp\n  put hero.walk.b a\n  put hud.life a\nend\n",
         "bad.txt:5: cell 'hud.life' overlaps 'hero.walk.b', painted before"},
        {"sheet nothing.bmp\nend\n", "bad.txt:1: the game reads no picture 'nothing.bmp'"},
        {"glyph AB\n|#|\n", "bad.txt:1: a glyph is named by its character, its code or 'space'"},
        {"glyph A\n|#########|\n", "bad.txt:2: a glyph row has at most 8 columns"},
    };
    for (const auto& c : cases) EXPECT_EQ(faultIn(c.text), c.message) << c.text;
}

// A faulty source or a missing folder stops with 1 naming its place, a bad command line
// with 2; sparse sources still write every picture and warn about empty cells.
TEST(ArtCommandLine, FaultsStopWithTheirExitCodeAndSparseSourcesWriteEveryPicture) {
    ScratchFolder folder;
    std::string errors;
    auto run = [&](const std::vector<std::string>& args) {
        ::testing::internal::CaptureStderr();
        const int code = runArtGenerator(args);
        errors = ::testing::internal::GetCapturedStderr();
        return code;
    };
    EXPECT_EQ(run({"no_such_folder", "out"}), 1);
    EXPECT_NE(errors.find("no_such_folder"), std::string::npos);
    std::filesystem::create_directories("src");
    writeFile("src/good.txt", "art a 2 2\nfill #ffffff\nend\n");
    writeFile("src/hero.txt", "art b 2 2\n\nfill #fffff\nend\n");
    EXPECT_EQ(run({"src", "out"}), 1);
    EXPECT_NE(errors.find("error: hero.txt:3: bad colour '#fffff'"), std::string::npos) << errors;
    EXPECT_FALSE(std::filesystem::exists("out/dorin3.bmp"));
    EXPECT_EQ(run({"only_one"}), 2);
    EXPECT_EQ(run({"src", "out", "--zoom", "0"}), 2);
    EXPECT_EQ(run({"src", "out", "--colour"}), 2);

    std::filesystem::remove("src/hero.txt");
    writeFile("src/good.txt",
              "art a 2 2\nfill #ffffff\nend\nsheet items.bmp\n  put item.6 a\nend\n");
    EXPECT_EQ(run({"src", "out", "--contact", "sheet.png"}), 0);
    EXPECT_TRUE(std::filesystem::exists("out/ottologo4.bmp"));
    EXPECT_TRUE(std::filesystem::exists("sheet.png"));
    EXPECT_NE(errors.find("warning: items.bmp: cell 'item.7' has no art"), std::string::npos);
    EXPECT_EQ(errors.find("item.6'"), std::string::npos);
}

}  // namespace
