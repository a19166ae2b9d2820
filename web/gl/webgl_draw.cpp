#include "gl/webgl_draw.h"

#include <webgl/webgl1.h>

#include <cstddef>
#include <cstdio>

namespace {

// A horizontal edge through a row of pixel centres is given to the rows on
// opposite sides by the desktop's renderer and by WebGL's, which draws the
// page's canvas upside down; lifting every vertex by 1/256 of a pixel
// settles such ties as the desktop does and moves nothing else.
const char vertexShader[] = R"(
attribute vec4 clip;
attribute vec4 colour;
attribute vec2 texCoord;
varying vec4 litColour;
varying vec2 texPlace;
void main() {
  gl_Position = clip + vec4(0.0, clip.w / (256.0 * 300.0), 0.0, 0.0);
  litColour = colour;
  texPlace = texCoord;
}
)";

// The repeat and the linear filter are done here, on texels fetched one by
// one, since WebGL 1 does neither for sizes that are not powers of two. The
// filtered texel is rounded to 8 bits before it modulates the colour, as
// the desktop's renderer does.
const char fragmentShader[] = R"(
precision highp float;
uniform sampler2D image;
uniform vec2 size;
uniform bool textured;
varying vec4 litColour;
varying vec2 texPlace;
vec4 texel(vec2 i) {
  return texture2D(image, (mod(i, size) + 0.5) / size);
}
void main() {
  if (!textured) {
    gl_FragColor = litColour;
    return;
  }
  vec2 u = texPlace * size - 0.5;
  vec2 i = floor(u);
  vec2 f = u - i;
  vec4 t = mix(mix(texel(i), texel(i + vec2(1.0, 0.0)), f.x),
               mix(texel(i + vec2(0.0, 1.0)), texel(i + vec2(1.0, 1.0)), f.x), f.y);
  t = floor(t * 255.0 + 0.5) / 255.0;
  gl_FragColor = vec4(litColour.rgb * t.rgb, litColour.a);
}
)";

enum Attribute : GLuint { clipAttribute, colourAttribute, texCoordAttribute };

struct Program {
  GLuint program = 0;
  GLuint buffer = 0;
  GLint size = -1;
  GLint textured = -1;
};

GLuint compile(GLenum type, const char* source) {
  const GLuint shader = emscripten_glCreateShader(type);
  emscripten_glShaderSource(shader, 1, &source, nullptr);
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

const Program& program() {
  static Program p;
  if (p.program != 0) return p;
  p.program = emscripten_glCreateProgram();
  emscripten_glAttachShader(p.program, compile(GL_VERTEX_SHADER, vertexShader));
  emscripten_glAttachShader(p.program, compile(GL_FRAGMENT_SHADER, fragmentShader));
  emscripten_glBindAttribLocation(p.program, clipAttribute, "clip");
  emscripten_glBindAttribLocation(p.program, colourAttribute, "colour");
  emscripten_glBindAttribLocation(p.program, texCoordAttribute, "texCoord");
  emscripten_glLinkProgram(p.program);
  emscripten_glUseProgram(p.program);
  emscripten_glUniform1i(emscripten_glGetUniformLocation(p.program, "image"), 0);
  p.size = emscripten_glGetUniformLocation(p.program, "size");
  p.textured = emscripten_glGetUniformLocation(p.program, "textured");
  emscripten_glGenBuffers(1, &p.buffer);
  emscripten_glBindBuffer(GL_ARRAY_BUFFER, p.buffer);
  const auto attribute = [](GLuint index, GLint count, std::size_t offset) {
    emscripten_glEnableVertexAttribArray(index);
    emscripten_glVertexAttribPointer(index, count, GL_FLOAT, GL_FALSE, sizeof(DrawnVertex),
                                     reinterpret_cast<const void*>(offset));
  };
  attribute(clipAttribute, 4, offsetof(DrawnVertex, clip));
  attribute(colourAttribute, 4, offsetof(DrawnVertex, colour));
  attribute(texCoordAttribute, 2, offsetof(DrawnVertex, texCoord));
  return p;
}

}  // namespace

void drawVertices(GLenum mode, const std::vector<DrawnVertex>& vertices,
                  const Texturing& texturing) {
  const Program& p = program();
  emscripten_glUniform1i(p.textured, texturing.texture != 0);
  if (texturing.texture != 0) {
    emscripten_glBindTexture(GL_TEXTURE_2D, texturing.texture);
    emscripten_glUniform2f(p.size, static_cast<float>(texturing.width),
                           static_cast<float>(texturing.height));
  }
  emscripten_glBufferData(GL_ARRAY_BUFFER,
                          static_cast<GLsizeiptr>(vertices.size() * sizeof(DrawnVertex)),
                          vertices.data(), GL_STREAM_DRAW);
  emscripten_glDrawArrays(mode, 0, static_cast<GLsizei>(vertices.size()));
}

void uploadTexture(GLsizei width, GLsizei height, const void* pixels) {
  emscripten_glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                          pixels);
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}
