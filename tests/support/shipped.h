// Test helpers: cases that run on each shipped level, inside the built data folder.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/world.h"

// Parameterised by the level number; the world is clean before and after.
struct ShippedLevelTest : ::testing::TestWithParam<int> {
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(DORIAN_DATA_DIR);
        resetWorld();
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        resetWorld();
        g_level.load();
    }
    // Loads the level with its creatures and pick-ups; false if it is not built.
    static bool loadLevel() {
        g_levelNumber = GetParam();
        if (!std::filesystem::exists("level" + std::to_string(g_levelNumber) + ".dat"))
            return false;
        reloadLevel();
        return true;
    }

   private:
    std::filesystem::path previous_;
};
