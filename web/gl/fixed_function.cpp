// The OpenGL 1.1 calls the viewer, GLU's quadrics and GLUT's solid shapes
// make, over WebGL: state is kept here, vertices are transformed, lit and
// given texture coordinates by the fixed-function equations (pipeline.h),
// and each begin/end pair or array draw goes to WebGL as triangles. Calls
// WebGL has as they are (clear, viewport, depth function, texture names,
// pixel store) are left to WebGL itself.

#include <GL/gl.h>
#include <webgl/webgl1.h>

#include <map>
#include <vector>

#include "gl/pipeline.h"
#include "gl/unsupported.h"
#include "gl/webgl_draw.h"

using namespace pipeline;

namespace {

struct TextureImage {
  int width = 0;
  int height = 0;
};

struct ClientArray {
  bool enabled = false;
  GLint size = 0;
  GLsizei stride = 0;
  const GLfloat* data = nullptr;
  Vec4 at(GLuint index, Vec4 fill) const {
    const GLsizei step = stride != 0 ? stride / GLsizei(sizeof(GLfloat)) : size;
    for (GLint k = 0; k < size; ++k) fill[k] = data[index * step + k];
    return fill;
  }
};

struct State {
  GLenum matrixMode = GL_MODELVIEW;
  std::vector<Mat4> modelview{Mat4{}};
  std::vector<Mat4> projection{Mat4{}};
  bool lighting = false, light0 = false, normalizing = false, texturing = false;
  bool generateS = false, generateT = false;
  Material material;
  Light light;
  Vec4 sPlane{1, 0, 0, 0}, tPlane{0, 1, 0, 0};
  Vec3 normal{0, 0, 1};
  Vec4 texCoord{0, 0, 0, 1};
  Vec4 colour{1, 1, 1, 1};
  GLenum primitive = 0;
  bool inBeginEnd = false;
  std::vector<Vec4> objects;    // the begin/end pair's vertices ...
  std::vector<Vec3> normals;    // ... with the normal ...
  std::vector<Vec4> texCoords;  // ... and texture coordinate current at each
  ClientArray vertexArray, normalArray, texCoordArray;
  GLuint boundTexture = 0;
  std::map<GLuint, TextureImage> images;
};

State gl;

std::vector<Mat4>& currentStack() {
  return gl.matrixMode == GL_PROJECTION ? gl.projection : gl.modelview;
}

void multiplyCurrent(const Mat4& m) {
  Mat4& top = currentStack().back();
  top = multiply(top, m);
}

Vec4 colourOf(const Vec4& eye, const Vec3& normal) {
  if (!gl.lighting) return gl.colour;
  return lightVertex(eye, normal, gl.material, gl.light0 ? &gl.light : nullptr);
}

// Texture coordinates are generated from the object position where that is
// on, else the current ones go through unchanged.
Vec4 texCoordOf(const Vec4& object, const Vec4& current) {
  Vec4 t = current;
  if (gl.generateS) t[0] = objectLinear(gl.sPlane, object);
  if (gl.generateT) t[1] = objectLinear(gl.tPlane, object);
  return t;
}

std::vector<DrawnVertex> transformed(const std::vector<std::uint32_t>& order) {
  const Mat4& modelview = gl.modelview.back();
  const Mat4 clipFromObject = multiply(gl.projection.back(), modelview);
  const auto normals = normalMatrix(modelview);
  std::vector<DrawnVertex> out;
  out.reserve(order.size());
  for (std::uint32_t i : order) {
    const Vec4& object = gl.objects[i];
    const Vec4 eye = transform(modelview, object);
    Vec3 normal = transformNormal(normals, gl.normals[i]);
    if (gl.normalizing) normal = normalize(normal);
    const Vec4 clip = transform(clipFromObject, object);
    const Vec4 colour = colourOf(eye, normal);
    const Vec4 tex = texCoordOf(object, gl.texCoords[i]);
    out.push_back({{clip[0], clip[1], clip[2], clip[3]},
                   {colour[0], colour[1], colour[2], colour[3]},
                   {tex[0], tex[1]}});
  }
  return out;
}

// Quads become two triangles each; everything else WebGL draws as it is.
std::vector<std::uint32_t> drawOrder(GLenum primitive, std::uint32_t count, GLenum* mode) {
  std::vector<std::uint32_t> order;
  std::vector<std::uint32_t> quads;
  switch (primitive) {
    case GL_QUADS:
      for (std::uint32_t q = 0; q + 3 < count; q += 4) {
        for (std::uint32_t c = 0; c < 4; ++c) quads.push_back(q + c);
      }
      break;
    case GL_QUAD_STRIP:
      quads = quadsOfStrip(count);
      break;
    default:
      *mode = primitive == GL_POLYGON ? GL_TRIANGLE_FAN : primitive;
      for (std::uint32_t i = 0; i < count; ++i) order.push_back(i);
      return order;
  }
  *mode = GL_TRIANGLES;
  for (std::size_t q = 0; q + 3 < quads.size(); q += 4) {
    for (int c : quadTriangles) order.push_back(quads[q + c]);
  }
  return order;
}

Texturing currentTexturing() {
  const auto image = gl.images.find(gl.boundTexture);
  // A texture without an image is as if texturing were off.
  if (!gl.texturing || image == gl.images.end()) return {};
  return {gl.boundTexture, image->second.width, image->second.height};
}

void flush() {
  if (drawingStopped()) return;
  GLenum mode = GL_TRIANGLES;
  const auto order = drawOrder(gl.primitive, static_cast<std::uint32_t>(gl.objects.size()), &mode);
  if (!order.empty()) drawVertices(mode, transformed(order), currentTexturing());
}

bool supportedPrimitive(GLenum mode) {
  return mode == GL_TRIANGLES || mode == GL_TRIANGLE_STRIP || mode == GL_TRIANGLE_FAN ||
         mode == GL_QUADS || mode == GL_QUAD_STRIP || mode == GL_POLYGON;
}

void drawFromArrays(GLenum mode, const std::vector<GLuint>& indices) {
  if (!gl.vertexArray.enabled) return;
  glBegin(mode);
  for (GLuint i : indices) {
    if (gl.normalArray.enabled) {
      const Vec4 n = gl.normalArray.at(i, {0, 0, 0, 0});
      gl.normal = {n[0], n[1], n[2]};
    }
    if (gl.texCoordArray.enabled) gl.texCoord = gl.texCoordArray.at(i, {0, 0, 0, 1});
    const Vec4 v = gl.vertexArray.at(i, {0, 0, 0, 1});
    glVertex3f(v[0], v[1], v[2]);
  }
  glEnd();
}

ClientArray* clientArray(GLenum array) {
  switch (array) {
    case GL_VERTEX_ARRAY:
      return &gl.vertexArray;
    case GL_NORMAL_ARRAY:
      return &gl.normalArray;
    case GL_TEXTURE_COORD_ARRAY:
      return &gl.texCoordArray;
    default:
      unsupported("glEnableClientState", array);
      return nullptr;
  }
}

void setCapability(GLenum cap, bool on) {
  switch (cap) {
    case GL_LIGHTING:
      gl.lighting = on;
      break;
    case GL_LIGHT0:
      gl.light0 = on;
      break;
    case GL_NORMALIZE:
      gl.normalizing = on;
      break;
    case GL_TEXTURE_2D:
      gl.texturing = on;
      break;
    case GL_TEXTURE_GEN_S:
      gl.generateS = on;
      break;
    case GL_TEXTURE_GEN_T:
      gl.generateT = on;
      break;
    case GL_DEPTH_TEST:
      on ? emscripten_glEnable(cap) : emscripten_glDisable(cap);
      break;
    default:
      // Lights other than light 0 may be switched off; nothing else is known.
      if (!on && cap > GL_LIGHT0 && cap <= GL_LIGHT7) break;
      unsupported(on ? "glEnable" : "glDisable", cap);
  }
}

void setLight(GLenum pname, const GLfloat* p) {
  Light& l = gl.light;
  const Mat4& mv = gl.modelview.back();
  switch (pname) {
    case GL_AMBIENT:
      l.ambient = {p[0], p[1], p[2], p[3]};
      break;
    case GL_DIFFUSE:
      l.diffuse = {p[0], p[1], p[2], p[3]};
      break;
    case GL_SPECULAR:
      l.specular = {p[0], p[1], p[2], p[3]};
      break;
    case GL_POSITION:
      l.position = transform(mv, {p[0], p[1], p[2], p[3]});
      break;
    case GL_SPOT_DIRECTION: {
      const Vec4 d = transform(mv, {p[0], p[1], p[2], 0.0f});
      l.spotDirection = {d[0], d[1], d[2]};
      break;
    }
    case GL_SPOT_EXPONENT:
      l.spotExponent = p[0];
      break;
    case GL_SPOT_CUTOFF:
      l.spotCutoff = p[0];
      break;
    case GL_CONSTANT_ATTENUATION:
      l.constantAttenuation = p[0];
      break;
    case GL_LINEAR_ATTENUATION:
      l.linearAttenuation = p[0];
      break;
    case GL_QUADRATIC_ATTENUATION:
      l.quadraticAttenuation = p[0];
      break;
    default:
      unsupported("glLight", pname);
  }
}

void setMaterial(GLenum face, GLenum pname, const GLfloat* p) {
  // With one-sided lighting only the front material shows.
  if (face != GL_FRONT_AND_BACK && face != GL_FRONT) return unsupported("glMaterial", face);
  Material& m = gl.material;
  const Vec4 value{p[0], pname == GL_SHININESS ? 0 : p[1], pname == GL_SHININESS ? 0 : p[2],
                   pname == GL_SHININESS ? 0 : p[3]};
  switch (pname) {
    case GL_AMBIENT:
      m.ambient = value;
      break;
    case GL_DIFFUSE:
      m.diffuse = value;
      break;
    case GL_AMBIENT_AND_DIFFUSE:
      m.ambient = m.diffuse = value;
      break;
    case GL_SPECULAR:
      m.specular = value;
      break;
    case GL_EMISSION:
      m.emission = value;
      break;
    case GL_SHININESS:
      m.shininess = p[0];
      break;
    default:
      unsupported("glMaterial", pname);
  }
}

}  // namespace

