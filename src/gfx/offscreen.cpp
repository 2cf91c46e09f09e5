// OSMesa-backed offscreen context; linked only by tests and tools.
#include "gfx/offscreen.h"

#include <GL/osmesa.h>

#include <cstddef>

#include "gfx/draw.h"

OffscreenContext::OffscreenContext(int w, int h)
    : width(w), height(h), pixels(static_cast<size_t>(w) * h * 4) {
    // The game draws without a depth buffer; the reference way kept one.
    OSMesaContext ctx = OSMesaCreateContextExt(OSMESA_RGBA, g_plainDrawing ? 16 : 0, 0, 0, nullptr);
    if (!ctx) return;
    if (!OSMesaMakeCurrent(ctx, pixels.data(), GL_UNSIGNED_BYTE, w, h)) {
        OSMesaDestroyContext(ctx);
        return;
    }
    OSMesaPixelStore(OSMESA_Y_UP, 1);
    context_ = ctx;
    ok_ = true;
    previousDrawingOn_ = g_drawingOn;
    g_drawingOn = 1;
    setupGlState();
    setViewport(0, 0, w, h);
    setupProjection();
}

OffscreenContext::~OffscreenContext() {
    if (!context_) return;
    g_drawingOn = previousDrawingOn_;
    OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
    OSMesaDestroyContext(static_cast<OSMesaContext>(context_));
}

void OffscreenContext::finish() {
    if (ok_) glFinish();
}
