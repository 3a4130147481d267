// The part of a picture to draw again: a few disjoint rectangles covering every box added.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/platform.h"

namespace zr590 {

using platform::Box;

bool is_empty(const Box& b);
bool intersects(const Box& a, const Box& b);
Box intersection(const Box& a, const Box& b);
Box bounding(const Box& a, const Box& b);  // an empty box counts for nothing

class Damage {
 public:
  // Boxes are cut to `limit` (the picture).
  explicit Damage(Box limit) : limit_(limit) {}

  void add(Box box);
  bool empty() const { return rects_.empty(); }
  // Pairwise disjoint, at most kMaxRects of them.
  const std::vector<Box>& rects() const { return rects_; }
  // The bounding box of them all.
  const Box& bounds() const { return bounds_; }

  // More rectangles cost every command one more test when the frame is drawn again; fewer
  // cover more pixels that did not change.
  static constexpr std::size_t kMaxRects = 16;

 private:
  // Merges rectangle i with every other it overlaps, until none overlaps another.
  void merge_overlaps(std::size_t i);

  Box limit_;
  Box bounds_{0, 0, 0, 0};
  std::vector<Box> rects_;
};

}  // namespace zr590
