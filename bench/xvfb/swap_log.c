/* Preloaded into a program under a virtual X server, it notes every buffer
   swap: when it happened and how much CPU the whole process had used.
     SWAP_LOG   a file that gets one line per swap: "wall_ns cpu_ns", the wall
                clock being CLOCK_REALTIME, as `date +%s%N` prints it
     LAUNCH_NS  the launcher's clock at exec; then standard error says when
                the first frame and the first frame that is not all black
                reached the screen, in wall time and in CPU time
   Reading the picture back costs time, so it stops at the first non-black one. */
#define _GNU_SOURCE
#include <GL/gl.h>
#include <GL/glx.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static long long nanos(clockid_t clock) {
    struct timespec ts;
    clock_gettime(clock, &ts);
    return (long long)ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

/* Whether the back buffer of `drawable` holds anything but black. */
static int backBufferLit(Display* display, GLXDrawable drawable) {
    unsigned width = 0, height = 0;
    glXQueryDrawable(display, drawable, GLX_WIDTH, &width);
    glXQueryDrawable(display, drawable, GLX_HEIGHT, &height);
    unsigned char* pixels = malloc((size_t)width * height * 4);
    if (!pixels) return 0;
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, (GLsizei)width, (GLsizei)height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    int lit = 0;
    for (size_t i = 0; i < (size_t)width * height && !lit; ++i)
        lit = pixels[i * 4] | pixels[i * 4 + 1] | pixels[i * 4 + 2];
    free(pixels);
    return lit;
}

static void report(const char* what) {
    const char* launch = getenv("LAUNCH_NS");
    if (!launch) return;
    double wall = (nanos(CLOCK_REALTIME) - atoll(launch)) / 1e6;
    fprintf(stderr, "%s after %.1f ms, %.1f ms of CPU\n", what, wall,
            nanos(CLOCK_PROCESS_CPUTIME_ID) / 1e6);
}

void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    static void (*real)(Display*, GLXDrawable) = NULL;
    static int swaps = 0, lit = 0;
    static FILE* log = NULL;
    if (!real) real = (void (*)(Display*, GLXDrawable))dlsym(RTLD_NEXT, "glXSwapBuffers");
    int litNow = !lit && getenv("LAUNCH_NS") && backBufferLit(display, drawable);
    real(display, drawable);
    if (++swaps == 1) report("first frame");
    if (litNow) {
        lit = 1;
        report("first non-black frame");
    }
    if (!log && swaps == 1 && getenv("SWAP_LOG")) log = fopen(getenv("SWAP_LOG"), "w");
    /* The stream is flushed when the program exits. */
    if (log) fprintf(log, "%lld %lld\n", nanos(CLOCK_REALTIME), nanos(CLOCK_PROCESS_CPUTIME_ID));
}
