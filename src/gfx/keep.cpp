// Window mapping of quads, and copies of the picture put back pixel for pixel.
#include "gfx/keep.h"

#include <GL/gl.h>

#include <cmath>

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
    map->viewport = {viewport[0], viewport[1], viewport[0] + viewport[2],
                     viewport[1] + viewport[3]};
    return true;
}

WindowRect toWindow(const WindowMap& map, float x0, float y0, float x1, float y1) {
    double wx0 = map.offsetX + map.scaleX * x0, wx1 = map.offsetX + map.scaleX * x1;
    double wy0 = map.offsetY + map.scaleY * y0, wy1 = map.offsetY + map.scaleY * y1;
    return {std::fmin(wx0, wx1), std::fmin(wy0, wy1), std::fmax(wx0, wx1), std::fmax(wy0, wy1)};
}

namespace {

// Far from the game's own texture ids, which it uses without asking OpenGL
// for names.
constexpr unsigned kFirstKeptTexture = 1u << 20;
unsigned s_keptTextures = 0;

unsigned boundTexture() {
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    return static_cast<unsigned>(bound);
}

}  // namespace

void KeptPixels::keep(const std::vector<double>& key, const PixelRect& region) {
    unsigned previous = boundTexture();
    if (!texture_) {
        texture_ = kFirstKeptTexture + s_keptTextures++;
        glBindTexture(GL_TEXTURE_2D, texture_);
        // Nearest texels at exactly one texel a pixel: the copy comes back unchanged.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    glBindTexture(GL_TEXTURE_2D, texture_);
    int width = region.x1 - region.x0, height = region.y1 - region.y0;
    if (width != textureWidth_ || height != textureHeight_) {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     nullptr);
        textureWidth_ = width;
        textureHeight_ = height;
    }
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, region.x0, region.y0, width, height);
    glBindTexture(GL_TEXTURE_2D, previous);
    region_ = region;
    key_ = key;
}

// One quad over the region in window pixels, each pixel centre on a texel centre.
void KeptPixels::putBack(const std::vector<PixelRect>& parts) const {
    unsigned previous = boundTexture();
    GLint viewport[4], matrixMode;
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(viewport[0], viewport[0] + viewport[2], viewport[1], viewport[1] + viewport[3], -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glBindTexture(GL_TEXTURE_2D, texture_);
    glEnable(GL_SCISSOR_TEST);
    for (const PixelRect& part : parts) {
        glScissor(part.x0, part.y0, part.x1 - part.x0, part.y1 - part.y0);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0);
        glVertex2f(region_.x0, region_.y0);
        glTexCoord2f(1, 0);
        glVertex2f(region_.x1, region_.y0);
        glTexCoord2f(1, 1);
        glVertex2f(region_.x1, region_.y1);
        glTexCoord2f(0, 1);
        glVertex2f(region_.x0, region_.y1);
        glEnd();
    }
    glDisable(GL_SCISSOR_TEST);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(matrixMode);
    glBindTexture(GL_TEXTURE_2D, previous);
}

void KeptPixels::forget() {
    texture_ = 0;
    textureWidth_ = textureHeight_ = 0;
    key_.clear();
}