extern "C" {

void glMatrixMode(GLenum mode) {
  if (mode != GL_MODELVIEW && mode != GL_PROJECTION) return unsupported("glMatrixMode", mode);
  gl.matrixMode = mode;
}

void glLoadIdentity() {
  currentStack().back() = Mat4{};
}

void glPushMatrix() {
  auto& stack = currentStack();
  stack.push_back(stack.back());
}

void glPopMatrix() {
  auto& stack = currentStack();
  if (stack.size() > 1) stack.pop_back();
}

void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearVal,
               GLdouble farVal) {
  multiplyCurrent(
      frustum(float(left), float(right), float(bottom), float(top), float(nearVal), float(farVal)));
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  multiplyCurrent(translation(x, y, z));
}

void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
  multiplyCurrent(translation(float(x), float(y), float(z)));
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  multiplyCurrent(rotation(angle, x, y, z));
}

void glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z) {
  multiplyCurrent(rotation(float(angle), float(x), float(y), float(z)));
}

void glScalef(GLfloat x, GLfloat y, GLfloat z) {
  multiplyCurrent(scaling(x, y, z));
}

void glEnable(GLenum cap) {
  setCapability(cap, true);
}

void glDisable(GLenum cap) {
  setCapability(cap, false);
}

void glShadeModel(GLenum mode) {
  if (mode != GL_SMOOTH) unsupported("glShadeModel", mode);
}

void glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
  if (light != GL_LIGHT0) return unsupported("glLight", light);
  setLight(pname, params);
}

void glLightf(GLenum light, GLenum pname, GLfloat param) {
  glLightfv(light, pname, &param);
}

void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) {
  setMaterial(face, pname, params);
}

void glMaterialf(GLenum face, GLenum pname, GLfloat param) {
  setMaterial(face, pname, &param);
}

void glTexGeni(GLenum coord, GLenum pname, GLint param) {
  if (coord != GL_S && coord != GL_T) return unsupported("glTexGen", coord);
  if (pname != GL_TEXTURE_GEN_MODE) return unsupported("glTexGen", pname);
  if (param != GL_OBJECT_LINEAR) unsupported("glTexGen", param);
}

void glTexGenfv(GLenum coord, GLenum pname, const GLfloat* params) {
  if (pname != GL_OBJECT_PLANE) return unsupported("glTexGen", pname);
  const Vec4 plane{params[0], params[1], params[2], params[3]};
  if (coord == GL_S) {
    gl.sPlane = plane;
  } else if (coord == GL_T) {
    gl.tPlane = plane;
  } else {
    unsupported("glTexGen", coord);
  }
}

void glTexEnvi(GLenum target, GLenum pname, GLint param) {
  if (target != GL_TEXTURE_ENV || pname != GL_TEXTURE_ENV_MODE)
    return unsupported("glTexEnv", pname);
  if (param != GL_MODULATE) unsupported("glTexEnv", param);
}

