// The command line: the game's own options, GLUT's, and what is refused.
#include "app/options.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

struct Case {
    std::vector<const char*> args;
    bool ok;
    ScreenChoice screen;
    bool help, version;
    size_t glutArgs;  // argv[0] and what GLUT gets
};

TEST(OptionsTest, OwnOptionsAreTakenGlutsPassedOnAndTheRestRefused) {
    const std::vector<Case> cases = {
        {{}, true, ScreenChoice::FromSettings, false, false, 1},
        {{"--windowed"}, true, ScreenChoice::Windowed, false, false, 1},
        {{"--windowed", "--fullscreen"}, true, ScreenChoice::FullScreen, false, false, 1},
        {{"--help"}, true, ScreenChoice::FromSettings, true, false, 1},
        {{"--version"}, true, ScreenChoice::FromSettings, false, true, 1},
        {{"-display", ":3", "-sync"}, true, ScreenChoice::FromSettings, false, false, 4},
        {{"-display"}, false, ScreenChoice::FromSettings, false, false, 1},
        {{"--window"}, false, ScreenChoice::FromSettings, false, false, 1},
        {{"level3"}, false, ScreenChoice::FromSettings, false, false, 1},
    };
    for (const Case& c : cases) {
        std::vector<char*> argv = {const_cast<char*>("dorian")};
        for (const char* arg : c.args) argv.push_back(const_cast<char*>(arg));
        Options options;
        std::string error;
        std::string name = c.args.empty() ? "(none)" : c.args[0];
        bool ok = parseOptions(static_cast<int>(argv.size()), argv.data(), &options, &error);
        ASSERT_EQ(ok, c.ok) << name;
        if (!ok) {
            EXPECT_NE(error.find(c.args.back()), std::string::npos) << error;
            continue;
        }
        EXPECT_EQ(
            std::make_tuple(options.screen, options.help, options.version, options.glutArgs.size()),
            std::make_tuple(c.screen, c.help, c.version, c.glutArgs))
            << name;
    }
    EXPECT_NE(usageText().find("--windowed"), std::string::npos);
    EXPECT_EQ(versionText().rfind("Dorian Hazardous ", 0), 0u);
}

}  // namespace
