#include "platform/win32/text_console.h"

#include <climits>

namespace zr590::platform::win32 {

void put_console_line(HWND window, std::string_view line) {
  HDC dc = GetDC(window);
  HGDIOBJ old_font = SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  const int h = metrics.tmHeight + metrics.tmExternalLeading;
  ScrollDC(dc, 0, -h, nullptr, nullptr, nullptr, nullptr);

  RECT client{};
  GetClientRect(window, &client);
  HBRUSH background = CreateSolidBrush(GetBkColor(dc));
  HGDIOBJ old_pen = SelectObject(dc, GetStockObject(NULL_PEN));
  HGDIOBJ old_brush = SelectObject(dc, background);
  // With the null pen the rectangle leaves its right column and bottom row, hence bottom + 1.
  Rectangle(dc, client.left, client.bottom - h, client.right, client.bottom + 1);
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
  DeleteObject(background);

  const int count =
      line.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(line.size());
  TextOutA(dc, client.left + 5, client.bottom - h, line.data(), count);
  SelectObject(dc, old_font);
  ReleaseDC(window, dc);
}

}  // namespace zr590::platform::win32
