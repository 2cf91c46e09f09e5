// Lines, INI entries and whole numbers, checked strictly: these files are ours.
#include "platform/user_text.h"

#include <cctype>
#include <set>
#include <utility>

namespace {
constexpr const char* kBlanks = " \t\r";

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool isName(const std::string& text) {
    if (text.empty()) return false;
    for (unsigned char c : text)
        if (!std::isalnum(c) && c != '_') return false;
    return true;
}

bool fail(FileProblem* problem, int line, const std::string& what) {
    *problem = {line, what};
    return false;
}
}  // namespace

std::vector<std::string> textLines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(trimmed(text.substr(start, end - start)));
        start = end + 1;
    }
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

bool isPlainText(const std::string& line) {
    for (unsigned char c : line)
        if ((c < ' ' && c != '\t') || c > '~') return false;
    return true;
}

bool parseWholeNumber(const std::string& text, long min, long max, long* out) {
    if (text.empty() || text.size() > 10) return false;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < min || value > max) return false;
    *out = value;
    return true;
}

bool parseIni(const std::string& text, std::vector<IniEntry>* entries, FileProblem* problem) {
    entries->clear();
    std::string section;
    std::set<std::pair<std::string, std::string>> seen;
    std::vector<std::string> lines = textLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        int number = static_cast<int>(i) + 1;
        if (!isPlainText(line)) return fail(problem, number, "not text");
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            section = trimmed(line.substr(1, line.size() - 2));
            if (!isName(section)) return fail(problem, number, "not a section name");
            entries->push_back({number, section, "", ""});
            continue;
        }
        size_t equals = line.find('=');
        std::string key = trimmed(line.substr(0, equals));
        if (equals == std::string::npos || !isName(key))
            return fail(problem, number, "not a \"name = value\" line");
        if (!seen.insert({section, key}).second)
            return fail(problem, number, "'" + key + "' is given twice");
        entries->push_back({number, section, key, trimmed(line.substr(equals + 1))});
    }
    return true;
}
