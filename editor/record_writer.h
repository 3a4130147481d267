// Writing drawing-file records: one line per shape, oldest first, formatted into one buffer
// that goes to the stream in large writes.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <iosfwd>
#include <string>

class ShapeList;

// Writes the record of every shape of `shapes` to `out`. False if the stream reported an error.
bool writeRecords(std::FILE* out, const ShapeList& shapes);

// The records of every shape of `shapes`, as writeRecords writes them.
std::string formatRecords(const ShapeList& shapes);

// One record of `typeWord` with these fields, for writing drawings by hand (tests, tools).
void writeRecord(std::ostream& out, const char* typeWord, std::initializer_list<int> fields);
