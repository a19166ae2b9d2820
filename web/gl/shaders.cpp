#include "gl/shaders.h"

#include <emscripten/html5_webgl.h>
#include <webgl/webgl1.h>

#include <cstdio>
#include <string>

#include "gl/batch.h"
#include "gl/checks.h"

namespace standin {

namespace {

// What both stages share: the texture environment of GL 1.1, by the
// texture's base format, which the vertex stage applies where every
// vertex is at one texel and the fragment stage elsewhere.
const char commonSource[] = R"(
#if TEXTURED || CONSTANT_TEXEL
uniform vec4 texturing[6];

// Each environment and format its own expression, in the shape that keeps
// the frames within one level of the desktop's: the compilers reassociate
// the products otherwise.
vec4 environment(vec4 c, vec4 t) {
  vec4 k = texturing[4];
#if ENV == 1 && FORMAT == 1
  return vec4(c.rgb, c.a * t.a);
#elif ENV == 1 && (FORMAT == 2 || FORMAT == 5)
  return vec4(c.rgb * t.rgb, c.a);
#elif ENV == 1
  return c * t;
#elif ENV == 4 && FORMAT == 1
  return vec4(c.rgb, t.a);
#elif ENV == 4 && (FORMAT == 2 || FORMAT == 5)
  return vec4(t.rgb, c.a);
#elif ENV == 4
  return t;
#elif ENV == 2
  return vec4(mix(c.rgb, t.rgb, t.a), c.a);
#elif FORMAT == 1
  return vec4(c.rgb, c.a * t.a);
#elif FORMAT == 4
  return vec4(mix(c.rgb, k.rgb, t.rgb), mix(c.a, k.a, t.a));
#elif FORMAT == 2 || FORMAT == 5
  return vec4(mix(c.rgb, k.rgb, t.rgb), c.a);
#else
  return vec4(mix(c.rgb, k.rgb, t.rgb), c.a * t.a);
#endif
}
#endif
)";

// OpenGL 1.1's vertex stage: the position through the combined
// modelview-projection matrix, as Mesa's generated programs do; lighting
// of each face by each light that is on, with its place, attenuation and
// spot, the highlight only where the diffuse light reaches, the sum
// clamped; texture coordinates given or generated, through the texture
// matrix; the eye's distance for fog; the distances to the clip planes.
// The uniforms come in arrays, one for
// each group a draw changes together (draw_state.h says what each holds).
const char vertexShader[] = R"(
attribute vec3 position;
attribute float positionW;
attribute vec3 normal;
attribute vec4 texCoord;
attribute vec4 colour;
attribute float slot;  // which of the draw's materials is the vertex's
uniform mat4 transforms[2];
varying vec4 frontColour;
#if TWO_SIDE
varying vec4 backColour;
#endif
#if GIVEN_CLIP
attribute vec4 clipPosition;
#endif
#if FLAT
attribute vec4 shadePosition;  // where the provoking vertex is
#endif

#if LIGHTING || SPHERE_MAP
uniform vec4 normalMatrix[3];  // its columns; the rescale in the last one's w
#endif
#if LIGHTING
uniform vec4 materials[MATERIALS * SLOT_VECTORS];
uniform vec4 lights[LIGHTS * 7];
uniform vec4 modelAmbient;
#endif
#if CONSTANT_TEXEL
uniform vec4 texel;
#endif
#if TEXTURED
varying vec4 texPlace;
#if LOD
varying float texW;
#endif
#if TEX_GEN
uniform vec4 texGenPlanes[8];
#endif
#if TEXTURE_MATRIX
uniform mat4 textureMatrix;
#endif
#endif
#if FOG
varying float fogDistance;
#endif
#if CLIP_PLANES
uniform vec4 clipPlanes[8];
varying vec4 clipLow;
varying vec4 clipHigh;
#endif

#if LIGHTING || SPHERE_MAP
vec3 eyeNormal() {
  vec3 n = mat3(normalMatrix[0].xyz, normalMatrix[1].xyz, normalMatrix[2].xyz) * normal;
#if NORMALIZE
  n = normalize(n);
#elif RESCALE
  n *= normalMatrix[2].w;
#endif
  return n;
}
#endif

#if LIGHTING
// One light's share of a face's colour, added to `col`: the unit vector to
// the light, the spot's and the distance's attenuation, the diffuse share,
// and the highlight where the diffuse light reaches, each with its product
// of light and material; colour material multiplies the light's own
// colours by the vertex's colour instead. The sums are made in the order
// that keeps the frames within one level of the desktop's.
vec3 light(int i, bool positional, bool spot, bool attenuated, vec3 n, vec4 eye, float sign,
           int p, vec4 vertexColour, vec3 col, float shininess) {
  int at = i * 7;
  vec3 toLight;
  vec3 halfway;
  float factor = 1.0;
  if (positional) {
    toLight = lights[at + 3].xyz - eye.xyz;
    float reach = length(toLight);
    toLight = reach == 0.0 ? toLight : toLight / reach;
    if (attenuated) {
      vec3 fall = lights[at + 5].xyz;
      factor = 1.0 / (fall.x + fall.y * reach + fall.z * reach * reach);
    }
    if (spot) {
      float along = dot(-toLight, lights[at + 4].xyz);
      float exponent = lights[at + 5].w;
      float within = exponent == 0.0 ? 1.0 : pow(max(along, 0.0), exponent);
      factor *= along < lights[at + 4].w ? 0.0 : within;
    }
#if LOCAL_VIEWER
    halfway = normalize(toLight - normalize(eye.xyz));
#else
    halfway = normalize(toLight + vec3(0.0, 0.0, 1.0));
#endif
  } else {
    toLight = lights[at + 3].xyz;
#if LOCAL_VIEWER
    halfway = normalize(toLight - normalize(eye.xyz));
#else
    halfway = lights[at + 6].xyz;
#endif
  }
  float diffuse = max(sign * dot(n, toLight), 0.0);
  float facing = max(sign * dot(n, halfway), 0.0);
  float specular = diffuse != 0.0 ? (shininess == 0.0 ? 1.0 : pow(facing, shininess)) : 0.0;
  vec3 ambientProduct = materials[p].rgb;
  vec3 diffuseProduct = materials[p + 1].rgb;
  vec3 specularProduct = materials[p + 2].rgb;
  bool colour = sign > 0.0 ? COLOUR_FRONT : COLOUR_BACK;
  if (colour && COLOUR_AMBIENT_MODE == 1) ambientProduct = lights[at].rgb * vertexColour.rgb;
  if (colour && COLOUR_DIFFUSE_MODE == 1) diffuseProduct = lights[at + 1].rgb * vertexColour.rgb;
  if (colour && COLOUR_SPECULAR_MODE == 1) specularProduct = lights[at + 2].rgb * vertexColour.rgb;
  return col + factor * (ambientProduct + diffuse * diffuseProduct + specular * specularProduct);
}

// A face's colour, its material's vectors from `f` on (draw_state.h),
// colour material taking the vertex's colour where it applies.
vec4 lit(vec3 n, vec4 eye, float sign, int f, vec4 vertexColour) {
  vec4 scene = materials[f];
  float shininess = materials[f + 1].w;
  bool colour = sign > 0.0 ? COLOUR_FRONT : COLOUR_BACK;
  if (colour && COLOUR_EMISSION_MODE == 1) {
    scene.rgb = modelAmbient.rgb * materials[f + 2].rgb + vertexColour.rgb;
  } else if (colour && COLOUR_AMBIENT_MODE == 1) {
    scene.rgb = modelAmbient.rgb * vertexColour.rgb + materials[f + 1].rgb;
  } else if (colour && COLOUR_DIFFUSE_MODE == 1) {
    scene.rgb = modelAmbient.rgb * materials[f + 2].rgb + materials[f + 1].rgb;
  }
  if (colour && COLOUR_DIFFUSE_MODE == 1) scene.a = vertexColour.a;
  vec3 col = scene.rgb;
LIGHT_CALLS
  return clamp(vec4(col, scene.a), 0.0, 1.0);
}
#endif

void main() {
#if HOMOGENEOUS
  vec4 object = vec4(position, positionW);
#else
  vec4 object = vec4(position, 1.0);
#endif
  vec4 eye = transforms[1] * object;
#if GIVEN_CLIP
  gl_Position = clipPosition;
#else
  gl_Position = transforms[0] * object;
#endif
#if LIGHTING
  vec3 n = eyeNormal();
#if FLAT
  vec4 shadeEye = transforms[1] * shadePosition;
#else
  vec4 shadeEye = eye;
#endif
  int m = int(slot) * SLOT_VECTORS;
#if BACK_FACE
  frontColour = lit(n, shadeEye, -1.0, m + FACE_VECTORS, colour);
#else
  frontColour = lit(n, shadeEye, 1.0, m, colour);
#endif
#if TWO_SIDE
  backColour = lit(n, shadeEye, -1.0, m + FACE_VECTORS, colour);
#endif
#else
  frontColour = clamp(colour, 0.0, 1.0);
#endif
#if CONSTANT_TEXEL
  frontColour = environment(frontColour, texel);
#if TWO_SIDE
  backColour = environment(backColour, texel);
#endif
#endif
#if TEXTURED
  vec4 place = texCoord;
#if SPHERE_MAP
  vec3 u = normalize(eye.xyz);
  vec3 sn = eyeNormal();
  vec3 r = u - 2.0 * sn * dot(sn, u);
  float sphere = 2.0 * sqrt(r.x * r.x + r.y * r.y + (r.z + 1.0) * (r.z + 1.0));
  vec2 onSphere = r.xy / sphere + 0.5;
  if (GEN_S == 3) place.s = onSphere.x;
  if (GEN_T == 3) place.t = onSphere.y;
#endif
#if GEN_S == 1
  place.s = dot(texGenPlanes[0], object);
#elif GEN_S == 2
  place.s = dot(texGenPlanes[4], eye);
#endif
#if GEN_T == 1
  place.t = dot(texGenPlanes[1], object);
#elif GEN_T == 2
  place.t = dot(texGenPlanes[5], eye);
#endif
#if GEN_R == 1
  place.p = dot(texGenPlanes[2], object);
#elif GEN_R == 2
  place.p = dot(texGenPlanes[6], eye);
#endif
#if GEN_Q == 1
  place.q = dot(texGenPlanes[3], object);
#elif GEN_Q == 2
  place.q = dot(texGenPlanes[7], eye);
#endif
#if TEXTURE_MATRIX
  place = textureMatrix * place;
#endif
  texPlace = place;
#if LOD
  texW = gl_Position.w;
#endif
#endif
#if FOG && IMAGE
  // Bitmaps and pixels are fogged as at the eye.
  fogDistance = 0.0;
#elif FOG
  fogDistance = abs(eye.z);
#endif
#if CLIP_PLANES
  clipLow = vec4(dot(clipPlanes[0], eye), dot(clipPlanes[1], eye), dot(clipPlanes[2], eye),
                 dot(clipPlanes[3], eye));
  clipHigh = vec4(dot(clipPlanes[4], eye), dot(clipPlanes[5], eye), dot(clipPlanes[6], eye),
                  dot(clipPlanes[7], eye));
#endif
}
)";

