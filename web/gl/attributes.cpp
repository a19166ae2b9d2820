// glPushAttrib and glPopAttrib, and their client forms: each group of
// GL's state saved whole and put back whole, as GL names them by their
// bits. A group whose state WebGL holds too is drawn with again at once,
// since the draws take it from GL's side.

#include <vector>

#include "gl/batch.h"
#include "gl/checks.h"
#include "gl/device.h"
#include "gl/lists.h"
#include "gl/state.h"

namespace standin {

namespace {

// The switches GL_ENABLE_BIT saves, each a pointer into the state.
std::vector<bool*> enableFlags(State& s) {
  std::vector<bool*> flags = {&s.colourBuffer.alphaTest,
                              &s.eval.autoNormal,
                              &s.colourBuffer.blend,
                              &s.lighting.colourMaterial,
                              &s.polygon.cull,
                              &s.depth.test,
                              &s.colourBuffer.dither,
                              &s.fog.enabled,
                              &s.lighting.lighting,
                              &s.line.smooth,
                              &s.line.stipple,
                              &s.colourBuffer.indexLogicOp,
                              &s.colourBuffer.logicOp,
                              &s.transform.normalize,
                              &s.transform.rescaleNormal,
                              &s.point.smooth,
                              &s.polygon.offsetLine,
                              &s.polygon.offsetFill,
                              &s.polygon.offsetPoint,
                              &s.polygon.smooth,
                              &s.polygon.stipple,
                              &s.scissor.test,
                              &s.stencil.test,
                              &s.texture.enabled1D,
                              &s.texture.enabled2D};
  for (bool& on : s.lighting.lightOn) flags.push_back(&on);
  for (bool& on : s.transform.clipOn) flags.push_back(&on);
  for (TexGen& g : s.texture.gen) flags.push_back(&g.enabled);
  return flags;
}

struct Saved {
  GLbitfield mask;
  Attributes groups;
  std::vector<bool> enables;
};
std::vector<Saved> stack;

struct SavedClient {
  GLbitfield mask;
  ClientState client;
};
std::vector<SavedClient> clientStack;

template <typename Group>
void restore(GLbitfield mask, GLbitfield bit, Group& to, const Group& from) {
  if (mask & bit) to = from;
}

void pop(const Saved& saved) {
  const GLbitfield m = saved.mask;
  Attributes& to = gl;
  const Attributes& from = saved.groups;
  restore(m, GL_CURRENT_BIT, to.current, from.current);
  restore(m, GL_POINT_BIT, to.point, from.point);
  restore(m, GL_LINE_BIT, to.line, from.line);
  restore(m, GL_POLYGON_BIT, to.polygon, from.polygon);
  restore(m, GL_POLYGON_STIPPLE_BIT, to.polygonStipple, from.polygonStipple);
  restore(m, GL_PIXEL_MODE_BIT, to.pixelMode, from.pixelMode);
  restore(m, GL_LIGHTING_BIT, to.lighting, from.lighting);
  restore(m, GL_FOG_BIT, to.fog, from.fog);
  restore(m, GL_DEPTH_BUFFER_BIT, to.depth, from.depth);
  restore(m, GL_ACCUM_BUFFER_BIT, to.accum, from.accum);
  restore(m, GL_STENCIL_BUFFER_BIT, to.stencil, from.stencil);
  restore(m, GL_TRANSFORM_BIT, to.transform, from.transform);
  restore(m, GL_COLOR_BUFFER_BIT, to.colourBuffer, from.colourBuffer);
  restore(m, GL_HINT_BIT, to.hint, from.hint);
  restore(m, GL_EVAL_BIT, to.eval, from.eval);
  restore(m, GL_LIST_BIT, to.list, from.list);
  restore(m, GL_TEXTURE_BIT, to.texture, from.texture);
  restore(m, GL_SCISSOR_BIT, to.scissor, from.scissor);
  if (m & GL_ENABLE_BIT) {
    const std::vector<bool*> flags = enableFlags(gl);
    for (std::size_t i = 0; i < flags.size(); ++i) *flags[i] = saved.enables[i];
  }
  if (m & GL_VIEWPORT_BIT) {
    flushDraws();
    to.viewport = from.viewport;
    device::setViewport(to.viewport.x, to.viewport.y, to.viewport.width, to.viewport.height);
    device::setDepthRange(float(to.viewport.nearVal), float(to.viewport.farVal));
  }
  stateChanged();
}

}  // namespace

int attributeStackDepth() {
  return int(stack.size());
}

int clientAttributeStackDepth() {
  return int(clientStack.size());
}

}  // namespace standin

using namespace standin;

extern "C" {

void glPushAttrib(GLbitfield mask) {
  perform([mask] {
    if (!outsideBeginEnd()) return;
    if (stack.size() == maxAttributeStackDepth) return setError(GL_STACK_OVERFLOW);
    Saved saved{mask, gl, {}};
    for (bool* flag : enableFlags(gl)) saved.enables.push_back(*flag);
    stack.push_back(std::move(saved));
  });
}

void glPopAttrib() {
  perform([] {
    if (!outsideBeginEnd()) return;
    if (stack.empty()) return setError(GL_STACK_UNDERFLOW);
    const Saved saved = std::move(stack.back());
    stack.pop_back();
    pop(saved);
  });
}

void glPushClientAttrib(GLbitfield mask) {
  if (!outsideBeginEnd()) return;
  if (clientStack.size() == maxAttributeStackDepth) return setError(GL_STACK_OVERFLOW);
  clientStack.push_back({mask, gl.client});
}

void glPopClientAttrib() {
  if (!outsideBeginEnd()) return;
  if (clientStack.empty()) return setError(GL_STACK_UNDERFLOW);
  const SavedClient saved = clientStack.back();
  clientStack.pop_back();
  if (saved.mask & GL_CLIENT_PIXEL_STORE_BIT) {
    gl.client.pack = saved.client.pack;
    gl.client.unpack = saved.client.unpack;
  }
  if (saved.mask & GL_CLIENT_VERTEX_ARRAY_BIT) {
    ClientState& c = gl.client;
    const ClientState& s = saved.client;
    c.vertex = s.vertex;
    c.normal = s.normal;
    c.colour = s.colour;
    c.index = s.index;
    c.texCoord = s.texCoord;
    c.edgeFlag = s.edgeFlag;
  }
}

}  // extern "C"
