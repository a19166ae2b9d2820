#include "gl/shaders.h"

#include <webgl/webgl1.h>

#include <cstdio>
#include <map>
#include <string>

#include "gl/draw_state.h"

namespace standin {

namespace {

// OpenGL 1.1's vertex stage for one light: the position through the
// combined modelview-projection matrix, as Mesa's generated programs do;
// the light's place, the attenuation and the spot; the highlight only
// where the diffuse light reaches, with the viewer at infinity; the sum
// clamped. A horizontal edge through a row of pixel centres is given to the
// rows on opposite sides by the desktop's renderer and by WebGL's, which
// draws the canvas upside down; lifting every vertex by 1/256 of a pixel
// settles such ties as the desktop does. The uniforms come in arrays, one
// for each group a draw changes together (draw_state.h says what each
// holds), so that a change of material is one call to WebGL.
const char vertexShader[] = R"(
attribute vec3 position;
attribute vec3 normal;
attribute vec2 texCoord;
attribute vec4 colour;
attribute float slot;  // which of the draw's materials is the vertex's
uniform mat4 transforms[2];
uniform float lift;
varying vec4 litColour;
varying vec2 texPlace;
#if LIGHTING
uniform mat3 normalMatrix;
uniform vec4 material[32];
uniform vec4 light[3];
#endif
#if CONSTANT_TEXEL
uniform vec4 texel;
#endif
#if GENERATE_S || GENERATE_T
uniform vec4 planes[2];
#endif

void main() {
  vec4 object = vec4(position, 1.0);
  gl_Position = transforms[0] * object;
  gl_Position.y += gl_Position.w * lift;
#if LIGHTING
  int m = int(slot) * 4;
  vec3 n = normalMatrix * normal;
#if NORMALIZING
  n = normalize(n);
#endif
  vec3 sum = material[m].rgb;
#if LIGHT_ZERO
#if POSITIONAL_LIGHT
  vec3 toLight = light[0].xyz - (transforms[1] * object).xyz;
  float reach = length(toLight);
  toLight = reach == 0.0 ? toLight : toLight / reach;
  vec3 attenuation = light[1].xyz;
  float factor = 1.0 / (attenuation.x + attenuation.y * reach + attenuation.z * reach * reach);
#else
  vec3 toLight = normalize(light[0].xyz);
  float factor = 1.0;
#endif
#if SPOT_LIGHT
  float along = dot(-toLight, light[2].xyz);
#if SPOT_EXPONENT
  factor *= along < light[0].w ? 0.0 : pow(max(along, 0.0), light[2].w);
#else
  factor *= along < light[0].w ? 0.0 : 1.0;
#endif
#endif
  float diffuse = max(dot(n, toLight), 0.0);
#if SHININESS
  float facing = max(dot(n, normalize(toLight + vec3(0.0, 0.0, 1.0))), 0.0);
  float specular = diffuse != 0.0 ? pow(facing, material[m + 3].w) : 0.0;
#else
  float specular = diffuse != 0.0 ? 1.0 : 0.0;
#endif
  sum += factor * (material[m + 1].rgb + diffuse * material[m + 2].rgb +
                   specular * material[m + 3].rgb);
#endif
  litColour = clamp(vec4(sum, material[m].a), 0.0, 1.0);
#else
  litColour = clamp(colour, 0.0, 1.0);
#endif
#if CONSTANT_TEXEL
  litColour.rgb *= texel.rgb;
#endif
#if GENERATE_S
  texPlace.s = dot(planes[0], object);
#else
  texPlace.s = texCoord.s;
#endif
#if GENERATE_T
  texPlace.t = dot(planes[1], object);
#else
  texPlace.t = texCoord.t;
#endif
}
)";

// The repeat and the linear filter are done here, on texels fetched one by
// one, since WebGL 1 does neither for sizes that are not powers of two, and
// by the desktop renderer's rule: the place in texels is rounded to 1/256
// of a texel (a coordinate along a side that is not a power of two wrapped
// into the texture first), the four texels around it are blended by those
// weights, and the texel that comes out is rounded to 8 bits before it
// modulates the colour. textures::filteredTexel filters a draw's one texel
// by the same rule on the CPU; tests/gl/texels.cpp holds the two to the
// same texels.
const char fragmentShader[] = R"(
precision highp float;
varying vec4 litColour;
varying vec2 texPlace;
#if TEXTURING
uniform sampler2D image;
uniform vec4 textureShape;  // the size; 1 where it is not a power of two
vec2 textureSize = textureShape.xy;
vec2 wrapFirst = textureShape.zw;
vec4 texel(vec2 i) {
  return texture2D(image, (mod(i, textureSize) + 0.5) / textureSize);
}
#endif
void main() {
#if TEXTURING
  vec2 place = mix(texPlace, fract(texPlace), wrapFirst);
  vec2 u = floor(place * textureSize * 256.0 + 0.5) - 128.0;
  vec2 i = floor(u / 256.0);
  vec2 w = (u - i * 256.0) / 256.0;
  vec4 t = mix(mix(texel(i), texel(i + vec2(1.0, 0.0)), w.x),
               mix(texel(i + vec2(0.0, 1.0)), texel(i + vec2(1.0, 1.0)), w.x), w.y);
  t = floor(t * 255.0 + 0.5) / 255.0;
  gl_FragColor = vec4(litColour.rgb * t.rgb, litColour.a);
#else
  gl_FragColor = litColour;
#endif
}
)";

