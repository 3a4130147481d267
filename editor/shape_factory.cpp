#include "shape_factory.h"

#include "shape_list.h"
#include "shape_types.h"

namespace {

// The row of `tool` if it makes shapes placed with `clicks` clicks.
const ShapeType* typeFor(int tool, int clicks) {
  const ShapeType* type = shapeTypeOfTool(tool);
  return type != nullptr && type->clicks == clicks ? type : nullptr;
}

}  // namespace

void addOnePointShape(int x, int y, int tool, int colour, int lineWidth, ShapeList& shapes) {
  if (const ShapeType* type = typeFor(tool, 1)) {
    shapes.add(type->make({x, y, colour, lineWidth}));
  }
}

void addTwoPointShape(int x1, int y1, int x2, int y2, int colour, int lineWidth, int tool,
                      ShapeList& shapes) {
  if (const ShapeType* type = typeFor(tool, 2)) {
    shapes.add(type->make({x1, y1, x2, y2, colour, lineWidth}));
  }
}
