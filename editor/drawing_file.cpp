#include "drawing_file.h"

#include <zr590/display.h>
#include <zr590/zr590.h>

#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <string_view>
#include <system_error>

#include "one_point_shapes.h"
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

// A name for the temporary file in the target's folder that no file has yet. It does not
// extend the target's name, which may already be as long as the system allows.
fs::path temporaryBeside(const fs::path& target) {
  std::error_code ec;
  for (int n = 0;; ++n) {
    fs::path candidate = target.parent_path() / (".drawing-save-" + std::to_string(n) + ".tmp");
    if (!fs::exists(fs::symlink_status(candidate, ec))) return candidate;
  }
}

// Writes the records straight into `target`: for names that are not plain files, which a
// temporary file must not replace (renaming over a device such as /dev/full would remove it).
bool writeInPlace(const fs::path& target, const ShapeList& shapes) {
  std::ofstream out(target);
  if (!out) return false;
  shapes.writeAll(out);
  out.close();
  return !out.fail();
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
  fs::path target(path);
  std::error_code ec;
  const fs::file_status link = fs::symlink_status(target, ec);
  const fs::file_status status = fs::status(target, ec);
  if (fs::exists(link) && !fs::is_regular_file(status) && !fs::is_directory(status)) {
    // A device, a pipe, a link to nothing: written into as opening the name would.
    return writeInPlace(target, shapes);
  }
  // A link is followed, as opening the name would: the file it names is the one replaced.
  if (fs::is_symlink(link)) {
    target = fs::canonical(target, ec);
    if (ec) return false;
  }
  const fs::path temporary = temporaryBeside(target);
  {
    std::ofstream out(temporary);
    if (!out) return false;
    // A replaced file keeps the permissions it had.
    fs::file_status old = fs::status(target, ec);
    if (!ec && fs::is_regular_file(old)) fs::permissions(temporary, old.permissions(), ec);
    shapes.writeAll(out);
    out.close();
    if (!out.fail()) {
      fs::rename(temporary, target, ec);
      if (!ec) return true;
    }
  }
  fs::remove(temporary, ec);
  return false;
}

void ShapeList::save() {
  std::string name = askFileName(kSavePrompt);
  if (name.empty()) return;
  if (!writeDrawingFile(name, *this)) showOpenError();
}

void ShapeList::load(Display& display) {
  std::string name = askFileName(kLoadPrompt);
  if (name.empty()) return;
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
