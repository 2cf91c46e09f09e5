// Start-up: game mode or a letterboxed full-screen window, then the main loop.
#include "app/startup.h"

#include <GL/freeglut.h>
#include <X11/Xlib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/display.h"
#include "app/frame.h"
#include "app/globals.h"
#include "app/input.h"
#include "app/pacing.h"
#include "audio/audio.h"
#include "gfx/bitmap.h"
#include "gfx/draw.h"
#include "gfx/font.h"

volatile int g_quitSignal = 0;

namespace {
constexpr const char* kGameMode = "1024x768:32@70";
constexpr const char* kWindowTitle = "Dorian Hazardous";
constexpr int kSignalExitBase = 128;

int gameModeActive() {
    return glutGet(GLUT_INIT_STATE) && glutGameModeGet(GLUT_GAME_MODE_ACTIVE);
}

// Many X servers cannot switch modes; then a full-screen window stands in,
// with the picture letterboxed to the game-mode screen's shape.
void openScreen() {
    glutGameModeString(kGameMode);
    glutEnterGameMode();
    if (gameModeActive()) return;
    glutInitWindowSize(1024, 768);
    glutCreateWindow(kWindowTitle);
    glutReshapeFunc(onReshape);
    glutFullScreen();
}

void onSignal(int sig) {
    g_quitSignal = sig;
}

// GLUT would end the process with its own message; say plainly what is
// missing. The probe stays connected until GLUT is, because a server whose
// last client leaves resets and refuses connections for a moment.
bool displayAvailable(int argc, char** argv, Display** probe) {
    *probe = nullptr;
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "-display") return true;  // GLUT's own option decides
    *probe = XOpenDisplay(nullptr);
    return *probe != nullptr;
}

void installSignalHandlers() {
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}
}  // namespace

void quitGame(int exitCode) {
    if (gameModeActive()) glutLeaveGameMode();
    std::fflush(stdout);
    std::exit(exitCode);
}

void checkQuitSignal() {
    if (g_quitSignal) quitGame(kSignalExitBase + g_quitSignal);
}

void initGraphics() {
    setupGlState();
    loadTextures();
    setViewport(0, 0, 800, 600);
    setupProjection();
    buildFont();
    initSounds();
    if (!initMusic()) {
        std::fprintf(stderr,
                     "dorian: the installed SDL_mixer library is older than the game needs\n");
        quitGame(1);
    }
}

int runGame(int argc, char** argv) {
    Display* probe;
    if (!displayAvailable(argc, argv, &probe)) {
        std::fprintf(stderr,
                     "dorian: cannot open an X display; the game needs a graphical desktop\n");
        return 1;
    }
    installSignalHandlers();
    glutInit(&argc, argv);
    if (probe) XCloseDisplay(probe);
    // freeglut counts elapsed time from glutInit; before it the base differs.
    readElapsedTime();
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    openScreen();
    glutDisplayFunc(runFrame);
    glutIdleFunc(runFrame);
    glutSetCursor(GLUT_CURSOR_FULL_CROSSHAIR);
    g_drawingOn = 1;
    g_pacingOn = 1;
    glutMouseFunc(onMouse);
    glutIgnoreKeyRepeat(1);
    glutKeyboardFunc(onKeyDown);
    glutKeyboardUpFunc(onKeyUp);
    glutSpecialFunc(onSpecialDown);
    glutSpecialUpFunc(onSpecialUp);
    requestVsync();
    g_score = 0;
    g_completionTimer = 0;
    g_onScreens = 1;
    initGraphics();
    glutMainLoop();
    return 0;
}
