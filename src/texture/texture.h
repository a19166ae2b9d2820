#pragma once

// Reads the marble picture (see textureFile) and makes it the
// board's texture, leaving its name in textureId. On failure the loader's
// message is printed and textureId stays 0. Needs a current GL context.
void loadTexture();