// The fragment stage: the face's colour, the texture's environment, fog,
// the alpha test, the polygon stipple and the clip planes. The texture is
// sampled texel by texel and filtered here, by the desktop renderer's
// rule: the place in texels is rounded to 1/256 of a texel (a coordinate
// along a side that is not a power of two wrapped into the texture first),
// the four texels around it are blended by those weights, and the texel
// that comes out is rounded to 8 bits before the environment takes it.
// textures::filteredTexel filters a draw's one texel by the same rule on
// the CPU; tests/gl/texels.cpp holds the two to the same texels. The
// codes: base formats 1 alpha, 2 luminance, 3 luminance and alpha, 4
// intensity, 5 RGB, 6 RGBA; environments 1 modulate, 2 decal, 3 blend, 4
// replace; wrapping 0 repeat, 1 clamp, 2 clamp to edge, 3 repeat along a
// side that is not a power of two; filters 0 nearest, 1 linear, 2 to 5
// the mipmapped ones in GL's order.
const char fragmentShader[] = R"(
varying vec4 frontColour;
#if TWO_SIDE
varying vec4 backColour;
#endif
#if TEXTURED
varying vec4 texPlace;
uniform sampler2D image;

// The level sampled: its size, and where it lies in the image.
vec2 levelSize;
vec2 levelOrigin;

