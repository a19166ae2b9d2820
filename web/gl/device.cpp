#include "gl/device.h"

#include <emscripten/html5_webgl.h>
#include <webgl/webgl1.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "gl/compiled_draw.h"
#include "gl/same_bytes.h"

namespace standin::device {

namespace {

// What one of WebGL's vertex inputs holds now.
struct Input {
  bool array = false;
  GLuint buffer = 0;
  GLenum type = 0;
  GLint size = 0;
  std::size_t offset = 0;
  float value[4] = {};
};
constexpr int inputCount = 8;

// Everything WebGL holds for the stand-in.
struct WebGL {
  bool said = false;  // the browser has said the context is lost
  GLint textureLimit = 0;
  Buffers buffers;
  std::map<GLuint, std::vector<std::uint8_t>> uploaded;  // what each uploaded buffer holds
  std::map<GLuint, std::size_t> sizes;                   // how much each sent buffer holds
  std::map<Key, Program> programs;
  std::map<Key, Given> given;
  std::map<GLuint, GLuint> textures;  // GL's texture name to WebGL's
  GLuint stipple = 0;
  std::uint8_t stipplePattern[32 * 32] = {};
  std::map<std::uint32_t, RetainedBuffers> retained;
  // The bindings and switches as last set; none known after a loss.
  bool known = false;
  Switches switches{};
  Input inputs[inputCount];
  GLuint program = 0, arrayBuffer = 0, elements = 0, texture = 0;
  GLint viewport[4] = {0, 0, 0, 0};
  bool viewportSet = false;
  float clearColour[4] = {0, 0, 0, 0}, clearDepth = 1;
  GLint clearStencil = 0;
  float depthRange[2] = {0, 1};
  // The drawing buffer's width and height as last asked: asking goes out to
  // the browser, and the size changes only where GLUT sizes the canvas or
  // the context is lost.
  int bufferSize[2] = {0, 0};
  bool sizeKnown = false;
};

// Never destroyed: the program's lists, let go at its end, still ask it
// to forget their buffers.
WebGL& webgl = *new WebGL;

void discardErrors() {
  for (int i = 0; i < 8 && emscripten_glGetError() != GL_NO_ERROR; ++i) {
  }
}

void bindArrayBuffer(GLuint buffer) {
  if (webgl.known && buffer == webgl.arrayBuffer) return;
  emscripten_glBindBuffer(GL_ARRAY_BUFFER, buffer);
  webgl.arrayBuffer = buffer;
}

GLuint bufferOf(GLenum target, const void* data, std::size_t bytes) {
  GLuint buffer = 0;
  emscripten_glGenBuffers(1, &buffer);
  emscripten_glBindBuffer(target, buffer);
  emscripten_glBufferData(target, GLsizeiptr(bytes), data, GL_STATIC_DRAW);
  if (target == GL_ARRAY_BUFFER) webgl.arrayBuffer = buffer;
  if (target == GL_ELEMENT_ARRAY_BUFFER) webgl.elements = buffer;
  return buffer;
}

void turn(GLenum cap, bool on) {
  on ? emscripten_glEnable(cap) : emscripten_glDisable(cap);
}

// Sets each switch where it differs from `was`; all where `all`.
void applySwitches(const Switches& s, const Switches& was, bool all) {
  const auto changed = [&](const auto& a, const auto& b) {
    return all || std::memcmp(&a, &b, sizeof a) != 0;
  };
  if (changed(s.depthTest, was.depthTest)) turn(GL_DEPTH_TEST, s.depthTest);
  if (changed(s.depthMask, was.depthMask)) emscripten_glDepthMask(s.depthMask);
  if (changed(s.depthFunc, was.depthFunc)) emscripten_glDepthFunc(s.depthFunc);
  if (changed(s.blend, was.blend)) turn(GL_BLEND, s.blend);
  if (changed(s.blendSrc, was.blendSrc) || changed(s.blendDst, was.blendDst)) {
    emscripten_glBlendFunc(s.blendSrc, s.blendDst);
  }
  if (changed(s.dither, was.dither)) turn(GL_DITHER, s.dither);
  if (changed(s.colourMask, was.colourMask)) {
    emscripten_glColorMask(s.colourMask[0], s.colourMask[1], s.colourMask[2], s.colourMask[3]);
  }
  if (changed(s.cull, was.cull)) turn(GL_CULL_FACE, s.cull);
  if (changed(s.cullFace, was.cullFace)) emscripten_glCullFace(s.cullFace);
  if (changed(s.frontFace, was.frontFace)) emscripten_glFrontFace(s.frontFace);
  if (changed(s.scissor, was.scissor)) turn(GL_SCISSOR_TEST, s.scissor);
  if (changed(s.scissorBox, was.scissorBox)) {
    emscripten_glScissor(s.scissorBox[0], s.scissorBox[1], s.scissorBox[2], s.scissorBox[3]);
  }
  if (changed(s.stencil, was.stencil)) turn(GL_STENCIL_TEST, s.stencil);
  if (changed(s.stencilFunc, was.stencilFunc) || changed(s.stencilRef, was.stencilRef) ||
      changed(s.stencilValueMask, was.stencilValueMask)) {
    emscripten_glStencilFunc(s.stencilFunc, s.stencilRef, s.stencilValueMask);
  }
  if (changed(s.stencilFail, was.stencilFail) ||
      changed(s.stencilDepthFail, was.stencilDepthFail) ||
      changed(s.stencilDepthPass, was.stencilDepthPass)) {
    emscripten_glStencilOp(s.stencilFail, s.stencilDepthFail, s.stencilDepthPass);
  }
  if (changed(s.stencilWriteMask, was.stencilWriteMask))
    emscripten_glStencilMask(s.stencilWriteMask);
  if (changed(s.offset, was.offset)) turn(GL_POLYGON_OFFSET_FILL, s.offset);
  if (changed(s.offsetFactor, was.offsetFactor) || changed(s.offsetUnits, was.offsetUnits)) {
    emscripten_glPolygonOffset(s.offsetFactor, s.offsetUnits);
  }
}

// GL's switches as a context starts with them.
Switches initialSwitches() {
  Switches s{};
  s.depthMask = 1;
  s.dither = 1;
  for (auto& m : s.colourMask) m = 1;
  s.depthFunc = GL_LESS;
  s.blendSrc = GL_ONE;
  s.blendDst = GL_ZERO;
  s.cullFace = GL_BACK;
  s.frontFace = GL_CCW;
  s.stencilFunc = GL_ALWAYS;
  s.stencilFail = s.stencilDepthFail = s.stencilDepthPass = GL_KEEP;
  s.stencilValueMask = s.stencilWriteMask = ~0u;
  return s;
}

// The first use after a start or a loss sets everything.
// The values a clear clears to, where they are not WebGL's already; all
// of them where `all`.
void setClearValues(const float colour[4], float depth, GLint stencil, bool all) {
  float* c = webgl.clearColour;
  if (all || !std::equal(colour, colour + 4, c)) {
    emscripten_glClearColor(colour[0], colour[1], colour[2], colour[3]);
    std::copy(colour, colour + 4, c);
  }
  if (all || depth != webgl.clearDepth) emscripten_glClearDepthf(depth);
  if (all || stencil != webgl.clearStencil) emscripten_glClearStencil(stencil);
  webgl.clearDepth = depth;
  webgl.clearStencil = stencil;
}

void know() {
  if (webgl.known) return;
  webgl.known = true;
  applySwitches(initialSwitches(), initialSwitches(), true);
  webgl.switches = initialSwitches();
  for (Input& in : webgl.inputs) in = Input{};
  for (GLuint i = 0; i < inputCount; ++i) {
    emscripten_glDisableVertexAttribArray(i);
    emscripten_glVertexAttrib4f(i, 0, 0, 0, 1);
    webgl.inputs[i].value[3] = 1;
    webgl.inputs[i].size = 4;
  }
  webgl.program = webgl.arrayBuffer = webgl.elements = webgl.texture = 0;
  setClearValues(webgl.clearColour, webgl.clearDepth, webgl.clearStencil, true);
  emscripten_glBindBuffer(GL_ARRAY_BUFFER, 0);
  emscripten_glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  if (webgl.viewportSet) {
    const GLint* v = webgl.viewport;
    emscripten_glViewport(v[0], v[1], v[2], v[3]);
  }
  emscripten_glDepthRangef(webgl.depthRange[0], webgl.depthRange[1]);
}

}  // namespace

// A window closed at the program's end has no context: nothing goes to
// WebGL then either, as the program's lists are let go.
bool lost() {
  const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_get_current_context();
  return webgl.said || context == 0 || emscripten_is_webgl_context_lost(context);
}

GLint maxTextureSize() {
  if (!lost()) emscripten_glGetIntegerv(GL_MAX_TEXTURE_SIZE, &webgl.textureLimit);
  return webgl.textureLimit;
}

namespace {

const int* bufferSize() {
  if (webgl.sizeKnown) return webgl.bufferSize;
  int* size = webgl.bufferSize;
  emscripten_webgl_get_drawing_buffer_size(emscripten_webgl_get_current_context(), &size[0],
                                           &size[1]);
  webgl.sizeKnown = !lost();
  return size;
}

}  // namespace

int drawingBufferWidth() {
  return bufferSize()[0];
}

int drawingBufferHeight() {
  return bufferSize()[1];
}

void canvasSized() {
  webgl.sizeKnown = false;
}

GLint bits(GLenum pname) {
  GLint value = 0;
  if (!lost()) emscripten_glGetIntegerv(pname, &value);
  return value;
}

const Buffers& buffers() {
  know();
  Buffers& b = webgl.buffers;
  if (b.positions != 0) return b;
  for (GLuint* buffer : {&b.positions, &b.normals, &b.ws, &b.texCoords, &b.colours, &b.slots,
                         &b.shadePositions, &b.clipPositions, &b.indices}) {
    emscripten_glGenBuffers(1, buffer);
  }
  return b;
}

void send(GLenum target, GLuint buffer, const void* data, std::size_t bytes,
          std::size_t changedFrom, std::size_t changedTo) {
  if (target == GL_ARRAY_BUFFER) bindArrayBuffer(buffer);
  if (target == GL_ELEMENT_ARRAY_BUFFER) bindElements(buffer);
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
  if (target == GL_ARRAY_BUFFER) bindArrayBuffer(buffer);
  if (target == GL_ELEMENT_ARRAY_BUFFER) bindElements(buffer);
  std::vector<std::uint8_t>& held = webgl.uploaded[buffer];
  const auto from = static_cast<const std::uint8_t*>(data);
  if (held.size() == bytes && std::memcmp(held.data(), from, bytes) == 0) return;
  held.assign(from, from + bytes);
  emscripten_glBufferData(target, GLsizeiptr(bytes), data, GL_STATIC_DRAW);
}

const RetainedBuffers& retainedBuffers(const CompiledDraw& draw) {
  know();
  auto made = webgl.retained.find(draw.name);
  if (made != webgl.retained.end()) return made->second;
  const VertexData& v = draw.vertices;
  RetainedBuffers b;
  const auto floats = [](const std::vector<float>& values) {
    return bufferOf(GL_ARRAY_BUFFER, values.data(), values.size() * sizeof(float));
  };
  b.positions = floats(v.positions);
  if (v.normal.given) b.normals = floats(v.normal.values);
  if (v.w.given) b.ws = floats(v.w.values);
  if (v.texCoord.given) b.texCoords = floats(v.texCoord.values);
  if (v.colour.given) b.colours = floats(v.colour.values);
  std::vector<std::uint32_t> ids(draw.strip);
  ids.insert(ids.end(), draw.triangles.begin(), draw.triangles.end());
  b.shortIds = v.count <= 65536;
  if (b.shortIds) {
    const std::vector<std::uint16_t> shortIds(ids.begin(), ids.end());
    b.indices = bufferOf(GL_ELEMENT_ARRAY_BUFFER, shortIds.data(), shortIds.size() * 2);
  } else {
    b.indices = bufferOf(GL_ELEMENT_ARRAY_BUFFER, ids.data(), ids.size() * 4);
  }
  return webgl.retained.emplace(draw.name, b).first->second;
}

void forgetDraw(std::uint32_t name) {
  const auto made = webgl.retained.find(name);
  if (made == webgl.retained.end()) return;
  if (!lost()) {
    const RetainedBuffers& b = made->second;
    for (GLuint buffer : {b.positions, b.normals, b.ws, b.texCoords, b.colours, b.indices}) {
      if (buffer == 0) continue;
      if (buffer == webgl.arrayBuffer) webgl.arrayBuffer = 0;
      if (buffer == webgl.elements) webgl.elements = 0;
      for (Input& in : webgl.inputs) {
        if (in.array && in.buffer == buffer) in = Input{};
      }
      emscripten_glDeleteBuffers(1, &buffer);
    }
    // The bindings are set afresh after a buffer they held is gone.
    webgl.known = false;
  }
  webgl.retained.erase(made);
}

const Program& program(Key key) {
  know();
  auto made = webgl.programs.find(key);
  if (made == webgl.programs.end()) {
    made = webgl.programs.emplace(key, makeProgram(key)).first;
    webgl.program = made->second.program;  // making it put it in use
  }
  return made->second;
}

Given& given(Key key) {
  return webgl.given[key];
}

void useProgram(const Program& p) {
  if (webgl.program == p.program) return;
  emscripten_glUseProgram(p.program);
  webgl.program = p.program;
}

void inputArray(GLuint attribute, GLuint buffer, GLint size, GLenum type, std::size_t offset) {
  Input& in = webgl.inputs[attribute];
  if (in.array && in.buffer == buffer && in.size == size && in.type == type &&
      in.offset == offset) {
    return;
  }
  if (!in.array) emscripten_glEnableVertexAttribArray(attribute);
  bindArrayBuffer(buffer);
  const GLsizei bytes = type == GL_FLOAT ? GLsizei(sizeof(float)) : 1;
  emscripten_glVertexAttribPointer(attribute, size, type, GL_FALSE, size * bytes,
                                   reinterpret_cast<const void*>(offset));
  in.array = true;
  in.buffer = buffer;
  in.size = size;
  in.type = type;
  in.offset = offset;
}

void inputValue(GLuint attribute, const float* value, int size) {
  Input& in = webgl.inputs[attribute];
  if (!in.array && in.size == size &&
      sameBytes(in.value, value, sizeof(float) * std::size_t(size))) {
    return;
  }
  if (in.array) emscripten_glDisableVertexAttribArray(attribute);
  if (size == 1) emscripten_glVertexAttrib1f(attribute, value[0]);
  if (size == 3) emscripten_glVertexAttrib3f(attribute, value[0], value[1], value[2]);
  if (size == 4) emscripten_glVertexAttrib4f(attribute, value[0], value[1], value[2], value[3]);
  in.array = false;
  in.size = size;
  std::copy(value, value + size, in.value);
}

void bindElements(GLuint buffer) {
  if (webgl.known && webgl.elements == buffer) return;
  emscripten_glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer);
  webgl.elements = buffer;
}

