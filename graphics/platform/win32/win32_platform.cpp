#include "platform/win32/win32_platform.h"

#include <utility>

#include "platform/win32/line_dialog.h"
#include "platform/win32/text_console.h"
#include "platform/win32/win32_messages.h"
#include "platform/window_scale.h"

namespace zr590::platform::win32 {
namespace {

constexpr const char* kGraphicsClass = "DrawWndClass";
constexpr const char* kTextClass = "TextWndClass";
// Neither class gets a menu from this name; the graphics window builds its own.
constexpr const char* kClassMenuName = "generic";

Win32Platform* the_platform = nullptr;

}  // namespace

Win32Platform::Win32Platform(HINSTANCE instance) : instance_(instance) {
  the_platform = this;
}

Win32Platform::~Win32Platform() {
  if (the_platform == this) the_platform = nullptr;
  // The windows go without telling the library (the program that made them is over); the
  // process's own platform lives to its end, so this is for tests that make one per case.
  release_window_dc();
  for (HWND& window : windows_) {
    if (window != nullptr) DestroyWindow(std::exchange(window, nullptr));
  }
}

LRESULT CALLBACK Win32Platform::graphics_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (the_platform == nullptr) return DefWindowProcA(hwnd, msg, wparam, lparam);
  return the_platform->handle(Window::Graphics, hwnd, msg, wparam, lparam);
}

LRESULT CALLBACK Win32Platform::text_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (the_platform == nullptr) return DefWindowProcA(hwnd, msg, wparam, lparam);
  return the_platform->handle(Window::Text, hwnd, msg, wparam, lparam);
}

LRESULT Win32Platform::handle(Window window, HWND native, UINT msg, WPARAM wparam, LPARAM lparam) {
  // The first messages come from inside CreateWindowExA, before it returns the handle.
  if (creating_ && *creating_ == window && hwnd(window) == nullptr) hwnd(window) = native;

  if (msg == WM_CLOSE && window == Window::Text && text_close_hides_) {
    ShowWindow(native, SW_HIDE);
    return 0;
  }

  if (msg == WM_PAINT) {
    // The picture goes to the held context, not the painting one; painting only validates.
    PAINTSTRUCT paint;
    BeginPaint(native, &paint);
    deliver({window, MessageKind::Paint});
    EndPaint(native, &paint);
    return 0;
  }

  if (window == Window::Graphics) {
    if (msg == WM_GETMINMAXINFO) {
      reinterpret_cast<MINMAXINFO*>(lparam)->ptMinTrackSize = {least_outer_.width,
                                                               least_outer_.height};
      return 0;
    }
    if (msg == WM_SIZE && client_.width > 0) {
      // Larger than the client area the program knows: shown enlarged, the program's size kept.
      scale_ = whole_scale({LOWORD(lparam), HIWORD(lparam)}, client_);
      InvalidateRect(native, nullptr, TRUE);
      return 0;
    }
    if (msg == WM_SIZE) client_ = {LOWORD(lparam), HIWORD(lparam)};
  }

  std::optional<Message> message = to_message(window, msg, wparam, lparam);
  if (message && window == Window::Graphics && message->kind == MessageKind::LButtonDown) {
    const auto at = client_point(message->a, message->b, scale_, client_);
    if (!at) return 0;  // beside the client area: nothing the program can see
    message->a = at->x;
    message->b = at->y;
  }
  if (message) {
    if (message->kind == MessageKind::Size) sized_[window == Window::Graphics ? 0 : 1] = true;
    deliver(*message);
  }
  if (msg == WM_DESTROY) {
    if (window == Window::Graphics && window_dc_ != nullptr) {
      ReleaseDC(native, window_dc_);
      window_dc_ = nullptr;
    }
    hwnd(window) = nullptr;
  }

  if (window == Window::Graphics) {
    if (message) return 0;
  } else if (msg == WM_KEYDOWN || msg == WM_KEYUP) {
    return 0;
  }
  return DefWindowProcA(native, msg, wparam, lparam);
}

void Win32Platform::register_classes() {
  if (classes_registered_) return;
  classes_registered_ = true;
  const Rgb white = kWindowBackground;
  HBRUSH background = CreateSolidBrush(RGB(white.r, white.g, white.b));
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.hInstance = instance_;
  wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszMenuName = kClassMenuName;
  wc.lpfnWndProc = graphics_proc;
  wc.lpszClassName = kGraphicsClass;
  RegisterClassA(&wc);
  wc.lpfnWndProc = text_proc;
  wc.lpszClassName = kTextClass;
  RegisterClassA(&wc);
}

