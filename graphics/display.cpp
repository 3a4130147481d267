#include <zr590/display.h>

#include <cstddef>
#include <cstdlib>
#include <type_traits>

#include "command_list.h"
#include "figures.h"

namespace zr590 {

namespace {
constexpr const char* kSecondDisplayMessage =
    "Error: Attempted to instantiate multiple ZR590 displays";
}

bool Display::displayExists = false;

Display::Display() : width(600), height(500) {
  if (displayExists) {
    char reply[ZR590_REPLY_SIZE] = "";
    ZR590_gets(kSecondDisplayMessage, reply);
    std::exit(-1);
  }
  displayExists = true;
  const StartupArgs& args = ZR590_startup_args();
  ZR590_open(args.instance, args.prev_instance, args.command_line, args.show_command);
  ZR590_logging(0);
}

// The flag is cleared again so that a program (or a test) may open a new display after
// closing the first one; the editor never does.
Display::~Display() {
  ZR590_close();
  displayExists = false;
}

void Display::clear(int colour) {
  ZR590_flush();
  ZR590_clear();
  drawRectangle(-width / 2, -height / 2, width / 2, height / 2, colour, 0);
}

int Display::nextEvent(int& x, int& y, char& key) {
  int kind = ZR590_await_event(&x, &y, &key);
  return kind >= Mouse && kind <= Quit ? kind : 0;
}

bool Display::eventFromScript() const {
  return ZR590_event_from_script() != 0;
}

bool Display::savePicture(const char* path) {
  return ZR590_save_picture(path) != 0;
}

void Display::setAnimation(int mode) {
  static constexpr int kLibraryMode[] = {0, 1, 2, 5};
  ZR590_animate(mode >= 0 && mode <= 3 ? kLibraryMode[mode] : mode);
}

// The figures run the primitives' inline path: a redraw calls these once per shape.
int Display::drawText(int x, int y, const char* text, int colour, int ptsize) {
  return ZR590_text(colour, x, y, ptsize, "%s", text);
}

int Display::drawLine(int x1, int y1, int x2, int y2, int colour, int width) {
  return draw_line(colour, x1, y1, x2, y2, width);
}

int Display::drawRectangle(int x1, int y1, int x2, int y2, int colour, int width) {
  return draw_rectangle(colour, x1, y1, x2, y2, width);
}

int Display::drawTriangle(int x1, int y1, int x2, int y2, int x3, int y3, int colour, int width) {
  return draw_triangle(colour, x1, y1, x2, y2, x3, y3, width);
}

int Display::drawOval(int x1, int y1, int x2, int y2, int colour, int width) {
  return draw_oval(colour, x1, y1, x2, y2, width);
}

int Display::drawCircle(int x, int y, int radius, int colour) {
  return ZR590_circle(colour, x, y, radius);
}

// A figure is laid out as the library keeps a command, so that a frame repeating the last one
// compares each figure with its command as a block of bytes.
static_assert(sizeof(Figure) == sizeof(KeptCommand) && std::is_standard_layout_v<Figure> &&
              offsetof(Figure, colour) == offsetof(KeptCommand, colour) &&
              offsetof(Figure, width) == offsetof(KeptCommand, width) &&
              offsetof(Figure, x1) == offsetof(KeptCommand, x1) &&
              offsetof(Figure, y3) == offsetof(KeptCommand, y3));
static_assert(int{Figure::Triangle} == KindTriangle && int{Figure::Rectangle} == KindRectangle &&
              int{Figure::Oval} == KindOval);

// While a frame repeats the last one, the frame takes the figures in bulk; from the first that
// differs (or needs a message or a log line) on, they go one by one.
int Display::drawFigures(const Figure* figures, int count) {
  int drawn = 0;
  for (int i = 0; i < count;) {
    const int same = static_cast<int>(frames.record_same(figures + i, count - i));
    drawn += same;
    i += same;
    if (i < count) drawn += draw_figure(figures[i++]);
  }
  return drawn;
}

}  // namespace zr590
