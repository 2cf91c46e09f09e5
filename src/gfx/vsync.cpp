// Vertical sync through whichever GLX swap-control extension the driver lists.
#include <GL/glx.h>

#include <cstring>

#include "gfx/draw.h"

bool hasExtension(const char* list, const char* name) {
    if (!list || !name || !*name) return false;
    size_t len = std::strlen(name);
    for (const char* p = list; (p = std::strstr(p, name)) != nullptr; p += len) {
        bool startsWord = p == list || p[-1] == ' ';
        bool endsWord = p[len] == ' ' || p[len] == '\0';
        if (startsWord && endsWord) return true;
    }
    return false;
}

namespace {
using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
using SwapIntervalMesa = int (*)(unsigned int);
using SwapIntervalSgi = int (*)(int);

void* lookUp(const char* name) {
    return reinterpret_cast<void*>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}
}  // namespace

const char* requestVsync() {
    if (!g_drawingOn) return nullptr;
    Display* display = glXGetCurrentDisplay();
    GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || !drawable) return nullptr;
    const char* list = glXQueryExtensionsString(display, DefaultScreen(display));
    if (hasExtension(list, "GLX_EXT_swap_control")) {
        if (auto f = reinterpret_cast<SwapIntervalExt>(lookUp("glXSwapIntervalEXT"))) {
            f(display, drawable, 1);
            return "GLX_EXT_swap_control";
        }
    }
    if (hasExtension(list, "GLX_MESA_swap_control")) {
        if (auto f = reinterpret_cast<SwapIntervalMesa>(lookUp("glXSwapIntervalMESA"))) {
            f(1);
            return "GLX_MESA_swap_control";
        }
    }
    if (hasExtension(list, "GLX_SGI_swap_control")) {
        if (auto f = reinterpret_cast<SwapIntervalSgi>(lookUp("glXSwapIntervalSGI"))) {
            f(1);
            return "GLX_SGI_swap_control";
        }
    }
    return nullptr;
}
