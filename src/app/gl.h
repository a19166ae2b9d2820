#pragma once

// One place that pulls in OpenGL, GLU and GLUT for the whole program.
#include <GL/glut.h>
