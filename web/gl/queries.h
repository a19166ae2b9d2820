#pragma once

#include <GL/gl.h>

namespace standin {

// The largest width and height WebGL takes for a texture's image.
GLint maxTextureSize();

}  // namespace standin
