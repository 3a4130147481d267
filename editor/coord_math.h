// Arithmetic on stored coordinates. A drawing file may hold any 32-bit value, so sums and
// differences such as x + 10 or x2 - x are formed in 64 bits, where they cannot overflow, and a
// result that goes back into a coordinate is clamped to the 32-bit range. Clamping (rather than
// wrapping) keeps boxes from turning over, so a shape far out is still drawn where it is picked.
#pragma once

#include <cstdint>
#include <limits>

namespace editor {

using Wide = std::int64_t;

inline int clampToInt(Wide v) {
  constexpr Wide lo = std::numeric_limits<int>::min();
  constexpr Wide hi = std::numeric_limits<int>::max();
  return static_cast<int>(v < lo ? lo : (v > hi ? hi : v));
}

// a + d as a coordinate.
inline int offset(int a, Wide d) {
  return clampToInt(Wide{a} + d);
}

inline Wide distance(int a, int b) {
  Wide d = Wide{a} - Wide{b};
  return d < 0 ? -d : d;
}

}  // namespace editor
