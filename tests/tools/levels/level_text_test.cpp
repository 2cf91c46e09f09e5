// Level sources: the legend, the map read top row first, and broken sources.
#include "levels/level_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tools/levels/level_sketch.h"

namespace {

std::string errorOf(const std::string& text) {
    LevelSource source;
    std::string error;
    EXPECT_FALSE(parseLevelSource(text, "bad.txt", &source, &error));
    return error;
}

std::string fullRows(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += std::string(kLevelSide, '.') + "\n";
    return text;
}

// The map reads top line first: its last line is row 0. The level file's
// order is pinned by the replays of the shipped levels from their built files.
TEST(LevelSourceTest, TheTopLineOfTheMapIsTheTopRowWhateverTheLineEndsAndComments) {
    std::string text = "; a comment\n\n" + sketchSource({"S.E", "#w$", "##T"}) + "\n; the end\n";
    text.replace(text.find("title sketch"), 12, "title  Docks  ");
    std::string windows;
    for (char c : text) windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
    LevelSource source;
    std::string error;
    ASSERT_TRUE(parseLevelSource(windows, "ok.txt", &source, &error)) << error;
    EXPECT_EQ(source.title, "Docks");
    EXPECT_EQ(std::make_tuple(source.grid.cells[0][2], source.grid.cells[1][1],
                              source.grid.cells[2][0], source.grid.cells[2][2]),
              std::make_tuple(-24, -2, 95, 104));
    EXPECT_EQ(source.grid.cells[99][99], 1);
    EXPECT_EQ(source.grid.at(-1, 0), -1);
    EXPECT_EQ(source.grid.at(0, 100), -1);
}

TEST(LevelSourceTest, BrokenSourcesAreRefusedNamingTheFileAndLine) {
    const std::string header = "legend . -1\n";
    struct Case {
        std::string text, expected;
    } cases[] = {
        {header + "map\n" + fullRows(3) + std::string(99, '.') + "\n" + fullRows(96),
         "bad.txt:6: map row has 99 characters; every row needs 100"},
        {header + "map\n" + fullRows(1) + std::string(41, '.') + "x" + std::string(58, '.') + "\n" +
             fullRows(98),
         "bad.txt:4: unknown character 'x' at column 42"},
        {header + "map\n" + fullRows(1) + std::string(9, '.') + "\t" + std::string(90, '.') + "\n" +
             fullRows(98),
         "bad.txt:4: unknown character byte 0x9 at column 10"},
        {header + "map\n" + fullRows(60), "bad.txt:62: the map ends after 60 rows; it needs 100"},
        {header + "map\n" + fullRows(100) + "extra\n", "bad.txt:103: text after the last map row"},
        {header, "bad.txt:1: no \"map\" line"},
        {header + "legend . 3\nmap\n", "bad.txt:2: legend '.' is given twice"},
        {"legend x air\n", "bad.txt:1: legend 'x' has no integer code"},
        {"legend x 99999999999\n", "bad.txt:1: legend 'x' has no integer code"},
        {"legend xy 3\n", "bad.txt:1: a legend needs one visible character other than ';'"},
        {"legend\n", "bad.txt:1: a legend needs one visible character other than ';'"},
        {"colour red\n", "bad.txt:1: unknown line \"colour\" (expected title, legend or map)"},
    };
    for (const Case& c : cases) EXPECT_EQ(errorOf(c.text), c.expected);
    // Garbage is refused too, and a missing file named.
    std::string noise;
    for (int i = 0; i < 5000; ++i) noise += static_cast<char>((i * 7919) % 256);
    for (const std::string& text :
         {noise, "legend . -1\nmap\n" + noise, std::string("legend \0 3\n", 11), std::string()})
        errorOf(text);
    LevelSource source;
    std::string error;
    EXPECT_FALSE(readLevelSource("/nonexistent/level01.txt", &source, &error));
    EXPECT_EQ(error, "/nonexistent/level01.txt: cannot be opened");
}

}  // namespace
