// GLX knows which X display and window the current context draws into.
#include "gfx/native.h"

#include <GL/glx.h>

#include "gfx/draw.h"

_XDisplay* currentXDisplay() {
    return g_drawingOn ? glXGetCurrentDisplay() : nullptr;
}

unsigned long currentXWindow() {
    return g_drawingOn ? glXGetCurrentDrawable() : 0;
}
