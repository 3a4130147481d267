// The modal line-input dialog "ZR590_gets", run from a template built in memory.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace zr590::platform::win32 {

// Shows the dialog (dialog_template.h) owned by `owner` until "Okay" or Enter, then stores the
// line box's text (at most kReplyLength characters) in `reply` and returns 1; returns -1 when
// the dialog cannot be created, leaving `reply` as it was.
int run_line_dialog(HINSTANCE instance, HWND owner, std::string_view prompt, std::string& reply);

}  // namespace zr590::platform::win32
