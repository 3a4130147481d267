// The editor's controls, drawn into the drawing area: a column of twelve tool buttons at the
// left edge and a bar of 23 colour cells along the top, and the hit tests that turn a click
// into a region, a tool or a colour.
#pragma once

class Display;
class Shape;

// The buttons of the tool column, counted from the top.
enum Tool : int {
  ToolSquare = 0,
  ToolTriangle = 1,
  ToolCircle = 2,
  ToolRect = 3,
  ToolOval = 4,
  ToolPick = 5,
  ToolMove = 6,
  ToolResize = 7,
  ToolFill = 8,
  ToolDelete = 9,
  ToolLoad = 10,
  ToolSave = 11,
  ToolNone = 12,
};

enum Region : int { ToolColumn = 0, ColourBar = 1, DrawingArea = 2 };

// MOVE, RESIZE and the delete cross are red while a shape is selected, grey otherwise;
// `lineWidth` 0 reads "ON", anything else "OFF".
void drawToolColumn(Display& display, const Shape* selected, int lineWidth);
// The bar of colours 0 to 22 with a red marker over `colour`.
void drawColourBar(Display& display, int colour);

// Frame lines and the marker strip count as drawing area.
Region regionAt(int x, int y);
// For points in the tool column: the button under y (a frame line between two buttons belongs
// to the lower one), or ToolNone.
int toolAt(int x, int y);
// For points in the colour bar: the cell under x (a separator belongs to the cell on its right).
int colourAt(int x, int y);
