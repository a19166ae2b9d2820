#pragma once

// WebGL's side of the stand-in, in one place, as a GL driver keeps what it
// has on its device: the buffers the frame's draws go through, the
// generated programs, a WebGL texture for each of GL's texture objects,
// the few switches WebGL holds for it, and the renderer's limit. When the
// browser takes the context away, all of it is forgotten; when it gives it
// back, context.cpp has it made again from what GL's side kept. While the
// context is lost, nothing goes to WebGL.

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>

#include "gl/shaders.h"

namespace standin::lists {
struct List;
}

namespace standin::device {

// Whether the context is lost now, whether or not the browser has said so
// yet: its webglcontextlost event comes after the loss.
bool lost();

// The largest width and height the context takes for a texture's image,
// asked of it each time; while it is lost, the last it gave.
GLint maxTextureSize();

struct Buffers {
  GLuint positions = 0;
  GLuint normals = 0;
  GLuint texCoords = 0;
  GLuint colours = 0;
  GLuint indices = 0;
  GLuint shortIndices = 0;
  GLuint slots = 0;
};

// The frame's buffers, made the first time.
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

// A display list's buffers in WebGL, made from the list the first time it
// is drawn; its indices have 16 bits where its vertices allow.
struct ListBuffers {
  GLuint positions = 0;
  GLuint normals = 0;
  GLuint indices = 0;
  bool shortIds = false;
};
const ListBuffers& listBuffers(GLuint name, const lists::List& list);

// The list's buffers are gone, or to be made again from a new list.
void forgetList(GLuint name);

// The program for a draw's features, made the first time.
const Program& program(std::uint32_t features);

// Gives GL's texture `name` a WebGL texture with this image of RGB rows
// aligned to `alignment`, sampled texel by texel (the fragment stage
// repeats and filters). Returns WebGL's error, which leaves the texture as
// it was; while the context is lost, nothing is made and nothing refused.
GLenum makeTexture(GLuint name, GLsizei width, GLsizei height, GLint alignment, const void* pixels);

// Binds GL's texture `name`'s WebGL texture for drawing; 0 binds none.
void bindTexture(GLuint name);

// The switches WebGL holds for the stand-in.
void setDepthTest(bool on);
void setDepthFunc(GLenum func);
void setViewport(GLint x, GLint y, GLsizei width, GLsizei height);
void clear(GLbitfield mask, const float colour[4]);

// The browser took the context away: every WebGL name is forgotten.
void forget();
// The browser gave it back: the switches are set again; the buffers and
// programs are made at the next draw that needs them.
void restore();

}  // namespace standin::device
