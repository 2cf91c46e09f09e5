// Start-up: game mode, a full-screen window or a plain window, then the main loop.
#include "app/startup.h"

#include <GL/freeglut.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/display.h"
#include "app/frame.h"
#include "app/gamepad.h"
#include "app/globals.h"
#include "app/input.h"
#include "app/options.h"
#include "app/pacing.h"
#include "app/progress.h"
#include "app/scores.h"
#include "app/settings.h"
#include "audio/audio.h"
#include "gfx/bitmap.h"
#include "gfx/draw.h"
#include "gfx/font.h"
#include "platform/heap.h"
#include "platform/process.h"
#include "platform/x11_keys.h"

int g_fullScreen = 1;

namespace {
constexpr const char* kGameMode = "1024x768:32@70";
constexpr const char* kWindowTitle = "Dorian Hazardous";
constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;

int s_window = 0;  // our GLUT window, 0 in game mode
bool s_switchRequested = false;

int gameModeActive() {
    return glutGet(GLUT_INIT_STATE) && glutGameModeGet(GLUT_GAME_MODE_ACTIVE);
}

// Game mode only where the server can switch to it: asking anyway makes
// freeglut complain on every start. Elsewhere a full-screen window stands
// in, with the picture letterboxed to the game-mode screen's shape.
bool enterGameMode() {
    glutGameModeString(kGameMode);
    if (!glutGameModeGet(GLUT_GAME_MODE_POSSIBLE)) return false;
    glutEnterGameMode();
    return gameModeActive();
}

void openScreen(bool fullScreen) {
    if (fullScreen && enterGameMode()) return;
    glutInitWindowSize(kWindowWidth, kWindowHeight);
    s_window = glutCreateWindow(kWindowTitle);
    if (fullScreen) glutFullScreen();
}

// What every new window needs: GLUT's callbacks belong to a window, and a new
// game-mode window brings a new OpenGL context.
void prepareWindow() {
    glutDisplayFunc(runFrame);
    glutReshapeFunc(onReshape);
    glutSetCursor(GLUT_CURSOR_FULL_CROSSHAIR);
    glutMouseFunc(onMouse);
    glutIgnoreKeyRepeat(1);
    glutKeyboardFunc(onKeyDown);
    glutKeyboardUpFunc(onKeyUp);
    glutSpecialFunc(onSpecialDown);
    glutSpecialUpFunc(onSpecialUp);
    requestVsync();
}

// The picture's share of initGraphics, again for a new context.
void initPicture() {
    setupGlState();
    loadTextures();
    setViewport(0, 0, 800, 600);
    setupProjection();
    buildFont();
}

// GLUT would end the process with its own message; say plainly what is
// missing. The probe stays connected until GLUT is, because a server whose
// last client leaves resets and refuses connections for a moment.
bool displayAvailable(const Options& options, Display** probe) {
    *probe = nullptr;
    for (size_t i = 1; i < options.glutArgs.size(); ++i)
        if (std::string(options.glutArgs[i]) == "-display") return true;  // GLUT decides
    *probe = XOpenDisplay(nullptr);
    return *probe != nullptr;
}

// What the player chose last time.
void applySettings() {
    g_backgroundOn = g_settings.backgroundOn;
    g_musicOn = g_settings.musicOn;
    g_musicVolume = g_settings.musicVolume;
    g_effectsVolume = g_settings.effectsVolume;
}

bool wantsFullScreen(const Options& options) {
    switch (options.screen) {
        case ScreenChoice::Windowed:
            return false;
        case ScreenChoice::FullScreen:
            return true;
        case ScreenChoice::FromSettings:
            break;
    }
    return g_settings.fullscreen != 0;
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

void requestScreenSwitch() {
    s_switchRequested = true;
}

void switchScreenIfRequested() {
    if (!s_switchRequested || !g_drawingOn) return;
    s_switchRequested = false;
    g_fullScreen = !g_fullScreen;
    g_settings.fullscreen = g_fullScreen;
    saveSettings();
    bool newWindow = gameModeActive();
    if (newWindow) {
        glutLeaveGameMode();
    } else if (g_fullScreen) {
        glutGameModeString(kGameMode);
        newWindow = glutGameModeGet(GLUT_GAME_MODE_POSSIBLE);
        if (newWindow) glutDestroyWindow(s_window);
    }
    if (newWindow) {
        s_window = 0;
        openScreen(g_fullScreen);
        prepareWindow();
        initPicture();
    } else if (g_fullScreen) {
        glutFullScreen();
    } else {
        glutLeaveFullScreen();
        glutReshapeWindow(kWindowWidth, kWindowHeight);
    }
    watchGameWindow();
}

void initGraphics() {
    initPicture();
    initSounds();
    if (!initMusic()) {
        std::fprintf(stderr,
                     "dorian: the installed SDL_mixer library is older than the game needs\n");
        quitGame(1);
    }
}

int runGame(const Options& options) {
    prepareHeap();
    Display* probe;
    if (!displayAvailable(options, &probe)) {
        std::fprintf(stderr,
                     "dorian: cannot open an X display; the game needs a graphical desktop\n");
        return 1;
    }
    installQuitSignals();
    openGamepads();
    loadSettings();
    applySettings();
    loadProgress();
    loadScores();
    std::vector<char*> args = options.glutArgs;
    int argc = static_cast<int>(args.size());
    args.push_back(nullptr);
    glutInit(&argc, args.data());
    if (probe) XCloseDisplay(probe);
    // freeglut counts elapsed time from glutInit; before it the base differs.
    readElapsedTime();
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB);  // no depth buffer: drawing order decides
    g_fullScreen = wantsFullScreen(options);
    openScreen(g_fullScreen);
    glutIdleFunc(runFrame);
    g_drawingOn = 1;
    g_pacingOn = 1;
    prepareWindow();
    watchGameWindow();
    g_score = 0;
    g_completionTimer = 0;
    g_onScreens = 1;
    initGraphics();
    glutMainLoop();
    return 0;
}
