// The library's table of 24 named colours.
#pragma once

#include "platform/platform.h"

namespace zr590 {

inline constexpr int kColourCount = 24;
inline constexpr int kBackgroundColour = 1;  // white
inline constexpr int kSubstituteColour = 2;  // red

extern const char* const color_name[kColourCount];
extern const platform::Rgb color_rgb[kColourCount];

// A colour 0..23 unchanged; anything else reported in the text window and replaced by red.
int check_color(int colour);

}  // namespace zr590
