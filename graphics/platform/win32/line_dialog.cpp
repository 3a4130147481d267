#include "platform/win32/line_dialog.h"

namespace zr590::platform::win32 {
namespace {

constexpr WORD kOkayButton = 101;
constexpr WORD kLineBox = 102;
constexpr WORD kPromptText = 103;
constexpr std::size_t kPromptChars = 79;
constexpr int kReplyBytes = 256;  // 255 characters and the NUL

// Atoms of the predefined control classes.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

// The reply buffer of the dialog that is running; one runs at a time.
char* dialog_reply = nullptr;
// The line box's own procedure, which line_box_proc hands everything on to.
WNDPROC line_box_default = nullptr;

class TemplateWriter {
 public:
  explicit TemplateWriter(DialogTemplate& out) : out_(out) { out_.words.fill(0); }

  void word(WORD w) {
    if (at_ < out_.words.size()) out_.words[at_] = w;
    ++at_;
  }
  void dword(DWORD d) {
    word(LOWORD(d));
    word(HIWORD(d));
  }
  // Each character widened to 16 bits as it is, then a 16-bit NUL.
  void text(std::string_view s) {
    for (char c : s) word(static_cast<unsigned char>(c));
    word(0);
  }
  // Items start on a DWORD boundary.
  void align() { at_ += at_ % 2; }

  void item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD class_atom,
            std::string_view title) {
    align();
    dword(style);
    dword(0);  // extended style
    word(static_cast<WORD>(x));
    word(static_cast<WORD>(y));
    word(static_cast<WORD>(cx));
    word(static_cast<WORD>(cy));
    word(id);
    word(0xFFFF);
    word(class_atom);
    text(title);
    word(0);  // no creation data
  }

 private:
  DialogTemplate& out_;
  std::size_t at_ = 0;
};

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

void build_dialog_template(std::string_view prompt, DialogTemplate& out) {
  TemplateWriter w(out);
  w.dword(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
  w.dword(0);  // extended style
  w.word(3);   // items
  w.word(50);
  w.word(50);
  w.word(185);
  w.word(92);
  w.word(0);  // no menu
  w.word(0);  // the dialog class
  w.text("ZR590_gets");
  // The line box comes first, so it has the focus when the dialog opens.
  w.item(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL, 8, 30, 167,
         37, kLineBox, kEditClass, "");
  w.item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 67, 74, 50, 14, kOkayButton,
         kButtonClass, "Okay");
  w.item(WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT, 8, 3, 167, 24, kPromptText, kStaticClass,
         prompt.substr(0, kPromptChars));
}

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
