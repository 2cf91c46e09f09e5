// Immediate-mode OpenGL behind the drawing helper, with a headless switch.
//
// Without a GPU every pixel is filled in software, so the helper spares the
// rasteriser work that cannot show: quads whose texels are all opaque go
// without blending and alpha test (src * 1 + dst * 0 is src), and there is no
// depth buffer (the depth test passed everything). The picture stays the same
// to the byte; g_plainDrawing keeps the old way for comparison.
#include "gfx/draw.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdlib>

#include "gfx/coverage.h"

int g_drawingOn = 0;
int g_plainDrawing = 0;
std::vector<DrawCall>* g_drawLog = nullptr;

namespace {
// Mirrors the GL state the helper sets, so that the log reads the same with
// drawing switched off.
unsigned s_texture = 0;
float s_color[4] = {1, 1, 1, 1};
int s_additive = 0;

// What OpenGL holds beyond the mirrors above. Outside a batch it rests with
// no primitive open and blending on, for code that calls OpenGL directly.
int s_batchDepth = 0;
bool s_quadsOpen = false;    // inside glBegin(GL_QUADS)
bool s_blendingOff = false;  // blending and alpha test off for an opaque quad

void endQuads() {
    if (!s_quadsOpen) return;
    glEnd();
    s_quadsOpen = false;
}

void useBlending(bool on) {
    if (s_blendingOff == !on) return;
    endQuads();
    if (on) {
        glEnable(GL_BLEND);
        glEnable(GL_ALPHA_TEST);
    } else {
        glDisable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
    }
    if (getenv("REPLACE")) glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, on ? GL_MODULATE : GL_REPLACE);
    s_blendingOff = !on;
}

void settle() {
    if (s_batchDepth > 0 || !g_drawingOn) return;
    endQuads();
    useBlending(true);
}

// True when the call may be skipped: the same state inside an open primitive.
bool keepsRun(bool same) {
    if (same && s_quadsOpen) return true;
    endQuads();
    return false;
}

bool opaqueNow(const TexRect& tex) {
    return !s_additive && s_color[3] == 1.0f && texelsOpaque(s_texture, tex);
}

void logQuad(float x0, float y0, float x1, float y1, const TexRect& shown) {
    if (!g_drawLog) return;
    g_drawLog->push_back({s_texture,
                          {s_color[0], s_color[1], s_color[2], s_color[3]},
                          s_additive,
                          x0,
                          y0,
                          x1,
                          y1,
                          shown});
}

void quadVertices(float x0, float y0, float x1, float y1, const TexRect& shown) {
    glTexCoord2f(shown.s0, shown.t0);
    glVertex2f(x0, y0);
    glTexCoord2f(shown.s1, shown.t0);
    glVertex2f(x1, y0);
    glTexCoord2f(shown.s1, shown.t1);
    glVertex2f(x1, y1);
    glTexCoord2f(shown.s0, shown.t1);
    glVertex2f(x0, y1);
}

void sendQuad(float x0, float y0, float x1, float y1, const TexRect& shown) {
    if (g_plainDrawing) {
        glBegin(GL_QUADS);
        quadVertices(x0, y0, x1, y1, shown);
        glEnd();
        return;
    }
    useBlending(!opaqueNow(shown));
    if (!s_quadsOpen) {
        glBegin(GL_QUADS);
        s_quadsOpen = true;
    }
    quadVertices(x0, y0, x1, y1, shown);
    settle();
}

// Where quad units land in the window, for quads drawn without rotation.
struct WindowMap {
    double scaleX, offsetX, scaleY, offsetY;
};

bool currentWindowMap(WindowMap* map) {
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    double m[16];  // projection * model, column-major
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row) {
            m[col * 4 + row] = 0;
            for (int k = 0; k < 4; ++k)
                m[col * 4 + row] += projection[k * 4 + row] * model[col * 4 + k];
        }
    bool axisAligned = m[1] == 0 && m[4] == 0 && m[3] == 0 && m[7] == 0 && m[15] == 1;
    if (!axisAligned) return false;
    map->scaleX = m[0] * viewport[2] / 2;
    map->offsetX = viewport[0] + (m[12] + 1) * viewport[2] / 2;
    map->scaleY = m[5] * viewport[3] / 2;
    map->offsetY = viewport[1] + (m[13] + 1) * viewport[3] / 2;
    return true;
}

// The window rectangle of quad units (x0, y0)..(x1, y1), lowest corner first.
void toWindow(const WindowMap& map, float x0, float y0, float x1, float y1, double out[4]) {
    double wx0 = map.offsetX + map.scaleX * x0, wx1 = map.offsetX + map.scaleX * x1;
    double wy0 = map.offsetY + map.scaleY * y0, wy1 = map.offsetY + map.scaleY * y1;
    out[0] = std::fmin(wx0, wx1);
    out[1] = std::fmin(wy0, wy1);
    out[2] = std::fmax(wx0, wx1);
    out[3] = std::fmax(wy0, wy1);
}

