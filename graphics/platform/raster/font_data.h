// The bytes of the font file font/DejaVuSans-Latin1.ttf, compiled in by the build
// (embed_file.cmake), so the font needs no file system at run time.
#pragma once

#include <cstddef>

namespace zr590::raster {
extern const unsigned char kFontData[];
extern const std::size_t kFontDataSize;
}  // namespace zr590::raster
