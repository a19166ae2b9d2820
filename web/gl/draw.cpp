#include "gl/draw.h"

#include <webgl/webgl1.h>

#include <cstring>
#include <map>

#include "gl/device.h"
#include "gl/shaders.h"

namespace standin {

namespace {

// What each program, by its features, was last given: uniforms stay with
// their program, so only those that change are set again.
std::map<std::uint32_t, DrawState> uniformsGiven;

void pointAt(GLuint attribute, GLint count, GLsizei stride, int offset) {
  emscripten_glEnableVertexAttribArray(attribute);
  emscripten_glVertexAttribPointer(attribute, count, GL_FLOAT, GL_FALSE, stride * sizeof(float),
                                   reinterpret_cast<const void*>(offset * sizeof(float)));
}

// Positions and normals interleaved, as the frame gathers them.
void sendVertices(const device::Buffers& b, const std::vector<float>& vertices) {
  device::upload(GL_ARRAY_BUFFER, b.vertices, vertices.data(), vertices.size() * sizeof(float));
  pointAt(positionAttribute, 3, floatsPerVertex, 0);
  pointAt(normalAttribute, 3, floatsPerVertex, 3);
}

// An attribute that is the same for every vertex goes to WebGL as one
// value rather than one a vertex.
template <int size>
void sendAttribute(GLuint attribute, GLuint buffer, const VertexAttribute<size>& values) {
  if (!values.varies()) {
    emscripten_glDisableVertexAttribArray(attribute);
    const float* v = values.of(0);
    if (size == 2) emscripten_glVertexAttrib2f(attribute, v[0], v[1]);
    if (size == 4) emscripten_glVertexAttrib4f(attribute, v[0], v[1], v[2], v[3]);
    return;
  }
  device::upload(GL_ARRAY_BUFFER, buffer, values.values().data(),
                 values.values().size() * sizeof(float));
  pointAt(attribute, size, size, 0);
}

template <typename T>
bool differs(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof a) != 0;
}

// Sets the uniforms in which `state` differs from `had`, which the program
// has; all of them when `had` is null.
void setUniforms(const Uniforms& at, const DrawState& state, const DrawState* had) {
  const auto set = [&](const auto& value, const auto& before, auto call) {
    if (had == nullptr || differs(value, before)) call();
  };
  const DrawState& was = had != nullptr ? *had : state;
  set(state.modelviewProjection, was.modelviewProjection, [&] {
    emscripten_glUniformMatrix4fv(at.modelviewProjection, 1, GL_FALSE, state.modelviewProjection);
  });
  set(state.modelview, was.modelview,
      [&] { emscripten_glUniformMatrix4fv(at.modelview, 1, GL_FALSE, state.modelview); });
  set(state.normalMatrix, was.normalMatrix,
      [&] { emscripten_glUniformMatrix3fv(at.normalMatrix, 1, GL_FALSE, state.normalMatrix); });
  set(state.base, was.base, [&] { emscripten_glUniform4fv(at.base, 1, state.base); });
  set(state.ambientProduct, was.ambientProduct,
      [&] { emscripten_glUniform3fv(at.ambientProduct, 1, state.ambientProduct); });
  set(state.diffuseProduct, was.diffuseProduct,
      [&] { emscripten_glUniform3fv(at.diffuseProduct, 1, state.diffuseProduct); });
  set(state.specularProduct, was.specularProduct,
      [&] { emscripten_glUniform3fv(at.specularProduct, 1, state.specularProduct); });
  set(state.lightPlace, was.lightPlace,
      [&] { emscripten_glUniform3fv(at.lightPlace, 1, state.lightPlace); });
  set(state.attenuation, was.attenuation,
      [&] { emscripten_glUniform3fv(at.attenuation, 1, state.attenuation); });
  set(state.spot, was.spot, [&] { emscripten_glUniform4fv(at.spot, 1, state.spot); });
  set(state.spotCosCutoff, was.spotCosCutoff,
      [&] { emscripten_glUniform1f(at.spotCosCutoff, state.spotCosCutoff); });
  set(state.shininess, was.shininess,
      [&] { emscripten_glUniform1f(at.shininess, state.shininess); });
  set(state.planes, was.planes, [&] {
    emscripten_glUniform4fv(at.sPlane, 1, state.planes);
    emscripten_glUniform4fv(at.tPlane, 1, state.planes + 4);
  });
  set(state.lift, was.lift, [&] { emscripten_glUniform1f(at.lift, state.lift); });
  set(state.texel, was.texel, [&] { emscripten_glUniform4fv(at.texel, 1, state.texel); });
  set(state.textureSize, was.textureSize,
      [&] { emscripten_glUniform2fv(at.textureSize, 1, state.textureSize); });
  set(state.wrapFirst, was.wrapFirst,
      [&] { emscripten_glUniform2fv(at.wrapFirst, 1, state.wrapFirst); });
}

void giveUniforms(const Program& program, const DrawState& state) {
  const auto given = uniformsGiven.find(state.features);
  if (given == uniformsGiven.end()) {
    setUniforms(program.uniforms, state, nullptr);
    uniformsGiven.emplace(state.features, state);
    return;
  }
  setUniforms(program.uniforms, state, &given->second);
  given->second = state;
}

}  // namespace

void drawFrame(const Frame& frame) {
  if (device::lost()) return;
  const device::Buffers& b = device::buffers();
  sendVertices(b, frame.vertices);
  sendAttribute(texCoordAttribute, b.texCoords, frame.texCoords);
  sendAttribute(colourAttribute, b.colours, frame.colours);
  device::upload(GL_ELEMENT_ARRAY_BUFFER, b.indices, frame.indices.data(),
                 frame.indices.size() * sizeof(std::uint32_t));
  const Program* current = nullptr;
  GLuint bound = 0;
  for (std::size_t i = 0; i < frame.batches.size(); ++i) {
    const Batch& batch = frame.batches[i];
    const Program& program = device::program(batch.state.features);
    if (&program != current) emscripten_glUseProgram(program.program);
    current = &program;
    giveUniforms(program, batch.state);
    if (i == 0 || batch.state.texture != bound) {
      bound = batch.state.texture;
      device::bindTexture(bound);
    }
    emscripten_glDrawElements(batch.mode, GLsizei(batch.count), GL_UNSIGNED_INT,
                              reinterpret_cast<const void*>(batch.first * sizeof(std::uint32_t)));
  }
}

void forgetUniforms() {
  uniformsGiven.clear();
}

}  // namespace standin
