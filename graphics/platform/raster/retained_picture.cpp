#include "platform/raster/retained_picture.h"

#include <algorithm>

namespace zr590::raster {
namespace {

// Calls drawn outside a frame wait at most this many at a time.
constexpr std::size_t kBatch = 1024;
// A frame whose texts grow beyond this is shown as far as it goes, and the rest drawn on top.
constexpr std::size_t kMaxTextBytes = std::size_t{1} << 28;

long long at_least_one(int width) {
  return std::max(width, 1);
}

Box box_of(long long left, long long top, long long right, long long bottom) {
  auto fit = [](long long v) {
    return static_cast<int>(std::clamp<long long>(v, -(1 << 30), 1 << 30));
  };
  return {fit(left), fit(top), fit(right), fit(bottom)};
}

}  // namespace

RetainedPicture::RetainedPicture(std::uint32_t* pixels, int width, int height, int stride,
                                 Pack pack)
    : raster_(pixels, width, height, stride), pack_(pack), whole_{0, 0, width, height} {}

void RetainedPicture::rectangle(Box box, const Pen& pen, const Brush& brush) {
  DrawOp op{};
  op.kind = DrawOp::Rectangle;
  op.hollow = brush.hollow;
  op.pen = pen.colour;
  op.brush = brush.colour;
  op.width = pen.width;
  op.v[0] = box.left;
  op.v[1] = box.top;
  op.v[2] = box.right;
  op.v[3] = box.bottom;
  record(op);
}

void RetainedPicture::ellipse(Box box, const Pen& pen, const Brush& brush) {
  DrawOp op{};
  op.kind = DrawOp::Ellipse;
  op.hollow = brush.hollow;
  op.pen = pen.colour;
  op.brush = brush.colour;
  op.width = pen.width;
  op.v[0] = box.left;
  op.v[1] = box.top;
  op.v[2] = box.right;
  op.v[3] = box.bottom;
  record(op);
}

void RetainedPicture::polygon(const Point (&points)[3], const Pen& pen, const Brush& brush) {
  DrawOp op{};
  op.kind = DrawOp::Polygon;
  op.hollow = brush.hollow;
  op.pen = pen.colour;
  op.brush = brush.colour;
  op.width = pen.width;
  for (int k = 0; k < 3; ++k) {
    op.v[2 * k] = points[k].x;
    op.v[2 * k + 1] = points[k].y;
  }
  record(op);
}

void RetainedPicture::line(Point from, Point to, const Pen& pen) {
  DrawOp op{};
  op.kind = DrawOp::Line;
  op.pen = pen.colour;
  op.width = pen.width;
  op.v[0] = from.x;
  op.v[1] = from.y;
  op.v[2] = to.x;
  op.v[3] = to.y;
  record(op);
}

void RetainedPicture::text_out(Point at, std::string_view text, int height, Rgb colour) {
  if (text.empty()) return;  // paints nothing
  DrawOp op{};
  op.kind = DrawOp::Text;
  op.pen = colour;
  op.width = height;
  op.v[0] = at.x;
  op.v[1] = at.y;
  record(op, text);
}

bool RetainedPicture::fills_picture(const DrawOp& op) const {
  // A filled rectangle paints every pixel of its box, in its pen or its brush.
  return op.kind == DrawOp::Rectangle && !op.hollow && op.v[0] <= 0 && op.v[1] <= 0 &&
         op.v[2] >= whole_.right && op.v[3] >= whole_.bottom;
}

void RetainedPicture::record(const DrawOp& op, std::string_view text) {
  if (fills_picture(op)) {
    // Nothing drawn before shows through: a new frame begins.
    in_frame_ = true;
    parted_ = false;
    matched_ = 0;
    tail_.clear();
  }
  if (in_frame_ && !parted_) {
    if (matched_ < shown_.size() && shown_.same(matched_, op, text)) {
      ++matched_;
      return;
    }
    parted_ = true;
  }
  tail_.push(op, text);
  if ((!in_frame_ && tail_.size() >= kBatch) || tail_.text_bytes() > kMaxTextBytes) settle();
}

void RetainedPicture::settle() {
  if (in_frame_) {
    settle_frame();
    return;
  }
  if (tail_.empty()) return;
  draw_on_top(tail_);
  // The list goes on describing the pixels, unless a program that never clears makes it long.
  if (shown_complete_ && shown_.size() + tail_.size() <= 2 * frame_size_ + 4 * kBatch) {
    shown_.splice(shown_.size(), tail_);
  } else {
    shown_.clear();
    shown_complete_ = false;
  }
  tail_.clear();
}

void RetainedPicture::settle_frame() {
  in_frame_ = false;
  if (!shown_complete_) {
    // Nothing to compare with: the frame is drawn whole.
    draw_on_top(tail_);
  } else {
    // The calls between the common start and the common end differ; where they paint, old or
    // new, the new frame is drawn again.
    const std::size_t old_rest = shown_.size() - matched_, new_rest = tail_.size();
    std::size_t common_end = 0;
    while (common_end < old_rest && common_end < new_rest &&
           shown_.same(shown_.size() - 1 - common_end, tail_, new_rest - 1 - common_end)) {
      ++common_end;
    }
    Damage damage(whole_);
    for (std::size_t i = matched_; i < shown_.size() - common_end; ++i) {
      damage.add(bounds(shown_[i], shown_.text(shown_[i])));
    }
    for (std::size_t i = 0; i < new_rest - common_end; ++i) {
      damage.add(bounds(tail_[i], tail_.text(tail_[i])));
    }
    if (!damage.empty()) {
      for (std::size_t i = 0; i < matched_; ++i)
        draw_within(shown_[i], shown_.text(shown_[i]), damage);
      for (std::size_t i = 0; i < new_rest; ++i)
        draw_within(tail_[i], tail_.text(tail_[i]), damage);
      changes_ = bounding(changes_, damage.bounds());
    }
  }
  shown_.splice(matched_, tail_);
  shown_complete_ = true;
  frame_size_ = shown_.size();
  tail_.clear();
}

void RetainedPicture::draw_on_top(const DrawList& list) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    const DrawOp& op = list[i];
    const std::string_view text = op.kind == DrawOp::Text ? list.text(op) : std::string_view();
    const Box area = intersection(bounds(op, text), whole_);
    if (is_empty(area)) continue;
    draw(op, text, whole_);
    changes_ = bounding(changes_, area);
  }
}

