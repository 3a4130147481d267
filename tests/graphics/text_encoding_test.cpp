// Text shown on UTF-8 displays: valid UTF-8 as it is, any other byte as Latin-1; and cuts that
// keep whole characters.
#include "platform/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/cairo/cairo_picture.h"

namespace zr590::platform {
namespace {

using namespace std::string_literals;

// As bytes (GTK, Pango) and as characters (the page's font) alike.
TEST(TextEncoding, ValidUtf8IsKeptAndOtherBytesShowAsLatin1) {
  const struct {
    std::string bytes, shown;
    std::u32string characters;
  } cases[] = {
      {"a\xE9\xFF", "a\xC3\xA9\xC3\xBF", U"a\u00e9\u00ff"},                             // Latin-1
      {"\xD1\x80\xD0\xB8\xD1\x81", "\xD1\x80\xD0\xB8\xD1\x81", U"\u0440\u0438\u0441"},  // UTF-8
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80", U"\U0001F600"},              // four bytes
      {"\xC3\xA9\xE9", "\xC3\xA9\xC3\xA9", U"\u00e9\u00e9"},                // both in one
      {"\xE2\x82", "\xC3\xA2\xC2\x82", U"\u00e2\u0082"},                    // cut short
      {"\xC0\xAF", "\xC3\x80\xC2\xAF", U"\u00c0\u00af"},                    // overlong
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80", U"\u00ed\u00a0\u0080"},  // a surrogate
      {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80", U"\u00f4\u0090\u0080\u0080"},
      {"a\0b"s, "a b", U"a b"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(display_utf8(c.bytes), c.shown) << c.bytes;
    EXPECT_EQ(display_characters(c.bytes), c.characters) << c.bytes;
  }
}

// 79 characters, however many bytes each takes where the backend reads UTF-8; the rest of the
// field is padding.
TEST(TextEncoding, DialogPromptsKeepWholeCharactersAndPadTheField) {
  const std::string acutes = [] {
    std::string text;
    for (int i = 0; i < 100; ++i) text += "\xC3\xA9";
    return text;
  }();
  const struct {
    std::string prompt;
    TextBytes bytes;
    std::string text;
    std::size_t padding;
  } cases[] = {
      {"hello", TextBytes::Utf8, "hello", 74},
      {"", TextBytes::CodePage, "", 79},
      {std::string(100, 'p'), TextBytes::Utf8, std::string(79, 'p'), 0},
      {acutes, TextBytes::Utf8, acutes.substr(0, 158), 0},
      {acutes, TextBytes::CodePage, acutes.substr(0, 79), 0},
      {"\xE9t\xE9", TextBytes::Utf8, "\xC3\xA9t\xC3\xA9", 76},
      {"\xE9t\xE9", TextBytes::CodePage, "\xE9t\xE9", 76},
  };
  for (const auto& c : cases) {
    const DialogPrompt shaped = shape_dialog_prompt(c.prompt, c.bytes);
    EXPECT_EQ(shaped.text, c.text) << c.prompt;
    EXPECT_EQ(shaped.padding, c.padding) << c.prompt;
  }
}

TEST(TextEncoding, PrefixesKeepWholeCharacters) {
  std::string acutes;
  for (int i = 0; i < 300; ++i) acutes += "\xC3\xA9";
  const struct {
    std::string text;
    std::size_t max_bytes, max_characters, bytes, characters;
  } cases[] = {
      {acutes, 255, std::string::npos, 254, 127},        {"abc", 255, std::string::npos, 3, 3},
      {"a\xE9\xE9", 2, std::string::npos, 2, 2},  // Latin-1 bytes are characters of their own
      {"\xF0\x9F\x98\x80x", 3, std::string::npos, 0, 0}, {"\xD1\x80\xD0\xB8\xD1\x81", 100, 2, 4, 2},
  };
  for (const auto& c : cases) {
    const Utf8Prefix prefix = utf8_prefix(c.text, c.max_bytes, c.max_characters);
    EXPECT_EQ(prefix.bytes, c.bytes) << c.text;
    EXPECT_EQ(prefix.characters, c.characters) << c.text;
  }
}

// The picture's text goes through the same reading: é drawn from UTF-8 and from Latin-1 is one
// glyph, not the two of "Ã©".
TEST(TextEncoding, ThePictureDrawsUtf8AndLatin1Alike) {
  CairoPicture picture;
  const Extent utf8 = picture.text_extent("\xC3\xA9\xC3\xA9", 20);
  EXPECT_EQ(utf8.width, picture.text_extent("\xE9\xE9", 20).width);
  EXPECT_LT(utf8.width, picture.text_extent("\xC3\x83\xC2\xA9\xC3\x83\xC2\xA9", 20).width);
}

}  // namespace
}  // namespace zr590::platform
