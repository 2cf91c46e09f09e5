// Command-line options: --windowed, --fullscreen, --help, --version, and
// GLUT's own X options passed through.
#include "app/options.h"

#include <cstring>

#ifndef DORIAN_VERSION
#define DORIAN_VERSION "unknown"
#endif

namespace {
// GLUT's X options; the ones in the first list take a value.
constexpr const char* kGlutOptionsWithValue[] = {"-display", "-geometry"};
constexpr const char* kGlutFlags[] = {"-direct", "-indirect", "-iconic", "-gldebug", "-sync"};

template <size_t N>
bool listed(const char* const (&list)[N], const char* arg) {
    for (const char* name : list)
        if (std::strcmp(name, arg) == 0) return true;
    return false;
}
}  // namespace

bool parseOptions(int argc, char** argv, Options* out, std::string* error) {
    *out = Options();
    if (argc > 0) out->glutArgs.push_back(argv[0]);
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--windowed") {
            out->screen = ScreenChoice::Windowed;
        } else if (arg == "--fullscreen") {
            out->screen = ScreenChoice::FullScreen;
        } else if (arg == "--help" || arg == "-h") {
            out->help = true;
        } else if (arg == "--version") {
            out->version = true;
        } else if (listed(kGlutOptionsWithValue, argv[i])) {
            if (i + 1 >= argc) {
                *error = "option '" + arg + "' needs a value";
                return false;
            }
            out->glutArgs.push_back(argv[i]);
            out->glutArgs.push_back(argv[++i]);
        } else if (listed(kGlutFlags, argv[i])) {
            out->glutArgs.push_back(argv[i]);
        } else {
            *error = "unknown option '" + arg + "' (try --help)";
            return false;
        }
    }
    return true;
}

std::string usageText() {
    return "Usage: dorian-hazardous [OPTION]...\n"
           "A side-scrolling platform shooter: run, jump, climb, swim and shoot\n"
           "through twelve levels in four eras.\n"
           "\n"
           "  --windowed     play in a 1024x768 window that can be resized\n"
           "  --fullscreen   play full screen (the default)\n"
           "  --help         show this help and exit\n"
           "  --version      show the version and exit\n"
           "  -display NAME  the X display to use\n"
           "\n"
           "F11 switches between window and full screen while playing.\n"
           "The choice is remembered in the settings file.\n";
}

std::string versionText() {
    return std::string("Dorian Hazardous ") + DORIAN_VERSION + "\n";
}
