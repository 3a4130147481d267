// The rows of the ellipse inscribed in a box: the pixels whose centres lie inside it.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace zr590::raster {

// Row spans of one ellipse. Boxes up to kTableSide on a side take their rows from a table made
// by an integer walk along the rim and kept per box size (every circle of one radius shares
// one); larger boxes, which only hostile input makes, work out each row they are asked for.
class EllipseRows {
 public:
  static constexpr long long kTableSide = 4096;
  // Insets of every row of a table box: row j covers [left + inset[j], right - 1 - inset[j]].
  using Table = std::vector<std::int32_t>;

  // `table` is used when the box is small enough, else may be null.
  EllipseRows(platform::Box box, const Table* table);

  bool empty() const { return w_ <= 0 || h_ <= 0; }
  // The pixels of row y, inclusive; false when the row holds none.
  bool span(long long y, long long& first, long long& last) const;

  static bool fits_table(platform::Box box);
  // Fills `table` for a box of w x h pixels (both 1..kTableSide).
  static void make_table(long long w, long long h, Table& table);

 private:
  long long left_, top_, w_, h_;
  const Table* table_;
};

// Tables for the box sizes met lately, a few dozen at most.
class EllipseTables {
 public:
  const EllipseRows::Table& get(long long w, long long h);

 private:
  struct Slot {
    long long w = 0, h = 0;
    EllipseRows::Table table;
  };
  static constexpr int kSlots = 64;
  Slot slots_[kSlots];
};

}  // namespace zr590::raster
