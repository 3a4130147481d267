#include "drawing_file.h"

#include <zr590/display.h>
#include <zr590/zr590.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>
#include <system_error>

#include "record_format.h"
#include "safe_file_write.h"
#include "shape_list.h"
#include "shape_types.h"

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

}  // namespace

void writeRecord(std::ostream& out, const char* typeWord, std::initializer_list<int> fields) {
  out << typeWord;
  char field[kLongestField];
  for (int value : fields) out.write(field, formatField(field, value) - field);
  out << '\n';
}

int readRecords(std::istream& in, ShapeList& shapes) {
  int added = 0;
  std::string word;
  while (in >> word) {
    const ShapeType* type = shapeTypeNamed(word);
    if (type == nullptr) continue;
    RecordFields fields;
    for (int i = 0; i < type->fieldCount(); ++i) {
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