std::string definesOf(std::uint32_t features) {
  const std::pair<Feature, const char*> names[] = {
      {lighting, "LIGHTING"},           {lightZero, "LIGHT_ZERO"},
      {normalizing, "NORMALIZING"},     {positionalLight, "POSITIONAL_LIGHT"},
      {spotLight, "SPOT_LIGHT"},        {spotExponent, "SPOT_EXPONENT"},
      {shininess, "SHININESS"},         {generateS, "GENERATE_S"},
      {generateT, "GENERATE_T"},        {texturing, "TEXTURING"},
      {constantTexel, "CONSTANT_TEXEL"}};
  std::string defines;
  for (const auto& [feature, name] : names) {
    defines += std::string("#define ") + name + ((features & feature) ? " 1\n" : " 0\n");
  }
  return defines;
}

GLuint compile(GLenum type, const std::string& defines, const char* body) {
  const GLuint shader = emscripten_glCreateShader(type);
  const char* parts[] = {defines.c_str(), body};
  emscripten_glShaderSource(shader, 2, parts, nullptr);
  emscripten_glCompileShader(shader);
  GLint ok = 0;
  emscripten_glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[1024] = "";
    emscripten_glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::fprintf(stderr, "marblechess: shader: %s\n", log);
  }
  return shader;
}

}  // namespace

Program makeProgram(std::uint32_t features) {
  const std::string defines = definesOf(features);
  Program p;
  p.program = emscripten_glCreateProgram();
  emscripten_glAttachShader(p.program, compile(GL_VERTEX_SHADER, defines, vertexShader));
  emscripten_glAttachShader(p.program, compile(GL_FRAGMENT_SHADER, defines, fragmentShader));
  emscripten_glBindAttribLocation(p.program, positionAttribute, "position");
  emscripten_glBindAttribLocation(p.program, normalAttribute, "normal");
  emscripten_glBindAttribLocation(p.program, texCoordAttribute, "texCoord");
  emscripten_glBindAttribLocation(p.program, colourAttribute, "colour");
  emscripten_glBindAttribLocation(p.program, slotAttribute, "slot");
  emscripten_glLinkProgram(p.program);
  const auto location = [&](const char* name) {
    return emscripten_glGetUniformLocation(p.program, name);
  };
  p.uniforms = {location("transforms"),   location("normalMatrix"), location("material"),
                location("light"),        location("planes"),       location("lift"),
                location("textureShape"), location("texel")};
  emscripten_glUseProgram(p.program);
  emscripten_glUniform1i(location("image"), 0);
  return p;
}

}  // namespace standin
