// The command line: the game's own options, GLUT's, and what is refused.
#include "app/options.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

TEST(OptionsTest, OwnOptionsAreTakenGlutsPassedOnAndTheRestRefused) {
    // The arguments and whether they are taken; then the screen, help, version,
    // and how many arguments GLUT gets, argv[0] among them.
    const std::tuple<std::vector<const char*>, bool, ScreenChoice, bool, bool, size_t> cases[] = {
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
    for (const auto& [args, taken, screen, help, version, glutArgs] : cases) {
        std::vector<char*> argv = {const_cast<char*>("dorian")};
        for (const char* arg : args) argv.push_back(const_cast<char*>(arg));
        Options options;
        std::string error;
        std::string name = args.empty() ? "(none)" : args[0];
        bool ok = parseOptions(static_cast<int>(argv.size()), argv.data(), &options, &error);
        ASSERT_EQ(ok, taken) << name;
        if (!ok) {
            EXPECT_NE(error.find(args.back()), std::string::npos) << error;
            continue;
        }
        EXPECT_EQ(
            std::make_tuple(options.screen, options.help, options.version, options.glutArgs.size()),
            std::make_tuple(screen, help, version, glutArgs))
            << name;
    }
    EXPECT_NE(usageText().find("--windowed"), std::string::npos);
    EXPECT_EQ(versionText().rfind("Dorian Hazardous ", 0), 0u);
}

}  // namespace