// Levels after the first lie one above another to its right.
void takeLevel(float level) {
  vec2 size = texturing[0].xy;
  levelSize = size;
  levelOrigin = vec2(0.0);
  for (int l = 1; l < 15; ++l) {
    if (float(l) > level) break;
    levelOrigin = vec2(size.x, levelOrigin.y + (l == 1 ? 0.0 : levelSize.y));
    levelSize = max(vec2(1.0), floor(levelSize * 0.5));
  }
}

// The texel in column i and row j of the level, wrapped, or the border
// colour outside a clamped texture.
vec4 texelAt(vec2 i) {
  vec2 size = levelSize;
  vec2 wrap = texturing[1].zw;
  vec2 repeated = mod(i, size);
  vec2 edge = clamp(i, vec2(0.0), size - 1.0);
  vec2 at = vec2(wrap.x == 0.0 || wrap.x == 3.0 ? repeated.x : edge.x,
                 wrap.y == 0.0 || wrap.y == 3.0 ? repeated.y : edge.y);
  bool outside = (wrap.x == 1.0 && (i.x < 0.0 || i.x >= size.x)) ||
                 (wrap.y == 1.0 && (i.y < 0.0 || i.y >= size.y));
  if (outside) return texturing[3];
  return texture2D(image, (levelOrigin + at + 0.5) / texturing[0].zw);
}

