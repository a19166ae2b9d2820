#pragma once

// Program state shared by the GLUT callbacks. Touched only on the GLUT thread.
extern int windowWidth;
extern int windowHeight;
extern int mouseX;   // last dragged pointer position, window pixels from the left
extern int mouseY;   // ... and from the top
extern double rotX;  // view angles in whole degrees
extern double rotY;
extern double rotZ;
extern const float rotationStep;
extern unsigned int textureId;  // 0 while no texture was made

inline constexpr int initialWindowSize = 600;  // width and height at start, in pixels
inline constexpr char windowTitle[] = "Quilan Vastre, 4180263";
inline constexpr char textureFileName[] = "marmor.bmp";  // looked for in the working directory
