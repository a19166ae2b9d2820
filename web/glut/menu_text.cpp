// The menu calls that need the size of an entry: desktop GLUT lays its
// menus out in its menu font, and so the page does, so that a menu in the
// page lies where the desktop's does and the same pointer picks the same
// entry. The rest of the menus is glut/glut.js's, which these hand on to.

#include <GL/freeglut.h>

extern "C" {

// glut.js's side, with the sizes in window pixels.
int standinCreateMenu(void (*func)(int), int entryHeight);
void standinSetMenuEntry(int item, const char* label, int value, int submenu, int width);

}  // extern "C"

namespace {

int widthOf(const char* label, bool submenu) {
  const auto* text = reinterpret_cast<const unsigned char*>(label);
  int width = glutBitmapLength(GLUT_BITMAP_HELVETICA_18, text);
  // A submenu's entry has room for its mark.
  if (submenu)
    width +=
        glutBitmapLength(GLUT_BITMAP_HELVETICA_18, reinterpret_cast<const unsigned char*>("_"));
  return width;
}

}  // namespace

extern "C" {

int glutCreateMenu(void (*func)(int)) {
  return standinCreateMenu(func, glutBitmapHeight(GLUT_BITMAP_HELVETICA_18) + 2);
}

// Item 0 adds an entry at the end.
void glutAddMenuEntry(const char* label, int value) {
  standinSetMenuEntry(0, label, value, 0, widthOf(label, false));
}

void glutAddSubMenu(const char* label, int submenu) {
  standinSetMenuEntry(0, label, 0, submenu, widthOf(label, true));
}

void glutChangeToMenuEntry(int item, const char* label, int value) {
  standinSetMenuEntry(item, label, value, 0, widthOf(label, false));
}

void glutChangeToSubMenu(int item, const char* label, int submenu) {
  standinSetMenuEntry(item, label, 0, submenu, widthOf(label, true));
}

}  // extern "C"
