/* A program that asks for what a page cannot give, GLUT's game mode: its
 * page must not build, and the build must name the call. */
#include <GL/freeglut.h>

static void display(void) {
  glClear(GL_COLOR_BUFFER_BIT);
  glutSwapBuffers();
}

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  glutGameModeString("640x480:24");
  glutEnterGameMode();
  glutDisplayFunc(display);
  glutMainLoop();
  return 0;
}
