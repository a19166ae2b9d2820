#pragma once

// OpenGL 1.1's state, as the stand-in keeps it for the calls that set it:
// one struct for each of GL's attribute groups, so that glPushAttrib
// saves a group by copying it, and the client's state beside them. Each
// GL area's file changes its part; the draws read it all.

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <vector>

#include "gl/matrices.h"

namespace standin {

using matrices::Mat4;
using matrices::Vec3;
using matrices::Vec4;

// Where the current raster position is, in window coordinates, and what it
// carries.
struct RasterPosition {
  Vec4 window{0, 0, 0, 1};
  bool valid = true;
  float distance = 0;
  Vec4 colour{1, 1, 1, 1};
  Vec4 texCoord{0, 0, 0, 1};
};

struct CurrentGroup {
  Vec4 colour{1, 1, 1, 1};
  Vec3 normal{0, 0, 1};
  Vec4 texCoord{0, 0, 0, 1};
  bool edgeFlag = true;
  float index = 1;
  RasterPosition raster;
};

struct PointGroup {
  float size = 1;
  bool smooth = false;
};

struct LineGroup {
  float width = 1;
  bool smooth = false;
  bool stipple = false;
  GLint stippleFactor = 1;
  GLushort stipplePattern = 0xFFFF;
};

struct PolygonGroup {
  GLenum mode[2] = {GL_FILL, GL_FILL};  // front, back
  bool cull = false;
  GLenum cullFace = GL_BACK;
  GLenum frontFace = GL_CCW;
  bool smooth = false;
  bool stipple = false;
  float offsetFactor = 0, offsetUnits = 0;
  bool offsetFill = false, offsetLine = false, offsetPoint = false;
};

struct PolygonStippleGroup {
  std::array<std::uint32_t, 32> rows;  // bottom row first, bit 31 the leftmost
  PolygonStippleGroup() { rows.fill(0xFFFFFFFFu); }
};

// One of GL's pixel maps: GL_PIXEL_MAP_I_TO_I to GL_PIXEL_MAP_A_TO_A.
struct PixelMap {
  std::vector<float> values{0.0f};
};

struct PixelModeGroup {
  bool mapColour = false, mapStencil = false;
  GLint indexShift = 0, indexOffset = 0;
  float scale[4] = {1, 1, 1, 1}, bias[4] = {0, 0, 0, 0};
  float depthScale = 1, depthBias = 0;
  float zoomX = 1, zoomY = 1;
  GLenum readBuffer = GL_BACK;
  PixelMap maps[10];  // in the order of their names, from GL_PIXEL_MAP_I_TO_I
};

struct Light {
  Vec4 ambient{0, 0, 0, 1};
  Vec4 diffuse{0, 0, 0, 1};
  Vec4 specular{0, 0, 0, 1};
  Vec4 position{0, 0, 1, 0};  // in eye coordinates
  Vec3 spotDirection{0, 0, -1};
  float spotExponent = 0;
  float spotCutoff = 180;
  float constantAttenuation = 1, linearAttenuation = 0, quadraticAttenuation = 0;
};

struct Material {
  Vec4 ambient{0.2f, 0.2f, 0.2f, 1};
  Vec4 diffuse{0.8f, 0.8f, 0.8f, 1};
  Vec4 specular{0, 0, 0, 1};
  Vec4 emission{0, 0, 0, 1};
  float shininess = 0;
  float colourIndexes[3] = {0, 1, 1};
};

constexpr int lightCount = 8;

struct LightingGroup {
  bool lighting = false;
  std::array<Light, lightCount> lights;
  std::array<bool, lightCount> lightOn{};
  Vec4 modelAmbient{0.2f, 0.2f, 0.2f, 1};
  bool localViewer = false, twoSide = false;
  Material material[2];  // front, back
  bool colourMaterial = false;
  GLenum colourMaterialFace = GL_FRONT_AND_BACK;
  GLenum colourMaterialMode = GL_AMBIENT_AND_DIFFUSE;
  GLenum shadeModel = GL_SMOOTH;
  LightingGroup() {
    lights[0].diffuse = {1, 1, 1, 1};
    lights[0].specular = {1, 1, 1, 1};
  }
};

struct FogGroup {
  bool enabled = false;
  GLenum mode = GL_EXP;
  float density = 1, start = 0, end = 1, index = 0;
  Vec4 colour{0, 0, 0, 0};
};

struct DepthGroup {
  bool test = false;
  GLenum func = GL_LESS;
  bool mask = true;
  double clear = 1;
};

struct StencilGroup {
  bool test = false;
  GLenum func = GL_ALWAYS;
  GLint ref = 0;
  GLuint valueMask = ~0u;
  GLenum fail = GL_KEEP, depthFail = GL_KEEP, depthPass = GL_KEEP;
  GLuint writeMask = ~0u;
  GLint clear = 0;
};

struct ViewportGroup {
  GLint x = 0, y = 0;
  GLsizei width = 0, height = 0;  // 0 until the window's size is known
  double nearVal = 0, farVal = 1;
};

constexpr int clipPlaneCount = 8;  // as Mesa has them

struct TransformGroup {
  GLenum matrixMode = GL_MODELVIEW;
  std::array<Vec4, clipPlaneCount> clipPlanes{};  // in eye coordinates
  std::array<bool, clipPlaneCount> clipOn{};
  bool normalize = false;
  bool rescaleNormal = false;
};

struct ColourBufferGroup {
  bool alphaTest = false;
  GLenum alphaFunc = GL_ALWAYS;
  float alphaRef = 0;
  bool blend = false;
  GLenum blendSrc = GL_ONE, blendDst = GL_ZERO;
  bool dither = true;
  bool logicOp = false, indexLogicOp = false;
  GLenum logicOpMode = GL_COPY;
  bool colourMask[4] = {true, true, true, true};
  Vec4 clearColour{0, 0, 0, 0};
  float clearIndex = 0;
  GLuint indexMask = ~0u;
  GLenum drawBuffer = GL_BACK;
};

struct HintGroup {
  GLenum perspective = GL_DONT_CARE, pointSmooth = GL_DONT_CARE, lineSmooth = GL_DONT_CARE,
         polygonSmooth = GL_DONT_CARE, fog = GL_DONT_CARE;
};

struct ScissorGroup {
  bool test = false;
  GLint box[4] = {0, 0, 0, 0};
};

struct AccumGroup {
  Vec4 clear{0, 0, 0, 0};
};

// The evaluators' state: the stand-in draws no evaluator, but keeps what
// GL keeps of them, for glGet and glPushAttrib.
struct EvalGroup {
  bool autoNormal = false;
  GLint grid1n = 1, grid2n[2] = {1, 1};
  float grid1[2] = {0, 1}, grid2[4] = {0, 1, 0, 1};
};

// A coordinate's generation: its mode, and its planes, the eye plane in
// eye coordinates as GL keeps it.
struct TexGen {
  bool enabled = false;
  GLenum mode = GL_EYE_LINEAR;
  Vec4 objectPlane{0, 0, 0, 0};
  Vec4 eyePlane{0, 0, 0, 0};
};

struct TextureGroup {
  bool enabled1D = false, enabled2D = false;
  GLuint bound1D = 0, bound2D = 0;
  GLenum envMode = GL_MODULATE;
  Vec4 envColour{0, 0, 0, 0};
  std::array<TexGen, 4> gen;  // s, t, r, q
  TextureGroup() {
    gen[0].objectPlane = gen[0].eyePlane = {1, 0, 0, 0};
    gen[1].objectPlane = gen[1].eyePlane = {0, 1, 0, 0};
  }
};

struct ListGroup {
  GLuint base = 0;
};

// The server's attribute groups, in the order of GL's bits.
struct Attributes {
  CurrentGroup current;
  PointGroup point;
  LineGroup line;
  PolygonGroup polygon;
  PolygonStippleGroup polygonStipple;
  PixelModeGroup pixelMode;
  LightingGroup lighting;
  FogGroup fog;
  DepthGroup depth;
  AccumGroup accum;
  StencilGroup stencil;
  ViewportGroup viewport;
  TransformGroup transform;
  ColourBufferGroup colourBuffer;
  HintGroup hint;
  EvalGroup eval;
  ListGroup list;
  TextureGroup texture;
  ScissorGroup scissor;
};

struct PixelStore {
  bool swapBytes = false, lsbFirst = false;
  GLint rowLength = 0, skipRows = 0, skipPixels = 0, alignment = 4;
};

struct ClientArray {
  bool enabled = false;
  GLint size = 4;
  GLenum type = GL_FLOAT;
  GLsizei stride = 0;  // as given: 0 when the elements lie one after another
  const void* pointer = nullptr;
};

struct ClientState {
  PixelStore pack, unpack;
  ClientArray vertex, normal, colour, index, texCoord, edgeFlag;
  ClientState() {
    normal.size = 3;
    index.size = 1;
    edgeFlag.size = 1;
    edgeFlag.type = GL_UNSIGNED_BYTE;
  }
};

// GL's limits on each matrix stack, as Mesa sets them.
constexpr std::size_t modelviewStackDepth = 32;
constexpr std::size_t projectionStackDepth = 32;
constexpr std::size_t textureStackDepth = 10;
constexpr std::size_t maxAttributeStackDepth = 16;

struct State : Attributes {
  unsigned windowMode = 0;  // GLUT's display mode of the window the context draws to
  std::vector<Mat4> modelview{Mat4{}};
  std::vector<Mat4> projection{Mat4{}};
  std::vector<Mat4> textureMatrix{Mat4{}};
  ClientState client;
  bool inBeginEnd = false;
  GLenum error = GL_NO_ERROR;  // the first since glGetError last read it
  std::uint64_t changes = 0;   // counts the changes a draw's state may see
};

extern State gl;

// Records an error for glGetError, which keeps the first until it is read.
void setError(GLenum error);

// Counts a change of what draws are drawn with (a matrix, a light, a
// switch, a texture): draws after it need their state worked out again.
inline void stateChanged() {
  ++gl.changes;
}

// Whether the window has an accumulation buffer, which the page cannot
// give it.
bool windowHasAccumulation();

// The texture target whose texture a draw uses now: GL_TEXTURE_2D, or
// GL_TEXTURE_1D, or 0 when texturing is off.
GLenum enabledTextureTarget();

}  // namespace standin
