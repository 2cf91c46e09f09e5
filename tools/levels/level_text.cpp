// Level sources: legend lines, then the map written top row first, read into a grid.
#include "levels/level_text.h"

#include <cctype>
#include <charconv>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace {

constexpr int kEmptyCode = -1;
constexpr char kCommentMark = ';';

// Splits text into lines, dropping the carriage return of CRLF files.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

std::string_view firstWord(std::string_view s) {
    size_t end = 0;
    while (end < s.size() && !std::isspace(static_cast<unsigned char>(s[end]))) ++end;
    return s.substr(0, end);
}

bool parseInt(std::string_view word, int* value) {
    if (word.empty()) return false;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), *value);
    return ec == std::errc() && end == word.data() + word.size();
}

// A character as a message shows it: printable ones quoted, others as hex.
std::string describeChar(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    if (std::isprint(u)) return std::string("'") + c + "'";
    std::ostringstream out;
    out << "byte 0x" << std::hex << static_cast<int>(u);
    return out.str();
}

bool usableLegendChar(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return std::isprint(u) && c != ' ' && c != kCommentMark;
}

class SourceReader {
   public:
    SourceReader(const std::string& name, LevelSource* out, std::string* error)
        : name_(name), out_(out), error_(error) {}

    bool read(std::string_view text) {
        std::vector<std::string_view> lines = splitLines(text);
        size_t i = 0;
        for (; i < lines.size() && !mapStarted_; ++i)
            if (!readHeaderLine(lines[i], static_cast<int>(i) + 1)) return false;
        if (!mapStarted_) return fail(static_cast<int>(lines.size()), "no \"map\" line");
        int row = kLevelSide - 1;
        for (; i < lines.size() && row >= 0; ++i, --row)
            if (!readMapRow(lines[i], static_cast<int>(i) + 1, row)) return false;
        if (row >= 0) {
            return fail(static_cast<int>(lines.size()),
                        "the map ends after " + std::to_string(kLevelSide - 1 - row) +
                            " rows; it needs " + std::to_string(kLevelSide));
        }
        for (; i < lines.size(); ++i) {
            std::string_view rest = trim(lines[i]);
            if (!rest.empty() && rest.front() != kCommentMark)
                return fail(static_cast<int>(i) + 1, "text after the last map row");
        }
        return true;
    }

   private:
    bool fail(int line, const std::string& what) {
        *error_ = name_ + ":" + std::to_string(line) + ": " + what;
        return false;
    }

    bool readHeaderLine(std::string_view raw, int line) {
        std::string_view text = trim(raw);
        if (text.empty() || text.front() == kCommentMark) return true;
        std::string_view keyword = firstWord(text);
        std::string_view rest = trim(text.substr(keyword.size()));
        if (keyword == "title") {
            out_->title = std::string(rest);
            return true;
        }
        if (keyword == "legend") return readLegend(rest, line);
        if (keyword == "map" && rest.empty()) {
            mapStarted_ = true;
            return true;
        }
        return fail(
            line, "unknown line \"" + std::string(keyword) + "\" (expected title, legend or map)");
    }

    // "legend C CODE [description]"
    bool readLegend(std::string_view rest, int line) {
        std::string_view symbol = firstWord(rest);
        if (symbol.size() != 1 || !usableLegendChar(symbol[0]))
            return fail(line, "a legend needs one visible character other than ';'");
        std::string_view codeWord = firstWord(trim(rest.substr(1)));
        int code = 0;
        if (!parseInt(codeWord, &code))
            return fail(line, "legend " + describeChar(symbol[0]) + " has no integer code");
        if (!legend_.emplace(symbol[0], code).second)
            return fail(line, "legend " + describeChar(symbol[0]) + " is given twice");
        return true;
    }

    bool readMapRow(std::string_view text, int line, int row) {
        if (text.size() != kLevelSide) {
            return fail(line, "map row has " + std::to_string(text.size()) +
                                  " characters; every row needs " + std::to_string(kLevelSide));
        }
        for (int col = 0; col < kLevelSide; ++col) {
            auto found = legend_.find(text[col]);
            if (found == legend_.end()) {
                return fail(line, "unknown character " + describeChar(text[col]) + " at column " +
                                      std::to_string(col + 1));
            }
            out_->grid.cells[row][col] = found->second;
        }
        return true;
    }

    const std::string& name_;
    LevelSource* out_;
    std::string* error_;
    std::map<char, int> legend_;
    bool mapStarted_ = false;
};

}  // namespace

LevelGrid::LevelGrid() {
    for (auto& row : cells) row.fill(kEmptyCode);
}

int LevelGrid::at(int row, int col) const {
    if (row < 0 || row >= kLevelSide || col < 0 || col >= kLevelSide) return kEmptyCode;
    return cells[row][col];
}

bool parseLevelSource(std::string_view text, const std::string& name, LevelSource* out,
                      std::string* error) {
    LevelSource parsed;
    if (!SourceReader(name, &parsed, error).read(text)) return false;
    *out = parsed;
    return true;
}

bool readLevelSource(const std::string& path, LevelSource* out, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = path + ": cannot be opened";
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parseLevelSource(text.str(), path, out, error);
}

std::string mapPlace(int row, int col) {
    return "map line " + std::to_string(kLevelSide - row) + " column " + std::to_string(col + 1);
}

std::string levelDataText(const LevelGrid& grid) {
    std::string text;
    text.reserve(kLevelSide * kLevelSide * 4);
    for (int row = 0; row < kLevelSide; ++row) {
        for (int col = 0; col < kLevelSide; ++col) {
            if (col > 0) text += ' ';
            text += std::to_string(grid.cells[row][col]);
        }
        text += '\n';
    }
    return text;
}
