/* Preloaded into a program to report how long after its launch the first
   frame reached the screen: the launcher puts its clock in LAUNCH_NS. */
#define _GNU_SOURCE
#include <GL/glx.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    static void (*real)(Display*, GLXDrawable) = NULL;
    static int reported = 0;
    if (!real) real = (void (*)(Display*, GLXDrawable))dlsym(RTLD_NEXT, "glXSwapBuffers");
    real(display, drawable);
    if (reported) return;
    reported = 1;
    const char* launch = getenv("LAUNCH_NS");
    if (!launch) return;
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    long long ns = (long long)now.tv_sec * 1000000000LL + now.tv_nsec - atoll(launch);
    fprintf(stderr, "first frame after %.1f ms\n", ns / 1e6);
}
