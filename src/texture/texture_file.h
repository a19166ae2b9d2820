#pragma once

#include <string>

// The copy of the texture installed with the program, found relative to
// the program's own folder so that an installed tree can be moved, and a
// program run from its build tree never finds one. In UTF-8; empty when the
// program cannot tell where it is.
std::string bundledTextureFile();

// The file the board's texture is read from: the working directory's
// marmor.bmp when there is one, else the bundled copy when it opens, else
// the working directory's name again, so the message names what is missing.
std::string textureFile();
