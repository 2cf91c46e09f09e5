// The player's own files in the XDG folders, read with care and written atomically.
#include "platform/user_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

void (*g_beforeRenameHook)() = nullptr;

namespace {
constexpr const char* kGameFolder = "dorian-hazardous";
constexpr mode_t kNewFolderMode = 0700;

struct FolderRule {
    const char* variable;
    const char* underHome;
    const char* keeps;  // what is lost without the folder
};
const FolderRule& ruleOf(UserFolder folder) {
    static constexpr FolderRule kRules[] = {
        {"XDG_CONFIG_HOME", ".config", "settings"},
        {"XDG_DATA_HOME", ".local/share", "progress and high scores"},
    };
    return kRules[folder == UserFolder::kConfig ? 0 : 1];
}

// Only absolute paths count: a relative one would land wherever the game was started.
std::string absoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    return value && value[0] == '/' ? value : "";
}

std::string baseFolder(UserFolder folder) {
    const FolderRule& rule = ruleOf(folder);
    std::string base = absoluteVariable(rule.variable);
    if (!base.empty()) return base;
    std::string home = absoluteVariable("HOME");
    return home.empty() ? "" : home + "/" + rule.underHome;
}

void sayNoHomeOnce() {
    static bool said = false;
    if (said) return;
    said = true;
    bool config = !baseFolder(UserFolder::kConfig).empty();
    bool data = !baseFolder(UserFolder::kData).empty();
    const char* lost = !config && !data ? "settings, progress and high scores"
                       : !config        ? ruleOf(UserFolder::kConfig).keeps
                                        : ruleOf(UserFolder::kData).keeps;
    std::fprintf(stderr, "dorian: no home folder (HOME is not set); %s will not be kept\n", lost);
}

std::string describe(const std::string& what, int error) {
    return what + ": " + std::strerror(error);
}

// Like mkdir -p; the folders it makes are private to the player.
bool makeFolders(const std::string& folder, std::string* error) {
    for (size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
        std::string part = folder.substr(0, end);
        if (mkdir(part.c_str(), kNewFolderMode) != 0 && errno != EEXIST) {
            *error = describe("cannot make the folder " + part, errno);
            return false;
        }
        if (end == std::string::npos) return true;
    }
}

bool writeAll(int fd, const std::string& text) {
    for (size_t done = 0; done < text.size();) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno != EINTR) return false;
        if (n > 0) done += n;
    }
    return true;
}

// The rename itself only lasts a power cut once the folder is synced too.
bool syncFolder(const std::string& folder, std::string* error) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    bool ok = fd >= 0 && fsync(fd) == 0;
    if (!ok) *error = describe("saved, but cannot sync the folder " + folder, errno);
    if (fd >= 0) close(fd);
    return ok;
}

ReadStatus failRead(ReadStatus status, std::string* error, const std::string& why) {
    *error = why;
    return status;
}
}  // namespace

std::string userFolder(UserFolder folder) {
    std::string base = baseFolder(folder);
    if (base.empty()) {
        sayNoHomeOnce();
        return "";
    }
    return base + "/" + kGameFolder;
}

ReadStatus readUserFile(const std::string& path, std::string* text, std::string* error) {
    text->clear();
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT) return failRead(ReadStatus::kMissing, error, "not there yet");
        return failRead(ReadStatus::kUnreadable, error, describe("cannot open it", errno));
    }
    struct stat info;
    ReadStatus status = ReadStatus::kOk;
    if (fstat(fd, &info) != 0) {
        status = failRead(ReadStatus::kUnreadable, error, describe("cannot read it", errno));
    } else if (!S_ISREG(info.st_mode)) {
        status = failRead(ReadStatus::kNotAFile, error,
                          S_ISDIR(info.st_mode) ? "a folder, not a file" : "not a regular file");
    }
    // Reads one byte past the limit, as the file may grow while we read.
    char buffer[4096];
    while (status == ReadStatus::kOk) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0)
            status = failRead(ReadStatus::kUnreadable, error, describe("cannot read it", errno));
        if (n <= 0) break;
        text->append(buffer, n);
        if (static_cast<long>(text->size()) > kMaxUserFileBytes)
            status = failRead(ReadStatus::kTooBig, error, "larger than 64 KiB, so not one of ours");
    }
    close(fd);
    if (status != ReadStatus::kOk) text->clear();
    return status;
}

bool writeFileAtomically(const std::string& path, const std::string& text, std::string* error) {
    size_t slash = path.rfind('/');
    std::string folder = path.substr(0, slash);
    if (!makeFolders(folder, error)) return false;
    std::string temporary = folder + "/." + path.substr(slash + 1) + ".XXXXXX";
    int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        *error = describe("cannot create a file in " + folder, errno);
        return false;
    }
    std::string failed;  // what went wrong, naming the file it went wrong with
    if (!writeAll(fd, text)) failed = "cannot write " + temporary;
    if (failed.empty() && fsync(fd) != 0) failed = "cannot sync " + temporary;
    int savedError = errno;
    if (close(fd) != 0 && failed.empty()) {
        failed = "cannot write " + temporary;
        savedError = errno;
    }
    if (failed.empty()) {
        if (g_beforeRenameHook) g_beforeRenameHook();
        if (rename(temporary.c_str(), path.c_str()) != 0) {
            failed = "cannot replace " + path;
            savedError = errno;
        }
    }
    if (!failed.empty()) {
        unlink(temporary.c_str());
        *error = describe(failed, savedError);
        return false;
    }
    return syncFolder(folder, error);
}

std::string UserFile::path() const {
    std::string base = userFolder(folder);
    return base.empty() ? "" : base + "/" + name;
}

bool UserFile::load(std::string* text) {
    std::string where = path();
    if (where.empty()) return false;  // already said
    std::string error;
    ReadStatus status = readUserFile(where, text, &error);
    // Something that is ours to move aside later; a folder or a pipe is not.
    damaged = status == ReadStatus::kUnreadable || status == ReadStatus::kTooBig;
    if (status == ReadStatus::kOk) return true;
    std::fprintf(stderr, "dorian: %s: %s; %s\n", where.c_str(), error.c_str(), fallback);
    return false;
}

void UserFile::reportDamage(int line, const std::string& problem) {
    damaged = true;
    std::fprintf(stderr, "dorian: %s line %d: %s; %s\n", path().c_str(), line, problem.c_str(),
                 fallback);
}

bool UserFile::save(const std::string& text) {
    std::string where = path();
    if (where.empty()) return false;  // already said
    std::string error;
    if (damaged) {
        // What the player wrote by hand may be worth more than what replaces it.
        std::string aside = where + ".damaged";
        if (rename(where.c_str(), aside.c_str()) == 0) {
            std::fprintf(stderr, "dorian: the damaged %s is kept as %s\n", name, aside.c_str());
        } else if (errno != ENOENT) {
            std::fprintf(stderr, "dorian: %s not saved: %s\n", name,
                         describe("cannot keep the damaged file as " + aside, errno).c_str());
            return false;
        }
        damaged = false;
    }
    if (writeFileAtomically(where, text, &error)) return true;
    std::fprintf(stderr, "dorian: %s not saved: %s\n", name, error.c_str());
    return false;
}
