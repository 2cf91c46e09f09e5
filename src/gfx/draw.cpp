// Immediate-mode OpenGL behind the drawing helper, with a headless switch.
//
// Without a GPU every pixel is filled in software, so the helper spares the
// rasteriser work that cannot show: quads whose texels are all opaque go
// without blending and alpha test, there is no depth buffer (the depth test
// passed everything), quads hidden by opaque ones are not filled, and pixels
// that come out the same frame after frame are copied back instead of drawn.
// Quads in the same state go to OpenGL together. The picture stays the same
// to the byte; g_plainDrawing keeps the old way for comparison.
#include "gfx/draw.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

#include "gfx/coverage.h"
#include "gfx/keep.h"

int g_drawingOn = 0;
int g_plainDrawing = 0;
std::vector<DrawCall>* g_drawLog = nullptr;

namespace {
// Mirrors the GL state the helper sets, so that the log reads the same with
// drawing switched off.
unsigned s_texture = 0;
float s_color[4] = {1, 1, 1, 1};
int s_additive = 0;

// How quads reach the picture. Over opaque texels in normal blending, the
// blend is src * 1 + dst * 0 and the alpha test passes: both can go. In
// white the texel itself is the result, so the colour need not be applied.
enum class Fill { kBlended, kOpaque, kCopied };

// What OpenGL holds beyond the mirrors above. Outside a batch it rests with
// no primitive open and blending on, for code that calls OpenGL directly.
int s_batchDepth = 0;
bool s_quadsOpen = false;  // inside glBegin(GL_QUADS)
Fill s_fill = Fill::kBlended;
// Nothing drawn since the picture was cleared to transparent black: on it
// additive blending gives what normal blending gives.
bool s_untouched = false;

std::vector<unsigned> s_generations;  // of each texture id: uploads so far
KeptPixels s_keptQuad;                // the first quad on a cleared picture
std::vector<double> s_lastFirstQuad;  // the key of the last such quad drawn
KeptPixels s_keptLayer;               // a steady layer
std::vector<double> s_lastLayer;      // the key of the last steady layer drawn
bool s_puttingBack = false;           // quads are logged, not drawn
KeptPixels s_keptPicture;             // the view as play last showed it

void endQuads() {
    if (!s_quadsOpen) return;
    glEnd();
    s_quadsOpen = false;
}

void useFill(Fill fill) {
    if (fill == s_fill) return;
    endQuads();
    bool blended = fill == Fill::kBlended;
    if (blended != (s_fill == Fill::kBlended)) {
        if (blended) {
            glEnable(GL_BLEND);
            glEnable(GL_ALPHA_TEST);
        } else {
            glDisable(GL_BLEND);
            glDisable(GL_ALPHA_TEST);
        }
    }
    bool copied = fill == Fill::kCopied;
    if (copied != (s_fill == Fill::kCopied))
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, copied ? GL_REPLACE : GL_MODULATE);
    s_fill = fill;
}

void settle() {
    if (s_batchDepth > 0 || !g_drawingOn) return;
    endQuads();
    useFill(Fill::kBlended);
}

// True when the call may be skipped: the same state inside an open primitive.
bool keepsRun(bool same) {
    if (same && s_quadsOpen) return true;
    endQuads();
    return false;
}

Fill fillFor(const TexRect& tex) {
    bool normal = !s_additive || s_untouched;
    if (!normal || s_color[3] != 1.0f || !texelsOpaque(s_texture, tex)) return Fill::kBlended;
    bool white = s_color[0] == 1.0f && s_color[1] == 1.0f && s_color[2] == 1.0f;
    return white ? Fill::kCopied : Fill::kOpaque;
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
    if (s_puttingBack) return;
    if (g_plainDrawing) {
        glBegin(GL_QUADS);
        quadVertices(x0, y0, x1, y1, shown);
        glEnd();
        return;
    }
    useFill(fillFor(shown));
    s_untouched = false;
    if (!s_quadsOpen) {
        glBegin(GL_QUADS);
        s_quadsOpen = true;
    }
    quadVertices(x0, y0, x1, y1, shown);
    settle();
}

// The pixels of the quad that no hidden rectangle surely covers, within the
// pixels the quad may touch.
std::vector<PixelRect> shownParts(const WindowMap& map, const PixelRect& area,
                                  const std::vector<QuadRect>& hidden) {
    std::vector<PixelRect> holes;
    for (const QuadRect& r : hidden) {
        WindowRect w = toWindow(map, r.x0, r.y0, r.x1, r.y1);
        PixelRect hole = pixelsSurelyInside(w.x0, w.y0, w.x1, w.y1);
        if (!hole.empty()) holes.push_back(hole);
    }
    return uncoveredParts(area, holes);
}

// Everything that decides the pixels of an opaque white quad drawn first on
// a cleared picture.
std::vector<double> firstQuadKey(float x0, float y0, float x1, float y1, const TexRect& tex,
                                 const WindowMap& map, const PixelRect& area) {
    unsigned generation = s_texture < s_generations.size() ? s_generations[s_texture] : 0;
    return {double(s_texture),
            double(generation),
            x0,
            y0,
            x1,
            y1,
            tex.s0,
            tex.t0,
            tex.s1,
            tex.t1,
            map.scaleX,
            map.offsetX,
            map.scaleY,
            map.offsetY,
            double(area.x0),
            double(area.y0),
            double(area.x1),
            double(area.y1)};
}

