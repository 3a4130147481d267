#include "platform/win32/dialog_template.h"

#include "platform/platform.h"

namespace zr590::platform::win32 {
namespace {

// Atoms of the predefined control classes.
constexpr Word kButtonClass = 0x0080;
constexpr Word kEditClass = 0x0081;
constexpr Word kStaticClass = 0x0082;

class TemplateWriter {
 public:
  explicit TemplateWriter(DialogTemplate& out) : out_(out) { out_.words.fill(0); }

  void word(Word w) {
    if (at_ < out_.words.size()) out_.words[at_] = w;
    ++at_;
  }
  void dword(Dword d) {
    word(static_cast<Word>(d & 0xFFFF));
    word(static_cast<Word>(d >> 16));
  }
  // Each character widened to 16 bits as it is, then a 16-bit NUL.
  void text(std::string_view s) {
    for (char c : s) word(static_cast<unsigned char>(c));
    word(0);
  }
  // Items start on a DWORD boundary.
  void align() { at_ += at_ % 2; }

  void item(Dword style, short x, short y, short cx, short cy, Word id, Word class_atom,
            std::string_view title) {
    align();
    dword(style);
    dword(0);  // extended style
    word(static_cast<Word>(x));
    word(static_cast<Word>(y));
    word(static_cast<Word>(cx));
    word(static_cast<Word>(cy));
    word(id);
    word(0xFFFF);  // a class atom follows
    word(class_atom);
    text(title);
    word(0);  // no creation data
  }

 private:
  DialogTemplate& out_;
  std::size_t at_ = 0;
};

}  // namespace

void build_dialog_template(std::string_view prompt, DialogTemplate& out) {
  TemplateWriter w(out);
  w.dword(kWsPopup | kWsVisible | kWsCaption | kWsSysMenu | kDsModalFrame);
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
  w.item(kWsChild | kWsVisible | kWsBorder | kWsTabStop | kEsMultiLine | kEsAutoVScroll, 8, 30, 167,
         37, kLineBox, kEditClass, "");
  w.item(kWsChild | kWsVisible | kWsTabStop | kBsDefPushButton, 67, 74, 50, 14, kOkayButton,
         kButtonClass, "Okay");
  w.item(kWsChild | kWsVisible | kWsGroup | kSsLeft, 8, 3, 167, 24, kPromptText, kStaticClass,
         prompt.substr(0, kPromptLength));
}

}  // namespace zr590::platform::win32
