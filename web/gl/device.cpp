#include "gl/device.h"

#include <webgl/webgl1.h>

#include <cmath>
#include <cstring>
#include <map>
#include <vector>

#include "gl/batch.h"
#include "gl/queries.h"

namespace standin::device {

namespace {

// A texture as the program gave it, and the WebGL texture made of it.
struct Texture {
  GLuint made = 0;  // 0 until made, and again after a loss
  int width = 0;
  int height = 0;
  GLint alignment = 4;
  std::vector<std::uint8_t> image;  // empty while it has none
};

// Everything WebGL holds for the stand-in, and what it is made from.
struct Device {
  bool lost = false;
  Buffers buffers;
  std::map<GLuint, std::vector<std::uint8_t>> uploaded;  // what each buffer holds
  std::map<std::uint32_t, Program> programs;
  std::map<GLuint, Texture> textures;
  GLuint lastTexture = 0;
  bool depthTest = false;
  GLenum depthFunc = GL_LESS;
  GLint viewport[4] = {0, 0, 0, 0};
  bool viewportSet = false;
};

Device device;

void attribute(GLuint index, GLint count, GLsizei stride, int offset) {
  emscripten_glEnableVertexAttribArray(index);
  emscripten_glVertexAttribPointer(index, count, GL_FLOAT, GL_FALSE, stride * sizeof(float),
                                   reinterpret_cast<const void*>(offset * sizeof(float)));
}

// The bytes of an image of RGB rows aligned to `alignment`, as GL reads it.
std::size_t imageBytes(int width, int height, GLint alignment) {
  if (width == 0 || height == 0) return 0;
  const std::size_t row = std::size_t(width) * 3;
  const std::size_t stride = (row + alignment - 1) / alignment * alignment;
  return stride * std::size_t(height - 1) + row;
}

// Makes the WebGL texture of a kept image: the image as it is, sampled
// texel by texel (the fragment stage repeats and filters).
GLenum make(Texture& t) {
  for (int i = 0; i < 8 && emscripten_glGetError() != GL_NO_ERROR; ++i) {
  }
  if (t.made == 0) emscripten_glGenTextures(1, &t.made);
  emscripten_glBindTexture(GL_TEXTURE_2D, t.made);
  emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, t.alignment);
  emscripten_glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, t.width, t.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                          t.image.data());
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  return emscripten_glGetError();
}

void applySwitches() {
  device.depthTest ? emscripten_glEnable(GL_DEPTH_TEST) : emscripten_glDisable(GL_DEPTH_TEST);
  emscripten_glDepthFunc(device.depthFunc);
  if (device.viewportSet) {
    const GLint* v = device.viewport;
    emscripten_glViewport(v[0], v[1], v[2], v[3]);
  }
}

}  // namespace

const Buffers& buffers() {
  Buffers& b = device.buffers;
  if (b.vertices != 0) return b;
  emscripten_glGenBuffers(1, &b.vertices);
  emscripten_glGenBuffers(1, &b.texCoords);
  emscripten_glGenBuffers(1, &b.indices);
  emscripten_glBindBuffer(GL_ARRAY_BUFFER, b.vertices);
  attribute(positionAttribute, 3, floatsPerVertex, 0);
  attribute(normalAttribute, 3, floatsPerVertex, 3);
  emscripten_glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, b.indices);
  return b;
}

void upload(GLenum target, GLuint buffer, const void* data, std::size_t bytes) {
  emscripten_glBindBuffer(target, buffer);
  std::vector<std::uint8_t>& held = device.uploaded[buffer];
  const auto from = static_cast<const std::uint8_t*>(data);
  if (held.size() == bytes && std::memcmp(held.data(), from, bytes) == 0) return;
  held.assign(from, from + bytes);
  emscripten_glBufferData(target, GLsizeiptr(bytes), data, GL_STATIC_DRAW);
}

Program& program(std::uint32_t features) {
  auto made = device.programs.find(features);
  if (made == device.programs.end()) {
    made = device.programs.emplace(features, makeProgram(features)).first;
  }
  return made->second;
}

