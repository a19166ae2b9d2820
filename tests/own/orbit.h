/* A small GLUT program in C of the kind a course sets, kept apart from the
 * tests' GL programs: it is built into a page of its own the way a user
 * builds one, with scripts/build-web.sh --program, from two sources and
 * this header in its own folder. */
#ifndef ORBIT_H
#define ORBIT_H

/* How far the teapot has come round: it stops after `lastStep`. */
extern int step;
enum { lastStep = 12 };

/* Writes the caption at the window's top left corner. */
void drawCaption(int width, int height);

#endif
