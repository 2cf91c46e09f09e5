// Test helpers: a fixture whose cases start in a clean world and leave level 1 loaded.
#pragma once
#include <gtest/gtest.h>

#include "support/world.h"

struct WorldTest : ::testing::Test {
    void SetUp() override { resetWorld(); }
    void TearDown() override {
        resetWorld();
        g_level.load();
    }
};