GLenum makeTexture(GLuint name, GLsizei width, GLsizei height, const void* texels) {
  if (lost()) return GL_NO_ERROR;
  know();
  discardErrors();
  GLuint& texture = webgl.textures[name];
  if (texture == 0) emscripten_glGenTextures(1, &texture);
  emscripten_glActiveTexture(GL_TEXTURE0);
  emscripten_glBindTexture(GL_TEXTURE_2D, texture);
  webgl.texture = texture;
  emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  emscripten_glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                          texels);
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  // A context lost meanwhile refuses everything; the image waits for the
  // context that comes back.
  const GLenum error = emscripten_glGetError();
  return lost() ? GL_NO_ERROR : error;
}

void forgetTexture(GLuint name) {
  const auto texture = webgl.textures.find(name);
  if (texture == webgl.textures.end()) return;
  if (!lost()) emscripten_glDeleteTextures(1, &texture->second);
  if (webgl.texture == texture->second) webgl.texture = 0;
  webgl.textures.erase(texture);
}

void bindTexture(GLuint name) {
  const auto texture = webgl.textures.find(name);
  const GLuint bound = texture == webgl.textures.end() ? 0 : texture->second;
  if (bound == webgl.texture) return;
  emscripten_glActiveTexture(GL_TEXTURE0);
  emscripten_glBindTexture(GL_TEXTURE_2D, bound);
  webgl.texture = bound;
}

