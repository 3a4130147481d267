// Formatting into the library's fixed 1024-character buffers.
#pragma once

#include <cstdarg>
#include <cstddef>

namespace zr590 {

inline constexpr std::size_t kFormatBufferSize = 1024;

// Formats into `buffer` (kFormatBufferSize bytes). Text longer than 1023 characters is cut
// there, never overrunning. Returns the number of characters stored.
int format_line(char* buffer, const char* format, va_list args);

}  // namespace zr590