Extent Win32Platform::screen_size() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void Win32Platform::create_window(Window window, const char* title, int x, int y, int width,
                                  int height) {
  register_classes();
  const bool graphics = window == Window::Graphics;
  // The graphics window may grow (window_scale.h), never shrink below its start size.
  const DWORD style =
      graphics ? (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX) : WS_OVERLAPPEDWINDOW;
  if (graphics) {
    // The sizing border is thicker than a fixed one: the outer size grows by the difference,
    // so that the client area is what it was.
    RECT fixed{0, 0, 0, 0}, sizing{0, 0, 0, 0};
    AdjustWindowRect(&fixed, WS_CAPTION | WS_SYSMENU, FALSE);
    AdjustWindowRect(&sizing, style, FALSE);
    width += (sizing.right - sizing.left) - (fixed.right - fixed.left);
    height += (sizing.bottom - sizing.top) - (fixed.bottom - fixed.top);
    least_outer_ = {width, height};
  }
  creating_ = window;
  HWND created = CreateWindowExA(0, graphics ? kGraphicsClass : kTextClass, title, style, x, y,
                                 width, height, nullptr, nullptr, instance_, nullptr);
  creating_.reset();
  if (created == nullptr) return;
  hwnd(window) = created;
  // The logic needs the client size before this returns; send it if creation did not.
  if (!sized_[graphics ? 0 : 1]) {
    RECT client{};
    GetClientRect(created, &client);
    SendMessageA(created, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  }
}

void Win32Platform::create_menu(const MenuItem& title, const MenuItem* items, std::size_t count) {
  HMENU bar = CreateMenu();
  run_menu_ = CreatePopupMenu();
  for (std::size_t i = 0; i < count; ++i) {
    const MenuItem& item = items[i];
    if (item.label == nullptr) {
      AppendMenuA(run_menu_, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING;
    if (item.checked) flags |= MF_CHECKED;
    if (item.greyed) flags |= MF_GRAYED;
    // Windows' own form: '&' before the mnemonic, the shortcut's label after a tab.
    std::string text = marked_label(item, '&');
    if (item.shortcut != 0) text.append("\t").append(shortcut_text(item));
    AppendMenuA(run_menu_, flags, static_cast<UINT_PTR>(item.id), text.c_str());
  }
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(run_menu_),
              marked_label(title, '&').c_str());
  HWND graphics = hwnd(Window::Graphics);
  SetMenu(graphics, bar);
  DrawMenuBar(graphics);
}

void Win32Platform::set_menu_check(int command_id, bool checked) {
  if (run_menu_ == nullptr) return;
  CheckMenuItem(run_menu_, static_cast<UINT>(command_id),
                MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

Picture& Win32Platform::picture() {
  if (!picture_) {
    // The window's context is taken once here and held until the library closes.
    window_dc_ = GetDC(hwnd(Window::Graphics));
    picture_ = std::make_unique<GdiPicture>(window_dc_);
  }
  return *picture_;
}

void Win32Platform::copy_picture_to_window() {
  if (window_dc_ == nullptr || !picture_) return;
  // The client area only: a grown window would show the picture's hidden part beside it.
  const Extent shown = client_.width > 0 ? client_ : Extent{kPictureWidth, kPictureHeight};
  if (scale_ == 1) {
    BitBlt(window_dc_, 0, 0, shown.width, shown.height, picture_->dc(), 0, 0, SRCCOPY);
    return;
  }
  // Each pixel an exact block: COLORONCOLOR drops rows and columns, it never blends them.
  SetStretchBltMode(window_dc_, COLORONCOLOR);
  StretchBlt(window_dc_, 0, 0, shown.width * scale_, shown.height * scale_, picture_->dc(), 0, 0,
             shown.width, shown.height, SRCCOPY);
}

void Win32Platform::release_window_dc() {
  if (window_dc_ == nullptr) return;
  ReleaseDC(hwnd(Window::Graphics), window_dc_);
  window_dc_ = nullptr;
}

Box Win32Platform::client_rect(Window window) {
  if (window == Window::Graphics && client_.width > 0) return {0, 0, client_.width, client_.height};
  RECT r{};
  if (hwnd(window) != nullptr) GetClientRect(hwnd(window), &r);
  return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
          static_cast<int>(r.bottom)};
}

int Win32Platform::show_window(Window window, bool show) {
  HWND native = hwnd(window);
  if (native == nullptr) return 0;
  bool& shown_before = shown_before_[window == Window::Graphics ? 0 : 1];
  // The first showing is the way the program was asked to start.
  int command = SW_HIDE;
  if (show) command = shown_before ? SW_SHOW : ZR590_startup_args().show_command;
  if (show) shown_before = true;
  return ShowWindow(native, command);
}

void Win32Platform::start_timer(int id, int period_ms) {
  SetTimer(hwnd(Window::Graphics), static_cast<UINT_PTR>(id), static_cast<UINT>(period_ms),
           nullptr);
}

void Win32Platform::kill_timer(int id) {
  KillTimer(hwnd(Window::Graphics), static_cast<UINT_PTR>(id));
}

void Win32Platform::post_quit(int exit_code) {
  PostQuitMessage(exit_code);
}

void Win32Platform::post_message(const Message& message) {
  HWND target = hwnd(message.window);
  const std::optional<NativeMessage> native = to_native(message);
  if (target == nullptr || !native) return;
  PostMessageA(target, native->msg, native->wparam, native->lparam);
}

Take Win32Platform::take_message() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return Take::Nothing;
  if (msg.message == WM_QUIT) return Take::Quit;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return Take::Dispatched;
}

bool Win32Platform::has_message() {
  MSG msg;
  return PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
}

void Win32Platform::wait_message() {
  // Returns as soon as anything is in the queue, also input that was already seen.
  MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void Win32Platform::text_put_line(std::string_view line) {
  if (hwnd(Window::Text) != nullptr) put_console_line(hwnd(Window::Text), line);
}

int Win32Platform::line_dialog(const DialogPrompt& prompt, std::string& reply) {
  return run_line_dialog(instance_, hwnd(Window::Graphics), prompt.padded(), reply);
}

}  // namespace zr590::platform::win32