// The pixels of the quad that no hidden rectangle surely covers, or false
// when the view is not one the pixels can be worked out for.
bool shownParts(float x0, float y0, float x1, float y1, const std::vector<QuadRect>& hidden,
                std::vector<PixelRect>* parts) {
    WindowMap map;
    if (!currentWindowMap(&map)) return false;
    double w[4];
    toWindow(map, x0, y0, x1, y1, w);
    PixelRect area = pixelsTouching(w[0], w[1], w[2], w[3]);
    std::vector<PixelRect> holes;
    for (const QuadRect& r : hidden) {
        toWindow(map, r.x0, r.y0, r.x1, r.y1, w);
        PixelRect hole = pixelsSurelyInside(w[0], w[1], w[2], w[3]);
        if (!hole.empty()) holes.push_back(hole);
    }
    *parts = uncoveredParts(area, holes);
    return true;
}

}  // namespace

void bindTexture(unsigned id) {
    bool same = id == s_texture;
    s_texture = id;
    if (!g_drawingOn || (!g_plainDrawing && keepsRun(same))) return;
    glBindTexture(GL_TEXTURE_2D, id);
}

void setColor(float r, float g, float b, float a) {
    bool same = s_color[0] == r && s_color[1] == g && s_color[2] == b && s_color[3] == a;
    s_color[0] = r;
    s_color[1] = g;
    s_color[2] = b;
    s_color[3] = a;
    if (!g_drawingOn || (!g_plainDrawing && keepsRun(same))) return;
    glColor4f(r, g, b, a);
}

void blendNormal() {
    bool same = !s_additive;
    s_additive = 0;
    if (!g_drawingOn || (!g_plainDrawing && keepsRun(same))) return;
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void blendAdditive() {
    bool same = s_additive;
    s_additive = 1;
    if (!g_drawingOn || (!g_plainDrawing && keepsRun(same))) return;
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
}

void drawQuad(float x0, float y0, float x1, float y1, const TexRect& tex, int facing) {
    TexRect shown = facing < 0 ? TexRect{tex.s1, tex.t0, tex.s0, tex.t1} : tex;
    logQuad(x0, y0, x1, y1, shown);
    if (g_drawingOn) sendQuad(x0, y0, x1, y1, shown);
}

// The quad is drawn once per uncovered part, each clipped by the scissor:
// every pixel gets exactly what the whole quad would have given it.
void drawQuadBehind(float x0, float y0, float x1, float y1, const TexRect& tex,
                    const std::vector<QuadRect>& hidden) {
    logQuad(x0, y0, x1, y1, tex);
    if (!g_drawingOn) return;
    endQuads();
    std::vector<PixelRect> parts;
    if (g_plainDrawing || hidden.empty() || !shownParts(x0, y0, x1, y1, hidden, &parts)) {
        sendQuad(x0, y0, x1, y1, tex);
        return;
    }
    useBlending(!opaqueNow(tex));
    glEnable(GL_SCISSOR_TEST);
    for (const PixelRect& part : parts) {
        glScissor(part.x0, part.y0, part.x1 - part.x0, part.y1 - part.y0);
        glBegin(GL_QUADS);
        quadVertices(x0, y0, x1, y1, tex);
        glEnd();
    }
    glDisable(GL_SCISSOR_TEST);
    settle();
}

QuadBatch::QuadBatch() {
    ++s_batchDepth;
}

QuadBatch::~QuadBatch() {
    --s_batchDepth;
    settle();
}

void clearScreen() {
    if (!g_drawingOn) return;
    endQuads();
    glClear(g_plainDrawing ? GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT : GL_COLOR_BUFFER_BIT);
}

void pushMatrix() {
    if (!g_drawingOn) return;
    endQuads();
    glPushMatrix();
}

void popMatrix() {
    if (!g_drawingOn) return;
    endQuads();
    glPopMatrix();
}

void flushDrawing() {
    if (!g_drawingOn) return;
    endQuads();
    glFlush();
}

void setupGlState() {
    s_color[0] = s_color[1] = s_color[2] = s_color[3] = 1;
    s_additive = 0;
    s_quadsOpen = false;
    s_blendingOff = false;
    if (!g_drawingOn) return;
    forgetTexels();  // a new context starts without textures
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0, 0, 0, 0);
    glColor4f(1, 1, 1, 1);
    if (g_plainDrawing) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_ALWAYS);
    } else {
        glDisable(GL_DEPTH_TEST);
    }
    glEnable(GL_NORMALIZE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0);
}

void setupProjection() {
    if (!g_drawingOn) return;
    endQuads();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, 300, 0, 250);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void setViewport(int x, int y, int width, int height) {
    if (!g_drawingOn) return;
    endQuads();
    glViewport(x, y, width, height);
}

void uploadTexture(unsigned id, int width, int height, const unsigned char* rgba) {
    if (!g_drawingOn) return;
    endQuads();
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    recordTexels(id, width, height, rgba);
    s_texture = id;
}
