#include "gl/state.h"

namespace standin {

State gl;

}  // namespace standin
