// The text window's surface: one line at a time at the bottom, the older ones scrolled up.
#pragma once

#include <windows.h>

#include <string_view>

namespace zr590::platform::win32 {

// Scrolls the window's client area up by one line of the stock fixed font, clears the strip
// that leaves at the bottom and draws `line` there, 5 pixels from the left edge. Drawn at
// once through a fresh context: what a hidden or covered window does not show is lost until
// the next repaint replays the stored lines.
void put_console_line(HWND window, std::string_view line);

}  // namespace zr590::platform::win32
