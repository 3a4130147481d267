#include "renderer.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "colours.h"
#include "library_state.h"
#include "platform/platform.h"

namespace zr590 {
namespace {

using platform::Box;
using platform::Brush;
using platform::Pen;
using platform::Point;

// The picture's initial pen, which every command restores.
constexpr Pen kInitialPen{1, {0, 0, 0}};

// Far enough outside the picture that nothing visible changes, near enough that every
// drawing service computes with it safely.
constexpr long long kFar = 1 << 22;

int clamp_far(long long v) { return static_cast<int>(std::clamp(v, -kFar, kFar)); }

Point to_picture(int x, int y) {
  return {clamp_far(static_cast<long long>(window_state.centre_x) + x),
          clamp_far(static_cast<long long>(window_state.centre_y) - y)};
}

Brush brush_for(const DrawCommand& command) {
  return Brush{command.width != 0, color_rgb[command.colour]};
}

void render_text(const DrawCommand& command) {
  platform::Picture& picture = platform::current().picture();
  const char* text = command.text != nullptr ? command.text : "";
  int height = command.x2;
  int line_height = picture.text_extent(text, height).height;
  Point anchor = to_picture(command.x1, command.y1);
  // The first line stands directly above the anchor; each further line one line lower.
  int line = 0;
  const char* start = text;
  for (;;) {
    const char* end = std::strchr(start, '\n');
    std::size_t length = end != nullptr ? static_cast<std::size_t>(end - start) : std::strlen(start);
    picture.text_out({anchor.x, anchor.y + (line - 1) * line_height},
                     std::string_view(start, length), height, color_rgb[command.colour]);
    if (end == nullptr) break;
    start = end + 1;
    ++line;
  }
}

}  // namespace

void render_command(const DrawCommand& command) {
  platform::Picture& picture = platform::current().picture();
  const Pen pen{std::min(command.width, 1 << 16), color_rgb[command.colour]};
  switch (command.kind) {
    case KindTriangle: {
      const Point points[3] = {to_picture(command.x1, command.y1),
                               to_picture(command.x2, command.y2),
                               to_picture(command.x3, command.y3)};
      picture.polygon(points, pen, brush_for(command));
      break;
    }
    case KindRectangle:
    case KindOval: {
      // The added 1 puts both corner points inside the figure.
      const Point upper_left = to_picture(command.x1, command.y1);
      const Point lower_right = to_picture(command.x2, command.y2);
      const Box box{upper_left.x, upper_left.y, lower_right.x + 1, lower_right.y + 1};
      if (command.kind == KindRectangle) {
        picture.rectangle(box, pen, brush_for(command));
      } else {
        picture.ellipse(box, pen, brush_for(command));
      }
      break;
    }
    case KindLine:
      picture.line(to_picture(command.x1, command.y1), to_picture(command.x2, command.y2), pen);
      break;
    case KindText:
      render_text(command);
      break;
    default:
      break;
  }
  window_state.picture_dirty = 1;
}

void fill_background() {
  platform::current().picture().rectangle(
      {0, 0, platform::kPictureWidth, platform::kPictureHeight}, kInitialPen,
      Brush{false, color_rgb[kBackgroundColour]});
  window_state.picture_dirty = 1;
}

}  // namespace zr590

int ZR590_clear() {
  if (zr590::window_state.logging_on) ZR590_printf("Clearing the graphics window\n");
  zr590::fill_background();
  return 1;
}

int ZR590_flush() {
  if (zr590::window_state.logging_on) ZR590_printf("Flushing the graphics window\n");
  if (zr590::window_state.picture_dirty) zr590::copy_picture();
  return 1;
}
