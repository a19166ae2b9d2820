#include "gl/draw.h"

#include <webgl/webgl1.h>

#include <map>

#include "gl/device.h"
#include "gl/lists.h"
#include "gl/shaders.h"

namespace standin {

namespace {

// What each program, by its features, was last given: uniforms stay with
// their program, so only those that change are set again.
struct Given {
  DrawState state;
  int materials;
  DrawMaterial material[batchMaterials];
};
std::map<std::uint32_t, Given> uniformsGiven;

// What each of WebGL's vertex inputs holds now: an array in a buffer, or
// one value. A batch sets only what differs from the batch before.
struct Input {
  bool array = false;
  GLuint buffer = 0;
  GLenum type = 0;
  GLint size = 0;
  std::size_t offset = 0;
  float value[4] = {};
};
constexpr int inputCount = 5;
Input inputs[inputCount];
bool inputsKnown = false;
GLuint arrayBufferBound = 0;

void bindArrayBuffer(GLuint buffer) {
  if (buffer == arrayBufferBound) return;
  emscripten_glBindBuffer(GL_ARRAY_BUFFER, buffer);
  arrayBufferBound = buffer;
}

// The attribute's `size` values of `type` a vertex, one vertex after
// another in `buffer` from `offset` bytes on.
void inputArray(GLuint attribute, GLuint buffer, GLint size, GLenum type, std::size_t offset) {
  Input& in = inputs[attribute];
  if (inputsKnown && in.array && in.buffer == buffer && in.size == size && in.type == type &&
      in.offset == offset) {
    return;
  }
  if (!inputsKnown || !in.array) emscripten_glEnableVertexAttribArray(attribute);
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

// An attribute that is the same for every vertex goes to WebGL as one
// value rather than one a vertex.
void inputValue(GLuint attribute, const float* value, int size) {
  Input& in = inputs[attribute];
  if (inputsKnown && !in.array && in.size == size &&
      sameBytes(in.value, value, sizeof(float) * size)) {
    return;
  }
  if (!inputsKnown || in.array) emscripten_glDisableVertexAttribArray(attribute);
  if (size == 1) emscripten_glVertexAttrib1f(attribute, value[0]);
  if (size == 2) emscripten_glVertexAttrib2f(attribute, value[0], value[1]);
  if (size == 4) emscripten_glVertexAttrib4f(attribute, value[0], value[1], value[2], value[3]);
  in.array = false;
  in.size = size;
  std::copy(value, value + size, in.value);
}

// The vertex inputs are known from the first batch that sets them all.
void inputsSet() {
  inputsKnown = true;
}

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

// Points the attribute at the frame's vertex `base` on, or gives its one
// value.
template <int size>
void pointFrom(GLuint attribute, GLuint buffer, const VertexAttribute<size>& values,
               std::uint32_t base) {
  if (!values.varies()) return inputValue(attribute, values.of(0), size);
  inputArray(attribute, buffer, size, GL_FLOAT, std::size_t(base) * size * sizeof(float));
}

// Sets the uniforms in which `state` differs from `had`, which the program
// has; all of them when `had` is null. Each group is one call to WebGL.
void setUniforms(const Uniforms& at, const DrawState& state, const DrawState* had) {
  const auto set = [&](const auto& value, const auto& before, auto call) {
    if (had == nullptr || !sameBytes(&value, &before, sizeof value)) call();
  };
  const DrawState& was = had != nullptr ? *had : state;
  set(state.transforms, was.transforms,
      [&] { emscripten_glUniformMatrix4fv(at.transforms, 2, GL_FALSE, state.transforms); });
  set(state.normalMatrix, was.normalMatrix,
      [&] { emscripten_glUniformMatrix3fv(at.normalMatrix, 1, GL_FALSE, state.normalMatrix); });
  set(state.light, was.light, [&] { emscripten_glUniform4fv(at.light, 3, state.light); });
  set(state.planes, was.planes, [&] { emscripten_glUniform4fv(at.planes, 2, state.planes); });
  set(state.lift, was.lift, [&] { emscripten_glUniform1f(at.lift, state.lift); });
  set(state.texel, was.texel, [&] { emscripten_glUniform4fv(at.texel, 1, state.texel); });
  set(state.textureShape, was.textureShape,
      [&] { emscripten_glUniform4fv(at.textureShape, 1, state.textureShape); });
}

// The batch's materials, in one call, where they are not what the program
// has.
void giveMaterials(const Uniforms& at, const Batch& batch, Given& given, bool known) {
  const std::size_t bytes = sizeof(DrawMaterial) * std::size_t(batch.materials);
  if (known && given.materials == batch.materials &&
      sameBytes(given.material, batch.material, bytes)) {
    return;
  }
  emscripten_glUniform4fv(at.material, 4 * batch.materials, batch.material[0].values);
  given.materials = batch.materials;
  std::copy(batch.material, batch.material + batch.materials, given.material);
}

void giveUniforms(const Program& program, const Batch& batch) {
  auto given = uniformsGiven.find(batch.state.features);
  const bool known = given != uniformsGiven.end();
  if (!known) given = uniformsGiven.emplace(batch.state.features, Given{}).first;
  setUniforms(program.uniforms, batch.state, known ? &given->second.state : nullptr);
  given->second.state = batch.state;
  giveMaterials(program.uniforms, batch, given->second, known);
}

// Points the attributes at the frame's vertex `base` on, where a batch's
// indices count from; those all vertices share have their one value.
void pointFrom(const device::Buffers& b, const Frame& frame, std::uint32_t base) {
  inputArray(positionAttribute, b.positions, 3, GL_FLOAT, std::size_t(base) * 3 * sizeof(float));
  inputArray(normalAttribute, b.normals, 3, GL_FLOAT, std::size_t(base) * 3 * sizeof(float));
  pointFrom(texCoordAttribute, b.texCoords, frame.texCoords, base);
  pointFrom(colourAttribute, b.colours, frame.colours, base);
  inputArray(slotAttribute, b.slots, 1, GL_UNSIGNED_BYTE, base);
  inputsSet();
}

// Points the attributes at a display list's buffers; its vertices have the
// batch's texture coordinate and colour, and its one material.
void pointAtList(const device::ListBuffers& b, const Batch& batch) {
  inputArray(positionAttribute, b.positions, 3, GL_FLOAT, 0);
  inputArray(normalAttribute, b.normals, 3, GL_FLOAT, 0);
  inputValue(texCoordAttribute, batch.texCoord, 2);
  inputValue(colourAttribute, batch.colour, 4);
  const float slot = 0;
  inputValue(slotAttribute, &slot, 1);
  inputsSet();
}

}  // namespace

void drawFrame(const Frame& frame) {
  if (device::lost()) return;
  const device::Buffers& b = device::buffers();
  sendKept(GL_ARRAY_BUFFER, b.positions, frame.positions);
  sendKept(GL_ARRAY_BUFFER, b.normals, frame.normals);
  sendAttribute(b.texCoords, frame.texCoords);
  sendAttribute(b.colours, frame.colours);
  sendKept(GL_ARRAY_BUFFER, b.slots, frame.slots);
  sendKept(GL_ELEMENT_ARRAY_BUFFER, b.shortIndices, frame.shortIndices);
  sendKept(GL_ELEMENT_ARRAY_BUFFER, b.indices, frame.indices);
  // The uploads bound buffers of their own.
  arrayBufferBound = 0;
  GLuint elementsBound = 0;
  const Program* current = nullptr;
  GLuint bound = 0;
  std::uint32_t base = ~0u;
  for (std::size_t i = 0; i < frame.batches.size(); ++i) {
    const Batch& batch = frame.batches[i];
    const Program& program = device::program(batch.state.features);
    if (&program != current) emscripten_glUseProgram(program.program);
    current = &program;
    giveUniforms(program, batch);
    if (i == 0 || batch.state.texture != bound) {
      bound = batch.state.texture;
      device::bindTexture(bound);
    }
    GLuint elements = batch.shortIds ? b.shortIndices : b.indices;
    bool shortIds = batch.shortIds;
    if (batch.list != 0) {
      const device::ListBuffers& list = device::listBuffers(batch.list, lists::drawn(batch.list));
      pointAtList(list, batch);
      elements = list.indices;
      shortIds = list.shortIds;
      base = ~0u;  // the frame's buffers are pointed at again after
    } else if (batch.base != base) {
      pointFrom(b, frame, base = batch.base);
    }
    if (elements != elementsBound) {
      emscripten_glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, elements);
      elementsBound = elements;
    }
    const std::size_t size = shortIds ? sizeof(std::uint16_t) : sizeof(std::uint32_t);
    emscripten_glDrawElements(batch.mode, GLsizei(batch.count),
                              shortIds ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT,
                              reinterpret_cast<const void*>(batch.first * size));
  }
}

void forgetInputs() {
  uniformsGiven.clear();
  inputsKnown = false;
}

}  // namespace standin