// The coordinates wrapped before they are scaled, where a side repeats and
// is not a power of two, or clamped to [0, 1].
vec2 placed(vec2 place) {
  vec2 wrap = texturing[1].zw;
  vec2 wrapped = vec2(wrap.x == 3.0 ? fract(place.x) : place.x, wrap.y == 3.0 ? fract(place.y) : place.y);
  return vec2(wrap.x == 1.0 || wrap.x == 2.0 ? clamp(wrapped.x, 0.0, 1.0) : wrapped.x,
              wrap.y == 1.0 || wrap.y == 2.0 ? clamp(wrapped.y, 0.0, 1.0) : wrapped.y);
}

// The level taken, filtered linearly where `linear` is 1: in floats, or
// with weights of 1/256 and the texel rounded to a byte.
vec4 sampledLevel(vec2 place, float level, float linear) {
  bool inFloats = texturing[5].x == 1.0;
  takeLevel(level);
  vec2 size = levelSize;
  vec2 p = placed(place);
  if (linear == 0.0) return texelAt(min(floor(p * size), vec2(1.0e9)));
  vec2 i, w;
  if (inFloats) {
    vec2 u = p * size - 0.5;
    i = floor(u);
    w = u - i;
  } else {
    vec2 u = floor(p * size * 256.0 + 0.5) - 128.0;
    i = floor(u / 256.0);
    w = (u - i * 256.0) / 256.0;
  }
  if (texturing[2].w == 1.0) w.y = 0.0;  // one-dimensional
  vec4 t = mix(mix(texelAt(i), texelAt(i + vec2(1.0, 0.0)), w.x),
               mix(texelAt(i + vec2(0.0, 1.0)), texelAt(i + vec2(1.0, 1.0)), w.x), w.y);
  return inFloats ? t : floor(t * 255.0 + 0.5) / 255.0;
}

#if LOD
varying float texW;

// log2 as the renderer works it out: the exponent, and the mantissa less
// one in a straight line between.
float fastLog2(float x) {
  if (x <= 0.0) return -1000.0;
  float e = floor(log2(x));
  float m = x / exp2(e);
  if (m >= 2.0) {
    e += 1.0;
    m *= 0.5;
  } else if (m < 1.0) {
    e -= 1.0;
    m *= 2.0;
  }
  return e + m - 1.0;
}