void setStipple(const std::uint8_t* pattern) {
  know();
  if (webgl.stipple != 0 &&
      std::memcmp(webgl.stipplePattern, pattern, sizeof webgl.stipplePattern) == 0) {
    return;
  }
  std::memcpy(webgl.stipplePattern, pattern, sizeof webgl.stipplePattern);
  if (webgl.stipple == 0) emscripten_glGenTextures(1, &webgl.stipple);
  emscripten_glActiveTexture(GL_TEXTURE1);
  emscripten_glBindTexture(GL_TEXTURE_2D, webgl.stipple);
  emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  emscripten_glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, 32, 32, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE,
                          pattern);
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  emscripten_glActiveTexture(GL_TEXTURE0);
}

void setSwitches(const Switches& s) {
  know();
  applySwitches(s, webgl.switches, false);
  webgl.switches = s;
}

void setViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  webgl.viewport[0] = x;
  webgl.viewport[1] = y;
  webgl.viewport[2] = width;
  webgl.viewport[3] = height;
  webgl.viewportSet = true;
  if (!lost()) emscripten_glViewport(x, y, width, height);
}

void setDepthRange(float nearVal, float farVal) {
  webgl.depthRange[0] = nearVal;
  webgl.depthRange[1] = farVal;
  if (!lost()) emscripten_glDepthRangef(nearVal, farVal);
}

void clear(GLbitfield mask, const float colour[4], float depth, GLint stencil,
           const Switches& switches) {
  if (lost()) return;
  setSwitches(switches);
  setClearValues(colour, depth, stencil, false);
  emscripten_glClear(mask);
}

void readPixels(GLint x, GLint y, GLsizei width, GLsizei height, void* rgba) {
  if (lost()) return;
  emscripten_glPixelStorei(GL_PACK_ALIGNMENT, 1);
  emscripten_glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
}

void forget() {
  webgl.said = true;
  webgl.buffers = {};
  webgl.uploaded.clear();
  webgl.sizes.clear();
  webgl.programs.clear();
  webgl.given.clear();
  webgl.textures.clear();
  webgl.stipple = 0;
  webgl.retained.clear();
  webgl.known = false;
  webgl.sizeKnown = false;
}

void restore() {
  webgl.said = false;
  webgl.known = false;
  webgl.sizeKnown = false;
  know();
}

}  // namespace standin::device
