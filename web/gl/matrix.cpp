// The matrix calls: two stacks, modelview and projection, multiplied on
// the right as GL does.

#include "gl/state.h"
#include "gl/unsupported.h"

using namespace standin;

namespace {

std::vector<Mat4>& currentStack() {
  return gl.matrixMode == GL_PROJECTION ? gl.projection : gl.modelview;
}

void multiplyCurrent(const char* call, const Mat4& m) {
  if (!changesStateNow(call)) return;
  Mat4& top = currentStack().back();
  top = matrices::multiply(top, m);
  stateChanged();
}

}  // namespace

extern "C" {

void glMatrixMode(GLenum mode) {
  if (!changesStateNow("glMatrixMode")) return;
  if (mode != GL_MODELVIEW && mode != GL_PROJECTION) return unsupported("glMatrixMode", mode);
  gl.matrixMode = mode;
}

void glLoadIdentity() {
  if (!changesStateNow("glLoadIdentity")) return;
  currentStack().back() = Mat4{};
  stateChanged();
}

void glPushMatrix() {
  if (!changesStateNow("glPushMatrix")) return;
  auto& stack = currentStack();
  if (stack.size() == matrixStackDepth) return setError(GL_STACK_OVERFLOW);
  stack.push_back(stack.back());
}

void glPopMatrix() {
  if (!changesStateNow("glPopMatrix")) return;
  auto& stack = currentStack();
  if (stack.size() == 1) return setError(GL_STACK_UNDERFLOW);
  stack.pop_back();
  stateChanged();
}

void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearVal,
               GLdouble farVal) {
  if (nearVal <= 0 || farVal <= 0 || left == right || bottom == top || nearVal == farVal) {
    return setError(GL_INVALID_VALUE);
  }
  multiplyCurrent("glFrustum", matrices::frustum(float(left), float(right), float(bottom),
                                                 float(top), float(nearVal), float(farVal)));
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  multiplyCurrent("glTranslatef", matrices::translation(x, y, z));
}

void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
  multiplyCurrent("glTranslated", matrices::translation(float(x), float(y), float(z)));
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  multiplyCurrent("glRotatef", matrices::rotation(angle, x, y, z));
}

void glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z) {
  multiplyCurrent("glRotated", matrices::rotation(float(angle), float(x), float(y), float(z)));
}

void glScalef(GLfloat x, GLfloat y, GLfloat z) {
  multiplyCurrent("glScalef", matrices::scaling(x, y, z));
}

}  // extern "C"