void RetainedPicture::draw_within(const DrawOp& op, std::string_view text, const Damage& damage) {
  if (op.kind != DrawOp::Text) text = {};
  const Box area = bounds(op, text);
  if (!intersects(area, damage.bounds())) return;
  for (const Box& rect : damage.rects()) {
    const Box clip = intersection(area, rect);
    if (!is_empty(clip)) draw(op, text, clip);
  }
}

void RetainedPicture::draw(const DrawOp& op, std::string_view text, Box clip) {
  const Box box{op.v[0], op.v[1], op.v[2], op.v[3]};
  const Point points[3] = {{op.v[0], op.v[1]}, {op.v[2], op.v[3]}, {op.v[4], op.v[5]}};
  const Fill fill{op.hollow == 0, pack_(op.brush)};
  const bool thin = op.width <= 1;
  if (op.kind == DrawOp::Text) {
    draw_text(points[0], text, op.width, op.pen, clip);
  } else if (!thin && op.kind == DrawOp::Polygon) {
    draw_wide_polygon(points, {op.width, op.pen}, {op.hollow != 0, op.brush}, clip);
  } else if (!thin && op.kind == DrawOp::Line) {
    draw_wide_line(points[0], points[1], {op.width, op.pen}, clip);
  } else {
    before_raster();
    raster_.set_clip(clip);
    const std::uint32_t pen = pack_(op.pen);
    switch (op.kind) {
      case DrawOp::Rectangle:
        raster_.rectangle(box, op.width, pen, fill);
        break;
      case DrawOp::Ellipse:
        raster_.ellipse(box, op.width, pen, fill);
        break;
      case DrawOp::Polygon:
        raster_.thin_triangle(points, pen, fill);
        break;
      default:
        raster_.thin_line(points[0], points[1], pen);
        break;
    }
  }
}

Box RetainedPicture::bounds(const DrawOp& op, std::string_view text) {
  if (op.kind == DrawOp::Text) return text_bounds({op.v[0], op.v[1]}, text, op.width);
  const long long pen = at_least_one(op.width);
  // Half a pen on every side covers what a pen paints along a figure's edge; Cairo's mitred
  // corners reach further out, up to its miter limit (10) times half the pen.
  long long grow = pen / 2 + 1;
  if (op.kind == DrawOp::Polygon && pen > 1) grow = 5 * pen + 2;
  if (op.kind == DrawOp::Rectangle || op.kind == DrawOp::Ellipse) {
    if (op.v[2] <= op.v[0] || op.v[3] <= op.v[1]) return {0, 0, 0, 0};
    return box_of(op.v[0] - grow, op.v[1] - grow, op.v[2] + grow, op.v[3] + grow);
  }
  const int corners = op.kind == DrawOp::Polygon ? 3 : 2;
  long long left = op.v[0], top = op.v[1], right = op.v[0], bottom = op.v[1];
  for (int k = 1; k < corners; ++k) {
    left = std::min<long long>(left, op.v[2 * k]);
    right = std::max<long long>(right, op.v[2 * k]);
    top = std::min<long long>(top, op.v[2 * k + 1]);
    bottom = std::max<long long>(bottom, op.v[2 * k + 1]);
  }
  return box_of(left - grow, top - grow, right + 1 + grow, bottom + 1 + grow);
}

Box RetainedPicture::take_changes() {
  settle();
  const Box changes = changes_;
  changes_ = {0, 0, 0, 0};
  return changes;
}

void RetainedPicture::forget_frame() {
  settle();
  shown_.clear();
  shown_complete_ = false;
}

void RetainedPicture::pixels_replaced() {
  in_frame_ = false;
  tail_.clear();
  shown_.clear();
  shown_complete_ = false;
  changes_ = whole_;
}

}  // namespace zr590::raster
