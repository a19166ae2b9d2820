#include <GL/glut.h>
#include <stdio.h>
#include <stdlib.h>

#include "orbit.h"

int step = 0;
static int width = 320, height = 200;

static void reshape(int w, int h) {
  width = w;
  height = h;
  glViewport(0, 0, w, h);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(40.0, (double)w / h, 1.0, 20.0);
  glMatrixMode(GL_MODELVIEW);
}

static void display(void) {
  GLfloat place[] = {2.0f, 4.0f, 3.0f, 1.0f};
  GLfloat brass[] = {0.8f, 0.6f, 0.25f, 1.0f};
  glClearColor(0.15f, 0.2f, 0.3f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  gluLookAt(0.0, 2.0, 6.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
  glLightfv(GL_LIGHT0, GL_POSITION, place);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_DEPTH_TEST);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, brass);
  glPushMatrix();
  glRotatef(step * 15.0f, 0.0f, 1.0f, 0.0f);
  glTranslatef(1.6f, 0.0f, 0.0f);
  glutSolidTeapot(0.6);
  glPopMatrix();
  glDisable(GL_LIGHTING);
  glColor3f(0.5f, 0.8f, 1.0f);
  glutWireTorus(0.05, 1.6, 6, 48);
  drawCaption(width, height);
  glutSwapBuffers();
}

static void advance(int value) {
  step = value;
  glutPostRedisplay();
  if (step < lastStep) glutTimerFunc(20, advance, step + 1);
}

/* What a program in trouble prints: control characters, a line longer than
 * any terminal's, a flood. */
static void printTrouble(unsigned char key) {
  int i;
  if (key == 'c') {
    printf("bell\a, backspace\b, escape\033[31m and delete\177\n");
    for (i = 0; i < 12000; ++i) putchar('x');
    putchar('\n');
  }
  if (key == 'l') {
    for (i = 1; i <= 3000; ++i) printf("line %d of a flood\n", i);
  }
  fflush(stdout);
}

static void keyboard(unsigned char key, int x, int y) {
  (void)x;
  (void)y;
  if (key == 27) exit(0);
  if (key == 'x') abort(); /* as a failed assert does */
  printTrouble(key);
  if (key == 'r') glutReshapeWindow(400, 250);
  if (key == 'p') {
    printf("the teapot is at step %d\n", step);
    fflush(stdout);
  }
}

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowSize(320, 200);
  glutInitWindowPosition(0, 0);
  glutCreateWindow("orbit");
  glutDisplayFunc(display);
  glutReshapeFunc(reshape);
  glutKeyboardFunc(keyboard);
  glutTimerFunc(20, advance, 1);
  printf("orbit: p says where the teapot is, r makes the window larger, Escape ends\n");
  fflush(stdout);
  glutMainLoop();
  return 0;
}
