// glBegin and glEnd with the vertices between them, and the current
// attributes outside them. A pair's vertices are gathered here and drawn at
// glEnd; in a list being made, they are kept as the list's draw, drawn when
// the list is called (compiled_draw.h), and GL_COMPILE_AND_EXECUTE draws
// that at once too.

#include <cmath>
#include <vector>

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
// Outside a list, the pair's positions and normals are gathered apart,
// each vertex's written where there is room with no other test: most of a
// frame's vertices come so, and the frame compares them with its last all
// at once. They have room for `room` vertices, and only grow.
bool outsideList = false;
std::vector<float> gatheredPositions, gatheredNormals;
std::uint32_t room = 0;

[[gnu::noinline]] void makeRoom() {
  room = 2 * room + 256;
  gatheredPositions.resize(std::size_t(room) * 3);
  gatheredNormals.resize(std::size_t(room) * 3);
}

// Gathers the position of the pair's next vertex, and the current normal.
void gather(float x, float y, float z) {
  if (pair.count == room) makeRoom();
  float* position = gatheredPositions.data() + std::size_t(pair.count) * 3;
  position[0] = x;
  position[1] = y;
  position[2] = z;
  float* normal = gatheredNormals.data() + std::size_t(pair.count) * 3;
  normal[0] = gl.current.normal[0];
  normal[1] = gl.current.normal[1];
  normal[2] = gl.current.normal[2];
}

// The pair's vertices that came before an attribute's first value in it
// take the value current at glBegin.
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

namespace {

// A normal in a list's pair, or outside any pair: kept out of line, so
// that the common normal's function stays small. Binaryen still puts it
// into its one caller where a program calls only one form of glNormal.
[[gnu::noinline]] void setNormalElsewhere(float x, float y, float z) {
  const float n[3] = {x, y, z};
  if (gathering) pair.normal.set(n, pair.count);
  if (gathering && compiled) return;
  perform([x, y, z] { gl.current.normal = {x, y, z}; });
}

}  // namespace

void setNormal(float x, float y, float z) {
  if (outsideList) {
    gl.current.normal = {x, y, z};
    return;
  }
  setNormalElsewhere(x, y, z);
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

namespace {

// A vertex of a list's pair, or one with a value of its own besides its
// position and normal: kept out of line, so that the common vertex's
// function stays small enough for the engines to make fast.
[[gnu::noinline]] void addVertexWithValues(float x, float y, float z, float w) {
  if (outsideList) {
    gather(x, y, z);
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

}  // namespace

// A vertex outside glBegin and glEnd does nothing, as in Mesa.
void addVertex(float x, float y, float z, float w) {
  if (!gathering) return;
  if (outsideList && w == 1.0f && !pair.w.given && !pair.colour.given && !pair.texCoord.given &&
      !pair.edgeFlag.given) {
    gather(x, y, z);
    ++pair.count;
    return;
  }
  addVertexWithValues(x, y, z, w);
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
  outsideList = true;
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
  outsideList = false;
  inheritCurrent(pair, currentAtBegin);
  drawPairOf(pair, materialsAtBegin, gatheredPositions.data(), gatheredNormals.data());
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
