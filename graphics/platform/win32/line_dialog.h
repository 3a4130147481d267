// The modal line-input dialog "ZR590_gets", run from a template built in memory.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

namespace zr590::platform::win32 {

inline constexpr std::size_t kDialogTemplateBytes = 292;

// The dialog's template: the header and three items (line box 102, "Okay" button 101, prompt
// 103), in 16-bit words, DWORD-aligned as the dialog manager requires. The prompt is used as
// given up to 79 characters (the caller pads it).
struct DialogTemplate {
  alignas(DWORD) std::array<WORD, kDialogTemplateBytes / sizeof(WORD)> words{};
};
void build_dialog_template(std::string_view prompt, DialogTemplate& out);

// Shows the dialog owned by `owner` until "Okay" or Enter, then stores the line box's text
// (at most 255 characters) in `reply` and returns 1; returns -1 when the dialog cannot be
// created, leaving `reply` as it was.
int run_line_dialog(HINSTANCE instance, HWND owner, std::string_view prompt, std::string& reply);

}  // namespace zr590::platform::win32
