#include "app/state.h"

int windowWidth = initialWindowSize;
int windowHeight = initialWindowSize;
int mouseX = 400;
int mouseY = 200;
double rotX = -50.0;
double rotY = -5.0;
double rotZ = 0.0;
const float rotationStep = 5.0f;
unsigned int textureId = 0;
