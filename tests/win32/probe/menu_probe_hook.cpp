// Loaded into the running editor by the menu probe's message hook: the window's menu can only
// be read from inside the process that owns it (so Wine requires). On the probe's message it
// writes the graphics window's client rectangle and menu to menu-probe.out in the editor's
// current directory.
#include <windows.h>

#include <cstdio>

namespace {

constexpr const char* kProbeMessage = "ZR590 menu probe";

void write_item(std::FILE* out, HMENU menu, int index) {
  const UINT state = GetMenuState(menu, index, MF_BYPOSITION);
  const UINT id = GetMenuItemID(menu, index);
  if (state & MF_SEPARATOR) {
    std::fprintf(out, "item %d %u separator\n", index, id);
    return;
  }
  char text[512] = "";
  GetMenuStringA(menu, index, text, sizeof text, MF_BYPOSITION);
  std::fprintf(out, "item %d %u ", index, id);
  const bool checked = (state & MF_CHECKED) != 0;
  const bool greyed = (state & MF_GRAYED) != 0;
  const char* flags = checked ? (greyed ? "checked,greyed" : "checked") : (greyed ? "greyed" : "-");
  std::fprintf(out, "%s ", flags);
  // Tabs are written as \t so that every item stays on one line.
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c == '\t')
      std::fputs("\\t", out);
    else
      std::fputc(*c, out);
  }
  std::fputc('\n', out);
}

void write_report() {
  HWND window = FindWindowA("DrawWndClass", "ZR590 Graphics");
  std::FILE* out = std::fopen("menu-probe.tmp", "w");
  if (out == nullptr) return;
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  std::fprintf(out, "client %ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
  HMENU bar = GetMenu(window);
  char title[128] = "";
  GetMenuStringA(bar, 0, title, sizeof title, MF_BYPOSITION);
  std::fprintf(out, "bar %d %s\n", GetMenuItemCount(bar), title);
  HMENU run = GetSubMenu(bar, 0);
  const int count = GetMenuItemCount(run);
  for (int i = 0; i < count; ++i) write_item(out, run, i);
  std::fclose(out);
  // Whole or not at all: the probe waits for this name.
  MoveFileExA("menu-probe.tmp", "menu-probe.out", MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    menu_probe_hook(int code, WPARAM wparam, LPARAM lparam) {
  static const UINT probe_message = RegisterWindowMessageA(kProbeMessage);
  const MSG* msg = reinterpret_cast<const MSG*>(lparam);
  if (code == HC_ACTION && wparam == PM_REMOVE && msg->message == probe_message) write_report();
  return CallNextHookEx(nullptr, code, wparam, lparam);
}
