#include "drawing_file.h"

#include <zr590/display.h>
#include <zr590/zr590.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "safe_file_write.h"
#include "shape_list.h"

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

bool writeDrawingFile(const std::string& path, const ShapeList& shapes) {
  return writeFileSafely(path, [&shapes](std::FILE* file) { return writeRecords(file, shapes); });
}

void ShapeList::save() {
  std::string name = askFileName(kSavePrompt);
  if (name.empty()) return;
  if (!writeDrawingFile(name, *this)) showOpenError();
}

ShapeChain ShapeList::load(Display& display) {
  std::string name = askFileName(kLoadPrompt);
  if (name.empty()) return {};
  return load(display, name);
}

ShapeChain ShapeList::load(Display& display, const std::string& name) {
  std::error_code ec;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(name.c_str(), "r"), std::fclose);
  // A folder opens for reading on some systems but holds no drawing.
  if (in == nullptr || fs::is_directory(name, ec)) {
    showOpenError();
    return {};
  }
  // Read aside first, so that a failure half way (memory) leaves the drawing as it was.
  ShapeList loaded;
  readRecords(in.get(), loaded);
  const ShapeChain added = addAll(loaded);
  drawAll(display, nullptr);
  return added;
}
