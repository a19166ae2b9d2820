// The matrix calls: three stacks, modelview, projection and texture, each
// as deep as Mesa makes it, their top multiplied on the right as GL does.

#include "gl/checks.h"
#include "gl/lists.h"
#include "gl/state.h"

using namespace standin;

namespace {

std::vector<Mat4>& currentStack() {
  switch (gl.transform.matrixMode) {
    case GL_PROJECTION:
      return gl.projection;
    case GL_TEXTURE:
      return gl.textureMatrix;
    default:
      return gl.modelview;
  }
}

std::size_t currentDepth() {
  switch (gl.transform.matrixMode) {
    case GL_PROJECTION:
      return projectionStackDepth;
    case GL_TEXTURE:
      return textureStackDepth;
    default:
      return modelviewStackDepth;
  }
}

void multiplyNow(const Mat4& m) {
  if (!outsideBeginEnd()) return;
  Mat4& top = currentStack().back();
  top = matrices::multiply(top, m);
  stateChanged();
}

void multiplyCurrent(const Mat4& m) {
  perform([m] { multiplyNow(m); });
}

void loadCurrent(const Mat4& m) {
  perform([m] {
    if (!outsideBeginEnd()) return;
    currentStack().back() = m;
    stateChanged();
  });
}

template <typename T>
Mat4 matrixOf(const T* values) {
  Mat4 m;
  for (int i = 0; i < 16; ++i) m.m[i] = float(values[i]);
  return m;
}

// glFrustum and glOrtho, their values checked as they run.
void frustumOrOrtho(bool frustum, double l, double r, double b, double t, double n, double f) {
  perform([=] {
    if (!outsideBeginEnd()) return;
    if (!validValue(l != r && b != t && n != f && (!frustum || (n > 0 && f > 0)))) return;
    const auto make = frustum ? matrices::frustum : matrices::ortho;
    multiplyNow(make(float(l), float(r), float(b), float(t), float(n), float(f)));
  });
}

}  // namespace

extern "C" {

void glMatrixMode(GLenum mode) {
  perform([mode] {
    if (!outsideBeginEnd() || !knownEnum(mode, {GL_MODELVIEW, GL_PROJECTION, GL_TEXTURE})) return;
    gl.transform.matrixMode = mode;
  });
}

void glLoadIdentity() {
  loadCurrent(Mat4{});
}

void glLoadMatrixf(const GLfloat* m) {
  loadCurrent(matrixOf(m));
}

void glLoadMatrixd(const GLdouble* m) {
  loadCurrent(matrixOf(m));
}

void glMultMatrixf(const GLfloat* m) {
  multiplyCurrent(matrixOf(m));
}

void glMultMatrixd(const GLdouble* m) {
  multiplyCurrent(matrixOf(m));
}

void glPushMatrix() {
  perform([] {
    if (!outsideBeginEnd()) return;
    auto& stack = currentStack();
    if (stack.size() == currentDepth()) return setError(GL_STACK_OVERFLOW);
    stack.push_back(stack.back());
  });
}

void glPopMatrix() {
  perform([] {
    if (!outsideBeginEnd()) return;
    auto& stack = currentStack();
    if (stack.size() == 1) return setError(GL_STACK_UNDERFLOW);
    stack.pop_back();
    stateChanged();
  });
}

void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearVal,
               GLdouble farVal) {
  frustumOrOrtho(true, left, right, bottom, top, nearVal, farVal);
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearVal,
             GLdouble farVal) {
  frustumOrOrtho(false, left, right, bottom, top, nearVal, farVal);
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  multiplyCurrent(matrices::translation(x, y, z));
}

void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
  multiplyCurrent(matrices::translation(float(x), float(y), float(z)));
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  multiplyCurrent(matrices::rotation(angle, x, y, z));
}

void glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z) {
  multiplyCurrent(matrices::rotation(float(angle), float(x), float(y), float(z)));
}

void glScalef(GLfloat x, GLfloat y, GLfloat z) {
  multiplyCurrent(matrices::scaling(x, y, z));
}

void glScaled(GLdouble x, GLdouble y, GLdouble z) {
  multiplyCurrent(matrices::scaling(float(x), float(y), float(z)));
}

// A clip plane is kept in eye coordinates, taken there by the inverse of
// the modelview matrix as it is when the plane is given.
void glClipPlane(GLenum plane, const GLdouble* equation) {
  const Vec4 e{float(equation[0]), float(equation[1]), float(equation[2]), float(equation[3])};
  perform([plane, e] {
    if (!outsideBeginEnd()) return;
    if (!knownEnum(plane >= GL_CLIP_PLANE0 && plane < GL_CLIP_PLANE0 + clipPlaneCount)) return;
    gl.transform.clipPlanes[plane - GL_CLIP_PLANE0] =
        matrices::planeTimes(e, matrices::inverse(gl.modelview.back()));
    stateChanged();
  });
}

}  // extern "C"
