#include "damage.h"

#include <algorithm>

namespace zr590 {
namespace {

long long area(const Box& b) {
  return static_cast<long long>(b.right - b.left) * (b.bottom - b.top);
}

bool contains(const Box& outer, const Box& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
         outer.bottom >= inner.bottom;
}

}  // namespace

bool is_empty(const Box& b) {
  return b.left >= b.right || b.top >= b.bottom;
}

bool intersects(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

Box intersection(const Box& a, const Box& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

Box bounding(const Box& a, const Box& b) {
  if (is_empty(a)) return b;
  if (is_empty(b)) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

void Damage::add(Box box) {
  box = intersection(box, limit_);
  if (is_empty(box)) return;
  bounds_ = bounding(bounds_, box);
  for (std::size_t i = 0; i < rects_.size(); ++i) {
    if (contains(rects_[i], box)) return;
  }
  for (std::size_t i = 0; i < rects_.size(); ++i) {
    if (intersects(rects_[i], box)) {
      rects_[i] = bounding(rects_[i], box);
      merge_overlaps(i);
      return;
    }
  }
  if (rects_.size() < kMaxRects) {
    rects_.push_back(box);
    return;
  }
  // Full: the box joins the rectangle it enlarges least.
  std::size_t best = 0;
  long long best_growth = -1;
  for (std::size_t i = 0; i < rects_.size(); ++i) {
    const long long growth = area(bounding(rects_[i], box)) - area(rects_[i]);
    if (best_growth < 0 || growth < best_growth) {
      best = i;
      best_growth = growth;
    }
  }
  rects_[best] = bounding(rects_[best], box);
  merge_overlaps(best);
}

void Damage::merge_overlaps(std::size_t i) {
  for (bool merged = true; merged;) {
    merged = false;
    for (std::size_t j = 0; j < rects_.size(); ++j) {
      if (j == i || !intersects(rects_[i], rects_[j])) continue;
      rects_[i] = bounding(rects_[i], rects_[j]);
      rects_.erase(rects_.begin() + static_cast<std::ptrdiff_t>(j));
      if (j < i) --i;
      merged = true;
      break;
    }
  }
}

}  // namespace zr590
