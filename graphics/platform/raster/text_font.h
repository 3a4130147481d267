// The library's text on the web picture: DejaVu Sans (a Latin-1 subset compiled into the
// program) rendered with stb_truetype, without antialiasing: a pixel is ink where the glyph
// covers at least half of it. Plain C++, so a native build draws the same pixels as the
// browser's.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/raster/raster.h"

namespace zr590::raster {

class TextFont {
 public:
  TextFont();
  ~TextFont();
  TextFont(const TextFont&) = delete;
  TextFont& operator=(const TextFont&) = delete;

  // Size of `text` as one line at character height `height` pixels (0: the default height):
  // the advances, each rounded to whole pixels, and the font's ascent plus descent, each
  // rounded up.
  platform::Extent extent(std::string_view text, int height) const;
  // A box holding every pixel draw() paints for this text at `at`: the glyphs' boxes and the
  // cells.
  Box bounds(Point at, std::string_view text, int height) const;
  // Draws the glyphs of `text` in `colour` with the top left of the first cell at `at`;
  // control characters show as the font's missing-glyph box.
  void draw(Raster& raster, Point at, std::string_view text, int height,
            std::uint32_t colour) const;

 private:
  struct Face;
  std::unique_ptr<Face> face_;
  mutable std::vector<unsigned char> coverage_;  // one glyph's bitmap
};

}  // namespace zr590::raster
