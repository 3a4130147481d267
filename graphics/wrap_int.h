// 32-bit arithmetic that wraps around instead of overflowing, as the library's original
// 32-bit platform did: a radius of -2147483648 "negates" to itself rather than invoking
// undefined behaviour.
#pragma once

#include <cstdint>

namespace zr590 {

inline int wrap_add(int a, int b) {
  return static_cast<int>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
inline int wrap_sub(int a, int b) {
  return static_cast<int>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
inline int wrap_neg(int a) { return wrap_sub(0, a); }

}  // namespace zr590
