#include "gl/draw.h"

#include <webgl/webgl1.h>

#include "gl/checks.h"
#include "gl/compiled_draw.h"
#include "gl/device.h"
#include "gl/shaders.h"

namespace standin {

namespace {

// What of a kept array changed since it was last sent.
template <typename T>
void sendKept(GLenum target, GLuint buffer, KeptArray<T>& values) {
  device::send(target, buffer, values.data(), values.held() * sizeof(T),
               values.changedFrom() * sizeof(T), values.changedTo() * sizeof(T));
  values.sent();
}

template <int size>
void sendAttribute(GLuint buffer, const VertexAttribute<size>& values) {
  if (values.varies()) {
    device::upload(GL_ARRAY_BUFFER, buffer, values.values().data(),
                   values.values().size() * sizeof(float));
  }
}

// Points an attribute at the frame's values, or gives its one value.
template <int size>
void point(GLuint attribute, GLuint buffer, const VertexAttribute<size>& values) {
  if (!values.varies()) return device::inputValue(attribute, values.of(0), size);
  device::inputArray(attribute, buffer, size, GL_FLOAT, 0);
}

void pointAtFrame(const device::Buffers& b, const Frame& frame) {
  device::inputArray(positionAttribute, b.positions, 3, GL_FLOAT, 0);
  device::inputArray(normalAttribute, b.normals, 3, GL_FLOAT, 0);
  point(wAttribute, b.ws, frame.ws);
  point(texCoordAttribute, b.texCoords, frame.texCoords);
  point(colourAttribute, b.colours, frame.colours);
  point(shadePositionAttribute, b.shadePositions, frame.shadePositions);
  point(clipPositionAttribute, b.clipPositions, frame.clipPositions);
  device::inputArray(slotAttribute, b.slots, 1, GL_UNSIGNED_BYTE, 0);
}

// Points the attributes at a compiled draw's buffers, those it does not
// give at the values current when it was called.
void pointAtRetained(const device::RetainedBuffers& b, const Batch& batch) {
  static const float one = 1.0f, zero = 0.0f, origin[4] = {0, 0, 0, 1};
  const VertexData& v = batch.retained->vertices;
  device::inputArray(positionAttribute, b.positions, 3, GL_FLOAT, 0);
  if (b.normals != 0) {
    device::inputArray(normalAttribute, b.normals, 3, GL_FLOAT, 0);
  } else {
    device::inputValue(normalAttribute, batch.normal, 3);
  }
  b.ws != 0 ? device::inputArray(wAttribute, b.ws, 1, GL_FLOAT, 0)
            : device::inputValue(wAttribute, &one, 1);
  v.texCoord.given ? device::inputArray(texCoordAttribute, b.texCoords, 4, GL_FLOAT, 0)
                   : device::inputValue(texCoordAttribute, batch.texCoord, 4);
  v.colour.given ? device::inputArray(colourAttribute, b.colours, 4, GL_FLOAT, 0)
                 : device::inputValue(colourAttribute, batch.colour, 4);
  device::inputValue(slotAttribute, &zero, 1);
  device::inputValue(shadePositionAttribute, origin, 4);
  device::inputValue(clipPositionAttribute, origin, 4);
}

// Sets the uniforms in which `state` differs from what the program has;
// all of them when it has none yet. Each group is one call to WebGL.
void setUniforms(const Uniforms& at, const DrawState& state, device::Given& given) {
  const DrawState& was = given.state;
  const auto set = [&](GLint location, const auto& value, const auto& before, auto call) {
    if (location >= 0 && (!given.known || !sameBytes(&value, &before, sizeof value))) call();
  };
  set(at.transforms, state.transforms, was.transforms,
      [&] { emscripten_glUniformMatrix4fv(at.transforms, 2, GL_FALSE, state.transforms); });
  set(at.normalMatrix, state.normalMatrix, was.normalMatrix,
      [&] { emscripten_glUniform4fv(at.normalMatrix, 3, state.normalMatrix); });
  set(at.textureMatrix, state.textureMatrix, was.textureMatrix,
      [&] { emscripten_glUniformMatrix4fv(at.textureMatrix, 1, GL_FALSE, state.textureMatrix); });
  set(at.lights, state.lights, was.lights, [&] {
    const auto count = GLsizei(get(state.key, keys::lights));
    emscripten_glUniform4fv(at.lights, lightVectors * (count > 0 ? count : 1),
                            state.lights[0].ambient);
  });
  set(at.modelAmbient, state.modelAmbient, was.modelAmbient,
      [&] { emscripten_glUniform4fv(at.modelAmbient, 1, state.modelAmbient); });
  set(at.texGenPlanes, state.texGenPlanes, was.texGenPlanes,
      [&] { emscripten_glUniform4fv(at.texGenPlanes, 8, state.texGenPlanes[0]); });
  set(at.clipPlanes, state.clipPlanes, was.clipPlanes,
      [&] { emscripten_glUniform4fv(at.clipPlanes, clipPlaneCount, state.clipPlanes[0]); });
  set(at.fog, state.fog, was.fog, [&] { emscripten_glUniform4fv(at.fog, 2, state.fog); });
  set(at.alpha, state.alpha, was.alpha, [&] { emscripten_glUniform4fv(at.alpha, 1, state.alpha); });
  set(at.viewport, state.viewport, was.viewport,
      [&] { emscripten_glUniform4fv(at.viewport, 1, state.viewport); });
  set(at.texturing, state.texturing, was.texturing,
      [&] { emscripten_glUniform4fv(at.texturing, 6, state.texturing[0]); });
  set(at.texel, state.texel, was.texel, [&] { emscripten_glUniform4fv(at.texel, 1, state.texel); });
  given.state = state;
}

// The batch's materials, in one call, where they are not what the program
// has.
void giveMaterials(const Uniforms& at, const Batch& batch, const Frame& frame,
                   device::Given& given) {
  if (at.materials < 0) return;
  const float* material = frame.materials.data() + batch.materialAt;
  const std::size_t floats = std::size_t(batch.materialVectors) * 4 * std::size_t(batch.materials);
  if (given.known && given.materials == batch.materials &&
      given.materialVectors == batch.materialVectors &&
      sameBytes(given.material, material, floats * sizeof(float))) {
    return;
  }
  emscripten_glUniform4fv(at.materials, GLsizei(floats / 4), material);
  given.materials = batch.materials;
  given.materialVectors = batch.materialVectors;
  std::copy_n(material, floats, given.material);
}

// The polygon stipple's rows as the 32 by 32 bytes device.cpp takes,
// bottom row first, the leftmost pixel of each row its first.
void giveStipple(const DrawState& state) {
  std::uint8_t pattern[32 * 32];
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) pattern[y * 32 + x] = (state.stipple[y] >> (31 - x)) & 1 ? 255 : 0;
  }
  device::setStipple(pattern);
}

