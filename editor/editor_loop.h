// The editor's interaction state and what each event does to it. run_editor() owns the display
// and the drawing and runs the loop: wait for an event, act on it, redraw everything.
#pragma once

#include <string>
#include <vector>

#include "history.h"
#include "palette.h"

class Display;
class Recovery;

class Editor {
 public:
  // With `recovery`, the drawing is kept safe while unsaved (recovery.h).
  Editor(Display& display, ShapeList& shapes, Recovery* recovery = nullptr)
      : display_(display), shapes_(shapes), history_(shapes), recovery_(recovery) {}
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  // The first picture: white area, animation running, text window hidden, palette drawn. A
  // recovery copy found is offered in the text window, which then shows.
  void start();
  // One event as Display::nextEvent delivers it.
  void handle(int kind, int x, int y, char key);
  // The whole picture again: white, every shape oldest first, the palette on top.
  void redraw();

  bool quitRequested() const { return quitRequested_; }
  int tool() const { return tool_; }
  int colour() const { return colour_; }
  int lineWidth() const { return lineWidth_; }
  const Shape* selected() const { return selected_; }
  bool awaitingSecondPoint() const { return awaitingSecondPoint_; }

 private:
  // 'c' clears the drawing, 'z' undoes the last change to it, 'y' redoes it and 'e' exports the
  // picture (either case).
  void pressKey(char key);
  void clickToolColumn(int x, int y);
  void clickColourBar(int x, int y);
  void clickDrawingArea(int x, int y);
  // Adds the shapes of the recovery copy offered, as one change.
  void restoreKept();
  // Tells recovery_ what this event did to the drawing.
  void keepSafe(std::size_t changesBefore);

  Display& display_;
  ShapeList& shapes_;
  // Every change to shapes_ goes through it or is reported to it.
  History history_;
  int tool_ = ToolNone;
  int colour_ = 0;
  int lineWidth_ = 0;          // the fill setting: 0 filled ("ON"), 1 outlined ("OFF")
  Shape* selected_ = nullptr;  // not owned; always a shape in shapes_
  // The two-click state of rectangles and ovals; the flags are always opposite.
  bool awaitingFirstPoint_ = true;
  bool awaitingSecondPoint_ = false;
  int firstX_ = 0;
  int firstY_ = 0;
  bool quitRequested_ = false;
  Recovery* recovery_;  // not owned; null: nothing kept
  // What the event being handled did, besides the history's changes.
  bool emptiedByHand_ = false;
  bool inFile_ = false;  // saved, or loaded into an empty drawing
};

// The application, started with the shapes of `drawings` loaded as LOAD loads them: returns 0
// when the user has quit. `keepRecoveryCopy`: the shape editor's own recovery copy in the
// user's state folder (a replay keeps none).
int run_editor(const std::vector<std::string>& drawings = {}, bool keepRecoveryCopy = false);
