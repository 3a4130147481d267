// The drawing-file reader on arbitrary bytes, the way LOAD meets them: the bytes are a file,
// ShapeList::load reads it and draws every shape it added on the headless backend.
//
// Checked beyond "no crash, no sanitizer report": reading the same bytes from memory adds the
// same shapes, and what was read, once saved, reads back to the very same records (so a
// drawing that loaded always survives SAVE and LOAD). Then what LOAD handed over is edited
// (picked, moved, resized, recoloured, its fill switched) with numbers taken from the file, so
// that any value a file can hold meets the editor's arithmetic, and the edited drawing must
// save and read back the same too.
#include <zr590/display.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "drawing_file.h"
#include "fuzz_support.h"
#include "shape.h"
#include "shape_list.h"

namespace {

const std::string& file_name() {
  static const std::string name = fuzz::scratch_folder() + "/drawing.txt";
  return name;
}

std::string records_of(const ShapeList& list) {
  std::ostringstream out;
  list.writeAll(out);
  return out.str();
}

// Saved records read back to the same records and as many shapes.
void check_round_trip(const ShapeList& list, const char* what) {
  const std::string saved = records_of(list);
  std::istringstream in(saved);
  ShapeList reread;
  fuzz::check(readRecords(in, reread) == list.size(), what);
  fuzz::check(records_of(reread) == saved, what);
}

// Picks up to four shapes, each at the point its record starts with, and edits it with the
// record numbers in turn.
void edit(ShapeList& list, Display& display) {
  const std::string saved = records_of(list);
  std::vector<int> numbers;
  {
    std::istringstream in(saved);
    std::string word;
    while (in >> word) {
      if (word.find_first_of("0123456789") != std::string::npos) numbers.push_back(std::stoi(word));
    }
  }
  std::size_t k = 0;
  auto next = [&] { return numbers.empty() ? 0 : numbers[k++ % numbers.size()]; };
  std::istringstream records(saved);
  std::string word;
  int x, y;
  for (int i = 0; i < 4 && records >> word >> x >> y; ++i) {
    records.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    Shape* shape = list.pick(x, y, display);
    if (shape == nullptr) continue;
    const int mx = next(), my = next();
    shape->moveTo(mx, my);
    const int rx = next(), ry = next();
    shape->resizeTo(display, rx, ry);
    shape->setColour(display, next());
    shape->setLineWidth(display, next());
    shape->drawSelection(display);
  }
  list.drawAll(display, nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream file(file_name(), std::ios::binary | std::ios::trunc);
    file << bytes;
  }

  fuzz::FreshLibrary library;
  Display display;
  ShapeList loaded;
  library.platform.push_reply(file_name());
  loaded.load(display);
  fuzz::check(library.platform.dialog_prompts().size() == 1, "LOAD showed an error dialog");

  std::istringstream in(bytes);
  ShapeList fromMemory;
  int added = readRecords(in, fromMemory);
  fuzz::check(added == fromMemory.size(), "readRecords miscounted the shapes it added");
  const std::string saved = records_of(loaded);
  fuzz::check(saved == records_of(fromMemory), "a file and the same bytes in memory differ");

  check_round_trip(loaded, "a saved drawing did not read back the same");

  edit(loaded, display);
  fuzz::check(loaded.size() == added, "editing changed the number of shapes");
  check_round_trip(loaded, "an edited drawing did not read back the same");
  return 0;
}
