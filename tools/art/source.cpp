// Parsing the art sources: line-based statements, blocks closed by "end", grids in | rows.
#include "art/source.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace {

constexpr int kMaxCanvas = 4096;

// What each drawing command takes: i integer, f number, c colour, n name, s the rest of the line.
const std::map<std::string, std::string>& commandShapes() {
    static const std::map<std::string, std::string> shapes = {
        {"at", "ii"},
        {"fill", "c"},
        {"rect", "iiiic"},
        {"box", "iiiic"},
        {"line", "iiiic"},
        {"tri", "iiiiiic"},
        {"disc", "fffc"},
        {"ellipse", "ffffc"},
        {"noise", "ifciiii"},
        {"bricks", "iiiiiic"},
        {"replace", "cc"},
        {"outline", "c"},
        {"layer", "nii*"},
        {"vgradient", "iiiicc*"},
        {"glow", "fffcf*"},
        {"rays", "fffifcf"},
        {"ring", "ffffc"},
        {"bevel", "iiiicc"},
        {"skyline", "iiiiiiccf"},
        {"ridge", "iiifc"},
        {"blend", "iiiicf"},
        {"text", "iiics"},
        {"scatter", "iini"},
    };
    return shapes;
}

std::vector<std::string> splitWords(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

std::string trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    const size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

bool isInteger(const std::string& w) {
    if (w.empty()) return false;
    char* end = nullptr;
    const long v = std::strtol(w.c_str(), &end, 10);
    return *end == '\0' && v > -100000 && v < 100000;
}

bool isNumber(const std::string& w) {
    if (w.empty()) return false;
    char* end = nullptr;
    std::strtod(w.c_str(), &end);
    return *end == '\0';
}

bool isHexColour(const std::string& w) {
    return w.size() == 7 && w[0] == '#' &&
           std::all_of(w.begin() + 1, w.end(), [](char c) { return std::isxdigit(uint8_t(c)); });
}

class Parser {
   public:
    Parser(const std::string& file, const std::string& text, ArtLibrary& lib)
        : file_(file), lib_(lib) {
        std::istringstream in(text);
        for (std::string l; std::getline(in, l);) lines_.push_back(l);
    }

    void run() {
        while (next_ < lines_.size()) {
            const std::string line = trim(lines_[next_++]);
            if (line.empty() || line[0] == '#') continue;
            statement(splitWords(line));
        }
    }

   private:
    int lineNo() const { return int(next_); }
    [[noreturn]] void fail(const std::string& message) const {
        throw ArtError(file_, lineNo(), message);
    }
    SourcePlace here() const { return {file_, lineNo()}; }

    void statement(const std::vector<std::string>& w) {
        if (w[0] == "color" || w[0] == "colour") return colour(w);
        if (w[0] == "legend") return legendBlock(w);
        if (w[0] == "art") return artBlock(w);
        if (w[0] == "glyph") return glyph(w);
        if (w[0] == "sheet") return sheetBlock(w);
        fail("unknown statement '" + w[0] + "'");
    }

    // A colour given as #rrggbb, as three numbers 0 to 255, or by name.
    std::string colourWords(const std::vector<std::string>& w, size_t from) {
        if (w.size() == from + 3) {
            int v[3];
            for (int i = 0; i < 3; ++i) {
                if (!isInteger(w[from + i])) fail("colour parts must be whole numbers");
                v[i] = std::atoi(w[from + i].c_str());
                if (v[i] < 0 || v[i] > 255) fail("colour parts must lie in 0 to 255");
            }
            char buf[8];
            std::snprintf(buf, sizeof buf, "#%02x%02x%02x", v[0], v[1], v[2]);
            return buf;
        }
        if (w.size() != from + 1) fail("a colour is #rrggbb, three numbers or a name");
        if (w[from][0] == '#' && !isHexColour(w[from])) fail("bad colour '" + w[from] + "'");
        return w[from];
    }

    void colour(const std::vector<std::string>& w) {
        if (w.size() < 3) fail("color needs a name and a value");
        if (lib_.colours.count(w[1])) fail("colour '" + w[1] + "' is defined twice");
        lib_.colours[w[1]] = colourWords(w, 2);
    }

    void legendBlock(const std::vector<std::string>& w) {
        if (w.size() != 1) fail("legend takes no arguments");
        for (;;) {
            if (next_ >= lines_.size()) fail("legend is not closed by 'end'");
            const std::string line = trim(lines_[next_++]);
            if (line.empty() || line[0] == '#') continue;
            if (line == "end") return;
            const std::vector<std::string> e = splitWords(line);
            if (e[0].size() != 1) fail("a legend key is one character, not '" + e[0] + "'");
            if (e[0] == "|") fail("'|' cannot be a legend key");
            legend_[e[0][0]] = colourWords(e, 1);
        }
    }

    int dimension(const std::string& w) {
        if (!isInteger(w)) fail("size '" + w + "' is not a whole number");
        const int v = std::atoi(w.c_str());
        if (v < 1 || v > kMaxCanvas) fail("size " + w + " is out of range");
        return v;
    }

    void artBlock(const std::vector<std::string>& w) {
        if (w.size() != 4) fail("art needs a name, a width and a height");
        if (lib_.arts.count(w[1])) fail("art '" + w[1] + "' is defined twice");
        ArtDef art;
        art.name = w[1];
        art.place = here();
        art.width = dimension(w[2]);
        art.height = dimension(w[3]);
        art.legend = legend_;
        for (;;) {
            if (next_ >= lines_.size()) fail("art '" + art.name + "' is not closed by 'end'");
            const std::string line = trim(lines_[next_]);
            if (!line.empty() && line[0] == '|') {
                art.commands.push_back(gridCommand(art.legend));
                continue;
            }
            ++next_;
            if (line.empty() || line[0] == '#') continue;
            if (line == "end") break;
            art.commands.push_back(command(line, art.legend));
        }
        lib_.arts[art.name] = std::move(art);
    }

    // Consecutive | rows form one grid; every character must be in the legend.
    Command gridCommand(const std::map<char, std::string>& legend) {
        Command c;
        c.op = "grid";
        c.place = {file_, int(next_ + 1)};
        while (next_ < lines_.size()) {
            std::string line = trim(lines_[next_]);
            if (line.empty() || line[0] != '|') break;
            ++next_;
            line.erase(0, 1);
            if (!line.empty() && line.back() == '|') line.pop_back();
            for (char ch : line)
                if (ch != '.' && !legend.count(ch))
                    fail(std::string("grid character '") + ch + "' is not in the legend");
            c.rows.push_back(line);
        }
        return c;
    }

    Command command(const std::string& line, const std::map<char, std::string>& legend) {
        std::vector<std::string> w = splitWords(line);
        Command c;
        c.op = w[0];
        c.place = here();
        auto it = commandShapes().find(c.op);
        if (it == commandShapes().end()) fail("unknown command '" + c.op + "'");
        const std::string& shape = it->second;
        const bool rest = !shape.empty() && (shape.back() == 's' || shape.back() == '*');
        const size_t fixed = rest ? shape.size() - 1 : shape.size();
        if (w.size() - 1 < fixed || (!rest && w.size() - 1 > fixed))
            fail(c.op + " takes " + std::to_string(fixed) + " arguments");
        for (size_t i = 0; i < fixed; ++i) checkArgument(shape[i], w[i + 1], legend);
        if (shape.back() == 's') {  // the text keeps its own spacing
            const size_t at = nthWordEnd(line, fixed + 1);
            if (at >= line.size()) fail(c.op + " needs its text");
            w.resize(fixed + 1);
            w.push_back(trim(line.substr(at)));
        }
        c.args.assign(w.begin() + 1, w.end());
        return c;
    }

    static size_t nthWordEnd(const std::string& line, size_t n) {
        size_t at = 0;
        for (size_t k = 0; k < n; ++k) {
            at = line.find_first_not_of(" \t", at);
            at = line.find_first_of(" \t", at);
            if (at == std::string::npos) return line.size();
        }
        return at;
    }

    void checkArgument(char kind, const std::string& w, const std::map<char, std::string>& legend) {
        if (kind == 'i' && !isInteger(w)) fail("'" + w + "' is not a whole number");
        if (kind == 'f' && !isNumber(w)) fail("'" + w + "' is not a number");
        if (kind == 'c') {
            if (w.size() == 1 && w != "." && !legend.count(w[0]))
                fail("colour key '" + w + "' is not in the legend");
            if (w[0] == '#' && !isHexColour(w)) fail("bad colour '" + w + "'");
        }
    }

    int glyphCode(const std::string& w) {
        if (w == "space") return ' ';
        if (w.size() == 1) return uint8_t(w[0]);
        if (isInteger(w)) return std::atoi(w.c_str());
        fail("a glyph is named by its character, its code or 'space'");
    }

    void glyph(const std::vector<std::string>& w) {
        if (w.size() != 2) fail("glyph needs its character");
        const int code = glyphCode(w[1]);
        if (code < 32 || code > 255) fail("glyph code " + std::to_string(code) + " has no cell");
        if (lib_.glyphs.count(code)) fail("glyph '" + w[1] + "' is defined twice");
        ArtDef art;
        art.name = "glyph " + w[1];
        art.place = here();
        art.width = art.height = kGlyphCanvas;
        art.legend = {{'#', "#ffffff"}};
        Command grid = gridCommand(art.legend);
        if (grid.rows.empty()) fail("glyph '" + w[1] + "' has no rows");
        if (grid.rows.size() > size_t(kGlyphCanvas)) fail("a glyph has at most 8 rows");
        for (const std::string& r : grid.rows)
            if (r.size() > size_t(kGlyphCanvas)) fail("a glyph row has at most 8 columns");
        art.commands.push_back(grid);
        lib_.glyphs[code] = std::move(art);
    }

    void sheetBlock(const std::vector<std::string>& w) {
        if (w.size() != 2) fail("sheet needs its file name");
        if (lib_.sheets.count(w[1])) fail("sheet '" + w[1] + "' is laid out twice");
        SheetDef sheet;
        sheet.file = w[1];
        sheet.place = here();
        sheet.legend = legend_;
        for (;;) {
            if (next_ >= lines_.size()) fail("sheet '" + sheet.file + "' is not closed by 'end'");
            const std::string line = trim(lines_[next_++]);
            if (line.empty() || line[0] == '#') continue;
            if (line == "end") break;
            sheetStatement(splitWords(line), sheet);
        }
        lib_.sheets[sheet.file] = std::move(sheet);
    }

    void sheetStatement(const std::vector<std::string>& w, SheetDef& sheet) {
        if (w[0] == "glyphs") {
            if (w.size() != 3) fail("glyphs needs a fill and a shadow colour");
            checkArgument('c', w[1], sheet.legend);
            checkArgument('c', w[2], sheet.legend);
            sheet.glyphs = true;
            sheet.glyphFill = w[1];
            sheet.glyphShadow = w[2];
            return;
        }
        if (w[0] != "put") fail("a sheet holds 'put' and 'glyphs' lines, not '" + w[0] + "'");
        if (w.size() < 3) fail("put needs a cell name and an art name");
        Placement p{w[1], w[2], false, false, here()};
        for (size_t i = 3; i < w.size(); ++i) {
            if (w[i] == "flipx")
                p.flipX = true;
            else if (w[i] == "flipy")
                p.flipY = true;
            else
                fail("unknown put option '" + w[i] + "'");
        }
        sheet.puts.push_back(p);
    }

    std::string file_;
    ArtLibrary& lib_;
    std::vector<std::string> lines_;
    size_t next_ = 0;
    std::map<char, std::string> legend_;
};

}  // namespace

void parseArtSource(const std::string& fileName, const std::string& text, ArtLibrary& library) {
    Parser(fileName, text, library).run();
}

ArtLibrary loadArtFolder(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) throw ArtError(folder, 0, "not a folder of art sources");
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".txt") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ArtLibrary library;
    for (const fs::path& p : files) {
        std::ifstream in(p, std::ios::binary);
        if (!in) throw ArtError(p.filename().string(), 0, "cannot be read");
        std::stringstream text;
        text << in.rdbuf();
        parseArtSource(p.filename().string(), text.str(), library);
    }
    return library;
}
