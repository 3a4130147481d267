// A ball bouncing inside the drawing area: the smallest animated ZR590 program.
//
// The ball moves one step for each Periodic event, so the graphics window's "Run" menu drives
// it: Animate (Ctrl+A) lets it run, Halt animation (Ctrl+H) stops it, and Advance one frame
// (Ctrl+F) moves it a single step. A click puts the ball where you clicked (as near as it
// fits); 'q', Quit (Ctrl+Q) or the close box ends the program.
//
// Build against an installed ZR590, with pkg-config:
//   c++ -std=c++20 bouncing.cpp $(pkg-config --cflags --libs zr590-gtk) -o bouncing
// or with the CMakeLists.txt beside this file. Linked with zr590-headless instead, the same
// program runs on a message file: `bouncing MESSAGES` (see docs/reference.md).
#include <zr590/display.h>
#include <zr590/entry.h>  // renames main() so that the library's process entry can call it

#include <algorithm>

namespace {

constexpr int kBlack = 0;  // colour indices
constexpr int kWhite = 1;
constexpr int kRed = 2;
constexpr int kRadius = 20;
// The drawing area runs from -300 to 300 across and -250 to 250 upwards; these are the
// farthest the ball's centre may go with the whole ball inside.
constexpr int kMaxX = 300 - kRadius;
constexpr int kMaxY = 250 - kRadius;

struct Ball {
  int x = 0, y = 0;    // centre
  int dx = 7, dy = 5;  // pixels per step
};

// One step along one axis; a ball that passes a wall is reflected back off it.
void step(int& position, int& velocity, int limit) {
  position += velocity;
  if (position > limit) {
    position = 2 * limit - position;
    velocity = -velocity;
  } else if (position < -limit) {
    position = -2 * limit - position;
    velocity = -velocity;
  }
}

void draw(Display& display, const Ball& ball) {
  display.clear(kWhite);
  display.drawCircle(ball.x, ball.y, kRadius, kRed);
  display.drawText(-290, -235, "Ctrl+A run, Ctrl+H halt, Ctrl+F one frame, click: move, q: quit",
                   kBlack, 13);
}

}  // namespace

int main() {
  Display display;  // opens the windows; only one may exist
  Ball ball;
  display.setAnimation(2);  // run: a Periodic event about ten times a second
  draw(display, ball);

  for (;;) {
    int x = 0, y = 0;
    char key = 0;
    int event = display.nextEvent(x, y, key);
    if (event == Quit || (event == Key && key == 'q')) break;
    if (event == Periodic) {
      step(ball.x, ball.dx, kMaxX);
      step(ball.y, ball.dy, kMaxY);
    } else if (event == Mouse) {
      ball.x = std::clamp(x, -kMaxX, kMaxX);
      ball.y = std::clamp(y, -kMaxY, kMaxY);
    } else {
      continue;  // another key: nothing to redraw
    }
    draw(display, ball);  // reaches the window at the next wait
  }
  return 0;
}