void scissoredQuads(float x0, float y0, float x1, float y1, const TexRect& tex,
                    const std::vector<PixelRect>& parts) {
    glEnable(GL_SCISSOR_TEST);
    for (const PixelRect& part : parts) {
        glScissor(part.x0, part.y0, part.x1 - part.x0, part.y1 - part.y0);
        glBegin(GL_QUADS);
        quadVertices(x0, y0, x1, y1, tex);
        glEnd();
    }
    glDisable(GL_SCISSOR_TEST);
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
// every pixel gets exactly what the whole quad would have given it. The
// background comes first on a cleared picture and stays the same frame after
// frame: its pixels are kept once they have been the same twice, and put
// back from the copy.
void drawQuadBehind(float x0, float y0, float x1, float y1, const TexRect& tex,
                    const std::vector<QuadRect>& hidden) {
    logQuad(x0, y0, x1, y1, tex);
    if (!g_drawingOn || s_puttingBack) return;
    endQuads();
    WindowMap map;
    if (g_plainDrawing || !currentWindowMap(&map)) {
        sendQuad(x0, y0, x1, y1, tex);
        return;
    }
    WindowRect w = toWindow(map, x0, y0, x1, y1);
    PixelRect area = pixelsTouching(w.x0, w.y0, w.x1, w.y1);
    area = {std::max(area.x0, map.viewport.x0), std::max(area.y0, map.viewport.y0),
            std::min(area.x1, map.viewport.x1), std::min(area.y1, map.viewport.y1)};
    std::vector<PixelRect> parts = shownParts(map, area, hidden);
    Fill fill = fillFor(tex);
    bool first = s_untouched;
    s_untouched = false;
    useFill(fill);
    if (fill == Fill::kCopied && first && !area.empty()) {
        std::vector<double> key = firstQuadKey(x0, y0, x1, y1, tex, map, area);
        bool steady = key == s_lastFirstQuad;
        s_lastFirstQuad = key;
        if (s_keptQuad.holds(key)) {
            s_keptQuad.putBack(parts);
        } else if (steady) {
            scissoredQuads(x0, y0, x1, y1, tex, {area});
            s_keptQuad.keep(key, area);
        } else {
            scissoredQuads(x0, y0, x1, y1, tex, parts);
        }
    } else {
        scissoredQuads(x0, y0, x1, y1, tex, parts);
    }
    settle();
}

// The key of a kept picture is the view it was taken in: a window resized
// since has moved the view, and the copy no longer fits.
std::vector<double> viewKey(const WindowMap& map) {
    return {double(map.viewport.x0), double(map.viewport.y0), double(map.viewport.x1),
            double(map.viewport.y1)};
}

void keepPicture() {
    if (!g_drawingOn) return;
    endQuads();
    WindowMap map;
    if (currentWindowMap(&map)) s_keptPicture.keep(viewKey(map), map.viewport);
}

bool putBackPicture(float brightness) {
    if (!g_drawingOn) return false;
    endQuads();
    WindowMap map;
    if (!currentWindowMap(&map) || !s_keptPicture.holds(viewKey(map))) return false;
    useFill(Fill::kOpaque);  // the colour still scales the texels
    glColor4f(brightness, brightness, brightness, 1);
    s_keptPicture.putBack({map.viewport});
    glColor4f(s_color[0], s_color[1], s_color[2], s_color[3]);
    s_untouched = false;
    settle();
    return true;
}

SteadyLayer::SteadyLayer(const std::vector<double>& key) {
    if (!g_drawingOn || g_plainDrawing || !s_untouched) return;
    endQuads();
    WindowMap map;
    if (!currentWindowMap(&map)) return;
    key_ = key;
    key_.insert(key_.end(), s_generations.begin(), s_generations.end());
    key_.insert(key_.end(),
                {map.scaleX, map.offsetX, map.scaleY, map.offsetY, double(map.viewport.x0),
                 double(map.viewport.y0), double(map.viewport.x1), double(map.viewport.y1)});
    if (s_keptLayer.holds(key_)) {
        useFill(Fill::kCopied);
        s_keptLayer.putBack({map.viewport});
        s_untouched = false;
        s_puttingBack = true;
        return;
    }
    keepAtEnd_ = key_ == s_lastLayer;
    s_lastLayer = key_;
}

// Kept: the whole view as it stands, which is the layer on a cleared picture.
SteadyLayer::~SteadyLayer() {
    s_puttingBack = false;
    if (key_.empty()) return;
    endQuads();
    WindowMap map;
    if (keepAtEnd_ && currentWindowMap(&map)) s_keptLayer.keep(key_, map.viewport);
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
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    s_untouched = clear[0] == 0 && clear[1] == 0 && clear[2] == 0 && clear[3] == 0;
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
    s_fill = Fill::kBlended;
    s_untouched = false;
    if (!g_drawingOn) return;
    // A new context starts without textures.
    forgetTexels();
    s_generations.clear();
    s_keptQuad.forget();
    s_keptLayer.forget();
    s_keptPicture.forget();
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
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
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
    if (id >= s_generations.size()) s_generations.resize(id + 1);
    s_generations[id] += 1;
    s_texture = id;
}
