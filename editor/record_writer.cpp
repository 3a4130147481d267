#include "record_writer.h"

#include <memory>
#include <ostream>

#include "record_format.h"
#include "shape_list.h"

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
}  // namespace

bool writeRecords(std::FILE* out, const ShapeList& shapes) {
  std::unique_ptr<char[]> buffer(new char[kBufferSize]);
  std::size_t used = 0;
  bool written = true;
  auto flush = [&] {
    written = written && std::fwrite(buffer.get(), 1, used, out) == used;
    used = 0;
  };
  shapes.forEachOldestFirst([&](const Shape& shape) {
    if (kBufferSize - used < kLongestRecord) flush();
    used += formatRecord(buffer.get() + used, shape);
  });
  flush();
  return written && std::ferror(out) == 0;
}

std::string formatRecords(const ShapeList& shapes) {
  std::string records;
  constexpr std::size_t kTypicalRecord = 40;
  records.reserve(static_cast<std::size_t>(shapes.size()) * kTypicalRecord);
  char record[kLongestRecord];
  shapes.forEachOldestFirst(
      [&](const Shape& shape) { records.append(record, formatRecord(record, shape)); });
  return records;
}

void writeRecord(std::ostream& out, const char* typeWord, std::initializer_list<int> fields) {
  out << typeWord;
  char field[kLongestField];
  for (int value : fields) out.write(field, formatField(field, value) - field);
  out << '\n';
}
