#include "gl/device.h"

#include <emscripten/html5_webgl.h>
#include <webgl/webgl1.h>

#include <cstring>
#include <map>
#include <vector>

namespace standin::device {

namespace {

// Everything WebGL holds for the stand-in.
struct WebGL {
  bool said = false;  // the browser has said the context is lost
  GLint textureLimit = 0;
  Buffers buffers;
  std::map<GLuint, std::vector<std::uint8_t>> uploaded;  // what each buffer holds
  std::map<std::uint32_t, Program> programs;
  std::map<GLuint, GLuint> textures;  // GL's texture name to WebGL's
  bool depthTest = false;
  GLenum depthFunc = GL_LESS;
  GLint viewport[4] = {0, 0, 0, 0};
  bool viewportSet = false;
};

WebGL webgl;

void discardErrors() {
  for (int i = 0; i < 8 && emscripten_glGetError() != GL_NO_ERROR; ++i) {
  }
}

}  // namespace

bool lost() {
  return webgl.said || emscripten_is_webgl_context_lost(emscripten_webgl_get_current_context());
}

GLint maxTextureSize() {
  if (!lost()) emscripten_glGetIntegerv(GL_MAX_TEXTURE_SIZE, &webgl.textureLimit);
  return webgl.textureLimit;
}

const Buffers& buffers() {
  Buffers& b = webgl.buffers;
  if (b.vertices != 0) return b;
  emscripten_glGenBuffers(1, &b.vertices);
  emscripten_glGenBuffers(1, &b.texCoords);
  emscripten_glGenBuffers(1, &b.colours);
  emscripten_glGenBuffers(1, &b.indices);
  return b;
}

void upload(GLenum target, GLuint buffer, const void* data, std::size_t bytes) {
  emscripten_glBindBuffer(target, buffer);
  std::vector<std::uint8_t>& held = webgl.uploaded[buffer];
  const auto from = static_cast<const std::uint8_t*>(data);
  if (held.size() == bytes && std::memcmp(held.data(), from, bytes) == 0) return;
  held.assign(from, from + bytes);
  emscripten_glBufferData(target, GLsizeiptr(bytes), data, GL_STATIC_DRAW);
}

const Program& program(std::uint32_t features) {
  auto made = webgl.programs.find(features);
  if (made == webgl.programs.end()) {
    made = webgl.programs.emplace(features, makeProgram(features)).first;
  }
  return made->second;
}

GLenum makeTexture(GLuint name, GLsizei width, GLsizei height, GLint alignment,
                   const void* pixels) {
  if (lost()) return GL_NO_ERROR;
  discardErrors();
  GLuint& texture = webgl.textures[name];
  if (texture == 0) emscripten_glGenTextures(1, &texture);
  emscripten_glBindTexture(GL_TEXTURE_2D, texture);
  emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  emscripten_glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                          pixels);
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  // A context lost meanwhile refuses everything; the image waits for the
  // context that comes back.
  const GLenum error = emscripten_glGetError();
  return lost() ? GL_NO_ERROR : error;
}

void bindTexture(GLuint name) {
  const auto texture = webgl.textures.find(name);
  emscripten_glBindTexture(GL_TEXTURE_2D, texture == webgl.textures.end() ? 0 : texture->second);
}

void setDepthTest(bool on) {
  webgl.depthTest = on;
  if (!lost()) on ? emscripten_glEnable(GL_DEPTH_TEST) : emscripten_glDisable(GL_DEPTH_TEST);
}

void setDepthFunc(GLenum func) {
  webgl.depthFunc = func;
  if (!lost()) emscripten_glDepthFunc(func);
}

void setViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  webgl.viewport[0] = x;
  webgl.viewport[1] = y;
  webgl.viewport[2] = width;
  webgl.viewport[3] = height;
  webgl.viewportSet = true;
  if (!lost()) emscripten_glViewport(x, y, width, height);
}

void clear(GLbitfield mask, const float colour[4]) {
  if (lost()) return;
  emscripten_glClearColor(colour[0], colour[1], colour[2], colour[3]);
  emscripten_glClear(mask);
}

void forget() {
  webgl.said = true;
  webgl.buffers = {};
  webgl.uploaded.clear();
  webgl.programs.clear();
  webgl.textures.clear();
}

void restore() {
  webgl.said = false;
  webgl.depthTest ? emscripten_glEnable(GL_DEPTH_TEST) : emscripten_glDisable(GL_DEPTH_TEST);
  emscripten_glDepthFunc(webgl.depthFunc);
  if (webgl.viewportSet) {
    const GLint* v = webgl.viewport;
    emscripten_glViewport(v[0], v[1], v[2], v[3]);
  }
}

}  // namespace standin::device
