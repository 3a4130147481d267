#include "shape_factory.h"

#include "one_point_shapes.h"
#include "palette.h"
#include "shape_list.h"
#include "two_point_shapes.h"

void addOnePointShape(int x, int y, int tool, int colour, int lineWidth, ShapeList& shapes) {
  switch (tool) {
    case ToolSquare:
      shapes.add(new Square(x, y, colour, lineWidth));
      break;
    case ToolTriangle:
      shapes.add(new Triangle(x, y, colour, lineWidth));
      break;
    case ToolCircle:
      shapes.add(new Circle(x, y, colour, lineWidth));
      break;
    default:
      break;
  }
}

void addTwoPointShape(int x1, int y1, int x2, int y2, int colour, int lineWidth, int tool,
                      ShapeList& shapes) {
  switch (tool) {
    case ToolRect:
      shapes.add(new Rect(x1, y1, x2, y2, colour, lineWidth));
      break;
    case ToolOval:
      shapes.add(new Oval(x1, y1, x2, y2, colour, lineWidth));
      break;
    default:
      break;
  }
}
