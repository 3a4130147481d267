#include "palette.h"

#include <zr590/display.h>

#include <cstdint>

#include "coord_math.h"
#include "shape_types.h"

namespace {

constexpr int kBlack = 0;
constexpr int kWhite = 1;
constexpr int kRed = 2;
constexpr int kBlue = 4;
constexpr int kGrey = 23;  // "20% gray"
constexpr int kLabelSize = 10;

constexpr int kColumnLeft = -295;
constexpr int kColumnRight = -255;
constexpr int kColumnCentre = (kColumnLeft + kColumnRight) / 2;
constexpr int kColumnTop = 245;
constexpr int kColumnBottom = -235;
constexpr int kButtonHeight = 40;
constexpr int kButtonCount = 12;

constexpr int kBarLeft = -170;
constexpr int kBarRight = 106;
constexpr int kBarTop = 240;
constexpr int kBarBottom = 228;
constexpr int kCellWidth = 12;
constexpr int kCellCount = 23;

}  // namespace

void drawToolColumn(Display& display, const Shape* selected, int lineWidth) {
  const int selectionColour = selected != nullptr ? kRed : kGrey;
  for (int i = 0; i < kButtonCount; ++i) {
    int top = kColumnTop - kButtonHeight * i;
    display.drawRectangle(kColumnLeft, top, kColumnRight, top - kButtonHeight, kBlack, 1);
  }
  // The buttons that make shapes show them, top to bottom; the others are labelled.
  for (int i = 0; i < kButtonCount; ++i) {
    if (const ShapeType* type = shapeTypeOfTool(i)) {
      type->drawButton(display, kColumnCentre, kColumnTop - kButtonHeight * i - kButtonHeight / 2);
    }
  }
  display.drawText(-287, 17, "PICK", kRed, kLabelSize);
  display.drawText(-290, -23, "MOVE", selectionColour, kLabelSize);
  display.drawText(-292, -63, "RESIZE", selectionColour, kLabelSize);
  display.drawText(-285, -95, "FILL:", kBlue, kLabelSize);
  display.drawText(-285, -110, lineWidth == 0 ? "ON" : "OFF", kBlue, kLabelSize);
  display.drawLine(-280, -130, -270, -140, selectionColour, 3);
  display.drawLine(-270, -130, -280, -140, selectionColour, 3);
  display.drawText(-290, -183, "LOAD", kRed, kLabelSize);
  display.drawText(-290, -223, "SAVE", kRed, kLabelSize);
}

void drawColourBar(Display& display, int colour) {
  // The white strip wipes the previous marker.
  display.drawRectangle(-171, 250, 116, 227, kWhite, 0);
  for (int i = 0; i < kCellCount; ++i) {
    int left = kBarLeft + kCellWidth * i;
    display.drawRectangle(left, kBarTop, left + kCellWidth, kBarBottom, i, 0);
    display.drawLine(left, kBarTop, left, kBarBottom, kBlack, 1);
  }
  display.drawRectangle(kBarLeft, kBarTop, kBarRight, kBarBottom, kBlack, 1);
  // Tip on the bar's top edge, over the middle of the current cell. The editor only passes
  // 0 to 22; any other value is kept from overflowing.
  editor::Wide m = editor::Wide{kCellWidth} * colour + kBarLeft + kCellWidth / 2;
  display.drawTriangle(editor::clampToInt(m), kBarTop, editor::clampToInt(m - 5), 247,
                       editor::clampToInt(m + 5), 247, kRed, 0);
}

Region regionAt(int x, int y) {
  if (kColumnLeft < x && x < kColumnRight && kColumnBottom < y && y < kColumnTop) {
    return ToolColumn;
  }
  if (kBarLeft < x && x < kBarRight && kBarBottom < y && y < kBarTop) return ColourBar;
  return DrawingArea;
}

int toolAt(int, int y) {
  // 64 bits: y may be any int.
  std::int64_t q = (std::int64_t{kColumnTop} - y) / kButtonHeight;
  return q >= 0 && q < kButtonCount ? static_cast<int>(q) : ToolNone;
}

int colourAt(int x, int) {
  std::int64_t q = (std::int64_t{kBarLeft} - x) / kCellWidth;
  return static_cast<int>(q < 0 ? -q : q);
}