// The level of detail of the pixels' quad, as the renderer takes it: from
// the coordinates at the quad's first pixel, the next one across and the
// next one down (the renderer's rows run from the window's top), each
// worked out from the parts of the place that are straight lines in the
// window; half the log of the greater squared length of the steps in
// texels.
float levelOfDetail() {
#if PROJECTIVE
  vec4 n = texPlace / texW;
#else
  vec4 n = vec4(texPlace.st, 0.0, 1.0) / texW;
#endif
  vec4 nx = dFdx(n);
  vec4 ny = dFdy(n);
  float height = texturing[5].y;
  vec2 here = gl_FragCoord.xy;
  float rowFromTop = floor(floor(height - here.y) * 0.5) * 2.0;
  vec2 first = vec2(floor(here.x * 0.5) * 2.0 + 0.5, height - rowFromTop - 0.5) - here;
  vec4 a = n + nx * first.x + ny * first.y;
  vec4 b = a + nx;
  vec4 c = a - ny;
  vec2 size = texturing[0].xy;
  vec2 across = (b.st / b.q - a.st / a.q) * size;
  vec2 down = (c.st / c.q - a.st / a.q) * size;
  if (texturing[2].w == 1.0) {
    across.y = 0.0;
    down.y = 0.0;
  }
  return 0.5 * fastLog2(max(dot(across, across), dot(down, down)));
}

// Magnified by the magnifying filter; minified by the minifying one, at
// the nearest level or blended between the two about the level of detail.
vec4 sampled(vec2 place) {
  float lod = levelOfDetail();
  if (lod <= 0.0) return sampledLevel(place, 0.0, texturing[2].y);
  float filter = texturing[2].x;
  if (filter < 2.0) return sampledLevel(place, 0.0, filter);
  float linear = filter == 3.0 || filter == 5.0 ? 1.0 : 0.0;
  float last = texturing[2].z - 1.0;
  if (filter < 4.0) return sampledLevel(place, min(floor(lod + 0.5), last), linear);
  float level = floor(lod);
  if (level >= last) return sampledLevel(place, last, linear);
  if (texturing[5].x == 1.0) {
    return mix(sampledLevel(place, level, linear), sampledLevel(place, level + 1.0, linear),
               lod - level);
  }
  float w = floor((lod - level) * 256.0) / 256.0;
  vec4 t = mix(sampledLevel(place, level, linear), sampledLevel(place, level + 1.0, linear), w);
  return floor(t * 255.0 + 0.5) / 255.0;
}
#else
vec4 sampled(vec2 place) {
  return sampledLevel(place, 0.0, texturing[2].y);
}
#endif

#endif
#if FOG
varying float fogDistance;
uniform vec4 fog[2];  // the colour; start, end, density, 1 / (end - start)
#endif
#if ALPHA_TEST != 7
uniform vec4 alpha;
#endif
#if POLYGON_STIPPLE
uniform sampler2D stipple;
#endif
#if CLIP_PLANES
varying vec4 clipLow;
varying vec4 clipHigh;
#endif

void main() {
#if CLIP_PLANES
  if (any(lessThan(clipLow, CLIP_LOW)) || any(lessThan(clipHigh, CLIP_HIGH))) discard;
#endif
#if POLYGON_STIPPLE
  if (texture2D(stipple, mod(floor(gl_FragCoord.xy), 32.0) / 32.0 + 1.0 / 64.0).r < 0.5) discard;
#endif
#if TWO_SIDE
  vec4 colour = gl_FrontFacing ? frontColour : backColour;
#else
  vec4 colour = frontColour;
#endif
#if TEXTURED
#if PROJECTIVE
  colour = environment(colour, sampled(texPlace.st / texPlace.q));
#else
  colour = environment(colour, sampled(texPlace.st));
#endif
#endif
#if FOG
  float f;
#if FOG == 1
  f = (fog[1].y - fogDistance) * fog[1].w;
#elif FOG == 2
  f = exp(-fog[1].z * fogDistance);
#else
  f = exp(-(fog[1].z * fogDistance) * (fog[1].z * fogDistance));
#endif
  colour.rgb = mix(fog[0].rgb, colour.rgb, clamp(f, 0.0, 1.0));
#endif
#if ALPHA_TEST == 0
  discard;
#elif ALPHA_TEST == 1
  if (!(colour.a < alpha.x)) discard;
#elif ALPHA_TEST == 2
  if (!(colour.a == alpha.x)) discard;
#elif ALPHA_TEST == 3
  if (!(colour.a <= alpha.x)) discard;
#elif ALPHA_TEST == 4
  if (!(colour.a > alpha.x)) discard;
#elif ALPHA_TEST == 5
  if (!(colour.a != alpha.x)) discard;
#elif ALPHA_TEST == 6
  if (!(colour.a >= alpha.x)) discard;
#endif
  gl_FragColor = colour;
}
)";

