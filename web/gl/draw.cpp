#include "gl/draw.h"

#include <webgl/webgl1.h>

#include <cstring>

#include "gl/device.h"
#include "gl/shaders.h"

namespace standin {

namespace {

bool allTheSame(const std::vector<float>& pairs) {
  for (std::size_t i = 2; i < pairs.size(); i += 2) {
    if (pairs[i] != pairs[0] || pairs[i + 1] != pairs[1]) return false;
  }
  return true;
}

// Texture coordinates that are all the same, as when nothing sets them, go
// to WebGL as one value rather than one a vertex.
void uploadTexCoords(const device::Buffers& b, const std::vector<float>& texCoords) {
  if (allTheSame(texCoords)) {
    emscripten_glDisableVertexAttribArray(texCoordAttribute);
    emscripten_glVertexAttrib2f(texCoordAttribute, texCoords[0], texCoords[1]);
    return;
  }
  device::upload(GL_ARRAY_BUFFER, b.texCoords, texCoords.data(), texCoords.size() * sizeof(float));
  emscripten_glEnableVertexAttribArray(texCoordAttribute);
  emscripten_glVertexAttribPointer(texCoordAttribute, 2, GL_FLOAT, GL_FALSE, 2 * sizeof(float),
                                   nullptr);
}

template <typename T>
bool differs(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof a) != 0;
}

// Sets the uniforms in which `state` differs from what the program has;
// `known` says whether the program has been given any.
void setUniforms(const Uniforms& at, const DrawState& state, const DrawState& had, bool known) {
  const auto set = [&](const auto& value, const auto& before, auto call) {
    if (!known || differs(value, before)) call();
  };
  set(state.modelviewProjection, had.modelviewProjection, [&] {
    emscripten_glUniformMatrix4fv(at.modelviewProjection, 1, GL_FALSE, state.modelviewProjection);
  });
  set(state.modelview, had.modelview,
      [&] { emscripten_glUniformMatrix4fv(at.modelview, 1, GL_FALSE, state.modelview); });
  set(state.normalMatrix, had.normalMatrix,
      [&] { emscripten_glUniformMatrix3fv(at.normalMatrix, 1, GL_FALSE, state.normalMatrix); });
  set(state.base, had.base, [&] { emscripten_glUniform4fv(at.base, 1, state.base); });
  set(state.ambientProduct, had.ambientProduct,
      [&] { emscripten_glUniform3fv(at.ambientProduct, 1, state.ambientProduct); });
  set(state.diffuseProduct, had.diffuseProduct,
      [&] { emscripten_glUniform3fv(at.diffuseProduct, 1, state.diffuseProduct); });
  set(state.specularProduct, had.specularProduct,
      [&] { emscripten_glUniform3fv(at.specularProduct, 1, state.specularProduct); });
  set(state.lightPlace, had.lightPlace,
      [&] { emscripten_glUniform3fv(at.lightPlace, 1, state.lightPlace); });
  set(state.attenuation, had.attenuation,
      [&] { emscripten_glUniform3fv(at.attenuation, 1, state.attenuation); });
  set(state.spot, had.spot, [&] { emscripten_glUniform4fv(at.spot, 1, state.spot); });
  set(state.spotCosCutoff, had.spotCosCutoff,
      [&] { emscripten_glUniform1f(at.spotCosCutoff, state.spotCosCutoff); });
  set(state.shininess, had.shininess,
      [&] { emscripten_glUniform1f(at.shininess, state.shininess); });
  set(state.colour, had.colour, [&] { emscripten_glUniform4fv(at.colour, 1, state.colour); });
  set(state.planes, had.planes, [&] {
    emscripten_glUniform4fv(at.sPlane, 1, state.planes);
    emscripten_glUniform4fv(at.tPlane, 1, state.planes + 4);
  });
  set(state.lift, had.lift, [&] { emscripten_glUniform1f(at.lift, state.lift); });
  set(state.texel, had.texel, [&] { emscripten_glUniform4fv(at.texel, 1, state.texel); });
  set(state.textureSize, had.textureSize,
      [&] { emscripten_glUniform2fv(at.textureSize, 1, state.textureSize); });
}

}  // namespace

void drawBatches(const std::vector<float>& vertices, const std::vector<float>& texCoords,
                 const std::vector<std::uint32_t>& indices, const std::vector<Batch>& batches) {
  if (device::lost()) return;
  const device::Buffers& b = device::buffers();
  uploadTexCoords(b, texCoords);
  device::upload(GL_ARRAY_BUFFER, b.vertices, vertices.data(), vertices.size() * sizeof(float));
  device::upload(GL_ELEMENT_ARRAY_BUFFER, b.indices, indices.data(),
                 indices.size() * sizeof(std::uint32_t));
  const Program* current = nullptr;
  GLuint bound = 0;
  for (std::size_t i = 0; i < batches.size(); ++i) {
    const Batch& batch = batches[i];
    Program& program = device::program(batch.state.features);
    if (&program != current) emscripten_glUseProgram(program.program);
    current = &program;
    setUniforms(program.at, batch.state, program.given, program.known);
    program.given = batch.state;
    program.known = true;
    if (i == 0 || batch.state.texture != bound) {
      bound = batch.state.texture;
      device::bindTexture(bound);
    }
    emscripten_glDrawElements(batch.mode, GLsizei(batch.count), GL_UNSIGNED_INT,
                              reinterpret_cast<const void*>(batch.first * sizeof(std::uint32_t)));
  }
}

}  // namespace standin
