// Dorian Hazardous: reads the command line and starts the game.
#include <cstdio>
#include <string>

#include "app/options.h"
#include "app/startup.h"
#include "platform/process.h"

int main(int argc, char** argv) {
    prepareStandardStreams();
    Options options;
    std::string error;
    if (!parseOptions(argc, argv, &options, &error)) {
        std::fprintf(stderr, "dorian-hazardous: %s\n", error.c_str());
        return 2;
    }
    if (options.help || options.version) {
        std::fputs((options.help ? usageText() : versionText()).c_str(), stdout);
        return 0;
    }
    return runGame(options);
}
