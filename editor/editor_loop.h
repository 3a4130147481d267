// The editor's interaction state and what each event does to it. run_editor() owns the display
// and the drawing and runs the loop: wait for an event, act on it, redraw everything.
#pragma once

#include <string>
#include <vector>

#include "history.h"
#include "palette.h"

class Display;

class Editor {
 public:
  Editor(Display& display, ShapeList& shapes)
      : display_(display), shapes_(shapes), history_(shapes) {}
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  // The first picture: white area, animation running, text window hidden, palette drawn.
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
  // 'c' clears the drawing, 'z' undoes the last change to it and 'y' redoes it (either case).
  void pressKey(char key);
  void clickToolColumn(int x, int y);
  void clickColourBar(int x, int y);
  void clickDrawingArea(int x, int y);

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
};

// The application, started with the shapes of `drawings` loaded as LOAD loads them: returns 0
// when the user has quit.
int run_editor(const std::vector<std::string>& drawings = {});
