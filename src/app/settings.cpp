// The player's settings, kept in settings.ini in the config folder.
#include "app/settings.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "app/input.h"
#include "platform/user_files.h"
#include "platform/user_text.h"

Settings g_settings;

namespace {
UserFile s_file{UserFolder::kConfig, "settings.ini", "using the default settings"};

constexpr const char* kHeader = "; Dorian Hazardous settings\n";
constexpr const char* kKeysSection = "keys";
constexpr const char* kSpace = "space";

enum class Kind { kYesNo, kOnOff, kVolume };
struct Choice {
    const char* section;
    const char* name;
    Kind kind;
    int Settings::*field;
};
// In the order they are written.
constexpr Choice kChoices[] = {
    {"screen", "fullscreen", Kind::kYesNo, &Settings::fullscreen},
    {"sound", "music", Kind::kOnOff, &Settings::musicOn},
    {"sound", "music_volume", Kind::kVolume, &Settings::musicVolume},
    {"sound", "effects_volume", Kind::kVolume, &Settings::effectsVolume},
    {"picture", "background", Kind::kOnOff, &Settings::backgroundOn},
};

struct Binding {
    const char* name;
    unsigned char KeyBindings::*key;
};
constexpr Binding kBindings[] = {
    {"left", &KeyBindings::left},
    {"right", &KeyBindings::right},
    {"up", &KeyBindings::up},
    {"down", &KeyBindings::down},
    {"shot", &KeyBindings::shot},
    {"pause", &KeyBindings::pause},
    {"background", &KeyBindings::background},
    {"music", &KeyBindings::music},
};

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string valueText(Kind kind, int value) {
    if (kind == Kind::kYesNo) return value ? "yes" : "no";
    if (kind == Kind::kOnOff) return value ? "on" : "off";
    return std::to_string(std::clamp(value, 0, kMaxVolume));  // never a file we would refuse
}

std::string keyText(unsigned char key) {
    return key == ' ' ? kSpace : std::string(1, static_cast<char>(key));
}

// Either word of either pair is taken for a switch: their meaning is plain.
bool readChoice(const Choice& choice, const std::string& text, int* value) {
    if (choice.kind == Kind::kVolume) {
        long volume;
        if (!parseWholeNumber(text, 0, kMaxVolume, &volume)) return false;
        *value = static_cast<int>(volume);
        return true;
    }
    std::string word = lowerCase(text);
    bool on = word == "yes" || word == "on";
    if (!on && word != "no" && word != "off") return false;
    *value = on;
    return true;
}

std::string wantedFor(const Choice& choice) {
    if (choice.kind == Kind::kVolume) return " must be 0 to " + std::to_string(kMaxVolume);
    return choice.kind == Kind::kYesNo ? " must be yes or no" : " must be on or off";
}

// One printable character or "space"; Enter, Escape, the arrows and the
// volume keys cannot be written here at all.
bool readKey(const std::string& text, unsigned char* key) {
    if (lowerCase(text) == kSpace) {
        *key = ' ';
        return true;
    }
    if (text.size() != 1 || text[0] <= ' ' || text[0] > '~') return false;
    if (std::strchr(kVolumeKeys, text[0])) return false;
    *key = foldKey(static_cast<unsigned char>(text[0]));
    return true;
}

bool knownSection(const std::string& section) {
    for (const Choice& choice : kChoices)
        if (section == choice.section) return true;
    return section == kKeysSection;
}

const Choice* findChoice(const IniEntry& entry) {
    for (const Choice& choice : kChoices)
        if (entry.section == choice.section && entry.key == choice.name) return &choice;
    return nullptr;
}

int findBinding(const IniEntry& entry) {
    for (size_t i = 0; i < std::size(kBindings); ++i)
        if (entry.section == kKeysSection && entry.key == kBindings[i].name) return i;
    return -1;
}

// Records the line of each binding, for the message about a key bound twice.
bool applyEntry(const IniEntry& entry, Settings* settings, std::vector<int>* bindingLines,
                FileProblem* problem) {
    std::string wrong;
    if (entry.key.empty()) {
        if (!knownSection(entry.section)) wrong = "unknown section [" + entry.section + "]";
    } else if (const Choice* choice = findChoice(entry)) {
        if (!readChoice(*choice, entry.value, &(settings->*choice->field)))
            wrong = entry.key + wantedFor(*choice);
    } else if (int binding = findBinding(entry); binding >= 0) {
        (*bindingLines)[binding] = entry.line;
        if (!readKey(entry.value, &(settings->keys.*kBindings[binding].key)))
            wrong = entry.key + " must be one character (but not " + kVolumeKeys + ") or space";
    } else if (entry.section.empty()) {
        wrong = entry.key + " is outside any section";
    } else {
        wrong = "unknown setting " + entry.key + " in [" + entry.section + "]";
    }
    *problem = {entry.line, wrong};
    return wrong.empty();
}

// A key bound twice would quietly lose one of its actions.
bool bindingsDiffer(const KeyBindings& keys, const std::vector<int>& lines, FileProblem* problem) {
    for (size_t i = 0; i < std::size(kBindings); ++i) {
        for (size_t j = i + 1; j < std::size(kBindings); ++j) {
            unsigned char key = keys.*kBindings[i].key;
            if (key != keys.*kBindings[j].key) continue;
            *problem = {std::max(lines[i], lines[j]), "key " + keyText(key) + " is bound to both " +
                                                          kBindings[i].name + " and " +
                                                          kBindings[j].name};
            return false;
        }
    }
    return true;
}

bool readSettings(const std::string& text, Settings* settings, FileProblem* problem) {
    std::vector<IniEntry> entries;
    if (!parseIni(text, &entries, problem)) return false;
    std::vector<int> bindingLines(std::size(kBindings), 0);
    for (const IniEntry& entry : entries)
        if (!applyEntry(entry, settings, &bindingLines, problem)) return false;
    return bindingsDiffer(settings->keys, bindingLines, problem);
}

std::string settingsText(const Settings& settings) {
    std::string text = kHeader;
    const char* section = "";
    for (const Choice& choice : kChoices) {
        if (std::strcmp(section, choice.section) != 0)
            text += std::string("[") + (section = choice.section) + "]\n";
        text += std::string(choice.name) + " = " + valueText(choice.kind, settings.*choice.field) +
                "\n";
    }
    text += std::string("[") + kKeysSection + "]\n";
    for (const Binding& binding : kBindings)
        text += std::string(binding.name) + " = " + keyText(settings.keys.*binding.key) + "\n";
    return text;
}
}  // namespace

void loadSettings() {
    g_settings = Settings();
    std::string text;
    if (!s_file.load(&text)) return;
    Settings loaded;
    FileProblem problem;
    if (readSettings(text, &loaded, &problem)) {
        g_settings = loaded;
    } else {
        s_file.reportDamage(problem.line, problem.what);
    }
}

bool saveSettings() {
    return s_file.save(settingsText(g_settings));
}
