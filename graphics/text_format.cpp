#include "text_format.h"

#include <cstdio>

namespace zr590 {

int format_line(char* buffer, const char* format, va_list args) {
  int produced = std::vsnprintf(buffer, kFormatBufferSize, format, args);
  if (produced < 0) {
    buffer[0] = '\0';
    return 0;
  }
  if (static_cast<std::size_t>(produced) >= kFormatBufferSize) {
    return static_cast<int>(kFormatBufferSize - 1);
  }
  return produced;
}

}  // namespace zr590
