// The text sources of our art: palettes, legends, art blocks, glyphs and sheet layouts.
#pragma once
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

// A fault in a source file, always naming the file and the line.
class ArtError : public std::runtime_error {
   public:
    ArtError(const std::string& file, int line, const std::string& message)
        : std::runtime_error(file + ":" + std::to_string(line) + ": " + message) {}
};

// Where a statement came from, for messages.
struct SourcePlace {
    std::string file;
    int line = 0;
};

// One drawing command of an art block, its words split on blanks.
struct Command {
    std::string op;
    std::vector<std::string> args;
    std::vector<std::string> rows;  // the pixel rows of a grid command
    SourcePlace place;
};

// A picture described by commands on a canvas of native pixels (row 0 at the top).
struct ArtDef {
    std::string name;
    int width = 0, height = 0;
    std::map<char, std::string> legend;  // the file's legend when the block was read
    std::vector<Command> commands;
    SourcePlace place;
};

struct Placement {
    std::string cell;  // a name from the table of drawn rectangles
    std::string art;
    bool flipX = false, flipY = false;
    SourcePlace place;
};

struct SheetDef {
    std::string file;
    std::vector<Placement> puts;
    bool glyphs = false;  // the font sheet: every glyph goes into its cell
    std::string glyphFill, glyphShadow;
    std::map<char, std::string> legend;
    SourcePlace place;
};

struct ArtLibrary {
    std::map<std::string, std::string> colours;  // name -> "#rrggbb"
    std::map<std::string, ArtDef> arts;
    std::map<int, ArtDef> glyphs;  // by character code
    std::map<std::string, SheetDef> sheets;
};

// Adds one source file's statements to the library; throws ArtError on any fault.
void parseArtSource(const std::string& fileName, const std::string& text, ArtLibrary& library);
// Reads every *.txt in `folder` in name order.
ArtLibrary loadArtFolder(const std::string& folder);

// The native size of a glyph canvas; glyph grids are at most this big.
constexpr int kGlyphCanvas = 8;
