#include "platform/raster/text_font.h"

#include <algorithm>
#include <climits>
#include <cmath>

// stb_truetype is C written for many compilers; its warnings are not ours to fix.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#define STBTT_STATIC
#define STB_TRUETYPE_IMPLEMENTATION
#include <stb_truetype.h>
#pragma GCC diagnostic pop

#include "platform/text_encoding.h"
#include "platform/raster/font_data.h"

namespace zr590::raster {
namespace {

// The height used for point size 0, as on the other pictures.
constexpr int kDefaultHeight = 12;
// Coverage from 0 to 255; at least half covered is ink.
constexpr unsigned char kInk = 128;

int pixels(int height) {
  return height > 0 ? height : kDefaultHeight;
}

}  // namespace

struct TextFont::Face {
  stbtt_fontinfo info;
  int ascent = 0, descent = 0;  // font units, descent below the baseline as a positive number

  // The font's scale for a character height of `height` pixels: the em square is that high.
  float scale(int height) const { return stbtt_ScaleForMappingEmToPixels(&info, pixels(height)); }
  int ascent_pixels(float s) const { return static_cast<int>(std::ceil(ascent * s)); }
  int descent_pixels(float s) const { return static_cast<int>(std::ceil(descent * s)); }

  // Calls place(glyph, x) for each character, x being the glyph's origin. Each advance, with
  // the kerning towards the next glyph, is rounded to whole pixels, as hinted metrics are.
  template <typename Place>
  int lay_out(const std::u32string& text, float s, Place place) const {
    int x = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const int glyph = stbtt_FindGlyphIndex(&info, static_cast<int>(text[i]));
      int advance = 0, bearing = 0;
      stbtt_GetGlyphHMetrics(&info, glyph, &advance, &bearing);
      if (i + 1 < text.size()) {
        advance += stbtt_GetGlyphKernAdvance(
            &info, glyph, stbtt_FindGlyphIndex(&info, static_cast<int>(text[i + 1])));
      }
      place(glyph, x);
      x += static_cast<int>(std::lround(advance * s));
    }
    return x;
  }
};

TextFont::TextFont() : face_(std::make_unique<Face>()) {
  stbtt_InitFont(&face_->info, kFontData, stbtt_GetFontOffsetForIndex(kFontData, 0));
  int line_gap = 0;
  stbtt_GetFontVMetrics(&face_->info, &face_->ascent, &face_->descent, &line_gap);
  face_->descent = -face_->descent;
}

TextFont::~TextFont() = default;

platform::Extent TextFont::extent(std::string_view text, int height) const {
  const float s = face_->scale(height);
  const int width = face_->lay_out(platform::display_characters(text), s, [](int, int) {});
  return {width, face_->ascent_pixels(s) + face_->descent_pixels(s)};
}

Box TextFont::bounds(Point at, std::string_view text, int height) const {
  const float s = face_->scale(height);
  const int ascent = face_->ascent_pixels(s);
  long long left = 0, top = 0, right = 0, bottom = ascent + face_->descent_pixels(s);
  const int cells = face_->lay_out(platform::display_characters(text), s, [&](int glyph, int x) {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    stbtt_GetGlyphBitmapBox(&face_->info, glyph, s, s, &x0, &y0, &x1, &y1);
    if (x1 <= x0 || y1 <= y0) return;
    left = std::min<long long>(left, x + x0);
    right = std::max<long long>(right, x + x1);
    top = std::min<long long>(top, ascent + y0);
    bottom = std::max<long long>(bottom, ascent + y1);
  });
  // A glyph may reach beyond the cells.
  right = std::max<long long>(right, cells);
  const auto place = [](long long origin, long long offset) {
    return static_cast<int>(std::clamp<long long>(origin + offset, INT_MIN, INT_MAX));
  };
  return {place(at.x, left), place(at.y, top), place(at.x, right), place(at.y, bottom)};
}

void TextFont::draw(Raster& raster, Point at, std::string_view text, int height,
                    std::uint32_t colour) const {
  const float s = face_->scale(height);
  const long long baseline = static_cast<long long>(at.y) + face_->ascent_pixels(s);
  const Box clip = raster.clip();
  face_->lay_out(platform::display_characters(text), s, [&](int glyph, int x) {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    stbtt_GetGlyphBitmapBox(&face_->info, glyph, s, s, &x0, &y0, &x1, &y1);
    const long long left = static_cast<long long>(at.x) + x + x0;
    const long long top = baseline + y0;
    const int w = x1 - x0, h = y1 - y0;
    if (w <= 0 || h <= 0 || left >= clip.right || left + w <= clip.left || top >= clip.bottom ||
        top + h <= clip.top) {
      return;
    }
    coverage_.assign(static_cast<std::size_t>(w) * h, 0);
    stbtt_MakeGlyphBitmap(&face_->info, coverage_.data(), w, h, w, s, s, glyph);
    for (int row = 0; row < h; ++row) {
      const unsigned char* cover = coverage_.data() + static_cast<std::size_t>(row) * w;
      for (int i = 0; i < w;) {
        if (cover[i] < kInk) {
          ++i;
          continue;
        }
        int end = i;
        while (end < w && cover[end] >= kInk) ++end;
        raster.fill_box(left + i, top + row, left + end, top + row + 1, colour);
        i = end;
      }
    }
  });
}

}  // namespace zr590::raster
