// New shapes from clicks, handed to the list, which owns them from then on.
#pragma once

class ShapeList;

// ToolSquare, ToolTriangle or ToolCircle: a shape centred on (x, y). Other tools add nothing.
void addOnePointShape(int x, int y, int tool, int colour, int lineWidth, ShapeList& shapes);
// ToolRect or ToolOval: the corners as clicked, in click order. Other tools add nothing.
void addTwoPointShape(int x1, int y1, int x2, int y2, int colour, int lineWidth, int tool,
                      ShapeList& shapes);
