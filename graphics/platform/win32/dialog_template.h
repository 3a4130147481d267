// The "ZR590_gets" dialog as the dialog manager's in-memory template: a header and three items
// (line box, "Okay" button, prompt), in 16-bit words.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "platform/win32/win32_numbers.h"

namespace zr590::platform::win32 {

inline constexpr std::size_t kDialogTemplateBytes = 292;
inline constexpr Word kOkayButton = 101;
inline constexpr Word kLineBox = 102;
inline constexpr Word kPromptText = 103;

// DWORD-aligned, as the dialog manager requires.
struct DialogTemplate {
  alignas(Dword) std::array<Word, kDialogTemplateBytes / sizeof(Word)> words{};
};

// The template with this prompt, used as given up to kPromptLength characters (the caller
// pads it). Each byte of the prompt becomes the 16-bit character of the same code.
void build_dialog_template(std::string_view prompt, DialogTemplate& out);

}  // namespace zr590::platform::win32
