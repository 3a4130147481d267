// Reading drawing-file records: words separated by any run of whitespace (space, tab, line
// feed, carriage return, vertical tab, form feed). A type word is followed by its record's
// numbers, each an optional sign and decimal digits that must fit in 32 bits; a number ends
// where its digits end, and what follows starts the next word. Other words are skipped. A
// record cut short or holding a field that is no such number ends the reading; that record is
// dropped.
//
// The input is read in fixed-size chunks and parsed where it lies, without an allocation per
// record, so a drawing loads at about the speed the disk delivers it.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <iosfwd>

class ShapeList;

// Fills `buffer` with up to `size` bytes of input; returns how many, 0 at the end (or on a
// read error, which ends the input there).
using ReadChunk = std::function<std::size_t(char* buffer, std::size_t size)>;

// Adds the shapes of every complete record to `shapes`, in input order. Returns how many.
int readRecords(const ReadChunk& read, ShapeList& shapes);
int readRecords(std::FILE* in, ShapeList& shapes);
int readRecords(std::istream& in, ShapeList& shapes);
