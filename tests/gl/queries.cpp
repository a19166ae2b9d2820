// What a GL 1.1 program reads back of the state, said line by line: the
// textures' parameters, levels and images, the environment and the
// generation, the raster position and what it carries, the attribute
// stacks' groups put back, and what glIsEnabled answers. The frame shows
// squares drawn under state pushed and popped.

#include <GL/glut.h>

#include <cstdio>

#include "window.h"

namespace {

void textures() {
  GLuint names[2];
  glGenTextures(2, names);
  glBindTexture(GL_TEXTURE_2D, names[0]);
  const GLubyte texels[] = {10,  20,  30,  40,  50,  60,  70,  80,  90,  100, 110, 120,
                            130, 140, 150, 160, 170, 180, 190, 200, 210, 220, 230, 240};
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB5, 4, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
  glTexImage2D(GL_TEXTURE_2D, 1, 3, 2, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
  const float border[] = {0.25f, 0.5f, 1, 0.75f};
  glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_PRIORITY, 0.5f);
  for (int level = 0; level < 3; ++level) {
    GLint w, h, format, b, red, green, blue, alpha, luminance;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &h);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_INTERNAL_FORMAT, &format);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_BORDER, &b);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_RED_SIZE, &red);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_GREEN_SIZE, &green);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_BLUE_SIZE, &blue);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_ALPHA_SIZE, &alpha);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_LUMINANCE_SIZE, &luminance);
    std::printf("level %d: %dx%d format 0x%X border %d bits %d %d %d %d %d\n", level, w, h,
                unsigned(format), b, red, green, blue, alpha, luminance);
  }
  GLint wrap, minFilter, magFilter, borderInt[4];
  GLfloat borderBack[4], priority;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
  glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, borderBack);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, borderInt);
  glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_PRIORITY, &priority);
  std::printf("parameters: 0x%X 0x%X 0x%X border %.3f %.3f %.3f %.3f (%d %d) priority %.2f\n",
              unsigned(wrap), unsigned(minFilter), unsigned(magFilter), borderBack[0],
              borderBack[1], borderBack[2], borderBack[3], borderInt[0], borderInt[3], priority);
  // The image back as stored in five bits, as bytes and as luminance.
  GLubyte rgb[4 * 2 * 3], grey[4 * 2];
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, grey);
  std::printf("image:");
  for (const GLubyte c : rgb) std::printf(" %d", c);
  std::printf("\nluminance:");
  for (const GLubyte c : grey) std::printf(" %d", c);
  std::printf("\n");
  // A luminance texture read back as RGBA.
  glBindTexture(GL_TEXTURE_2D, names[1]);
  const GLubyte lum[2] = {60, 200};
  glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, 2, 1, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, lum);
  GLubyte back[8];
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, back);
  std::printf("luminance as rgba: %d %d %d %d %d %d %d %d\n", back[0], back[1], back[2], back[3],
              back[4], back[5], back[6], back[7]);
  glBindTexture(GL_TEXTURE_2D, 0);
  // Wrong values are errors and change nothing.
  glGetTexLevelParameteriv(GL_TEXTURE_2D, -1, GL_TEXTURE_WIDTH, &wrap);
  std::printf("level -1: 0x%X\n", glGetError());
}

