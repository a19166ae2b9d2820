/* The shape code's GL 2.0 path, which needs a GLUT window with attribute
 * locations, is never taken here; its buffer calls report themselves. */
#ifndef MARBLECHESS_FG_GL2_H
#define MARBLECHESS_FG_GL2_H

#include "fg_internal.h"

#define FGH_ARRAY_BUFFER 0x8892
#define FGH_STATIC_DRAW 0x88E4
#define FGH_ELEMENT_ARRAY_BUFFER 0x8893

void fghUnavailable(const char* call);
#define fghGenBuffers(...) fghUnavailable("glGenBuffers")
#define fghDeleteBuffers(...) fghUnavailable("glDeleteBuffers")
#define fghBindBuffer(...) fghUnavailable("glBindBuffer")
#define fghBufferData(...) fghUnavailable("glBufferData")
#define fghEnableVertexAttribArray(...) fghUnavailable("glEnableVertexAttribArray")
#define fghDisableVertexAttribArray(...) fghUnavailable("glDisableVertexAttribArray")
#define fghVertexAttribPointer(...) fghUnavailable("glVertexAttribPointer")

#endif
