// Reading back the small text files the game writes: lines, INI entries, numbers.
#pragma once
#include <string>
#include <vector>

// What is wrong with a file, and on which line (counted from 1).
struct FileProblem {
    int line = 0;
    std::string what;
};

// The file's lines without their surrounding blanks.
std::vector<std::string> textLines(const std::string& text);
// Printable ASCII and tabs only: anything else is not a file of ours, and is
// never echoed to the terminal.
bool isPlainText(const std::string& line);
// A whole number from min to max, in plain digits.
bool parseWholeNumber(const std::string& text, long min, long max, long* out);

// A "[section]" line has an empty key; a "key = value" line names its section.
struct IniEntry {
    int line;
    std::string section;
    std::string key;
    std::string value;
};
// Splits INI text into entries, skipping blank lines and lines starting with
// ';' or '#'. Names are letters, digits and '_'. False with `problem` on any
// other line and on a key given twice in one section.
bool parseIni(const std::string& text, std::vector<IniEntry>* entries, FileProblem* problem);
