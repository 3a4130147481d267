// The drawing file: one record per shape, oldest first. A record is a type word ("Square",
// "Circle", "Triangle", "Rect", "Oval"), each field after five spaces, and a line end. Readers
// take any run of whitespace as a separator.
#pragma once

#include <initializer_list>
#include <iosfwd>
#include <string>

class ShapeList;

void writeRecord(std::ostream& out, const char* typeWord, std::initializer_list<int> fields);

// Adds the shapes of every complete record, in file order. Words that are not type words are
// skipped. A record cut short or holding a field that is not a 32-bit integer ends the reading;
// that record is dropped. Returns the number of shapes added.
int readRecords(std::istream& in, ShapeList& shapes);

// Writes the drawing to `path` through writeFileSafely: on failure `path` is left as it was and
// false is returned; an existing file stays the same file (links, owner, permissions).
bool writeDrawingFile(const std::string& path, const ShapeList& shapes);
