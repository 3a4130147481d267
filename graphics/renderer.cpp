#include "renderer.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "colours.h"
#include "damage.h"
#include "frame.h"
#include "library_state.h"

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

int clamp_far(long long v) {
  return static_cast<int>(std::clamp(v, -kFar, kFar));
}

Point to_picture(Origin origin, int x, int y) {
  return {clamp_far(static_cast<long long>(origin.x) + x),
          clamp_far(static_cast<long long>(origin.y) - y)};
}

Pen pen_for(const DrawCommand& command) {
  return Pen{std::min(command.width, 1 << 16), color_rgb[command.colour]};
}

Brush brush_for(const DrawCommand& command) {
  return Brush{command.width != 0, color_rgb[command.colour]};
}

// The added 1 puts both corner points inside the figure.
Box box_for(const DrawCommand& command, Origin origin) {
  const Point upper_left = to_picture(origin, command.x1, command.y1);
  const Point lower_right = to_picture(origin, command.x2, command.y2);
  return {upper_left.x, upper_left.y, lower_right.x + 1, lower_right.y + 1};
}

constexpr Box kWholePicture{0, 0, platform::kPictureWidth, platform::kPictureHeight};

// Calls `line(at, text, height)` for each line of a text command, where it stands: the first
// line directly above the anchor, each further line one line lower.
template <typename Line>
void for_each_line(platform::Picture& picture, const DrawCommand& command, Origin origin,
                   Line line) {
  const char* text = command.text != nullptr ? command.text : "";
  const int height = command.x2;
  const int line_height = picture.text_extent(text, height).height;
  const Point anchor = to_picture(origin, command.x1, command.y1);
  int index = 0;
  const char* start = text;
  for (;;) {
    const char* end = std::strchr(start, '\n');
    std::size_t length =
        end != nullptr ? static_cast<std::size_t>(end - start) : std::strlen(start);
    line(Point{anchor.x, anchor.y + (index - 1) * line_height}, std::string_view(start, length),
         height);
    if (end == nullptr) break;
    start = end + 1;
    ++index;
  }
}

Box grown(long long left, long long top, long long right, long long bottom, long long by) {
  auto fit = [](long long v) {
    return static_cast<int>(std::clamp<long long>(v, -(1 << 30), 1 << 30));
  };
  return {fit(left - by), fit(top - by), fit(right + by), fit(bottom + by)};
}

}  // namespace

Origin current_origin() {
  return {window_state.centre_x, window_state.centre_y};
}

void draw_command(platform::Picture& picture, const DrawCommand& command, Origin origin) {
  switch (command.kind) {
    case KindTriangle: {
      const Point points[3] = {to_picture(origin, command.x1, command.y1),
                               to_picture(origin, command.x2, command.y2),
                               to_picture(origin, command.x3, command.y3)};
      picture.polygon(points, pen_for(command), brush_for(command));
      break;
    }
    case KindRectangle:
      picture.rectangle(box_for(command, origin), pen_for(command), brush_for(command));
      break;
    case KindOval:
      picture.ellipse(box_for(command, origin), pen_for(command), brush_for(command));
      break;
    case KindLine:
      picture.line(to_picture(origin, command.x1, command.y1),
                   to_picture(origin, command.x2, command.y2), pen_for(command));
      break;
    case KindText:
      for_each_line(picture, command, origin, [&](Point at, std::string_view line, int height) {
        picture.text_out(at, line, height, color_rgb[command.colour]);
      });
      break;
    case KindBackground:
      picture.rectangle(kWholePicture, kInitialPen, Brush{false, color_rgb[kBackgroundColour]});
      break;
    default:
      break;
  }
}

Box command_bounds(platform::Picture& picture, const DrawCommand& command, Origin origin) {
  const long long by = pen_reach(command.kind, command.width);
  switch (command.kind) {
    case KindRectangle:
    case KindOval: {
      const Box box = box_for(command, origin);
      if (is_empty(box)) return {0, 0, 0, 0};
      return grown(box.left, box.top, box.right, box.bottom, by);
    }
    case KindTriangle:
    case KindLine: {
      const Point a = to_picture(origin, command.x1, command.y1);
      const Point b = to_picture(origin, command.x2, command.y2);
      Point c = b;
      if (command.kind == KindTriangle) c = to_picture(origin, command.x3, command.y3);
      return grown(std::min({a.x, b.x, c.x}), std::min({a.y, b.y, c.y}),
                   std::max({a.x, b.x, c.x}) + 1LL, std::max({a.y, b.y, c.y}) + 1LL, by);
    }
    case KindText: {
      Box bounds{0, 0, 0, 0};
      for_each_line(picture, command, origin, [&](Point at, std::string_view line, int height) {
        if (!line.empty()) bounds = bounding(bounds, picture.text_bounds(at, line, height));
      });
      return bounds;
    }
    case KindBackground:
      return kWholePicture;
    default:
      return {0, 0, 0, 0};
  }
}

void fill_background() {
  DrawCommand background;
  background.kind = KindBackground;
  frames.begin(background);
}

}  // namespace zr590

int ZR590_clear() {
  if (zr590::window_state.logging_on) ZR590_printf("Clearing the graphics window\n");
  zr590::fill_background();
  return 1;
}

int ZR590_flush() {
  if (zr590::window_state.logging_on) ZR590_printf("Flushing the graphics window\n");
  zr590::copy_changes();
  return 1;
}
