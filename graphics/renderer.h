// Drawing commands and their rendering into the off-screen picture.
#pragma once

namespace zr590 {

enum CommandKind : int {
  KindTriangle = 0,
  KindRectangle = 1,
  KindOval = 2,
  KindLine = 3,
  KindText = 5,
};

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

void render_command(const DrawCommand& command);
// The whole picture white, with the initial black pen's one-pixel frame.
void fill_background();

}  // namespace zr590
