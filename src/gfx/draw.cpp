// Immediate-mode OpenGL behind the drawing helper, with a headless switch.
#include "gfx/draw.h"

#include <GL/gl.h>
#include <GL/glu.h>

int g_drawingOn = 0;
std::vector<DrawCall>* g_drawLog = nullptr;

namespace {
// Mirrors the GL state the helper sets, so that the log reads the same with
// drawing switched off.
unsigned s_texture = 0;
float s_color[4] = {1, 1, 1, 1};
int s_additive = 0;
}  // namespace

void bindTexture(unsigned id) {
    s_texture = id;
    if (g_drawingOn) glBindTexture(GL_TEXTURE_2D, id);
}

void setColor(float r, float g, float b, float a) {
    s_color[0] = r;
    s_color[1] = g;
    s_color[2] = b;
    s_color[3] = a;
    if (g_drawingOn) glColor4f(r, g, b, a);
}

void blendNormal() {
    s_additive = 0;
    if (g_drawingOn) glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void blendAdditive() {
    s_additive = 1;
    if (g_drawingOn) glBlendFunc(GL_SRC_ALPHA, GL_ONE);
}

void drawQuad(float x0, float y0, float x1, float y1, const TexRect& tex, int facing) {
    float sLeft = facing < 0 ? tex.s1 : tex.s0;
    float sRight = facing < 0 ? tex.s0 : tex.s1;
    if (g_drawLog) {
        g_drawLog->push_back({s_texture,
                              {s_color[0], s_color[1], s_color[2], s_color[3]},
                              s_additive,
                              x0,
                              y0,
                              x1,
                              y1,
                              {sLeft, tex.t0, sRight, tex.t1}});
    }
    if (!g_drawingOn) return;
    glBegin(GL_QUADS);
    glTexCoord2f(sLeft, tex.t0);
    glVertex2f(x0, y0);
    glTexCoord2f(sRight, tex.t0);
    glVertex2f(x1, y0);
    glTexCoord2f(sRight, tex.t1);
    glVertex2f(x1, y1);
    glTexCoord2f(sLeft, tex.t1);
    glVertex2f(x0, y1);
    glEnd();
}

void clearScreen() {
    if (g_drawingOn) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void pushMatrix() {
    if (g_drawingOn) glPushMatrix();
}

void popMatrix() {
    if (g_drawingOn) glPopMatrix();
}

void flushDrawing() {
    if (g_drawingOn) glFlush();
}

void setupGlState() {
    s_color[0] = s_color[1] = s_color[2] = s_color[3] = 1;
    s_additive = 0;
    if (!g_drawingOn) return;
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0, 0, 0, 0);
    glColor4f(1, 1, 1, 1);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_ALWAYS);
    glEnable(GL_NORMALIZE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0);
}

void setupProjection() {
    if (!g_drawingOn) return;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, 300, 0, 250);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void setViewport(int x, int y, int width, int height) {
    if (g_drawingOn) glViewport(x, y, width, height);
}

void uploadTexture(unsigned id, int width, int height, const unsigned char* rgba) {
    if (!g_drawingOn) return;
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    s_texture = id;
}
