// The floor for a paced frame under a virtual X server: a full-screen window
// that only clears and swaps, held to the game's 14 ms by the game's own wait.
#include <GL/freeglut.h>

#include "app/pacing.h"

namespace {
int s_last = 0;

void frame() {
    glClear(GL_COLOR_BUFFER_BIT);
    s_last = waitForFrameEnd(s_last, glutElapsedMs, sleepMicros);
    glutSwapBuffers();
}
}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB);
    glutInitWindowSize(1024, 768);
    glutCreateWindow("Paced swap");
    glutFullScreen();
    glutDisplayFunc(frame);
    glutIdleFunc(frame);
    glutKeyboardFunc([](unsigned char, int, int) { glutLeaveMainLoop(); });
    glutMainLoop();
    return 0;
}
