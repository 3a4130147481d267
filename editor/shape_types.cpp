#include "shape_types.h"

#include <cstdlib>
#include <type_traits>

#include "one_point_shapes.h"
#include "palette.h"
#include "two_point_shapes.h"

namespace {

// Shapes given by two corners have the constructor (x1, y1, x2, y2, colour, lineWidth); those
// given by their centre (x, y, colour, lineWidth).
template <typename T>
constexpr int kClicks = std::is_constructible_v<T, int, int, int, int, int, int> ? 2 : 1;

// A shape of kind T from a record's numbers, handed to its constructor in record order.
template <typename T>
Shape* fromFields(const RecordFields& f) {
  if constexpr (kClicks<T> == 2) {
    return new T(f[0], f[1], f[2], f[3], f[4], f[5]);
  } else {
    return new T(f[0], f[1], f[2], f[3]);
  }
}

template <typename T>
constexpr ShapeType row(std::string_view word, int tool) {
  return {word, kClicks<T>, tool, &fromFields<T>, &T::drawButton};
}

constexpr ShapeType kShapeTypes[] = {
    row<Square>("Square", ToolSquare), row<Triangle>("Triangle", ToolTriangle),
    row<Circle>("Circle", ToolCircle), row<Rect>("Rect", ToolRect),
    row<Oval>("Oval", ToolOval),
};

// The row of kind T, found by its factory once.
template <typename T>
const ShapeType& rowOf() {
  static const ShapeType& row = []() -> const ShapeType& {
    for (const ShapeType& type : kShapeTypes) {
      if (type.make == &fromFields<T>) return type;
    }
    std::abort();  // a shape class without a row in kShapeTypes
  }();
  return row;
}

constexpr bool wordsFit() {
  for (const ShapeType& type : kShapeTypes) {
    if (type.word.size() > kLongestTypeWord || type.fieldCount() > kMaxRecordFields) return false;
  }
  return true;
}
static_assert(wordsFit(), "kLongestTypeWord or kMaxRecordFields is too small for a row");

}  // namespace

std::span<const ShapeType> shapeTypes() {
  return kShapeTypes;
}

const ShapeType* shapeTypeNamed(std::string_view word) {
  for (const ShapeType& type : kShapeTypes) {
    if (type.word == word) return &type;
  }
  return nullptr;
}

const ShapeType* shapeTypeOfTool(int tool) {
  for (const ShapeType& type : kShapeTypes) {
    if (type.tool == tool) return &type;
  }
  return nullptr;
}

const ShapeType& Square::type() const {
  return rowOf<Square>();
}
const ShapeType& Triangle::type() const {
  return rowOf<Triangle>();
}
const ShapeType& Circle::type() const {
  return rowOf<Circle>();
}
const ShapeType& Rect::type() const {
  return rowOf<Rect>();
}
const ShapeType& Oval::type() const {
  return rowOf<Oval>();
}
