#include "editor_loop.h"

#include <zr590/display.h>
#include <zr590/zr590.h>

#include <filesystem>
#include <memory>
#include <new>
#include <system_error>

#include "drawing_file.h"
#include "palette.h"
#include "picture_export.h"
#include "recovery.h"
#include "regular_file.h"
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
  if (recovery_ != nullptr && !recovery_->offer().empty()) {
    ZR590_printf("%s\n", recovery_->offer().c_str());
    ZR590_show_text_window(1);
  }
}

void Editor::handle(int kind, int x, int y, char key) {
  const std::size_t changesBefore = history_.changes();
  emptiedByHand_ = inFile_ = false;
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
  if (recovery_ != nullptr) keepSafe(changesBefore);
}

void Editor::keepSafe(std::size_t changesBefore) {
  const bool offered = !recovery_->offer().empty();
  if (inFile_) {
    recovery_->saved();
  } else if (history_.changes() != changesBefore) {
    recovery_->changed(shapes_, emptiedByHand_);
  }
  // The hint has done its work once the offer is over.
  if (offered && recovery_->offer().empty()) ZR590_show_text_window(0);
  recovery_->idle(shapes_);
}

void Editor::restoreKept() {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(
      openRegularFile(recovery_->takeOffer().string()), std::fclose);
  if (in == nullptr) return;
  ShapeList kept;
  readRecords(in.get(), kept);
  history_.added(shapes_.addAll(kept));
  selected_ = nullptr;
}

void Editor::pressKey(char key) {
  switch (key) {
    case 'c':
    case 'C':
      // What ShapeList::clear does, with the shapes kept for undo. Clearing an empty drawing
      // changes nothing and makes no step.
      emptiedByHand_ = history_.removeAll();
      display_.clear(kWhite);
      selected_ = nullptr;
      break;
    case 'z':
    case 'Z':
      // The selected shape may be the one that goes; like PICK on empty space.
      if (history_.undo()) selected_ = nullptr;
      break;
    case 'e':
    case 'E':
      exportPicture(display_, shapes_);
      break;
    case 'y':
    case 'Y':
      // Redo brings back the drawing kept from an earlier run, while it is offered; a script
      // played back never does.
      if (recovery_ != nullptr && !recovery_->offer().empty() && !display_.eventFromScript()) {
        restoreKept();
      } else if (history_.redo()) {
        selected_ = nullptr;
      }
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
        emptiedByHand_ = shapes_.size() == 0;
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
    case ToolLoad: {
      const bool wasEmpty = shapes_.size() == 0;
      // The step's room before the shapes come: reporting them then cannot fail.
      try {
        history_.makeRoom();
      } catch (const std::bad_alloc&) {
        break;
      }
      history_.added(shapes_.load(display_));
      inFile_ = wasEmpty && shapes_.size() > 0;
      break;
    }
    case ToolSave:
      inFile_ = shapes_.save();
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

namespace {

std::unique_ptr<Recovery> recoveryForWorkingFolder() {
  const std::filesystem::path state = RecoveryCopy::userStateFolder();
  std::error_code ec;
  const std::filesystem::path here = std::filesystem::current_path(ec);
  if (state.empty() || ec) return nullptr;
  return std::make_unique<Recovery>(RecoveryCopy(state, here));
}

}  // namespace

int run_editor(const std::vector<std::string>& drawings, bool keepRecoveryCopy) {
  // Destroyed in reverse order: the shapes before the display closes the library, the
  // recovery copy written before either goes.
  Display display;
  ShapeList shapes;
  std::unique_ptr<Recovery> recovery = keepRecoveryCopy ? recoveryForWorkingFolder() : nullptr;
  Editor editor(display, shapes, recovery.get());
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
  if (recovery) recovery->finish(shapes);
  return 0;
}
