// The baseline for start-up: a GLUT window that shows one cleared frame.
#include <GL/freeglut.h>

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(1024, 768);
    glutCreateWindow("Blank");
    glutDisplayFunc([] {
        glClear(GL_COLOR_BUFFER_BIT);
        glutSwapBuffers();
    });
    glutKeyboardFunc([](unsigned char, int, int) { glutLeaveMainLoop(); });
    glutMainLoop();
    return 0;
}
