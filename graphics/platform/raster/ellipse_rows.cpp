#include "platform/raster/ellipse_rows.h"

#include <cmath>

namespace zr590::raster {
namespace {

// Unsigned 128-bit products and sums, without a compiler extension: large boxes need them and
// 32-bit targets have no wider integer.
struct U128 {
  std::uint64_t hi, lo;
};

U128 multiply(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32, b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
  const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  const std::uint64_t mid = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
  return {p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32), (mid << 32) | (p00 & 0xFFFFFFFFu)};
}

U128 add(U128 a, U128 b) {
  const std::uint64_t lo = a.lo + b.lo;
  return {a.hi + b.hi + (lo < a.lo ? 1 : 0), lo};
}

bool at_most(U128 a, U128 b) {
  return a.hi < b.hi || (a.hi == b.hi && a.lo <= b.lo);
}

// With X and Y measured from the box centre in half pixels (odd or even with the box size),
// a pixel centre lies inside the ellipse of a W x H box when X^2 H^2 + Y^2 W^2 <= W^2 H^2.
bool inside_wide(long long x, long long y, long long w, long long h) {
  const auto ax = static_cast<std::uint64_t>(x < 0 ? -x : x);
  const auto ay = static_cast<std::uint64_t>(y < 0 ? -y : y);
  const auto uw = static_cast<std::uint64_t>(w), uh = static_cast<std::uint64_t>(h);
  return at_most(add(multiply(ax * uh, ax * uh), multiply(ay * uw, ay * uw)),
                 multiply(uw * uh, uw * uh));
}

}  // namespace

EllipseRows::EllipseRows(platform::Box box, const Table* table)
    : left_(box.left),
      top_(box.top),
      w_(static_cast<long long>(box.right) - box.left),
      h_(static_cast<long long>(box.bottom) - box.top),
      table_(table) {}

bool EllipseRows::fits_table(platform::Box box) {
  const long long w = static_cast<long long>(box.right) - box.left;
  const long long h = static_cast<long long>(box.bottom) - box.top;
  return w > 0 && h > 0 && w <= kTableSide && h <= kTableSide;
}

void EllipseRows::make_table(long long w, long long h, Table& table) {
  table.assign(static_cast<std::size_t>(h), 0);
  const long long limit = w * w * h * h;
  // From the middle rows outwards the rim only moves inwards: one walk along it.
  long long x = w - 1;
  for (long long j = (h - 1) / 2; j >= 0; --j) {
    const long long y = 2 * j + 1 - h;
    while (x >= 0 && x * x * h * h + y * y * w * w > limit) x -= 2;
    const auto inset = static_cast<std::int32_t>(x >= 0 ? (w - 1 - x) / 2 : w);
    table[static_cast<std::size_t>(j)] = inset;
    table[static_cast<std::size_t>(h - 1 - j)] = inset;
  }
}

bool EllipseRows::span(long long y, long long& first, long long& last) const {
  if (empty() || y < top_ || y >= top_ + h_) return false;
  long long inset;
  if (table_ != nullptr) {
    inset = (*table_)[static_cast<std::size_t>(y - top_)];
  } else {
    // A large box: estimate the rim, then settle it exactly.
    const long long ry = 2 * (y - top_) + 1 - h_;
    const double ratio = static_cast<double>(ry) / static_cast<double>(h_);
    long long x = static_cast<long long>(static_cast<double>(w_) * std::sqrt(1.0 - ratio * ratio));
    if (((x ^ (w_ - 1)) & 1) != 0) --x;
    while (x + 2 <= w_ - 1 && inside_wide(x + 2, ry, w_, h_)) x += 2;
    while (x >= 0 && !inside_wide(x, ry, w_, h_)) x -= 2;
    inset = x >= 0 ? (w_ - 1 - x) / 2 : w_;
  }
  first = left_ + inset;
  last = left_ + w_ - 1 - inset;
  return first <= last;
}

const EllipseRows::Table& EllipseTables::get(long long w, long long h) {
  Slot& slot = slots_[static_cast<std::size_t>(w * 31 + h) % kSlots];
  if (slot.w != w || slot.h != h) {
    EllipseRows::make_table(w, h, slot.table);
    slot.w = w;
    slot.h = h;
  }
  return slot.table;
}

}  // namespace zr590::raster