GLuint newTexture() {
  if (device.lastTexture == UINT32_MAX) return 0;
  device.textures[++device.lastTexture];
  return device.lastTexture;
}

std::array<float, 4> filteredTexel(GLuint texture, float s, float t) {
  const Texture& image = device.textures[texture];
  const int width = image.width, height = image.height;
  const std::size_t stride =
      (std::size_t(width) * 3 + image.alignment - 1) / image.alignment * image.alignment;
  // The texel in column i and row j, the pattern repeated.
  const auto at = [&](float i, float j, int c) {
    const int x = int(i - width * std::floor(i / width));
    const int y = int(j - height * std::floor(j / height));
    return image.image[std::size_t(y) * stride + std::size_t(x) * 3 + c] / 255.0f;
  };
  const float u = s * width - 0.5f, v = t * height - 0.5f;
  const float i = std::floor(u), j = std::floor(v), fx = u - i, fy = v - j;
  std::array<float, 4> texel{0, 0, 0, 1};
  for (int c = 0; c < 3; ++c) {
    const float below = at(i, j, c) + (at(i + 1, j, c) - at(i, j, c)) * fx;
    const float above = at(i, j + 1, c) + (at(i + 1, j + 1, c) - at(i, j + 1, c)) * fx;
    texel[c] = std::floor((below + (above - below) * fy) * 255.0f + 0.5f) / 255.0f;
  }
  return texel;
}

GLenum setImage(GLuint texture, GLsizei width, GLsizei height, GLint alignment,
                const void* pixels) {
  Texture& t = device.textures[texture];
  t.image.clear();
  t.image.shrink_to_fit();
  if (width < 0 || height < 0 || width > maxTextureSize() || height > maxTextureSize()) {
    return GL_INVALID_VALUE;
  }
  const auto bytes = static_cast<const std::uint8_t*>(pixels);
  t.width = width;
  t.height = height;
  t.alignment = alignment;
  t.image.assign(bytes, bytes + imageBytes(width, height, alignment));
  if (device.lost) return GL_NO_ERROR;
  const GLenum error = make(t);
  if (error != GL_NO_ERROR) {
    t.image.clear();
    t.image.shrink_to_fit();
  }
  return error;
}

std::optional<ImageSize> imageSize(GLuint texture) {
  const auto t = device.textures.find(texture);
  if (t == device.textures.end() || t->second.image.empty()) return std::nullopt;
  return ImageSize{t->second.width, t->second.height};
}

void bindTexture(GLuint texture) {
  const auto t = device.textures.find(texture);
  emscripten_glBindTexture(GL_TEXTURE_2D, t == device.textures.end() ? 0 : t->second.made);
}

void setDepthTest(bool on) {
  device.depthTest = on;
  if (!device.lost) on ? emscripten_glEnable(GL_DEPTH_TEST) : emscripten_glDisable(GL_DEPTH_TEST);
}

void setDepthFunc(GLenum func) {
  device.depthFunc = func;
  if (!device.lost) emscripten_glDepthFunc(func);
}

void setViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  device.viewport[0] = x;
  device.viewport[1] = y;
  device.viewport[2] = width;
  device.viewport[3] = height;
  device.viewportSet = true;
  if (!device.lost) emscripten_glViewport(x, y, width, height);
}

void clear(GLbitfield mask, const float colour[4]) {
  if (device.lost) return;
  emscripten_glClearColor(colour[0], colour[1], colour[2], colour[3]);
  emscripten_glClear(mask);
}

bool lost() {
  return device.lost;
}

}  // namespace standin::device

using namespace standin::device;

// What WebGL held is gone with the context: every name of it is forgotten.
extern "C" void standinContextLost() {
  device.lost = true;
  device.buffers = {};
  device.uploaded.clear();
  device.programs.clear();
  for (auto& [name, t] : device.textures) t.made = 0;
}

// Everything is made again from what was kept: the textures now, the
// buffers and programs at the next draw that needs them.
extern "C" void standinContextRestored() {
  device.lost = false;
  for (auto& [name, t] : device.textures) {
    if (!t.image.empty()) make(t);
  }
  applySwitches();
}
