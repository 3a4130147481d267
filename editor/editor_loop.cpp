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
  // Prompts go to the line-input dialog; the text window is not needed until the user switches
  // logging on, which then shows it. Its close box only hides it again.
  ZR590_show_text_window(0);
  ZR590_visible_logging(1);
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
      pressKey(key);
      break;
    case Quit:
      quitRequested_ = true;
      break;
    default:
      break;
  }
}

void Editor::pressKey(char key) {
  switch (key) {
    case 'c':
    case 'C':
      // What ShapeList::clear does, with the shapes kept for undo. Clearing an empty drawing
      // changes nothing and makes no step.
      history_.removeAll();
      display_.clear(kWhite);
      selected_ = nullptr;
      break;
    case 'z':
    case 'Z':
      // The selected shape may be the one that goes; like PICK on empty space.
      if (history_.undo()) selected_ = nullptr;
      break;
    case 'y':
    case 'Y':
      if (history_.redo()) selected_ = nullptr;
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
        history_.remove(selected_);
        selected_ = nullptr;
      }
      break;
    case ToolFill:
      lineWidth_ = lineWidth_ == 1 ? 0 : 1;
      drawToolColumn(display_, selected_, lineWidth_);
      if (selected_ != nullptr) {
        const RecordFields before = selected_->fields();
        selected_->setLineWidth(display_, lineWidth_);
        history_.edited(*selected_, before);
      }
      break;
    case ToolLoad:
      history_.added(shapes_.load(display_));
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
  if (selected_ != nullptr) {
    const RecordFields before = selected_->fields();
    selected_->setColour(display_, colour_);
    history_.edited(*selected_, before);
  }
}

void Editor::clickDrawingArea(int x, int y) {
  if (const ShapeType* type = shapeTypeOfTool(tool_)) {
    selected_ = nullptr;
    const int count = shapes_.size();
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
    if (shapes_.size() != count) history_.added(shapes_.newestShape());
    return;
  }
  switch (tool_) {
    case ToolPick:
      selected_ = shapes_.pick(x, y, display_);
      break;
    case ToolMove:
      if (selected_ != nullptr) {
        const RecordFields before = selected_->fields();
        selected_->moveTo(x, y);
        history_.edited(*selected_, before);
      }
      break;
    case ToolResize:
      if (selected_ != nullptr) {
        const RecordFields before = selected_->fields();
        selected_->resizeTo(display_, x, y);
        history_.edited(*selected_, before);
      }
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
    // The drawings named on the command line are where the user starts, as an opened document
    // is: not a change that undo takes back.
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
