#pragma once

// A GL call or value the browser's stand-in does not implement is said
// once, on standard error, and from then on nothing more is drawn: a
// scene drawn wrong in silence would be worse than none.
void unsupported(const char* call, unsigned value);
bool drawingStopped();
