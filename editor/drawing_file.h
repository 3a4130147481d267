// The drawing file: one record per shape, oldest first. A record is a type word ("Square",
// "Circle", "Triangle", "Rect", "Oval"), each field after five spaces, and a line end. Readers
// take any run of whitespace as a separator (record_reader.h).
#pragma once

#include <string>

#include "record_reader.h"
#include "record_writer.h"

class ShapeList;

// The line dialog asking for a file name; "" if the user gave none.
std::string askFileName(const char* prompt);
// The error dialog of a file that cannot be read or written, until the user presses Enter.
void showOpenError();

// Writes the drawing to `path` through writeFileSafely: on failure `path` is left as it was and
// false is returned; an existing file stays the same file (links, owner, permissions).
bool writeDrawingFile(const std::string& path, const ShapeList& shapes);
