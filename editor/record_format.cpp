#include "record_format.h"

#include <charconv>
#include <cstring>

char* formatField(char* at, int value) {
  std::memcpy(at, "     ", 5);
  return std::to_chars(at + 5, at + kLongestField, value).ptr;
}

std::size_t formatRecord(char* out, const Shape& shape) {
  const ShapeType& type = shape.type();
  const RecordFields fields = shape.fields();
  char* at = out;
  std::memcpy(at, type.word.data(), type.word.size());
  at += type.word.size();
  for (int i = 0; i < type.fieldCount(); ++i) at = formatField(at, fields[i]);
  *at++ = '\n';
  return static_cast<std::size_t>(at - out);
}
