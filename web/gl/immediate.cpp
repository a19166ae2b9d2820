// glBegin and glEnd with the vertices between them, and the current
// attributes outside them. A pair's vertices are gathered here and drawn at
// glEnd; in a list being made, they are kept as the list's draw, drawn when
// the list is called (compiled_draw.h), and GL_COMPILE_AND_EXECUTE draws
// that at once too.

#include <cmath>

#include "gl/batch.h"
#include "gl/checks.h"
#include "gl/compiled_draw.h"
#include "gl/current.h"
#include "gl/lists.h"
#include "gl/state.h"

namespace standin {

namespace {

// The pair being gathered, and the current values at its glBegin, which
// its vertices before an attribute's first value in the pair take.
VertexData pair;
bool gathering = false;
CurrentGroup currentAtBegin;
Materials materialsAtBegin;
// Whether the pair is a list's: its vertices before an attribute's first
// value take the value current when the list is called, and GL's current
// values do not change as it is compiled.
bool compiled = false;
// Outside a list, the pair's positions and normals go into the frame as
// they come: most of a frame's vertices are drawn so, and each is then
// written once, where it is drawn from.
bool inFrame = false;

// The pair's vertices that came before an attribute's first value in it
// take the value current at glBegin.
// Draws the pair whose positions and normals went into the frame. Drawn as
// polygons' edges or corners, its vertices are taken back out first: they
// go into the frame again after vertices the stand-in makes of them.
void drawGathered() {
  const std::uint32_t frameFirst = closeFramePair();
  const PolygonGroup& p = gl.polygon;
  if (p.mode[0] == GL_FILL && p.mode[1] == GL_FILL) {
    return drawPairInFrame(pair, materialsAtBegin, frameFirst);
  }
  takeBackFrameVertices(frameFirst, pair.positions, pair.normal.values);
  pair.normal.given = true;
  pair.normal.from = 0;
  drawPair(pair, materialsAtBegin);
}

void inheritCurrent(VertexData& v, const CurrentGroup& current) {
  const float one = 1.0f;
  const float edge = current.edgeFlag ? 1.0f : 0.0f;
  v.w.inherit(&one);
  v.normal.inherit(current.normal.data());
  v.colour.inherit(current.colour.data());
  v.texCoord.inherit(current.texCoord.data());
  v.edgeFlag.inherit(&edge);
}

}  // namespace

void inheritCurrent(VertexData& v) {
  inheritCurrent(v, gl.current);
}

Materials currentMaterials() {
  return {{gl.lighting.material[0], gl.lighting.material[1]}};
}

void setNormal(float x, float y, float z) {
  if (inFrame) {
    gl.current.normal = {x, y, z};
    return;
  }
  const float n[3] = {x, y, z};
  if (gathering) pair.normal.set(n, pair.count);
  if (gathering && compiled) return;
  if (gathering) {
    gl.current.normal = {x, y, z};
    return;
  }
  perform([x, y, z] { gl.current.normal = {x, y, z}; });
}

void setColour(float r, float g, float b, float a) {
  const float c[4] = {r, g, b, a};
  if (gathering) pair.colour.set(c, pair.count);
  if (gathering && compiled) return;
  if (gathering) {
    currentColourIs({r, g, b, a});
    return;
  }
  perform([r, g, b, a] { currentColourIs({r, g, b, a}); });
}

void setTexCoord(float s, float t, float r, float q) {
  const float c[4] = {s, t, r, q};
  if (gathering) pair.texCoord.set(c, pair.count);
  if (gathering && compiled) return;
  if (gathering) {
    gl.current.texCoord = {s, t, r, q};
    return;
  }
  perform([s, t, r, q] { gl.current.texCoord = {s, t, r, q}; });
}

void setEdgeFlag(bool flag) {
  const float f = flag ? 1.0f : 0.0f;
  if (gathering) pair.edgeFlag.set(&f, pair.count);
  if (gathering && compiled) return;
  if (gathering) {
    gl.current.edgeFlag = flag;
    return;
  }
  perform([flag] { gl.current.edgeFlag = flag; });
}

bool materialBetweenBeginAndEnd(GLenum face, GLenum pname, const float* params) {
  if (!gathering) return false;
  MaterialChange change{pair.count, face, pname, {params[0], params[1], params[2], params[3]}};
  pair.materialChanges.push_back(change);
  if (!compiled) applyMaterial(gl.lighting.material, change);
  return true;
}

// A vertex outside glBegin and glEnd does nothing, as in Mesa.
void addVertex(float x, float y, float z, float w) {
  if (!gathering) return;
  if (inFrame) {
    addFrameVertex(x, y, z, gl.current.normal.data());
  } else {
    // One value at a time: the vector keeps its room from frame to frame,
    // and a range insert costs more than the vertex itself.
    pair.positions.push_back(x);
    pair.positions.push_back(y);
    pair.positions.push_back(z);
    pair.normal.add();
  }
  if (w != 1.0f || pair.w.given) pair.w.set(&w, pair.count);
  pair.w.add();
  pair.colour.add();
  pair.texCoord.add();
  pair.edgeFlag.add();
  ++pair.count;
}

}  // namespace standin

