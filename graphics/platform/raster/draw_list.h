// The calls made on a picture, kept in a compact list: one fixed-size record per call, and the
// texts of text calls side by side in one buffer.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace zr590::raster {

// One call on the picture. 36 bytes with no padding, so that two records of figures compare
// bytewise; fields a kind does not use are zero.
struct DrawOp {
  enum Kind : std::uint8_t { Rectangle, Ellipse, Polygon, Line, Text };
  Kind kind;
  std::uint8_t hollow;  // the brush is empty
  platform::Rgb pen;    // text: its colour
  platform::Rgb brush;
  std::int32_t width;  // the pen's; text: the character height
  // Rectangle, ellipse: the box. Polygon: three points. Line: two points. Text: the top left
  // of its first cell, then where its characters lie in the list's text buffer and how many.
  std::int32_t v[6];

  static constexpr int kTextOffset = 2, kTextLength = 3;
};
static_assert(sizeof(DrawOp) == 36, "a draw record has no padding");

class DrawList {
 public:
  std::size_t size() const { return ops_.size(); }
  bool empty() const { return ops_.empty(); }
  std::size_t text_bytes() const { return text_.size(); }
  const DrawOp& operator[](std::size_t i) const { return ops_[i]; }
  // The characters of a text record of this list.
  std::string_view text(const DrawOp& op) const {
    return {text_.data() + op.v[DrawOp::kTextOffset],
            static_cast<std::size_t>(op.v[DrawOp::kTextLength])};
  }

  // Appends a record; a text record brings its characters (its offset and length are set here).
  void push(DrawOp op, std::string_view text = {});
  // Whether record i draws exactly what `op` with `text` draws.
  bool same(std::size_t i, const DrawOp& op, std::string_view text) const {
    const DrawOp& mine = ops_[i];
    if (op.kind != DrawOp::Text) return std::memcmp(&mine, &op, sizeof op) == 0;
    return mine.kind == DrawOp::Text && mine.pen == op.pen && mine.width == op.width &&
           mine.v[0] == op.v[0] && mine.v[1] == op.v[1] && this->text(mine) == text;
  }
  bool same(std::size_t i, const DrawList& other, std::size_t j) const {
    return same(
        i, other.ops_[j],
        other.ops_[j].kind == DrawOp::Text ? other.text(other.ops_[j]) : std::string_view());
  }
  void clear();
  // Keeps the first `keep` records and appends every record of `tail` after them.
  void splice(std::size_t keep, const DrawList& tail);

 private:
  std::vector<DrawOp> ops_;
  std::string text_;
};

}  // namespace zr590::raster
