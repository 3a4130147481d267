#include "platform/win32/line_dialog.h"

#include "platform/platform.h"
#include "platform/win32/dialog_template.h"

namespace zr590::platform::win32 {
namespace {

constexpr int kReplyBytes = static_cast<int>(kReplyLength) + 1;  // and the NUL

// The reply buffer of the dialog that is running; one runs at a time.
char* dialog_reply = nullptr;
// The line box's own procedure, which line_box_proc hands everything on to.
WNDPROC line_box_default = nullptr;

// A multi-line edit box asks for every key, Enter included, and Wine's then moves the focus to
// the default button and posts the Enter on to it: two steps, and with no window manager the
// dialog lingers showing the focus on "Okay". The line box leaves Enter to the dialog manager
// instead, which presses the default button at once, as a one-line box would.
LRESULT CALLBACK line_box_proc(HWND box, UINT msg, WPARAM wparam, LPARAM lparam) {
  LRESULT result = CallWindowProcA(line_box_default, box, msg, wparam, lparam);
  if (msg == WM_GETDLGCODE && lparam != 0) {
    const MSG* key = reinterpret_cast<const MSG*>(lparam);
    if (key->message == WM_KEYDOWN && key->wParam == VK_RETURN) result &= ~DLGC_WANTALLKEYS;
  }
  return result;
}

INT_PTR CALLBACK gets_dialog_proc(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_INITDIALOG:
      dialog_reply = reinterpret_cast<char*>(lparam);
      line_box_default = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
          GetDlgItem(dialog, kLineBox), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(line_box_proc)));
      // The box takes no more than the reply holds, so what is typed is what is used.
      SendDlgItemMessageA(dialog, kLineBox, EM_LIMITTEXT, kReplyLength, 0);
      return TRUE;  // the platform gives the focus to the line box
    case WM_COMMAND:
      // Enter presses the default button too; Escape's cancel command (2) is not taken.
      if (wparam == kOkayButton) {
        GetDlgItemTextA(dialog, kLineBox, dialog_reply, kReplyBytes);
        EndDialog(dialog, 1);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

int run_line_dialog(HINSTANCE instance, HWND owner, std::string_view prompt, std::string& reply) {
  DialogTemplate dialog;
  build_dialog_template(prompt, dialog);
  char typed[kReplyBytes] = {};
  INT_PTR result =
      DialogBoxIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(dialog.words.data()),
                              owner, gets_dialog_proc, reinterpret_cast<LPARAM>(typed));
  if (result == -1) return -1;
  reply = typed;
  return 1;
}

}  // namespace zr590::platform::win32
