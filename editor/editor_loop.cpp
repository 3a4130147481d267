#include "editor_loop.h"

#include <zr590/display.h>
#include <zr590/zr590.h>

#include "palette.h"
#include "shape.h"
#include "shape_factory.h"
#include "shape_list.h"
#include "shape_types.h"

namespace {
constexpr int kWhite = 1;
constexpr int kAnimationRun = 2;
}  // namespace

void Editor::start() {
  display_.clear(kWhite);
  // A periodic event every tick, each one repainting the picture.
  display_.setAnimation(kAnimationRun);
  // Prompts go to the line-input dialog; the text window is not needed.
  ZR590_show_text_window(0);
  drawToolColumn(display_, selected_, lineWidth_);
  drawColourBar(display_, colour_);
}

void Editor::handle(int kind, int x, int y, char key) {
  switch (kind) {
    case Mouse:
      switch (regionAt(x, y)) {
        case ToolColumn:
          clickToolColumn(x, y);
          break;
        case ColourBar:
          clickColourBar(x, y);
          break;
        case DrawingArea:
          clickDrawingArea(x, y);
          break;
      }
      break;
    case Key:
      if (key == 'c' || key == 'C') {
        shapes_.clear(display_);
        selected_ = nullptr;
      }
      break;
    case Quit:
      quitRequested_ = true;
      break;
    default:
      break;
  }
}

void Editor::clickToolColumn(int x, int y) {
  tool_ = toolAt(x, y);
  // Only MOVE, RESIZE, FILL and delete act on the selection; every other button drops it.
  if (tool_ < ToolMove || tool_ > ToolDelete) selected_ = nullptr;
  switch (tool_) {
    case ToolDelete:
      if (selected_ != nullptr) {
        shapes_.remove(selected_);
        selected_ = nullptr;
      }
      break;
    case ToolFill:
      lineWidth_ = lineWidth_ == 1 ? 0 : 1;
      drawToolColumn(display_, selected_, lineWidth_);
      if (selected_ != nullptr) selected_->setLineWidth(display_, lineWidth_);
      break;
    case ToolLoad:
      shapes_.load(display_);
      break;
    case ToolSave:
      shapes_.save();
      break;
    default:
      break;
  }
}

void Editor::clickColourBar(int x, int y) {
  colour_ = colourAt(x, y);
  drawColourBar(display_, colour_);
  if (selected_ != nullptr) selected_->setColour(display_, colour_);
}

void Editor::clickDrawingArea(int x, int y) {
  if (const ShapeType* type = shapeTypeOfTool(tool_)) {
    selected_ = nullptr;
    if (type->clicks == 1) {
      addOnePointShape(x, y, tool_, colour_, lineWidth_, shapes_);
    } else if (awaitingFirstPoint_) {
      firstX_ = x;
      firstY_ = y;
      awaitingFirstPoint_ = false;
      awaitingSecondPoint_ = true;
    } else if (awaitingSecondPoint_) {
      awaitingFirstPoint_ = true;
      awaitingSecondPoint_ = false;
      // The shape takes the tool, colour and fill current at the second click.
      addTwoPointShape(firstX_, firstY_, x, y, colour_, lineWidth_, tool_, shapes_);
    }
    return;
  }
  switch (tool_) {
    case ToolPick:
      selected_ = shapes_.pick(x, y, display_);
      break;
    case ToolMove:
      if (selected_ != nullptr) selected_->moveTo(x, y);
      break;
    case ToolResize:
      if (selected_ != nullptr) selected_->resizeTo(display_, x, y);
      break;
    default:
      break;
  }
}

void Editor::redraw() {
  display_.clear(kWhite);
  shapes_.drawAll(display_, selected_);
  drawToolColumn(display_, selected_, lineWidth_);
  drawColourBar(display_, colour_);
}

int run_editor(const std::vector<std::string>& drawings) {
  // Destroyed in reverse order: the shapes before the display closes the library.
  Display display;
  ShapeList shapes;
  Editor editor(display, shapes);
  editor.start();
  if (!drawings.empty()) {
    for (const std::string& name : drawings) shapes.load(display, name);
    editor.redraw();
  }
  while (!editor.quitRequested()) {
    int x = 0, y = 0;
    char key = 0;
    int kind = display.nextEvent(x, y, key);
    editor.handle(kind, x, y, key);
    editor.redraw();
  }
  return 0;
}
