// Drawing commands and their rendering into the off-screen picture.
#pragma once

#include "platform/platform.h"

namespace zr590 {

enum CommandKind : int {
  KindTriangle = 0,
  KindRectangle = 1,
  KindOval = 2,
  KindLine = 3,
  KindText = 5,
};
// The background fill (ZR590_clear) as a command of its own, which no primitive makes.
inline constexpr int KindBackground = 100;

// One drawing call, already checked: colour 0..23, width not negative, point size 0..127.
struct DrawCommand {
  int kind = KindLine;
  int colour = 0;
  int width = 0;  // 0 fills triangles, rectangles and ovals
  int x1 = 0, y1 = 0;
  int x2 = 0, y2 = 0;  // text: x2 is the point size
  int x3 = 0, y3 = 0;
  const char* text = nullptr;  // text only: the caller's copy, read here
};

// Renders one command: drawn into the picture at once or, while the library keeps a frame
// (frame.h), recorded to be drawn when the picture is needed. Either way the picture counts
// as changed from here on. Defined inline in frame.h, as every drawing call passes here.
inline void render_command(const DrawCommand& command);
// The whole picture white, with the initial black pen's one-pixel frame. It begins a frame.
void fill_background();

// Where library point (0, 0) lies in the picture.
struct Origin {
  int x, y;
  friend bool operator==(const Origin&, const Origin&) = default;
};
Origin current_origin();
// Draws a command into `picture` now, its points placed from `origin`.
void draw_command(platform::Picture& picture, const DrawCommand& command, Origin origin);
// How far outside the box of its points a figure may paint: half a pen on every side covers
// what a pen paints along an edge; Cairo's mitred corners reach further, up to its miter limit
// (10) times half the pen.
inline long long pen_reach(int kind, int width) {
  const long long pen = width < 1 ? 1 : (width > (1 << 16) ? 1 << 16 : width);
  return kind == KindTriangle && pen > 1 ? 5 * pen + 2 : pen / 2 + 1;
}
// A box of picture pixels holding every pixel that draw_command may paint (empty if none).
platform::Box command_bounds(platform::Picture& picture, const DrawCommand& command, Origin origin);

}  // namespace zr590
