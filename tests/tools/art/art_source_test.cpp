// Faults in the art sources: clear messages with file and line, never a crash.
#include <gtest/gtest.h>

#include <filesystem>

#include "art/art_cli.h"
#include "art/generator.h"
#include "art/paint.h"
#include "art/source.h"
#include "support/scratch.h"

namespace {

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
