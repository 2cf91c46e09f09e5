// The one drawing helper: every picture of the game goes through these calls.
//
// Between calls OpenGL rests in the state the helper set up (blending and
// alpha test on, colours modulating textures, no primitive open), so tools
// may add OpenGL calls of their own between the helper's; but not inside a
// QuadBatch or SteadyLayer, and not drawing on a freshly cleared picture
// before the helper's first quad there.
#pragma once
#include <vector>

// 0: headless, nothing reaches OpenGL (tests, searches, benchmarks).
// 1: calls go to the current OpenGL context.
extern int g_drawingOn;
// 1: the reference way of drawing, with none of the savings: every quad on its
// own, blended and alpha-tested, the depth buffer in use. Pixel tests and
// benchmarks compare against it; the game leaves it at 0.
extern int g_plainDrawing;

// A rectangle of a texture, t = 0 at the bottom of the picture.
struct TexRect {
    float s0, t0, s1, t1;
};

// What a quad looked like when it was drawn; collected while g_drawLog is set.
struct DrawCall {
    unsigned texture;
    float color[4];
    int additive;
    float x0, y0, x1, y1;
    TexRect tex;
};
extern std::vector<DrawCall>* g_drawLog;

void bindTexture(unsigned id);
void setColor(float r, float g, float b, float a);
void blendNormal();    // source alpha, one minus source alpha
void blendAdditive();  // source alpha, one
// One textured quad from (x0, y0) to (x1, y1); facing -1 mirrors it.
void drawQuad(float x0, float y0, float x1, float y1, const TexRect& tex, int facing = 1);

// A rectangle in the units quads are drawn in.
struct QuadRect {
    float x0, y0, x1, y1;
};
// drawQuad for a quad whose parts inside `hidden` opaque quads paint over
// later in the same picture: those parts are left unfilled. Logged as one quad.
void drawQuadBehind(float x0, float y0, float x1, float y1, const TexRect& tex,
                    const std::vector<QuadRect>& hidden);
// Whether every texel a quad showing `tex` of texture `id` samples is fully
// opaque: drawn in an opaque colour with normal blending, it hides what lies
// beneath. Always false while headless.
bool texelsOpaque(unsigned id, const TexRect& tex);

// While one lives, quads that follow one another in the same state reach
// OpenGL as one primitive. Only the helper may call OpenGL in that time.
struct QuadBatch {
    QuadBatch();
    ~QuadBatch();
    QuadBatch(const QuadBatch&) = delete;
    QuadBatch& operator=(const QuadBatch&) = delete;
};

// Drawing that starts on a freshly cleared picture and comes out the same
// whenever `key`, the textures and the view are the same. Once it has come
// out the same twice in a row its pixels are kept, and from then on they are
// put back instead of drawn; the quads are still logged. Not nested.
class SteadyLayer {
   public:
    explicit SteadyLayer(const std::vector<double>& key);
    ~SteadyLayer();
    SteadyLayer(const SteadyLayer&) = delete;
    SteadyLayer& operator=(const SteadyLayer&) = delete;

   private:
    std::vector<double> key_;  // empty: drawn as usual, nothing kept
    bool keepAtEnd_ = false;
};

void clearScreen();
// Keeps a copy of the view as drawn so far, for a still picture later.
void keepPicture();
// Puts the kept view back with its colours scaled by `brightness`; false
// when there is none for the view as it is now (headless, a new context, a
// resized window).
bool putBackPicture(float brightness);
void pushMatrix();
void popMatrix();
void flushDrawing();

// One-time state: texturing, blending, alpha test.
void setupGlState();
// The 300 by 250 unit orthographic view.
void setupProjection();
void setViewport(int x, int y, int width, int height);
void uploadTexture(unsigned id, int width, int height, const unsigned char* rgba);

// Asks the driver once to sync buffer swaps to the vertical retrace.
// Returns the extension used, or nullptr when none is offered.
const char* requestVsync();
// Whether a space-separated extension list names `name` as a whole word.
bool hasExtension(const char* list, const char* name);