void glBindTexture(GLenum target, GLuint texture) {
  if (target != GL_TEXTURE_2D) return unsupported("glBindTexture", target);
  gl.boundTexture = texture;
  emscripten_glBindTexture(target, texture);
}

// Repeat and linear filtering are all the fragment stage does.
void glTexParameterf(GLenum target, GLenum pname, GLfloat param) {
  const GLenum value = static_cast<GLenum>(param);
  const bool wrap = pname == GL_TEXTURE_WRAP_S || pname == GL_TEXTURE_WRAP_T;
  const bool filter = pname == GL_TEXTURE_MAG_FILTER || pname == GL_TEXTURE_MIN_FILTER;
  if (target != GL_TEXTURE_2D || !(wrap || filter)) return unsupported("glTexParameter", pname);
  if ((wrap && value != GL_REPEAT) || (filter && value != GL_LINEAR)) {
    unsupported("glTexParameter", value);
  }
}

void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const void* pixels) {
  if (target != GL_TEXTURE_2D || level != 0 || border != 0)
    return unsupported("glTexImage2D", level);
  if ((internalFormat != 3 && internalFormat != GL_RGB) || format != GL_RGB ||
      type != GL_UNSIGNED_BYTE) {
    return unsupported("glTexImage2D", format);
  }
  if (gl.boundTexture == 0) return unsupported("glTexImage2D", 0);
  uploadTexture(width, height, pixels);
  gl.images[gl.boundTexture] = {width, height};
}

void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
  gl.colour = {red, green, blue, alpha};
}

void glColor4fv(const GLfloat* v) {
  glColor4f(v[0], v[1], v[2], v[3]);
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  gl.normal = {x, y, z};
}

void glNormal3fv(const GLfloat* v) {
  glNormal3f(v[0], v[1], v[2]);
}

void glTexCoord2f(GLfloat s, GLfloat t) {
  gl.texCoord = {s, t, 0, 1};
}

void glTexCoord2fv(const GLfloat* v) {
  glTexCoord2f(v[0], v[1]);
}

void glBegin(GLenum mode) {
  if (!supportedPrimitive(mode)) unsupported("glBegin", mode);
  gl.primitive = mode;
  gl.inBeginEnd = true;
  gl.objects.clear();
  gl.normals.clear();
  gl.texCoords.clear();
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (!gl.inBeginEnd) return;
  gl.objects.push_back({x, y, z, 1.0f});
  gl.normals.push_back(gl.normal);
  gl.texCoords.push_back(gl.texCoord);
}

void glVertex3fv(const GLfloat* v) {
  glVertex3f(v[0], v[1], v[2]);
}

void glEnd() {
  gl.inBeginEnd = false;
  flush();
}

void glEnableClientState(GLenum array) {
  if (ClientArray* a = clientArray(array)) a->enabled = true;
}

void glDisableClientState(GLenum array) {
  if (ClientArray* a = clientArray(array)) a->enabled = false;
}

void glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
  if (type != GL_FLOAT || size < 2 || size > 4) return unsupported("glVertexPointer", type);
  gl.vertexArray = {gl.vertexArray.enabled, size, stride, static_cast<const GLfloat*>(pointer)};
}

void glNormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer) {
  if (type != GL_FLOAT) return unsupported("glNormalPointer", type);
  gl.normalArray = {gl.normalArray.enabled, 3, stride, static_cast<const GLfloat*>(pointer)};
}

void glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
  if (type != GL_FLOAT || size < 1 || size > 4) return unsupported("glTexCoordPointer", type);
  gl.texCoordArray = {gl.texCoordArray.enabled, size, stride, static_cast<const GLfloat*>(pointer)};
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
  std::vector<GLuint> indices;
  for (GLsizei i = 0; i < count; ++i) indices.push_back(static_cast<GLuint>(first + i));
  drawFromArrays(mode, indices);
}

void glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* pointer) {
  std::vector<GLuint> indices;
  if (type == GL_UNSIGNED_SHORT) {
    const auto* p = static_cast<const GLushort*>(pointer);
    indices.assign(p, p + count);
  } else if (type == GL_UNSIGNED_INT) {
    const auto* p = static_cast<const GLuint*>(pointer);
    indices.assign(p, p + count);
  } else {
    return unsupported("glDrawElements", type);
  }
  drawFromArrays(mode, indices);
}

}  // extern "C"
