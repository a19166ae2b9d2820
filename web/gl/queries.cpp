// The state a program reads back: glGetError, glGetString, and every
// glGet a GL 1.1 program may ask, with the limits the desktop's renderer
// gives, each value turned into the type asked for as GL turns it.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "gl/checks.h"
#include "gl/current.h"
#include "gl/device.h"
#include "gl/lists.h"
#include "gl/state.h"
#include "gl/texturing.h"

namespace standin {
int attributeStackDepth();
int clientAttributeStackDepth();
GLenum renderMode();
namespace lists {
GLuint makingName();
}
}  // namespace standin

using namespace standin;

namespace {

// A value as glGet gives it: its numbers, and whether they are colours
// (or a normal), which an integer query maps from [-1, 1] to the whole
// range of integers, or enums and flags, which a float query gives as
// they are.
struct Value {
  std::vector<double> numbers;
  bool colour = false;
};

Value of(std::initializer_list<double> numbers) {
  return {numbers, false};
}

Value colourOf(const Vec4& c) {
  return {{c[0], c[1], c[2], c[3]}, true};
}

Value matrixOf(const Mat4& m) {
  Value v;
  for (float f : m.m) v.numbers.push_back(f);
  return v;
}

Value arrayOf(const ClientArray& a, GLenum pname, GLenum enabled, GLenum size, GLenum type,
              GLenum stride) {
  if (pname == enabled) return of({double(a.enabled)});
  if (pname == size) return of({double(a.size)});
  if (pname == type) return of({double(a.type)});
  return of({double(a.stride)});
  (void)stride;
}

bool isArrayQuery(GLenum pname, GLenum first, GLenum last) {
  return pname >= first && pname <= last;
}

// The window's bits, as the page's context has them.
int windowBits(GLenum pname) {
  GLint bits = 0;
  if (!device::lost()) {
    switch (pname) {
      case GL_RED_BITS:
      case GL_GREEN_BITS:
      case GL_BLUE_BITS:
      case GL_ALPHA_BITS:
      case GL_DEPTH_BITS:
      case GL_STENCIL_BITS:
        bits = device::bits(pname);
        break;
    }
  }
  return bits;
}

// The value of `pname`, or false for a name GL does not know.
bool query(GLenum pname, Value& v) {
  const State& s = gl;
  if (pname >= GL_LIGHT0 && pname < GL_LIGHT0 + lightCount) {
    v = of({double(s.lighting.lightOn[pname - GL_LIGHT0])});
    return true;
  }
  if (pname >= GL_CLIP_PLANE0 && pname < GL_CLIP_PLANE0 + clipPlaneCount) {
    v = of({double(s.transform.clipOn[pname - GL_CLIP_PLANE0])});
    return true;
  }
  if (pname >= GL_PIXEL_MAP_I_TO_I_SIZE && pname <= GL_PIXEL_MAP_A_TO_A_SIZE) {
    v = of({double(s.pixelMode.maps[pname - GL_PIXEL_MAP_I_TO_I_SIZE].values.size())});
    return true;
  }
  const ClientState& c = s.client;
  switch (pname) {
    // The current values.
    case GL_CURRENT_COLOR:
      v = colourOf(s.current.colour);
      return true;
    case GL_CURRENT_INDEX:
      v = of({s.current.index});
      return true;
    case GL_CURRENT_NORMAL:
      v = {{s.current.normal[0], s.current.normal[1], s.current.normal[2]}, true};
      return true;
    case GL_CURRENT_TEXTURE_COORDS:
      v = of({s.current.texCoord[0], s.current.texCoord[1], s.current.texCoord[2],
              s.current.texCoord[3]});
      return true;
    case GL_CURRENT_RASTER_COLOR:
      v = colourOf(s.current.raster.colour);
      return true;
    case GL_CURRENT_RASTER_INDEX:
      v = of({1});
      return true;
    case GL_CURRENT_RASTER_TEXTURE_COORDS: {
      const Vec4& t = s.current.raster.texCoord;
      v = of({t[0], t[1], t[2], t[3]});
      return true;
    }
    case GL_CURRENT_RASTER_POSITION: {
      const Vec4& p = s.current.raster.window;
      v = of({p[0], p[1], p[2], p[3]});
      return true;
    }
    case GL_CURRENT_RASTER_POSITION_VALID:
      v = of({double(s.current.raster.valid)});
      return true;
    case GL_CURRENT_RASTER_DISTANCE:
      v = of({s.current.raster.distance});
      return true;
    case GL_EDGE_FLAG:
      v = of({double(s.current.edgeFlag)});
      return true;
    // The transform.
    case GL_MODELVIEW_MATRIX:
      v = matrixOf(s.modelview.back());
      return true;
    case GL_PROJECTION_MATRIX:
      v = matrixOf(s.projection.back());
      return true;
    case GL_TEXTURE_MATRIX:
      v = matrixOf(s.textureMatrix.back());
      return true;
    case GL_MODELVIEW_STACK_DEPTH:
      v = of({double(s.modelview.size())});
      return true;
    case GL_PROJECTION_STACK_DEPTH:
      v = of({double(s.projection.size())});
      return true;
    case GL_TEXTURE_STACK_DEPTH:
      v = of({double(s.textureMatrix.size())});
      return true;
    case GL_MATRIX_MODE:
      v = of({double(s.transform.matrixMode)});
      return true;
    case GL_VIEWPORT:
      v = of({double(s.viewport.x), double(s.viewport.y), double(s.viewport.width),
              double(s.viewport.height)});
      return true;
    case GL_DEPTH_RANGE:
      v = {{s.viewport.nearVal, s.viewport.farVal}, true};
      return true;
    case GL_NORMALIZE:
      v = of({double(s.transform.normalize)});
      return true;
    case GL_RESCALE_NORMAL:
      v = of({double(s.transform.rescaleNormal)});
      return true;
    // Colour, fog and lighting.
    case GL_FOG:
      v = of({double(s.fog.enabled)});
      return true;
    case GL_FOG_COLOR:
      v = colourOf(s.fog.colour);
      return true;
    case GL_FOG_INDEX:
      v = of({s.fog.index});
      return true;
    case GL_FOG_DENSITY:
      v = of({s.fog.density});
      return true;
    case GL_FOG_START:
      v = of({s.fog.start});
      return true;
    case GL_FOG_END:
      v = of({s.fog.end});
      return true;
    case GL_FOG_MODE:
      v = of({double(s.fog.mode)});
      return true;
    case GL_SHADE_MODEL:
      v = of({double(s.lighting.shadeModel)});
      return true;
    case GL_LIGHTING:
      v = of({double(s.lighting.lighting)});
      return true;
    case GL_COLOR_MATERIAL:
      v = of({double(s.lighting.colourMaterial)});
      return true;
    case GL_COLOR_MATERIAL_PARAMETER:
      v = of({double(s.lighting.colourMaterialMode)});
      return true;
    case GL_COLOR_MATERIAL_FACE:
      v = of({double(s.lighting.colourMaterialFace)});
      return true;
    case GL_LIGHT_MODEL_AMBIENT:
      v = colourOf(s.lighting.modelAmbient);
      return true;
    case GL_LIGHT_MODEL_LOCAL_VIEWER:
      v = of({double(s.lighting.localViewer)});
      return true;
    case GL_LIGHT_MODEL_TWO_SIDE:
      v = of({double(s.lighting.twoSide)});
      return true;
    case GL_LIGHT_MODEL_COLOR_CONTROL:
      v = of({double(GL_SINGLE_COLOR)});
      return true;
    // Rasterization.
    case GL_POINT_SIZE:
      v = of({s.point.size});
      return true;
    case GL_POINT_SMOOTH:
      v = of({double(s.point.smooth)});
      return true;
    case GL_LINE_WIDTH:
      v = of({s.line.width});
      return true;
    case GL_LINE_SMOOTH:
      v = of({double(s.line.smooth)});
      return true;
    case GL_LINE_STIPPLE:
      v = of({double(s.line.stipple)});
      return true;
    case GL_LINE_STIPPLE_PATTERN:
      v = of({double(s.line.stipplePattern)});
      return true;
    case GL_LINE_STIPPLE_REPEAT:
      v = of({double(s.line.stippleFactor)});
      return true;
    case GL_CULL_FACE:
      v = of({double(s.polygon.cull)});
      return true;
    case GL_CULL_FACE_MODE:
      v = of({double(s.polygon.cullFace)});
      return true;
    case GL_FRONT_FACE:
      v = of({double(s.polygon.frontFace)});
      return true;
    case GL_POLYGON_SMOOTH:
      v = of({double(s.polygon.smooth)});
      return true;
    case GL_POLYGON_MODE:
      v = of({double(s.polygon.mode[0]), double(s.polygon.mode[1])});
      return true;
    case GL_POLYGON_OFFSET_FACTOR:
      v = of({s.polygon.offsetFactor});
      return true;
    case GL_POLYGON_OFFSET_UNITS:
      v = of({s.polygon.offsetUnits});
      return true;
    case GL_POLYGON_OFFSET_FILL:
      v = of({double(s.polygon.offsetFill)});
      return true;
    case GL_POLYGON_OFFSET_LINE:
      v = of({double(s.polygon.offsetLine)});
      return true;
    case GL_POLYGON_OFFSET_POINT:
      v = of({double(s.polygon.offsetPoint)});
      return true;
    case GL_POLYGON_STIPPLE:
      v = of({double(s.polygon.stipple)});
      return true;
    // Texturing.
    case GL_TEXTURE_1D:
      v = of({double(s.texture.enabled1D)});
      return true;
    case GL_TEXTURE_2D:
      v = of({double(s.texture.enabled2D)});
      return true;
    case GL_TEXTURE_BINDING_1D:
      v = of({double(s.texture.bound1D)});
      return true;
    case GL_TEXTURE_BINDING_2D:
      v = of({double(s.texture.bound2D)});
      return true;
    case GL_TEXTURE_GEN_S:
    case GL_TEXTURE_GEN_T:
    case GL_TEXTURE_GEN_R:
    case GL_TEXTURE_GEN_Q:
      v = of({double(s.texture.gen[pname - GL_TEXTURE_GEN_S].enabled)});
      return true;
    // The fragment's tests and the framebuffer.
    case GL_SCISSOR_TEST:
      v = of({double(s.scissor.test)});
      return true;
    case GL_SCISSOR_BOX:
      v = of({double(s.scissor.box[0]), double(s.scissor.box[1]), double(s.scissor.box[2]),
              double(s.scissor.box[3])});
      return true;
    case GL_ALPHA_TEST:
      v = of({double(s.colourBuffer.alphaTest)});
      return true;
    case GL_ALPHA_TEST_FUNC:
      v = of({double(s.colourBuffer.alphaFunc)});
      return true;
    case GL_ALPHA_TEST_REF:
      v = {{s.colourBuffer.alphaRef}, true};
      return true;
    case GL_STENCIL_TEST:
      v = of({double(s.stencil.test)});
      return true;
    case GL_STENCIL_FUNC:
      v = of({double(s.stencil.func)});
      return true;
    case GL_STENCIL_VALUE_MASK:
      v = of({double(s.stencil.valueMask)});
      return true;
    case GL_STENCIL_REF:
      v = of({double(s.stencil.ref)});
      return true;
    case GL_STENCIL_FAIL:
      v = of({double(s.stencil.fail)});
      return true;
    case GL_STENCIL_PASS_DEPTH_FAIL:
      v = of({double(s.stencil.depthFail)});
      return true;
    case GL_STENCIL_PASS_DEPTH_PASS:
      v = of({double(s.stencil.depthPass)});
      return true;
    case GL_STENCIL_WRITEMASK:
      v = of({double(s.stencil.writeMask)});
      return true;
    case GL_STENCIL_CLEAR_VALUE:
      v = of({double(s.stencil.clear)});
      return true;
    case GL_DEPTH_TEST:
      v = of({double(s.depth.test)});
      return true;
    case GL_DEPTH_FUNC:
      v = of({double(s.depth.func)});
      return true;
    case GL_DEPTH_WRITEMASK:
      v = of({double(s.depth.mask)});
      return true;
    case GL_DEPTH_CLEAR_VALUE:
      v = {{s.depth.clear}, true};
      return true;
    case GL_BLEND:
      v = of({double(s.colourBuffer.blend)});
      return true;
    case GL_BLEND_SRC:
      v = of({double(s.colourBuffer.blendSrc)});
      return true;
    case GL_BLEND_DST:
      v = of({double(s.colourBuffer.blendDst)});
      return true;
    case GL_DITHER:
      v = of({double(s.colourBuffer.dither)});
      return true;
    case GL_INDEX_LOGIC_OP:
      v = of({double(s.colourBuffer.indexLogicOp)});
      return true;
    case GL_COLOR_LOGIC_OP:
      v = of({double(s.colourBuffer.logicOp)});
      return true;
    case GL_LOGIC_OP_MODE:
      v = of({double(s.colourBuffer.logicOpMode)});
      return true;
    case GL_DRAW_BUFFER:
      v = of({double(s.colourBuffer.drawBuffer)});
      return true;
    case GL_READ_BUFFER:
      v = of({double(s.pixelMode.readBuffer)});
      return true;
    case GL_INDEX_WRITEMASK:
      v = of({double(s.colourBuffer.indexMask)});
      return true;
    case GL_COLOR_WRITEMASK: {
      const bool* m = s.colourBuffer.colourMask;
      v = of({double(m[0]), double(m[1]), double(m[2]), double(m[3])});
      return true;
    }
    case GL_COLOR_CLEAR_VALUE:
      v = colourOf(s.colourBuffer.clearColour);
      return true;
    case GL_INDEX_CLEAR_VALUE:
      v = of({s.colourBuffer.clearIndex});
      return true;
    case GL_ACCUM_CLEAR_VALUE:
      v = colourOf(s.accum.clear);
      return true;
    // The pixel store and transfer.
    case GL_UNPACK_SWAP_BYTES:
      v = of({double(c.unpack.swapBytes)});
      return true;
    case GL_UNPACK_LSB_FIRST:
      v = of({double(c.unpack.lsbFirst)});
      return true;
    case GL_UNPACK_ROW_LENGTH:
      v = of({double(c.unpack.rowLength)});
      return true;
    case GL_UNPACK_SKIP_ROWS:
      v = of({double(c.unpack.skipRows)});
      return true;
    case GL_UNPACK_SKIP_PIXELS:
      v = of({double(c.unpack.skipPixels)});
      return true;
    case GL_UNPACK_ALIGNMENT:
      v = of({double(c.unpack.alignment)});
      return true;
    case GL_PACK_SWAP_BYTES:
      v = of({double(c.pack.swapBytes)});
      return true;
    case GL_PACK_LSB_FIRST:
      v = of({double(c.pack.lsbFirst)});
      return true;
    case GL_PACK_ROW_LENGTH:
      v = of({double(c.pack.rowLength)});
      return true;
    case GL_PACK_SKIP_ROWS:
      v = of({double(c.pack.skipRows)});
      return true;
    case GL_PACK_SKIP_PIXELS:
      v = of({double(c.pack.skipPixels)});
      return true;
    case GL_PACK_ALIGNMENT:
      v = of({double(c.pack.alignment)});
      return true;
    case GL_MAP_COLOR:
      v = of({double(s.pixelMode.mapColour)});
      return true;
    case GL_MAP_STENCIL:
      v = of({double(s.pixelMode.mapStencil)});
      return true;
    case GL_INDEX_SHIFT:
      v = of({double(s.pixelMode.indexShift)});
      return true;
    case GL_INDEX_OFFSET:
      v = of({double(s.pixelMode.indexOffset)});
      return true;
    case GL_RED_SCALE:
      v = of({s.pixelMode.scale[0]});
      return true;
    case GL_GREEN_SCALE:
      v = of({s.pixelMode.scale[1]});
      return true;
    case GL_BLUE_SCALE:
      v = of({s.pixelMode.scale[2]});
      return true;
    case GL_ALPHA_SCALE:
      v = of({s.pixelMode.scale[3]});
      return true;
    case GL_RED_BIAS:
      v = of({s.pixelMode.bias[0]});
      return true;
    case GL_GREEN_BIAS:
      v = of({s.pixelMode.bias[1]});
      return true;
    case GL_BLUE_BIAS:
      v = of({s.pixelMode.bias[2]});
      return true;
    case GL_ALPHA_BIAS:
      v = of({s.pixelMode.bias[3]});
      return true;
    case GL_DEPTH_SCALE:
      v = of({s.pixelMode.depthScale});
      return true;
    case GL_DEPTH_BIAS:
      v = of({s.pixelMode.depthBias});
      return true;
    case GL_ZOOM_X:
      v = of({s.pixelMode.zoomX});
      return true;
    case GL_ZOOM_Y:
      v = of({s.pixelMode.zoomY});
      return true;
    // The evaluators' state.
    case GL_AUTO_NORMAL:
      v = of({double(s.eval.autoNormal)});
      return true;
    case GL_MAP1_GRID_DOMAIN:
      v = of({s.eval.grid1[0], s.eval.grid1[1]});
      return true;
    case GL_MAP2_GRID_DOMAIN:
      v = of({s.eval.grid2[0], s.eval.grid2[1], s.eval.grid2[2], s.eval.grid2[3]});
      return true;
    case GL_MAP1_GRID_SEGMENTS:
      v = of({double(s.eval.grid1n)});
      return true;
    case GL_MAP2_GRID_SEGMENTS:
      v = of({double(s.eval.grid2n[0]), double(s.eval.grid2n[1])});
      return true;
    // The hints.
    case GL_PERSPECTIVE_CORRECTION_HINT:
      v = of({double(s.hint.perspective)});
      return true;
    case GL_POINT_SMOOTH_HINT:
      v = of({double(s.hint.pointSmooth)});
      return true;
    case GL_LINE_SMOOTH_HINT:
      v = of({double(s.hint.lineSmooth)});
      return true;
    case GL_POLYGON_SMOOTH_HINT:
      v = of({double(s.hint.polygonSmooth)});
      return true;
    case GL_FOG_HINT:
      v = of({double(s.hint.fog)});
      return true;
    // Lists, stacks and modes.
    case GL_LIST_BASE:
      v = of({double(s.list.base)});
      return true;
    case GL_LIST_INDEX:
      v = of({double(lists::makingName())});
      return true;
    case GL_LIST_MODE:
      v = of({double(lists::mode())});
      return true;
    case GL_ATTRIB_STACK_DEPTH:
      v = of({double(attributeStackDepth())});
      return true;
    case GL_CLIENT_ATTRIB_STACK_DEPTH:
      v = of({double(clientAttributeStackDepth())});
      return true;
    case GL_NAME_STACK_DEPTH:
      v = of({0});
      return true;
    case GL_RENDER_MODE:
      v = of({double(renderMode())});
      return true;
    // The desktop renderer's limits, which the stand-in shares.
    case GL_MAX_LIGHTS:
      v = of({lightCount});
      return true;
    case GL_MAX_CLIP_PLANES:
      v = of({clipPlaneCount});
      return true;
    case GL_MAX_MODELVIEW_STACK_DEPTH:
      v = of({double(modelviewStackDepth)});
      return true;
    case GL_MAX_PROJECTION_STACK_DEPTH:
      v = of({double(projectionStackDepth)});
      return true;
    case GL_MAX_TEXTURE_STACK_DEPTH:
      v = of({double(textureStackDepth)});
      return true;
    case GL_MAX_ATTRIB_STACK_DEPTH:
    case GL_MAX_CLIENT_ATTRIB_STACK_DEPTH:
      v = of({double(maxAttributeStackDepth)});
      return true;
    case GL_MAX_NAME_STACK_DEPTH:
    case GL_MAX_LIST_NESTING:
      v = of({64});
      return true;
    case GL_MAX_EVAL_ORDER:
      v = of({30});
      return true;
    case GL_MAX_PIXEL_MAP_TABLE:
      v = of({256});
      return true;
    case GL_MAX_TEXTURE_SIZE:
      v = of({double(device::maxTextureSize())});
      return true;
    case GL_MAX_VIEWPORT_DIMS:
      v = of({16384, 16384});
      return true;
    case GL_SUBPIXEL_BITS:
      v = of({8});
      return true;
    case GL_AUX_BUFFERS:
    case GL_INDEX_BITS:
    case GL_ACCUM_RED_BITS:
    case GL_ACCUM_GREEN_BITS:
    case GL_ACCUM_BLUE_BITS:
    case GL_ACCUM_ALPHA_BITS:
      v = of({0});
      return true;
    case GL_RED_BITS:
    case GL_GREEN_BITS:
    case GL_BLUE_BITS:
    case GL_ALPHA_BITS:
    case GL_DEPTH_BITS:
    case GL_STENCIL_BITS:
      v = of({double(windowBits(pname))});
      return true;
    case GL_RGBA_MODE:
      v = of({1});
      return true;
    case GL_INDEX_MODE:
    case GL_STEREO:
      v = of({0});
      return true;
    case GL_DOUBLEBUFFER:
      v = of({1});
      return true;
    case GL_POINT_SIZE_RANGE:
    case GL_LINE_WIDTH_RANGE:
    case GL_ALIASED_POINT_SIZE_RANGE:
    case GL_ALIASED_LINE_WIDTH_RANGE:
      v = of({1, 255});
      return true;
    case GL_POINT_SIZE_GRANULARITY:
    case GL_LINE_WIDTH_GRANULARITY:
      v = of({0.1});
      return true;
    case GL_FEEDBACK_BUFFER_SIZE:
    case GL_SELECTION_BUFFER_SIZE:
      v = of({0});
      return true;
    case GL_FEEDBACK_BUFFER_TYPE:
      v = of({double(GL_2D)});
      return true;
    default:
      break;
  }
  if (isArrayQuery(pname, GL_VERTEX_ARRAY, GL_EDGE_FLAG_ARRAY_STRIDE)) {
    switch (pname) {
      case GL_VERTEX_ARRAY:
      case GL_VERTEX_ARRAY_SIZE:
      case GL_VERTEX_ARRAY_TYPE:
      case GL_VERTEX_ARRAY_STRIDE:
        v = arrayOf(c.vertex, pname, GL_VERTEX_ARRAY, GL_VERTEX_ARRAY_SIZE, GL_VERTEX_ARRAY_TYPE,
                    GL_VERTEX_ARRAY_STRIDE);
        return true;
      case GL_NORMAL_ARRAY:
      case GL_NORMAL_ARRAY_TYPE:
      case GL_NORMAL_ARRAY_STRIDE:
        v = arrayOf(c.normal, pname, GL_NORMAL_ARRAY, 0, GL_NORMAL_ARRAY_TYPE,
                    GL_NORMAL_ARRAY_STRIDE);
        return true;
      case GL_COLOR_ARRAY:
      case GL_COLOR_ARRAY_SIZE:
      case GL_COLOR_ARRAY_TYPE:
      case GL_COLOR_ARRAY_STRIDE:
        v = arrayOf(c.colour, pname, GL_COLOR_ARRAY, GL_COLOR_ARRAY_SIZE, GL_COLOR_ARRAY_TYPE,
                    GL_COLOR_ARRAY_STRIDE);
        return true;
      case GL_INDEX_ARRAY:
      case GL_INDEX_ARRAY_TYPE:
      case GL_INDEX_ARRAY_STRIDE:
        v = arrayOf(c.index, pname, GL_INDEX_ARRAY, 0, GL_INDEX_ARRAY_TYPE, GL_INDEX_ARRAY_STRIDE);
        return true;
      case GL_TEXTURE_COORD_ARRAY:
      case GL_TEXTURE_COORD_ARRAY_SIZE:
      case GL_TEXTURE_COORD_ARRAY_TYPE:
      case GL_TEXTURE_COORD_ARRAY_STRIDE:
        v = arrayOf(c.texCoord, pname, GL_TEXTURE_COORD_ARRAY, GL_TEXTURE_COORD_ARRAY_SIZE,
                    GL_TEXTURE_COORD_ARRAY_TYPE, GL_TEXTURE_COORD_ARRAY_STRIDE);
        return true;
      case GL_EDGE_FLAG_ARRAY:
      case GL_EDGE_FLAG_ARRAY_STRIDE:
        v = arrayOf(c.edgeFlag, pname, GL_EDGE_FLAG_ARRAY, 0, 0, GL_EDGE_FLAG_ARRAY_STRIDE);
        return true;
    }
  }
  // What glIsEnabled answers of the evaluators' maps and the rest.
  if (pname == GL_COLOR_LOGIC_OP || (pname >= GL_MAP1_COLOR_4 && pname <= GL_MAP2_VERTEX_4) ||
      pname == GL_MULTISAMPLE) {
    v = of({double(glIsEnabled(pname))});
    return true;
  }
  return false;
}

template <typename Out, typename Convert>
void get(GLenum pname, Out* params, Convert convert) {
  if (!outsideBeginEnd()) return;
  Value v;
  if (!knownEnum(query(pname, v))) return;
  for (std::size_t i = 0; i < v.numbers.size(); ++i) params[i] = convert(v.numbers[i], v.colour);
}

}  // namespace

