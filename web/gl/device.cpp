#include "gl/device.h"

#include <emscripten/html5_webgl.h>
#include <webgl/webgl1.h>

#include <cstring>
#include <map>
#include <vector>

#include "gl/lists.h"

namespace standin::device {

namespace {

// Everything WebGL holds for the stand-in.
struct WebGL {
  bool said = false;  // the browser has said the context is lost
  GLint textureLimit = 0;
  Buffers buffers;
  std::map<GLuint, std::vector<std::uint8_t>> uploaded;  // what each uploaded buffer holds
  std::map<GLuint, std::size_t> sizes;                   // how much each sent buffer holds
  std::map<std::uint32_t, Program> programs;
  std::map<GLuint, GLuint> textures;  // GL's texture name to WebGL's
  std::map<GLuint, ListBuffers> lists;
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
  if (b.positions != 0) return b;
  emscripten_glGenBuffers(1, &b.positions);
  emscripten_glGenBuffers(1, &b.normals);
  emscripten_glGenBuffers(1, &b.texCoords);
  emscripten_glGenBuffers(1, &b.colours);
  emscripten_glGenBuffers(1, &b.indices);
  emscripten_glGenBuffers(1, &b.shortIndices);
  emscripten_glGenBuffers(1, &b.slots);
  return b;
}

void send(GLenum target, GLuint buffer, const void* data, std::size_t bytes,
          std::size_t changedFrom, std::size_t changedTo) {
  emscripten_glBindBuffer(target, buffer);
  std::size_t& size = webgl.sizes[buffer];
  if (size != bytes) {
    size = bytes;
    emscripten_glBufferData(target, GLsizeiptr(bytes), data, GL_DYNAMIC_DRAW);
  } else if (changedFrom < changedTo) {
    emscripten_glBufferSubData(target, GLintptr(changedFrom), GLsizeiptr(changedTo - changedFrom),
                               static_cast<const std::uint8_t*>(data) + changedFrom);
  }
}

void upload(GLenum target, GLuint buffer, const void* data, std::size_t bytes) {
  emscripten_glBindBuffer(target, buffer);
  std::vector<std::uint8_t>& held = webgl.uploaded[buffer];
  const auto from = static_cast<const std::uint8_t*>(data);
  if (held.size() == bytes && std::memcmp(held.data(), from, bytes) == 0) return;
  held.assign(from, from + bytes);
  emscripten_glBufferData(target, GLsizeiptr(bytes), data, GL_STATIC_DRAW);
}

namespace {

GLuint bufferOf(GLenum target, const void* data, std::size_t bytes) {
  GLuint buffer = 0;
  emscripten_glGenBuffers(1, &buffer);
  emscripten_glBindBuffer(target, buffer);
  emscripten_glBufferData(target, GLsizeiptr(bytes), data, GL_STATIC_DRAW);
  return buffer;
}

}  // namespace

const ListBuffers& listBuffers(GLuint name, const lists::List& list) {
  auto made = webgl.lists.find(name);
  if (made != webgl.lists.end()) return made->second;
  ListBuffers b;
  b.positions =
      bufferOf(GL_ARRAY_BUFFER, list.positions.data(), list.positions.size() * sizeof(float));
  b.normals = bufferOf(GL_ARRAY_BUFFER, list.normals.data(), list.normals.size() * sizeof(float));
  std::vector<std::uint32_t> ids(list.strip);
  ids.insert(ids.end(), list.triangles.begin(), list.triangles.end());
  b.shortIds = list.positions.size() / 3 <= 65536;
  if (b.shortIds) {
    const std::vector<std::uint16_t> shortIds(ids.begin(), ids.end());
    b.indices = bufferOf(GL_ELEMENT_ARRAY_BUFFER, shortIds.data(), shortIds.size() * 2);
  } else {
    b.indices = bufferOf(GL_ELEMENT_ARRAY_BUFFER, ids.data(), ids.size() * 4);
  }
  return webgl.lists.emplace(name, b).first->second;
}

void forgetList(GLuint name) {
  const auto made = webgl.lists.find(name);
  if (made == webgl.lists.end()) return;
  if (!lost()) {
    const GLuint buffers[] = {made->second.positions, made->second.normals, made->second.indices};
    emscripten_glDeleteBuffers(3, buffers);
  }
  webgl.lists.erase(made);
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
  webgl.sizes.clear();
  webgl.programs.clear();
  webgl.textures.clear();
  webgl.lists.clear();
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
