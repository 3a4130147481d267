#include "picture_export.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "drawing_file.h"
#include "shape.h"
#include "shape_list.h"

namespace {

constexpr const char* kExportPrompt = "Export picture to file:";
constexpr int kWhite = 1;
// Beyond every edge of the picture, whatever the window's centre.
constexpr int kBeyond = 1 << 16;

bool endsWith(const std::string& name, const std::string& ending) {
  return name.size() > ending.size() &&
         std::equal(ending.rbegin(), ending.rend(), name.rbegin(), [](char a, char b) {
           return a == std::tolower(static_cast<unsigned char>(b));
         });
}

}  // namespace

bool exportPicture(Display& display, const ShapeList& shapes) {
  const std::string name = askFileName(kExportPrompt);
  if (name.empty()) return false;
  std::vector<zr590::Figure> figures;
  figures.reserve(static_cast<std::size_t>(shapes.size()));
  shapes.forEachOldestFirst([&](const Shape& shape) { figures.push_back(shape.figure()); });
  const int count = static_cast<int>(figures.size());
  bool written = false;
  if (endsWith(name, ".png")) {
    display.clear(kWhite);
    // White to the picture's edges: the frame lines the window shows are not the drawing's.
    display.drawRectangle(-kBeyond, kBeyond, kBeyond, -kBeyond, kWhite, 0);
    display.drawFigures(figures.data(), count);
    written = display.savePicture(name.c_str());
  } else if (endsWith(name, ".svg")) {
    written = display.saveFiguresSvg(name.c_str(), figures.data(), count);
  }
  if (!written) showOpenError();
  return written;
}