extern "C" {

GLenum glGetError() {
  if (!outsideBeginEnd()) return GL_NO_ERROR;
  const GLenum error = gl.error;
  gl.error = GL_NO_ERROR;
  return error;
}

// The stand-in's own names, and the version of GL it implements.
const GLubyte* glGetString(GLenum name) {
  if (!outsideBeginEnd()) return nullptr;
  static const char vendor[] = "marblechess";
  static const char renderer[] = "the browser's stand-in for OpenGL 1.1 over WebGL";
  static const char version[] = "1.1 marblechess";
  static const char extensions[] = "";
  switch (name) {
    case GL_VENDOR:
      return reinterpret_cast<const GLubyte*>(vendor);
    case GL_RENDERER:
      return reinterpret_cast<const GLubyte*>(renderer);
    case GL_VERSION:
      return reinterpret_cast<const GLubyte*>(version);
    case GL_EXTENSIONS:
      return reinterpret_cast<const GLubyte*>(extensions);
    default:
      knownEnum(false);
      return nullptr;
  }
}

void glGetBooleanv(GLenum pname, GLboolean* params) {
  get(pname, params, [](double v, bool) { return v != 0.0 ? GL_TRUE : GL_FALSE; });
}

void glGetIntegerv(GLenum pname, GLint* params) {
  get(pname, params,
      [](double v, bool colour) { return colour ? colourToInt(v) : GLint(std::lround(v)); });
}

void glGetFloatv(GLenum pname, GLfloat* params) {
  get(pname, params, [](double v, bool) { return float(v); });
}

void glGetDoublev(GLenum pname, GLdouble* params) {
  get(pname, params, [](double v, bool) { return v; });
}

void glGetClipPlane(GLenum plane, GLdouble* equation) {
  if (!outsideBeginEnd() ||
      !knownEnum(plane >= GL_CLIP_PLANE0 && plane < GL_CLIP_PLANE0 + clipPlaneCount)) {
    return;
  }
  const Vec4& p = gl.transform.clipPlanes[plane - GL_CLIP_PLANE0];
  for (int i = 0; i < 4; ++i) equation[i] = p[i];
}

void glGetLightfv(GLenum light, GLenum pname, GLfloat* params) {
  if (!outsideBeginEnd() || !knownEnum(light >= GL_LIGHT0 && light < GL_LIGHT0 + lightCount))
    return;
  const Light& l = gl.lighting.lights[light - GL_LIGHT0];
  const auto four = [&](const Vec4& v) { std::copy(v.begin(), v.end(), params); };
  switch (pname) {
    case GL_AMBIENT:
      return four(l.ambient);
    case GL_DIFFUSE:
      return four(l.diffuse);
    case GL_SPECULAR:
      return four(l.specular);
    case GL_POSITION:
      return four(l.position);
    case GL_SPOT_DIRECTION:
      std::copy(l.spotDirection.begin(), l.spotDirection.end(), params);
      return;
    case GL_SPOT_EXPONENT:
      *params = l.spotExponent;
      return;
    case GL_SPOT_CUTOFF:
      *params = l.spotCutoff;
      return;
    case GL_CONSTANT_ATTENUATION:
      *params = l.constantAttenuation;
      return;
    case GL_LINEAR_ATTENUATION:
      *params = l.linearAttenuation;
      return;
    case GL_QUADRATIC_ATTENUATION:
      *params = l.quadraticAttenuation;
      return;
    default:
      knownEnum(false);
  }
}

void glGetLightiv(GLenum light, GLenum pname, GLint* params) {
  GLfloat f[4] = {0, 0, 0, 0};
  const GLenum before = gl.error;
  glGetLightfv(light, pname, f);
  if (gl.error != before && before == GL_NO_ERROR) return;
  const bool colour = pname == GL_AMBIENT || pname == GL_DIFFUSE || pname == GL_SPECULAR;
  const int n = pname == GL_SPOT_DIRECTION ? 3 : (colour || pname == GL_POSITION) ? 4 : 1;
  for (int i = 0; i < n; ++i) params[i] = colour ? colourToInt(f[i]) : GLint(std::lround(f[i]));
}

void glGetMaterialfv(GLenum face, GLenum pname, GLfloat* params) {
  if (!outsideBeginEnd() || !knownEnum(face, {GL_FRONT, GL_BACK})) return;
  const Material& m = gl.lighting.material[face == GL_FRONT ? 0 : 1];
  const auto four = [&](const Vec4& v) { std::copy(v.begin(), v.end(), params); };
  switch (pname) {
    case GL_AMBIENT:
      return four(m.ambient);
    case GL_DIFFUSE:
      return four(m.diffuse);
    case GL_SPECULAR:
      return four(m.specular);
    case GL_EMISSION:
      return four(m.emission);
    case GL_SHININESS:
      *params = m.shininess;
      return;
    case GL_COLOR_INDEXES:
      std::copy(m.colourIndexes, m.colourIndexes + 3, params);
      return;
    default:
      knownEnum(false);
  }
}

void glGetMaterialiv(GLenum face, GLenum pname, GLint* params) {
  GLfloat f[4] = {0, 0, 0, 0};
  const GLenum before = gl.error;
  glGetMaterialfv(face, pname, f);
  if (gl.error != before && before == GL_NO_ERROR) return;
  const bool colour = pname != GL_SHININESS && pname != GL_COLOR_INDEXES;
  const int n = colour ? 4 : pname == GL_COLOR_INDEXES ? 3 : 1;
  for (int i = 0; i < n; ++i) params[i] = colour ? colourToInt(f[i]) : GLint(std::lround(f[i]));
}

}  // extern "C"
