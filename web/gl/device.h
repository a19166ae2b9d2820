#pragma once

// WebGL's side of the stand-in, in one place, as a GL driver keeps what it
// has on its device: the buffers the frame's draws go through and those of
// compiled draws, the generated programs, a WebGL texture for each of GL's
// texture objects and one for the polygon stipple, WebGL's switches and
// bindings as last set, and the renderer's limit. When the browser takes
// the context away, all of it is forgotten in one call; when it gives it
// back, context.cpp has it made again from what GL's side kept. While the
// context is lost, nothing goes to WebGL.

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>

#include "gl/batch.h"
#include "gl/draw_state.h"
#include "gl/shaders.h"

namespace standin {
struct CompiledDraw;
}

namespace standin::device {

// Whether the context is lost now, whether or not the browser has said so
// yet: its webglcontextlost event comes after the loss.
bool lost();

// The largest width and height the context takes for a texture's image,
// asked of it each time; while it is lost, the last it gave.
GLint maxTextureSize();

// The width and height of the window's drawing buffer, in pixels, and the
// canvas sized anew, which may change them.
int drawingBufferWidth();
int drawingBufferHeight();
void canvasSized();

// The bits of the window's buffers, GL_RED_BITS to GL_STENCIL_BITS, as
// WebGL gives them.
GLint bits(GLenum pname);

// The frame's buffers, one for each vertex attribute, and its indices.
struct Buffers {
  GLuint positions = 0, normals = 0, ws = 0, texCoords = 0, colours = 0, slots = 0;
  GLuint shadePositions = 0, clipPositions = 0, indices = 0;
};
const Buffers& buffers();

// Gives `buffer`, bound to `target`, the `bytes` of `data`: all of them
// when it holds another number of bytes, else only the span from
// `changedFrom` to `changedTo`, which differs from what it holds. WebGL
// keeps a buffer's bytes, as a driver keeps them.
void send(GLenum target, GLuint buffer, const void* data, std::size_t bytes,
          std::size_t changedFrom, std::size_t changedTo);

// Gives `buffer`, bound to `target`, the bytes of `data`, unless it holds
// those very bytes from an earlier frame.
void upload(GLenum target, GLuint buffer, const void* data, std::size_t bytes);

// A compiled draw's buffers in WebGL, made the first time it is drawn from
// them: those of the attributes it gives (0 for the others), and its
// strip's and triangles' indices one after the other, of 16 bits where
// its vertices allow.
struct RetainedBuffers {
  GLuint positions = 0, normals = 0, ws = 0, texCoords = 0, colours = 0, indices = 0;
  bool shortIds = false;
};
const RetainedBuffers& retainedBuffers(const CompiledDraw& draw);
void forgetDraw(std::uint32_t name);

// The program for a draw's key, made the first time, and what it was last
// given of the uniforms, which stay with their program.
struct Given {
  bool known = false;
  DrawState state;
  int materials = 0, materialVectors = 0;
  float material[batchMaterials * maxMaterialVectors * 4];
};
const Program& program(Key key);
Given& given(Key key);
void useProgram(const Program& program);

// What each of WebGL's vertex inputs holds: an array in a buffer, or one
// value. Each is set only where it differs from what it holds.
void inputArray(GLuint attribute, GLuint buffer, GLint size, GLenum type, std::size_t offset);
void inputValue(GLuint attribute, const float* value, int size);
void bindElements(GLuint buffer);

// Gives GL's texture `name` a WebGL texture with this image, four bytes a
// texel, bottom row first, sampled texel by texel (the fragment program
// filters). Returns WebGL's error, which leaves the texture as it was;
// while the context is lost, nothing is made and nothing refused.
GLenum makeTexture(GLuint name, GLsizei width, GLsizei height, const void* texels);
void forgetTexture(GLuint name);
// Binds GL's texture `name`'s WebGL texture to unit 0 for drawing; 0 binds none.
void bindTexture(GLuint name);
// The polygon stipple's 32 by 32 pattern, one byte a pixel, on unit 1.
void setStipple(const std::uint8_t* pattern);

// WebGL's switches, set where they differ from those set last.
void setSwitches(const Switches& switches);
void setViewport(GLint x, GLint y, GLsizei width, GLsizei height);
void setDepthRange(float nearVal, float farVal);
// Clears the buffers `mask` names with these values, through the switches
// GL's clear honours (the scissor and the masks).
void clear(GLbitfield mask, const float colour[4], float depth, GLint stencil,
           const Switches& switches);
// Reads the framebuffer's pixels, bottom row first, four bytes each.
void readPixels(GLint x, GLint y, GLsizei width, GLsizei height, void* rgba);

// The browser took the context away: every WebGL name is forgotten.
void forget();
// The browser gave it back: the switches are set again; the buffers and
// programs are made at the next draw that needs them.
void restore();

}  // namespace standin::device
