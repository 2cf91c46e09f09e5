// Every test program gets XDG folders of its own in a scratch folder, so that
// nothing a test saves can ever reach the real home folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/scratch.h"

namespace {
// Memory-backed where there is such a folder: the game syncs every save to
// disk, which on a busy machine costs the tests that play seconds.
std::filesystem::path scratchParent() {
    std::filesystem::path shared = "/dev/shm";
    if (access(shared.c_str(), W_OK | X_OK) == 0) return shared;
    return std::filesystem::temp_directory_path();
}

class ScratchUserFolders : public ::testing::Environment {
   public:
    void SetUp() override {
        root_ = uniqueFolder("dorian_home_", scratchParent());
        setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

   private:
    std::filesystem::path root_;
};

[[maybe_unused]] ::testing::Environment* const s_registered =
    ::testing::AddGlobalTestEnvironment(new ScratchUserFolders);
}  // namespace