std::string define(const char* name, std::uint32_t value) {
  return std::string("#define ") + name + " " + std::to_string(value) + "\n";
}

// A clip plane that is off takes every distance: -1e30 is below none.
std::string clipBounds(std::uint32_t planes) {
  std::string low = "vec4(", high = "vec4(";
  for (int i = 0; i < 8; ++i) {
    std::string& to = i < 4 ? low : high;
    to += (planes & (1u << i)) ? "0.0" : "-1.0e30";
    to += i % 4 == 3 ? ")" : ", ";
  }
  return "#define CLIP_LOW " + low + "\n#define CLIP_HIGH " + high + "\n";
}

std::string lightCalls(const Key& key) {
  std::string calls;
  const auto flag = [](std::uint32_t bits, std::uint32_t i) {
    return (bits >> i) & 1 ? std::string("true") : std::string("false");
  };
  const std::uint32_t positional = get(key, keys::positional), spot = get(key, keys::spot),
                      attenuated = get(key, keys::attenuated);
  for (std::uint32_t i = 0; i < get(key, keys::lights); ++i) {
    calls += "  col = light(" + std::to_string(i) + ", " + flag(positional, i) + ", " +
             flag(spot, i) + ", " + flag(attenuated, i) + ", n, eye, sign, f + " +
             std::to_string(5 + 3 * i) + ", vertexColour, col, shininess);\n";
  }
  return calls;
}

std::string definesOf(const Key& key) {
  const std::uint32_t texture = get(key, keys::texture);
  const std::uint32_t gen = get(key, keys::texGen);
  const std::uint32_t faces = get(key, keys::colourMaterialFaces);
  std::string d;
  d += define("LIGHTING", get(key, keys::lighting));
  d += define("LIGHTS", get(key, keys::lights) > 0 ? get(key, keys::lights) : 1);
  d += define("MATERIALS", batchMaterials);
  d += define("TWO_SIDE", get(key, keys::twoSideColour));
  d += define("BACK_FACE", get(key, keys::backFace));
  d += define("LOCAL_VIEWER", get(key, keys::localViewer));
  const std::uint32_t lights = get(key, keys::lights);
  d += define("FACE_VECTORS", std::uint32_t(faceVectors(int(lights))));
  d += define("SLOT_VECTORS",
              std::uint32_t(faceVectors(int(lights)) * (get(key, keys::twoSide) ? 2 : 1)));
  // Colour material, in the face each lighting pass lights: the front
  // face's pass is the first.
  const std::uint32_t mode = get(key, keys::colourMaterial);
  d += std::string("#define COLOUR_FRONT ") + (mode != 0 && (faces & 1) ? "true" : "false") + "\n";
  d += std::string("#define COLOUR_BACK ") + (mode != 0 && (faces & 2) ? "true" : "false") + "\n";
  d += define("COLOUR_EMISSION_MODE", mode == 1);
  d += define("COLOUR_AMBIENT_MODE", mode == 2 || mode == 5);
  d += define("COLOUR_DIFFUSE_MODE", mode == 3 || mode == 5);
  d += define("COLOUR_SPECULAR_MODE", mode == 4);
  d += define("NORMALIZE", get(key, keys::normals) == 1);
  d += define("RESCALE", get(key, keys::normals) == 2);
  d += define("CONSTANT_TEXEL", texture == 1);
  d += define("TEXTURED", texture >= 2);
  d += define("TEX_GEN", gen != 0);
  d += define("SPHERE_MAP", (gen & 3) == 3 || ((gen >> 2) & 3) == 3);
  d += define("GEN_S", gen & 3);
  d += define("GEN_T", (gen >> 2) & 3);
  d += define("GEN_R", (gen >> 4) & 3);
  d += define("GEN_Q", (gen >> 6) & 3);
  d += define("TEXTURE_MATRIX", get(key, keys::textureMatrix));
  d += define("FOG", get(key, keys::fog));
  d += define("ALPHA_TEST", get(key, keys::alphaTest));
  d += define("CLIP_PLANES", get(key, keys::clipPlanes) != 0);
  d += clipBounds(get(key, keys::clipPlanes));
  d += define("POLYGON_STIPPLE", get(key, keys::polygonStipple));
  d += define("FLAT", get(key, keys::flat));
  d += define("GIVEN_CLIP", get(key, keys::givenClip));
  d += define("PROJECTIVE", get(key, keys::projective));
  d += define("HOMOGENEOUS", get(key, keys::homogeneous));
  d += define("FORMAT", get(key, keys::textureFormat));
  d += define("ENV", get(key, keys::textureEnv));
  d += define("LOD", get(key, keys::levelOfDetail));
  d += define("IMAGE", get(key, keys::image));
  return d;
}

