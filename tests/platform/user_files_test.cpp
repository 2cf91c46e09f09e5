// Where the player's files live, and that an interrupted save never leaves a half file.
#include "platform/user_files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "support/files.h"

namespace {

namespace fs = std::filesystem;

// Sets (or with nullptr unsets) a variable for the life of the object.
struct Variable {
    Variable(const char* name, const char* value) : name(name) {
        if (const char* now = std::getenv(name)) old = now;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~Variable() { old ? setenv(name, old->c_str(), 1) : unsetenv(name); }
    const char* name;
    std::optional<std::string> old;
};

TEST(UserFolder, FollowsTheXdgRulesAndNeedsAnAbsoluteHome) {
    const struct {
        const char* xdg;  // XDG_CONFIG_HOME and XDG_DATA_HOME
        const char *home, *config, *data;
    } cases[] = {
        {"/x", "/h", "/x/dorian-hazardous", "/x/dorian-hazardous"},
        {"relative", "/h", "/h/.config/dorian-hazardous", "/h/.local/share/dorian-hazardous"},
        {"", "/h", "/h/.config/dorian-hazardous", "/h/.local/share/dorian-hazardous"},
        {nullptr, "/h", "/h/.config/dorian-hazardous", "/h/.local/share/dorian-hazardous"},
        {nullptr, "h", "", ""},
        {nullptr, nullptr, "", ""},
    };
    for (const auto& c : cases) {
        Variable config("XDG_CONFIG_HOME", c.xdg), data("XDG_DATA_HOME", c.xdg),
            home("HOME", c.home);
        EXPECT_EQ(userFolder(UserFolder::kConfig), c.config) << (c.xdg ? c.xdg : "unset");
        EXPECT_EQ(userFolder(UserFolder::kData), c.data) << (c.xdg ? c.xdg : "unset");
    }
}

// The writer runs in a child process, which either dies just before the
// rename or finds the disk full (a file size limit stands in for it).
TEST(InterruptedSave, LeavesTheOldFileWhole) {
    fs::path folder = fs::path(userFolder(UserFolder::kData)) / "atomic";
    std::string path = folder / "table.txt", error;
    const std::string before = "the old table\n", after(4096, 'x');
    for (bool killed : {true, false}) {
        SCOPED_TRACE(killed ? "killed before the rename" : "disk full");
        fs::remove_all(folder);
        ASSERT_TRUE(writeFileAtomically(path, before, &error)) << error;
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (killed) {
                g_beforeRenameHook = [] { raise(SIGKILL); };
            } else {
                signal(SIGXFSZ, SIG_IGN);
                rlimit limit{100, 100};
                setrlimit(RLIMIT_FSIZE, &limit);
            }
            bool saved = writeFileAtomically(path, after, &error);
            _exit(!saved && error.find("cannot write") == 0 ? 3 : 1);
        }
        int status;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        if (killed) {
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        } else {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << "no clear error";
            EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
                << "the temporary file was left behind";
        }
        EXPECT_EQ(fileBytes(path), before);
        ASSERT_TRUE(writeFileAtomically(path, after, &error)) << error;
        EXPECT_EQ(fileBytes(path), after);
    }
}

}  // namespace
