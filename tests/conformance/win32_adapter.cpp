// The conformance suite against the Win32 backend, a Windows program run under Wine on a
// virtual desktop (tests/win32): the adapter makes real input with SendInput, so that clicks
// and keys come through the system's input queue and its key translation, types into the
// dialog from a timer in the dialog's own loop, and reads the window's pixels back.
#include <windows.h>

#include <memory>
#include <string>

#include "contract.h"
#include "library_state.h"
#include "platform/win32/win32_platform.h"

namespace zr590::conformance {
namespace {

using platform::Window;
using platform::win32::Win32Platform;

double milliseconds(const FILETIME& t) {
  return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e4;
}

// What the next dialog gets typed into its line box.
std::string dialog_answer;

void CALLBACK answer_dialog_now(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowA(nullptr, "ZR590_gets");
  if (dialog == nullptr) return;  // not up yet
  KillTimer(nullptr, timer);
  SetDlgItemTextA(dialog, 102, dialog_answer.c_str());
  SendMessageA(dialog, WM_COMMAND, 101, 0);  // "Okay"
}

class Win32Adapter final : public Adapter {
 public:
  platform::Platform& start() override {
    platform_ = std::make_unique<Win32Platform>(GetModuleHandleA(nullptr));
    return *platform_;
  }
  void finish() override {
    platform_.reset();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  void click(int x, int y) override {
    HWND window = to_front();
    POINT at{x, y};
    ClientToScreen(window, &at);
    // The position goes with the press, in the screen's normalised coordinates (0-65535).
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dx = normalised(at.x, GetSystemMetrics(SM_CXSCREEN));
    input[0].mi.dy = normalised(at.y, GetSystemMetrics(SM_CYSCREEN));
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    send(input, 2);
  }
  void key(int key_code, bool down) override {
    to_front();
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(key_code);
    input.ki.wScan =
        static_cast<WORD>(MapVirtualKeyA(static_cast<UINT>(key_code), MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    send(&input, 1);
  }
  void close_box() override {
    PostMessageA(platform_->native_window(Window::Graphics), WM_CLOSE, 0, 0);
  }
  bool text_close_box() override {
    PostMessageA(platform_->native_window(Window::Text), WM_CLOSE, 0, 0);
    return true;
  }
  void answer_dialog(const std::string& text) override {
    dialog_answer = text;
    SetTimer(nullptr, 0, 50, answer_dialog_now);
  }

  void let_time_pass(int ms) override { Sleep(static_cast<DWORD>(ms)); }
  double now_ms() override {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) * 1e3 / static_cast<double>(frequency.QuadPart);
  }
  double cpu_ms() override {
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    return milliseconds(kernel) + milliseconds(user);
  }
  platform::Rgb window_pixel(int x, int y) override {
    HWND window = platform_->native_window(Window::Graphics);
    HDC dc = GetDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
  }

 private:
  // Input goes to the active window: the graphics window.
  HWND to_front() {
    HWND window = platform_->native_window(Window::Graphics);
    SetForegroundWindow(window);
    SetFocus(window);
    return window;
  }
  static LONG normalised(LONG pixel, int extent) {
    return static_cast<LONG>((pixel * 65535 + (extent - 1) / 2) / (extent - 1));
  }
  // The system queues the input for the thread at once.
  static void send(INPUT* input, UINT count) { SendInput(count, input, sizeof(INPUT)); }

  std::unique_ptr<Win32Platform> platform_;
};

}  // namespace
}  // namespace zr590::conformance

int main(int argc, char** argv) {
  // Shown as a program is normally started, so that the windows are there to be used.
  zr590::startup_args.show_command = SW_SHOWNORMAL;
  zr590::conformance::Win32Adapter adapter;
  return zr590::conformance::run(adapter, argc, argv);
}
