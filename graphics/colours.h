// The library's table of 24 named colours.
#pragma once

#include "platform/platform.h"

namespace zr590 {

inline constexpr int kColourCount = 24;
inline constexpr int kBackgroundColour = 1;  // white
inline constexpr int kSubstituteColour = 2;  // red

extern const char* const color_name[kColourCount];
extern const platform::Rgb color_rgb[kColourCount];

// Reports a colour outside 0..23 in the text window; returns red, which replaces it.
int replace_bad_color(int colour);
// A colour 0..23 unchanged; anything else reported in the text window and replaced by red.
// Inline: every drawing call passes here.
inline int check_color(int colour) {
  if (static_cast<unsigned>(colour) < kColourCount) [[likely]]
    return colour;
  return replace_bad_color(colour);
}

}  // namespace zr590
