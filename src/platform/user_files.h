// The player's own files: where they live, reading them safely, writing them atomically.
#pragma once
#include <string>

enum class UserFolder { kConfig, kData };

// $XDG_CONFIG_HOME/dorian-hazardous or ~/.config/dorian-hazardous, and
// $XDG_DATA_HOME/dorian-hazardous or ~/.local/share/dorian-hazardous. A
// relative or empty XDG value is ignored. Empty when there is no home folder
// at all; the first time that happens it is said once on stderr.
std::string userFolder(UserFolder folder);

constexpr long kMaxUserFileBytes = 64 * 1024;

enum class ReadStatus { kOk, kMissing, kUnreadable, kNotAFile, kTooBig };
// Reads a regular file of at most kMaxUserFileBytes. A FIFO or device in its
// place is refused without blocking. On failure `error` says why.
ReadStatus readUserFile(const std::string& path, std::string* text, std::string* error);

// Replaces `path` by `text`: the folder is made (0700 where new), a temporary
// file beside the target is written and synced, then renamed over it. On
// failure the old file is untouched, the temporary is gone and `error` says why.
bool writeFileAtomically(const std::string& path, const std::string& text, std::string* error);

// Tests only: called between syncing the temporary file and the rename.
extern void (*g_beforeRenameHook)();

// One of the game's files, as its loader and saver see it.
struct UserFile {
    UserFolder folder;
    const char* name;      // "settings.ini"
    const char* fallback;  // what a failed load leaves: "the default settings"
    bool damaged = false;  // found but unusable: moved aside before the first save

    std::string path() const;
    // The file's text, or false after one line on stderr saying why not.
    bool load(std::string* text);
    // Says in one line on stderr what is wrong at `line`, and marks the file damaged.
    void reportDamage(int line, const std::string& problem);
    // Saves `text` atomically; a damaged file is first kept as NAME.damaged.
    // False after one line on stderr when it cannot.
    bool save(const std::string& text);
};
