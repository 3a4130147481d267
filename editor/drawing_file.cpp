#include "drawing_file.h"

#include <zr590/display.h>
#include <zr590/safe_file.h>
#include <zr590/zr590.h>

#include <cstdio>
#include <memory>
#include <new>
#include <system_error>

#include "regular_file.h"
#include "shape_list.h"

namespace {

constexpr const char* kSavePrompt = "Enter the name of the file you would like to save to:";
constexpr const char* kLoadPrompt = "Enter the name of the file you would like to open:";
constexpr const char* kErrorPrompt = "Error opening file. Press Enter to continue.";
// What ZR590_gets may store: 255 characters and the terminator.
constexpr int kReplySize = ZR590_REPLY_SIZE;

// Said on standard error and in the text window, where the user looks.
void tell(const std::string& line) {
  std::fprintf(stderr, "%s\n", line.c_str());
  ZR590_printf("%s\n", line.c_str());
}

// A save that did not finish (the program died in it) leaves the old contents beside the file.
void tellLeftoverCopies(const std::string& name) {
  for (const std::string& copy : zr590::leftoverCopiesOf(name)) {
    tell("A save of " + name + " did not finish; its earlier contents are kept in " + copy);
  }
}

}  // namespace

void showOpenError() {
  char reply[kReplySize] = "";
  ZR590_gets(kErrorPrompt, reply);
}

std::string askFileName(const char* prompt) {
  char name[kReplySize] = "";
  ZR590_gets(prompt, name);
  return name;
}

bool writeDrawingFile(const std::string& path, const ShapeList& shapes) {
  std::string kept;
  const bool written = zr590::writeFileSafely(
      path, [&shapes](std::FILE* file) { return writeRecords(file, shapes); }, &kept);
  if (!kept.empty()) {
    tell("The save failed and " + path + " could not be put back; its old contents are kept in " +
         kept);
  }
  return written;
}

bool ShapeList::save() {
  std::string name = askFileName(kSavePrompt);
  if (name.empty()) return false;
  tellLeftoverCopies(name);
  if (writeDrawingFile(name, *this)) return true;
  showOpenError();
  return false;
}

ShapeChain ShapeList::load(Display& display) {
  std::string name = askFileName(kLoadPrompt);
  if (name.empty()) return {};
  return load(display, name);
}

ShapeChain ShapeList::load(Display& display, const std::string& name) {
  tellLeftoverCopies(name);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(openRegularFile(name), std::fclose);
  if (in == nullptr) {
    showOpenError();
    return {};
  }
  // Read aside first, so that a failure half way leaves the drawing as it was: a drawing too
  // large for the memory left is not loaded at all.
  ShapeList loaded;
  try {
    readRecords(in.get(), loaded);
  } catch (const std::bad_alloc&) {
    loaded.removeAll();
    in.reset();
    showOpenError();
    return {};
  }
  const ShapeChain added = addAll(loaded);
  drawAll(display, nullptr);
  return added;
}
