// Export: the drawing as a picture file to paste or print, PNG or SVG by the name's ending.
#pragma once

#include <zr590/display.h>

class ShapeList;

// Asks for a file name and writes the drawing there: its shapes as they appear, on the white
// drawing area, without the tool column, the colour bar or a selection mark. A name ending in
// ".png" gets the picture's pixels, one ending in ".svg" one element per shape, oldest first;
// any other name, or a file that cannot be written, the error dialog. Returns whether a file
// was written. A PNG leaves the picture drawn without the tools: the caller redraws.
bool exportPicture(Display& display, const ShapeList& shapes);
