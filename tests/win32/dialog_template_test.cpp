// The "ZR590_gets" dialog template, built natively and read back as the dialog manager reads
// it.
#include "platform/win32/dialog_template.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"

namespace zr590::platform::win32 {
namespace {

struct Item {
  Dword style;
  int x, y, cx, cy;
  Word id, class_atom;
  std::u16string text;
};
struct Dialog {
  Dword style;
  int cx, cy;
  std::u16string title;
  std::vector<Item> items;
  std::size_t bytes;  // where the last item ends
};

class Reader {
 public:
  explicit Reader(const DialogTemplate& t) : t_(t) {}
  Word word() { return t_.words.at(at_++); }
  Dword dword() {
    const Word low = word();
    return static_cast<Dword>(word()) << 16 | low;
  }
  std::u16string text() {
    std::u16string s;
    while (Word w = word()) s += static_cast<char16_t>(w);
    return s;
  }
  void align() { at_ += at_ % 2; }
  std::size_t bytes() const { return at_ * sizeof(Word); }

 private:
  const DialogTemplate& t_;
  std::size_t at_ = 0;
};

Dialog read(const DialogTemplate& t) {
  Reader r(t);
  Dialog d{};
  d.style = r.dword();
  EXPECT_EQ(r.dword(), 0u);  // extended style
  const Word count = r.word();
  r.word();
  r.word();
  d.cx = r.word();
  d.cy = r.word();
  EXPECT_EQ(r.word(), 0u);  // no menu
  EXPECT_EQ(r.word(), 0u);  // the dialog class
  d.title = r.text();
  for (Word i = 0; i < count; ++i) {
    r.align();
    Item item{};
    item.style = r.dword();
    EXPECT_EQ(r.dword(), 0u);
    item.x = r.word();
    item.y = r.word();
    item.cx = r.word();
    item.cy = r.word();
    item.id = r.word();
    EXPECT_EQ(r.word(), 0xFFFFu);  // a class atom follows
    item.class_atom = r.word();
    item.text = r.text();
    EXPECT_EQ(r.word(), 0u);  // no creation data
    d.items.push_back(item);
  }
  d.bytes = r.bytes();
  return d;
}

TEST(DialogTemplate, ReadsBackAsTheLineDialog) {
  DialogTemplate t;
  const std::string prompt(kPromptLength, 'p');
  build_dialog_template(prompt, t);
  const Dialog d = read(t);
  EXPECT_LE(d.bytes, kDialogTemplateBytes);
  EXPECT_EQ(d.title, u"ZR590_gets");
  EXPECT_EQ(d.style & (kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame),
            kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame);
  ASSERT_EQ(d.items.size(), 3u);
  // The line box first, so that it has the focus; without the want-return style, so that
  // Enter presses the default button.
  const Item& box = d.items[0];
  EXPECT_EQ(box.id, kLineBox);
  EXPECT_EQ(box.class_atom, 0x0081);
  EXPECT_EQ(box.style & (kEsMultiLine | kEsWantReturn), kEsMultiLine);
  EXPECT_EQ(d.items[1].id, kOkayButton);
  EXPECT_EQ(d.items[1].class_atom, 0x0080);
  EXPECT_EQ(d.items[1].style & kBsDefPushButton, kBsDefPushButton);
  EXPECT_EQ(d.items[1].text, u"Okay");
  EXPECT_EQ(d.items[2].id, kPromptText);
  EXPECT_EQ(d.items[2].class_atom, 0x0082);
  EXPECT_EQ(d.items[2].text, std::u16string(kPromptLength, u'p'));
  for (const Item& item : d.items) {
    EXPECT_EQ(item.style & (kWsChild | kWsVisible), kWsChild | kWsVisible) << item.id;
    EXPECT_LE(item.x + item.cx, d.cx) << item.id;
    EXPECT_LE(item.y + item.cy, d.cy) << item.id;
  }
}

// Longer prompts are cut; a byte above 127 becomes the character of that code, not a
// sign-extended one.
TEST(DialogTemplate, PromptIsCutAndWidenedByCode) {
  DialogTemplate t;
  build_dialog_template("\xE9" + std::string(200, 'x'), t);
  const std::u16string text = read(t).items.at(2).text;
  ASSERT_EQ(text.size(), kPromptLength);
  EXPECT_EQ(text[0], u'\u00E9');
  EXPECT_EQ(text[1], u'x');
}

}  // namespace
}  // namespace zr590::platform::win32
