// One drawing-file record as text: the type word, each field after five spaces, a line end.
#pragma once

#include <cstddef>
#include <string_view>

#include "shape.h"
#include "shape_types.h"

// The most one field takes: five spaces and an int with its sign.
inline constexpr std::size_t kLongestField = 5 + 11;
// The most a record takes: the longest type word, six fields and the line end.
inline constexpr std::size_t kLongestRecord =
    kLongestTypeWord + kMaxRecordFields * kLongestField + 1;

// Writes five spaces and `value` in plain decimal (a minus sign for negative values, no plus
// sign, no leading zeros) at `at`, which has room for kLongestField; returns the end.
char* formatField(char* at, int value);
// Writes the record of `shape` to `out`, which has room for kLongestRecord characters; returns
// the number written.
std::size_t formatRecord(char* out, const Shape& shape);