void environmentAndGeneration() {
  const float colour[] = {0.2f, 0.4f, 0.6f, 0.8f};
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_BLEND);
  glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, colour);
  GLint mode, colourInt[4];
  GLfloat colourBack[4];
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
  glGetTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, colourBack);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, colourInt);
  std::printf("environment: 0x%X %.2f %.2f %.2f %.2f (%d)\n", unsigned(mode), colourBack[0],
              colourBack[1], colourBack[2], colourBack[3], colourInt[1]);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(1, 2, 3);
  const float plane[] = {1, 0, 0, 0};
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glTexGenfv(GL_T, GL_EYE_PLANE, plane);
  GLint genMode;
  GLdouble eye[4];
  GLfloat object[4];
  glGetTexGeniv(GL_T, GL_TEXTURE_GEN_MODE, &genMode);
  glGetTexGendv(GL_T, GL_EYE_PLANE, eye);
  glGetTexGenfv(GL_S, GL_OBJECT_PLANE, object);
  std::printf("generation: 0x%X eye %.2f %.2f %.2f %.2f object of s %.0f %.0f %.0f %.0f\n",
              unsigned(genMode), eye[0], eye[1], eye[2], eye[3], object[0], object[1], object[2],
              object[3]);
  glLoadIdentity();
}

void rasterPosition() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 2, 10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
  glTexCoord4f(0.5f, 0.25f, 2, 4);
  glRasterPos3f(0.5f, -0.25f, -4);
  GLfloat at[4], colour[4], coords[4], distance;
  GLboolean valid;
  glGetFloatv(GL_CURRENT_RASTER_POSITION, at);
  glGetFloatv(GL_CURRENT_RASTER_COLOR, colour);
  glGetFloatv(GL_CURRENT_RASTER_TEXTURE_COORDS, coords);
  glGetFloatv(GL_CURRENT_RASTER_DISTANCE, &distance);
  glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
  std::printf("raster: %.3f %.3f %.4f %.3f valid %d distance %.4f\n", at[0], at[1], at[2], at[3],
              valid, distance);
  std::printf("raster colour %.2f %.2f %.2f %.2f coordinates %.2f %.2f %.2f %.2f\n", colour[0],
              colour[1], colour[2], colour[3], coords[0], coords[1], coords[2], coords[3]);
  glRasterPos3f(0, 0, -1);
  glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
  glGetFloatv(GL_CURRENT_RASTER_POSITION, at);
  std::printf("nearer than the near plane: valid %d, kept at %.3f %.3f\n", valid, at[0], at[1]);
  glRasterPos2i(0, 0);
}

void attributes() {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glEnable(GL_CULL_FACE);
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
  glDisable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ZERO);
  glDisable(GL_CULL_FACE);
  glEnable(GL_FOG);
  glPopAttrib();
  GLint source;
  glGetIntegerv(GL_BLEND_SRC, &source);
  std::printf("after the pop: blend %d cull %d fog %d source 0x%X\n", glIsEnabled(GL_BLEND),
              glIsEnabled(GL_CULL_FACE), glIsEnabled(GL_FOG), unsigned(source));
  glDisable(GL_BLEND);
  glDisable(GL_CULL_FACE);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 7);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 3);
  glPopClientAttrib();
  GLint rowLength, depth;
  glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
  std::printf("row length %d, stack %d\n", rowLength, depth);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPopAttrib();
  std::printf("popped with none pushed: 0x%X\n", glGetError());
}

// Squares drawn under state that is pushed, changed and popped.
void squares() {
  startFrame(0.2f);
  glColor3f(0.9f, 0.6f, 0.2f);
  glPushAttrib(GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_POLYGON_BIT);
  glColor3f(0.2f, 0.6f, 0.9f);
  glShadeModel(GL_FLAT);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glRectf(-0.9f, -0.9f, -0.1f, -0.1f);
  glPopAttrib();
  glRectf(0.1f, 0.1f, 0.9f, 0.9f);
  glPushMatrix();
  glTranslatef(1, -1, 0);
  glRectf(-0.9f, 0.1f, -0.1f, 0.9f);
  glPopMatrix();
  glRectf(-0.9f, 0.1f, -0.6f, 0.4f);
}

void display() {
  static bool said = false;
  if (!said) {
    said = true;
    textures();
    environmentAndGeneration();
    rasterPosition();
    attributes();
    std::fflush(stdout);
  }
  squares();
  sayErrors("reading the state back");
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "queries", display);
  glutMainLoop();
}
