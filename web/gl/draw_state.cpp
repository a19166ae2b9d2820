#include "gl/draw_state.h"

#include <cmath>
#include <cstddef>
#include <cstring>

#include "gl/checks.h"
#include "gl/device.h"
#include "gl/same_bytes.h"
#include "gl/state.h"
#include "gl/texturing.h"

namespace standin {

namespace {

constexpr double degrees = 3.14159265358979323846 / 180.0;

void put4(float* to, const Vec4& from) {
  std::memcpy(to, from.data(), sizeof(float) * 4);
}

void putMatrix(float* to, const Mat4& m) {
  std::memcpy(to, m.m.data(), sizeof(float) * 16);
}

// The inverse transpose of the modelview's upper three by three, each
// column padded to four floats, and the factor GL_RESCALE_NORMAL scales by.
void putNormalMatrix(DrawState& d, const Mat4& modelview) {
  const std::array<float, 9> n = matrices::normalMatrix(modelview);
  for (int col = 0; col < 3; ++col) {
    for (int row = 0; row < 3; ++row) d.normalMatrix[col * 4 + row] = n[col * 3 + row];
  }
  // The inverse's third row is the normal matrix's third column.
  const float scale = std::sqrt(n[6] * n[6] + n[7] * n[7] + n[8] * n[8]);
  d.normalMatrix[11] = scale != 0.0f ? 1.0f / scale : 1.0f;
}

DrawLight drawLight(const Light& l) {
  DrawLight d{};
  put4(d.ambient, l.ambient);
  put4(d.diffuse, l.diffuse);
  put4(d.specular, l.specular);
  if (l.position[3] != 0.0f) {
    for (int i = 0; i < 3; ++i) d.position[i] = l.position[i] / l.position[3];
    d.position[3] = 1.0f;
  } else {
    const Vec3 toward = matrices::normalize({l.position[0], l.position[1], l.position[2]});
    for (int i = 0; i < 3; ++i) d.position[i] = toward[i];
  }
  const Vec3 spot = matrices::normalize(l.spotDirection);
  for (int i = 0; i < 3; ++i) d.spot[i] = spot[i];
  d.spot[3] = float(std::cos(double(l.spotCutoff) * degrees));
  d.attenuation[0] = l.constantAttenuation;
  d.attenuation[1] = l.linearAttenuation;
  d.attenuation[2] = l.quadraticAttenuation;
  d.attenuation[3] = l.spotExponent;
  const Vec3 halfway = matrices::normalize({d.position[0], d.position[1], d.position[2] + 1.0f});
  for (int i = 0; i < 3; ++i) d.halfway[i] = halfway[i];
  return d;
}

// Colour material's mode as the key holds it.
std::uint32_t colourMaterialKey(GLenum mode) {
  switch (mode) {
    case GL_EMISSION:
      return 1;
    case GL_AMBIENT:
      return 2;
    case GL_DIFFUSE:
      return 3;
    case GL_SPECULAR:
      return 4;
    default:
      return 5;  // GL_AMBIENT_AND_DIFFUSE
  }
}

std::uint32_t facesKey(GLenum face) {
  return face == GL_FRONT ? 1 : face == GL_BACK ? 2 : 3;
}

void putLighting(DrawState& d, Key& key) {
  const LightingGroup& l = gl.lighting;
  if (!l.lighting) return;
  put(key, keys::lighting, 1);
  int on = 0;
  std::uint32_t positional = 0, spot = 0, attenuated = 0;
  for (int i = 0; i < lightCount; ++i) {
    if (!l.lightOn[i]) continue;
    const Light& light = l.lights[i];
    d.lights[on] = drawLight(light);
    if (light.position[3] != 0.0f) positional |= 1u << on;
    if (light.spotCutoff != 180.0f) spot |= 1u << on;
    if (light.constantAttenuation != 1.0f || light.linearAttenuation != 0.0f ||
        light.quadraticAttenuation != 0.0f) {
      attenuated |= 1u << on;
    }
    ++on;
  }
  put(key, keys::lights, std::uint32_t(on));
  put(key, keys::positional, positional);
  put(key, keys::spot, spot);
  put(key, keys::attenuated, attenuated);
  put(key, keys::twoSide, l.twoSide);
  put(key, keys::twoSideColour, l.twoSide);
  put(key, keys::localViewer, l.localViewer);
  if (l.colourMaterial) {
    put(key, keys::colourMaterial, colourMaterialKey(l.colourMaterialMode));
    put(key, keys::colourMaterialFaces, facesKey(l.colourMaterialFace));
  }
  put4(d.modelAmbient, l.modelAmbient);
}

std::uint32_t texGenKey(GLenum mode) {
  return mode == GL_OBJECT_LINEAR ? 1 : mode == GL_EYE_LINEAR ? 2 : 3;
}

// The codes of shaders.cpp's fragment program.
int formatCode(GLenum base) {
  switch (base) {
    case GL_ALPHA:
      return 1;
    case GL_LUMINANCE:
      return 2;
    case GL_LUMINANCE_ALPHA:
      return 3;
    case GL_INTENSITY:
      return 4;
    case GL_RGB:
      return 5;
    default:
      return 6;
  }
}

int envCode(GLenum mode) {
  return mode == GL_MODULATE ? 1 : mode == GL_DECAL ? 2 : mode == GL_BLEND ? 3 : 4;
}

int wrapCode(GLenum wrap, int texels) {
  if (wrap == GL_REPEAT) return textures::wrappedFirst(texels) ? 3 : 0;
  return wrap == GL_CLAMP ? 1 : 2;
}

int filterCode(GLenum filter) {
  switch (filter) {
    case GL_NEAREST:
      return 0;
    case GL_LINEAR:
      return 1;
    case GL_NEAREST_MIPMAP_NEAREST:
      return 2;
    case GL_LINEAR_MIPMAP_NEAREST:
      return 3;
    case GL_NEAREST_MIPMAP_LINEAR:
      return 4;
    default:
      return 5;
  }
}

bool isIdentity(const Mat4& m) {
  return m.m == Mat4{}.m;
}

// Texturing, where a complete texture is bound and enabled: a draw whose
// vertices all lie at one texel, such as a shape drawn without texture
// coordinates, has it filtered here once rather than at every fragment.
void putTexturing(DrawState& d, Key& key, const float* texCoord) {
  const GLenum target = enabledTextureTarget();
  const textures::TextureObject* texture = textures::completeTexture(target);
  if (texture == nullptr) return put(key, keys::projective, 0);
  const TextureGroup& t = gl.texture;
  std::uint32_t generated = 0;
  for (int i = 0; i < 4; ++i) {
    if (!t.gen[i].enabled) continue;
    generated |= texGenKey(t.gen[i].mode) << (2 * i);
    put4(d.texGenPlanes[i], t.gen[i].objectPlane);
    put4(d.texGenPlanes[4 + i], t.gen[i].eyePlane);
  }
  // A bitmap's or pixels' coordinates are the raster position's, made
  // already.
  if (get(key, keys::image)) generated = 0;
  const bool matrix = !isIdentity(gl.textureMatrix.back()) && !get(key, keys::image);
  if (texCoord != nullptr && generated == 0 && !matrix && texCoord[3] == 1.0f) {
    put(key, keys::projective, 0);
    put(key, keys::texture, 1);
    const std::array<float, 4> texel = textures::filteredTexel(*texture, texCoord[0], texCoord[1]);
    std::memcpy(d.texel, texel.data(), sizeof d.texel);
    put(key, keys::textureFormat, std::uint32_t(formatCode(texture->baseFormat())));
    put(key, keys::textureEnv, std::uint32_t(envCode(t.envMode)));
    put4(d.texturing[4], t.envColour);
    return;
  }
  put(key, keys::texture, target == GL_TEXTURE_1D ? 3 : 2);
  put(key, keys::texGen, generated);
  put(key, keys::textureMatrix, matrix);
  // Coordinates whose q may not be 1 are divided by it; those whose q is 1
  // are not, since 1 interpolated need not come out as 1 exactly.
  if (matrix || t.gen[3].enabled) put(key, keys::projective, 1);
  if (matrix) putMatrix(d.textureMatrix, gl.textureMatrix.back());
  if (texture->mipmapped() || texture->minFilter != texture->magFilter) {
    put(key, keys::levelOfDetail, 1);
  }
  put(key, keys::textureFormat, std::uint32_t(formatCode(texture->baseFormat())));
  put(key, keys::textureEnv, std::uint32_t(envCode(t.envMode)));
  d.texture = textures::boundName(target);
  const textures::Place atlas = textures::atlasSize(*texture);
  const float shape[4] = {float(texture->width()), float(texture->height()), float(atlas.x),
                          float(atlas.y)};
  const float modes[4] = {float(formatCode(texture->baseFormat())), float(envCode(t.envMode)),
                          float(wrapCode(texture->wrapS, texture->width())),
                          float(wrapCode(texture->wrapT, texture->height()))};
  const float filters[4] = {float(filterCode(texture->minFilter)),
                            float(filterCode(texture->magFilter)), float(texture->levelsSampled()),
                            target == GL_TEXTURE_1D ? 1.0f : 0.0f};
  std::memcpy(d.texturing[0], shape, sizeof shape);
  std::memcpy(d.texturing[1], modes, sizeof modes);
  std::memcpy(d.texturing[2], filters, sizeof filters);
  put4(d.texturing[3], texture->borderColour);
  put4(d.texturing[4], t.envColour);
  d.texturing[5][0] = texture->filteredInFloats() ? 1.0f : 0.0f;
  d.texturing[5][1] = float(device::drawingBufferHeight());
}

void putFog(DrawState& d, Key& key) {
  const FogGroup& f = gl.fog;
  if (!f.enabled) return;
  put(key, keys::fog, f.mode == GL_LINEAR ? 1 : f.mode == GL_EXP ? 2 : 3);
  put4(d.fog, f.colour);
  d.fog[4] = f.start;
  d.fog[5] = f.end;
  d.fog[6] = f.density;
  d.fog[7] = f.end != f.start ? 1.0f / (f.end - f.start) : 1.0f;
}

void putClipping(DrawState& d, Key& key) {
  std::uint32_t on = 0;
  for (int i = 0; i < clipPlaneCount; ++i) {
    if (!gl.transform.clipOn[i]) continue;
    on |= 1u << i;
    put4(d.clipPlanes[i], gl.transform.clipPlanes[i]);
  }
  put(key, keys::clipPlanes, on);
}

void putSwitches(Switches& s) {
  s.depthTest = gl.depth.test;
  s.depthMask = gl.depth.mask;
  s.depthFunc = gl.depth.func;
  const ColourBufferGroup& c = gl.colourBuffer;
  s.blend = c.blend;
  s.blendSrc = c.blendSrc;
  s.blendDst = c.blendDst;
  s.dither = c.dither;
  // Drawing into no buffer is drawing with every colour masked.
  for (int i = 0; i < 4; ++i) s.colourMask[i] = c.colourMask[i] && c.drawBuffer != GL_NONE;
  s.cull = gl.polygon.cull;
  s.cullFace = gl.polygon.cullFace;
  s.frontFace = gl.polygon.frontFace;
  s.scissor = gl.scissor.test;
  for (int i = 0; i < 4; ++i) s.scissorBox[i] = gl.scissor.box[i];
  const StencilGroup& st = gl.stencil;
  s.stencil = st.test;
  s.stencilFunc = st.func;
  s.stencilRef = st.ref;
  s.stencilValueMask = st.valueMask;
  s.stencilFail = st.fail;
  s.stencilDepthFail = st.depthFail;
  s.stencilDepthPass = st.depthPass;
  s.stencilWriteMask = st.writeMask;
  s.offset = gl.polygon.offsetFill;
  s.offsetFactor = gl.polygon.offsetFactor;
  s.offsetUnits = gl.polygon.offsetUnits;
}

void putFragment(DrawState& d, Key& key) {
  const ColourBufferGroup& c = gl.colourBuffer;
  put(key, keys::alphaTest, c.alphaTest && c.alphaFunc != GL_ALWAYS ? c.alphaFunc - GL_NEVER : 7);
  d.alpha[0] = c.alphaRef;
  put(key, keys::polygonStipple, gl.polygon.stipple);
  if (gl.polygon.stipple) std::memcpy(d.stipple, gl.polygonStipple.rows.data(), sizeof d.stipple);
  putSwitches(d.switches);
}

void putViewport(DrawState& d) {
  const ViewportGroup& v = gl.viewport;
  d.viewport[0] = float(v.x);
  d.viewport[1] = float(v.y);
  d.viewport[2] = float(v.width) / 2.0f;
  d.viewport[3] = float(v.height) / 2.0f;
}

// Lines and points take nothing of polygons' own state, and the colour of
// the face they belong to.
void notPolygonState(DrawState& d, Key& key) {
  put(key, keys::notPolygon, 0);
  put(key, keys::polygonStipple, 0);
  std::memset(d.stipple, 0, sizeof d.stipple);
  d.switches.cull = 0;
  d.switches.offset = 0;
  put(key, keys::twoSideColour, 0);
  if (!get(key, keys::twoSide)) put(key, keys::backFace, 0);
}

}  // namespace

bool sameDrawState(const DrawState& a, const DrawState& b) {
  constexpr std::size_t from = offsetof(DrawState, key);
  return sameBytes(reinterpret_cast<const char*>(&a) + from,
                   reinterpret_cast<const char*>(&b) + from, sizeof(DrawState) - from);
}

void drawMaterial(const Materials& materials, Key key, DrawMaterial& out) {
  const int lights = int(get(key, keys::lights));
  const int faces = get(key, keys::twoSide) ? 2 : 1;
  out.vectors = faces * faceVectors(lights);
  const LightingGroup& l = gl.lighting;
  for (int face = 0; face < faces; ++face) {
    const Material& m = materials.face[face];
    float* to = out.values + face * faceVectors(lights) * 4;
    for (int i = 0; i < 3; ++i) to[i] = m.emission[i] + l.modelAmbient[i] * m.ambient[i];
    to[3] = m.diffuse[3];
    put4(to + 4, m.emission);
    to[7] = m.shininess;
    put4(to + 8, m.ambient);
    put4(to + 12, m.diffuse);
    put4(to + 16, m.specular);
    int at = 5;
    for (int i = 0; i < lightCount; ++i) {
      if (!l.lightOn[i]) continue;
      const Light& light = l.lights[i];
      for (int c = 0; c < 4; ++c) {
        to[at * 4 + c] = light.ambient[c] * m.ambient[c];
        to[at * 4 + 4 + c] = light.diffuse[c] * m.diffuse[c];
        to[at * 4 + 8 + c] = light.specular[c] * m.specular[c];
      }
      at += 3;
    }
  }
}

const DrawState& drawState(const float* texCoord, Key extra) {
  static DrawState d{};
  static std::uint64_t workedOutAt = ~0ull;
  static Key extraBefore;
  static bool oneCoordinate = false;
  static float coordinate[4] = {0, 0, 0, 0};
  const bool one = texCoord != nullptr;
  if (gl.changes == workedOutAt && one == oneCoordinate && extra == extraBefore &&
      (!one || std::memcmp(texCoord, coordinate, sizeof coordinate) == 0)) {
    return d;
  }
  workedOutAt = gl.changes;
  oneCoordinate = one;
  extraBefore = extra;
  if (one) std::memcpy(coordinate, texCoord, sizeof coordinate);
  const std::uint32_t serial = d.serial + 1;
  d = DrawState{};
  d.serial = serial;
  Key key = extra;
  const Mat4& modelview = gl.modelview.back();
  putMatrix(d.transforms, matrices::multiply(gl.projection.back(), modelview));
  putMatrix(d.transforms + 16, modelview);
  const bool image = get(key, keys::image) != 0;
  if (!image) putLighting(d, key);
  putTexturing(d, key, texCoord);
  const std::uint32_t generated = get(key, keys::texGen);
  if (get(key, keys::lighting) || (generated & 3) == 3 || ((generated >> 2) & 3) == 3) {
    putNormalMatrix(d, modelview);
    if (gl.transform.normalize) {
      put(key, keys::normals, 1);
    } else if (gl.transform.rescaleNormal) {
      put(key, keys::normals, 2);
    }
  }
  putFog(d, key);
  if (!image) putClipping(d, key);
  putFragment(d, key);
  putViewport(d);
  if (get(key, keys::notPolygon) || image) notPolygonState(d, key);
  if (image) put(key, keys::flat, 0);
  d.key = key;
  return d;
}

}  // namespace standin