using namespace standin;

extern "C" {

void glBegin(GLenum mode) {
  if (lists::mode() != 0) {
    if (lists::compilingPair()) return lists::keep([] { setError(GL_INVALID_OPERATION); });
    if (mode > GL_POLYGON) return perform([] { setError(GL_INVALID_ENUM); });
    lists::setCompilingPair(true);
    compiled = true;
    gathering = true;
    pair.clear(mode);
    // Compiled and run at once, the pair is inside glBegin and glEnd now.
    if (lists::mode() == GL_COMPILE_AND_EXECUTE) gl.inBeginEnd = true;
    return;
  }
  if (!outsideBeginEnd() || !knownEnum(mode <= GL_POLYGON)) return;
  gl.inBeginEnd = true;
  gathering = true;
  compiled = false;
  inFrame = true;
  openFramePair();
  currentAtBegin = gl.current;
  materialsAtBegin = currentMaterials();
  pair.clear(mode);
}

void glEnd() {
  if (compiled && lists::compilingPair()) {
    lists::setCompilingPair(false);
    gathering = false;
    compiled = false;
    // Compiled and run at once, the pair is drawn as the list would draw it.
    if (lists::mode() == GL_COMPILE_AND_EXECUTE) {
      gl.inBeginEnd = false;
      CompiledDraw now{VertexData(pair)};
      now.primitives.push_back({pair.mode, 0, pair.count, false});
      runCompiled(now, false);
    }
    keepPair(std::move(pair));
    pair = VertexData{};
    return;
  }
  if (lists::mode() != 0 && !gl.inBeginEnd) return perform([] { setError(GL_INVALID_OPERATION); });
  if (!gl.inBeginEnd) return setError(GL_INVALID_OPERATION);
  gl.inBeginEnd = false;
  gathering = false;
  inFrame = false;
  inheritCurrent(pair, currentAtBegin);
  drawGathered();
}

// A rectangle is the polygon of its four corners, counter-clockwise from
// the first, at z = 0.
#define RECT(suffix, type)                                  \
  void glRect##suffix(type x1, type y1, type x2, type y2) { \
    if (lists::mode() == 0 && !outsideBeginEnd()) return;   \
    glBegin(GL_POLYGON);                                    \
    addVertex(float(x1), float(y1), 0, 1);                  \
    addVertex(float(x2), float(y1), 0, 1);                  \
    addVertex(float(x2), float(y2), 0, 1);                  \
    addVertex(float(x1), float(y2), 0, 1);                  \
    glEnd();                                                \
  }                                                         \
  void glRect##suffix##v(const type* v1, const type* v2) {  \
    glRect##suffix(v1[0], v1[1], v2[0], v2[1]);             \
  }

RECT(s, GLshort)
RECT(i, GLint)
RECT(f, GLfloat)
RECT(d, GLdouble)

}  // extern "C"