bool contextLost() {
  return emscripten_is_webgl_context_lost(emscripten_webgl_get_current_context());
}

std::string withLightCalls(const char* source, const Key& key) {
  std::string s = source;
  const std::string mark = "LIGHT_CALLS";
  s.replace(s.find(mark), mark.size(), lightCalls(key));
  return s;
}

// Compiles one stage; false, and WebGL's log said, where it will not.
bool compile(GLuint shader, const std::string& defines, const std::string& body) {
  const char* parts[] = {defines.c_str(), commonSource, body.c_str()};
  emscripten_glShaderSource(shader, 3, parts, nullptr);
  emscripten_glCompileShader(shader);
  GLint ok = 0;
  emscripten_glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok || contextLost()) return true;
  char log[1024] = "";
  emscripten_glGetShaderInfoLog(shader, sizeof log, nullptr, log);
  std::fprintf(stderr, "marblechess: WebGL will not compile the stand-in's shader: %s\n", log);
  return false;
}

}  // namespace

Program makeProgram(Key key) {
  const std::string defines = definesOf(key);
  Program p;
  p.program = emscripten_glCreateProgram();
  const GLuint vertex = emscripten_glCreateShader(GL_VERTEX_SHADER);
  const GLuint fragment = emscripten_glCreateShader(GL_FRAGMENT_SHADER);
  bool ok = compile(vertex, defines, withLightCalls(vertexShader, key));
  // The level of detail is worked out from the derivatives.
  const std::string extension =
      get(key, keys::levelOfDetail) ? "#extension GL_OES_standard_derivatives : enable\n" : "";
  ok = compile(fragment, defines + extension + "precision highp float;\n", fragmentShader) && ok;
  emscripten_glAttachShader(p.program, vertex);
  emscripten_glAttachShader(p.program, fragment);
  const char* names[] = {"position", "normal",    "texCoord",      "colour",
                         "slot",     "positionW", "shadePosition", "clipPosition"};
  for (GLuint i = 0; i < 8; ++i) emscripten_glBindAttribLocation(p.program, i, names[i]);
  emscripten_glLinkProgram(p.program);
  emscripten_glDeleteShader(vertex);
  emscripten_glDeleteShader(fragment);
  GLint linked = 0;
  emscripten_glGetProgramiv(p.program, GL_LINK_STATUS, &linked);
  if (ok && !linked && !contextLost()) {
    char log[1024] = "";
    emscripten_glGetProgramInfoLog(p.program, sizeof log, nullptr, log);
    std::fprintf(stderr, "marblechess: WebGL will not link the stand-in's program: %s\n", log);
    ok = false;
  }
  if (!ok) refuse("a draw", "the program WebGL refuses");
  const auto location = [&](const char* name) {
    return emscripten_glGetUniformLocation(p.program, name);
  };
  p.uniforms = {location("transforms"),   location("normalMatrix"), location("textureMatrix"),
                location("materials"),    location("lights"),       location("modelAmbient"),
                location("texGenPlanes"), location("clipPlanes"),   location("fog"),
                location("alpha"),        location("viewport"),     location("texturing"),
                location("texel")};
  emscripten_glUseProgram(p.program);
  emscripten_glUniform1i(location("image"), 0);
  emscripten_glUniform1i(location("stipple"), 1);
  return p;
}

}  // namespace standin
