// GLUT's solid shapes, each made once for its sizes as a display list of
// the stand-in's own and called from then on, as some GLUTs keep them: a
// program that draws the same shapes every frame, as this one does, hands
// the stand-in their vertices once, and the stand-in keeps them in WebGL.
// The lists are outside GL's names, so a program's own lists never meet
// them. A shape drawn while the program makes a list of its own goes into
// that list, as on the desktop. The shapes are freeglut's own, drawn
// through client arrays as it draws them; its functions are built here
// under other names (web/CMakeLists.txt). After a shape the vertex and
// normal arrays are off, as freeglut leaves them.

#include <GL/freeglut.h>

#include <functional>
#include <list>
#include <memory>
#include <tuple>
#include <utility>

#include "gl/lists.h"

extern "C" {
void freeglutSolidSphere(double radius, GLint slices, GLint stacks);
void freeglutSolidCone(double base, double height, GLint slices, GLint stacks);
void freeglutSolidCylinder(double radius, double height, GLint slices, GLint stacks);
void freeglutSolidTorus(double innerRadius, double outerRadius, GLint sides, GLint rings);
}

namespace {

using standin::lists::List;

// A shape and its sizes.
using Shape = std::tuple<int, double, double, GLint, GLint>;

// The lists made, the one used last first; the longest unused goes when
// there are more than these.
constexpr std::size_t keptShapes = 32;
std::list<std::pair<Shape, std::shared_ptr<List>>> made;

void draw(const Shape& shape, const std::function<void()>& makeShape) {
  if (standin::lists::mode() != 0) return makeShape();
  auto found = made.begin();
  while (found != made.end() && found->first != shape) ++found;
  if (found != made.end()) {
    made.splice(made.begin(), made, found);
  } else {
    auto list = std::make_shared<List>();
    standin::lists::makePrivate(list);
    makeShape();
    standin::lists::endPrivate();
    made.emplace_front(shape, list);
    if (made.size() > keptShapes) made.pop_back();
  }
  standin::lists::call(*made.front().second);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
}

enum Kind { sphere, cone, cylinder, torus };

}  // namespace

extern "C" {

void glutSolidSphere(double radius, GLint slices, GLint stacks) {
  draw({sphere, radius, 0, slices, stacks}, [&] { freeglutSolidSphere(radius, slices, stacks); });
}

void glutSolidCone(double base, double height, GLint slices, GLint stacks) {
  draw({cone, base, height, slices, stacks},
       [&] { freeglutSolidCone(base, height, slices, stacks); });
}

void glutSolidCylinder(double radius, double height, GLint slices, GLint stacks) {
  draw({cylinder, radius, height, slices, stacks},
       [&] { freeglutSolidCylinder(radius, height, slices, stacks); });
}

void glutSolidTorus(double innerRadius, double outerRadius, GLint sides, GLint rings) {
  draw({torus, innerRadius, outerRadius, sides, rings},
       [&] { freeglutSolidTorus(innerRadius, outerRadius, sides, rings); });
}

}  // extern "C"
