#include "drawing_file.h"

#include <zr590/display.h>
#include <zr590/zr590.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>
#include <string_view>
#include <system_error>

#include "one_point_shapes.h"
#include "safe_file_write.h"
#include "shape_list.h"
#include "two_point_shapes.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kSavePrompt = "Enter the name of the file you would like to save to:";
constexpr const char* kLoadPrompt = "Enter the name of the file you would like to open:";
constexpr const char* kErrorPrompt = "Error opening file. Press Enter to continue.";
// What ZR590_gets may store: 255 characters and the terminator.
constexpr int kReplySize = 256;

void showOpenError() {
  char reply[kReplySize] = "";
  ZR590_gets(kErrorPrompt, reply);
}

std::string askFileName(const char* prompt) {
  char name[kReplySize] = "";
  ZR590_gets(prompt, name);
  return name;
}

// The five type words, matched case and all, with the number of fields of their records and
// the constructor the fields go to, in record order.
struct RecordType {
  std::string_view word;
  int fieldCount;
  Shape* (*make)(const int* f);
};

constexpr RecordType kRecordTypes[] = {
    {"Square", 4, [](const int* f) -> Shape* { return new Square(f[0], f[1], f[2], f[3]); }},
    {"Circle", 4, [](const int* f) -> Shape* { return new Circle(f[0], f[1], f[2], f[3]); }},
    {"Triangle", 4, [](const int* f) -> Shape* { return new Triangle(f[0], f[1], f[2], f[3]); }},
    {"Rect", 6,
     [](const int* f) -> Shape* { return new Rect(f[0], f[1], f[2], f[3], f[4], f[5]); }},
    {"Oval", 6,
     [](const int* f) -> Shape* { return new Oval(f[0], f[1], f[2], f[3], f[4], f[5]); }},
};
constexpr int kMaxFields = 6;

const RecordType* recordTypeOf(std::string_view word) {
  for (const RecordType& type : kRecordTypes) {
    if (type.word == word) return &type;
  }
  return nullptr;
}

}  // namespace

void writeRecord(std::ostream& out, const char* typeWord, std::initializer_list<int> fields) {
  out << typeWord;
  for (int field : fields) out << "     " << field;
  // A plain newline rather than a flush per record: the file is only renamed into place
  // once it is complete, so flushing early gains nothing and costs a write per shape.
  out << '\n';
}

int readRecords(std::istream& in, ShapeList& shapes) {
  int added = 0;
  std::string word;
  while (in >> word) {
    const RecordType* type = recordTypeOf(word);
    if (type == nullptr) continue;
    int fields[kMaxFields];
    for (int i = 0; i < type->fieldCount; ++i) {
      if (!(in >> fields[i])) return added;
    }
    shapes.add(type->make(fields));
    ++added;
  }
  return added;
}

bool writeDrawingFile(const std::string& path, const ShapeList& shapes) {
  return writeFileSafely(path, [&shapes](std::FILE* file) {
    // The records are formatted first, then handed over in one write.
    std::ostringstream records;
    shapes.writeAll(records);
    const std::string text = records.str();
    return std::fwrite(text.data(), 1, text.size(), file) == text.size();
  });
}

void ShapeList::save() {
  std::string name = askFileName(kSavePrompt);
  if (name.empty()) return;
  if (!writeDrawingFile(name, *this)) showOpenError();
}

void ShapeList::load(Display& display) {
  std::string name = askFileName(kLoadPrompt);
  if (name.empty()) return;
  load(display, name);
}

void ShapeList::load(Display& display, const std::string& name) {
  std::error_code ec;
  std::ifstream in(name);
  // A folder opens for reading on some systems but holds no drawing.
  if (!in || fs::is_directory(name, ec)) {
    showOpenError();
    return;
  }
  readRecords(in, *this);
  drawAll(display, nullptr);
}
