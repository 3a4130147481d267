// The kinds of shape, one row each: the drawing-file reader and writer, the factories behind the
// tool buttons and the palette all work from this table, so a new kind of shape is a new class
// and a new row.
#pragma once

#include <span>
#include <string_view>

#include "shape.h"

class Display;

struct ShapeType {
  // The first word of its records, matched case and all.
  std::string_view word;
  // Clicks that place one: 1 (its centre) or 2 (two opposite corners). Its record holds two
  // numbers per click, then colour and line width.
  int clicks;
  // The palette button that makes it.
  int tool;
  // A new shape on the heap from a record's numbers, in record order.
  Shape* (*make)(const RecordFields& fields);
  // The button's pictogram, black, around the button's centre.
  void (*drawButton)(Display& display, int cx, int cy);

  constexpr int fieldCount() const { return 2 * clicks + 2; }
};

std::span<const ShapeType> shapeTypes();
// The row of this type word, or nullptr.
const ShapeType* shapeTypeNamed(std::string_view word);
// The row whose button is `tool`, or nullptr.
const ShapeType* shapeTypeOfTool(int tool);
// The longest type word: a longer word is none.
inline constexpr std::size_t kLongestTypeWord = 8;