void drawBatch(const Batch& batch, const device::Buffers& b, const Frame& frame, bool& atFrame) {
  const Program& program = device::program(batch.state.key);
  if (drawingStopped()) return;
  device::useProgram(program);
  device::Given& given = device::given(batch.state.key);
  setUniforms(program.uniforms, batch.state, given);
  giveMaterials(program.uniforms, batch, frame, given);
  given.known = true;
  device::bindTexture(batch.state.texture);
  if (get(batch.state.key, keys::polygonStipple)) giveStipple(batch.state);
  device::setSwitches(batch.state.switches);
  GLenum type = GL_UNSIGNED_INT;
  std::size_t size = sizeof(std::uint32_t);
  if (batch.retained != nullptr) {
    const device::RetainedBuffers& r = device::retainedBuffers(*batch.retained);
    pointAtRetained(r, batch);
    device::bindElements(r.indices);
    if (r.shortIds) type = GL_UNSIGNED_SHORT, size = sizeof(std::uint16_t);
    atFrame = false;
  } else {
    if (!atFrame) pointAtFrame(b, frame);
    atFrame = true;
    device::bindElements(b.indices);
  }
  emscripten_glDrawElements(batch.mode, GLsizei(batch.count), type,
                            reinterpret_cast<const void*>(batch.first * size));
}

}  // namespace

void drawFrame(const Frame& frame) {
  if (device::lost()) return;
  const device::Buffers& b = device::buffers();
  sendKept(GL_ARRAY_BUFFER, b.positions, frame.positions);
  sendKept(GL_ARRAY_BUFFER, b.normals, frame.normals);
  sendAttribute(b.ws, frame.ws);
  sendAttribute(b.texCoords, frame.texCoords);
  sendAttribute(b.colours, frame.colours);
  sendAttribute(b.shadePositions, frame.shadePositions);
  sendAttribute(b.clipPositions, frame.clipPositions);
  sendKept(GL_ARRAY_BUFFER, b.slots, frame.slots);
  sendKept(GL_ELEMENT_ARRAY_BUFFER, b.indices, frame.indices);
  bool atFrame = false;
  for (const Batch& batch : frame.batches) {
    // A program WebGL refused stops the drawing.
    if (drawingStopped()) return;
    drawBatch(batch, b, frame, atFrame);
  }
}

}  // namespace standin
