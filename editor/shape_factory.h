// New shapes from clicks, handed to the list, which owns them from then on.
#pragma once

class ShapeList;

// A tool whose shape is placed with one click: a shape centred on (x, y). Other tools add
// nothing.
void addOnePointShape(int x, int y, int tool, int colour, int lineWidth, ShapeList& shapes);
// A tool whose shape is placed with two clicks: the corners as clicked, in click order. Other
// tools add nothing.
void addTwoPointShape(int x1, int y1, int x2, int y2, int colour, int lineWidth, int tool,
                      ShapeList& shapes);
