// XQueryKeymap for the real key state; a second X connection that sees the
// focus and map changes GLUT does not report.
#include "platform/x11_keys.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include "gfx/native.h"

namespace {
Display* s_watcher = nullptr;
Window s_watched = 0;
bool s_pauseDown = false;

bool isPauseKey(XKeyEvent& event) {
    return XLookupKeysym(&event, 0) == XK_Pause;
}

// Auto-repeat sends a release and a press with the same time stamp.
bool releaseRepeats(const XKeyEvent& release) {
    if (!XPending(s_watcher)) return false;
    XEvent next;
    XPeekEvent(s_watcher, &next);
    return next.type == KeyPress && next.xkey.keycode == release.keycode &&
           next.xkey.time == release.time;
}

bool keycodeDown(Display* display, KeyCode code) {
    if (!code) return false;
    char keys[32];
    XQueryKeymap(display, keys);
    return (keys[code / 8] >> (code % 8)) & 1;
}
}  // namespace

bool arrowIsDown(unsigned long keysym) {
    Display* display = currentXDisplay();
    return display && keycodeDown(display, XKeysymToKeycode(display, keysym));
}

// Latin-1 characters are their own key symbols, in lower case.
bool keyIsDown(unsigned char key) {
    if (key >= 'A' && key <= 'Z') key = key - 'A' + 'a';
    return key >= ' ' && key < 127 && arrowIsDown(key);
}

void watchGameWindow() {
    Window window = currentXWindow();
    if (!window) return;
    if (!s_watcher) s_watcher = XOpenDisplay(nullptr);
    if (!s_watcher) return;
    s_watched = window;
    XSelectInput(s_watcher, window,
                 FocusChangeMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask);
    XFlush(s_watcher);
}

WindowChange nextWindowChange() {
    if (!s_watcher) return kWindowUnchanged;
    while (XPending(s_watcher)) {
        XEvent event;
        XNextEvent(s_watcher, &event);
        if (event.xany.window != s_watched) continue;
        switch (event.type) {
            case FocusOut:
                // Grabs by the window manager come and go; only a real loss counts.
                if (event.xfocus.mode != NotifyGrab && event.xfocus.detail != NotifyInferior)
                    return kFocusLost;
                break;
            case FocusIn:
                return kFocusGained;
            case UnmapNotify:
                return kWindowHidden;
            case MapNotify:
                return kWindowShown;
            case KeyPress:
                if (!isPauseKey(event.xkey) || s_pauseDown) break;
                s_pauseDown = true;
                return kPauseKey;
            case KeyRelease:
                if (isPauseKey(event.xkey) && !releaseRepeats(event.xkey)) s_pauseDown = false;
                break;
            default:
                break;
        }
    }
    return kWindowUnchanged;
}
