#include "platform/text_encoding.h"

#include <algorithm>

namespace zr590::platform {
namespace {

bool in(unsigned char c, unsigned char low, unsigned char high) {
  return c >= low && c <= high;
}

// The length of the well-formed UTF-8 sequence that starts at `at`, or 0 if none does. Only
// shortest forms of scalar values count: no overlong forms, surrogates or values past
// U+10FFFF, which decoders would reject or read in different ways.
std::size_t sequence_length(std::string_view text, std::size_t at) {
  auto byte = [&](std::size_t i) -> unsigned char {
    return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0;
  };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  // The allowed range of the second byte depends on the lead; later bytes are 80-BF.
  unsigned char low = 0x80, high = 0xBF;
  std::size_t length = 0;
  if (in(lead, 0xC2, 0xDF)) {
    length = 2;
  } else if (in(lead, 0xE0, 0xEF)) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (in(lead, 0xF0, 0xF4)) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (!in(byte(1), low, high)) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!in(byte(i), 0x80, 0xBF)) return 0;
  }
  return length;
}

// Calls visit(code, sequence) for each character as a display reads the text: a well-formed
// UTF-8 sequence as its code point and its bytes, any other byte as its Latin-1 character with
// an empty sequence. NUL, which no display takes inside a string, is read as a space.
template <typename Visit>
void for_each_character(std::string_view text, Visit visit) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c == 0 ? 0 : sequence_length(text, i);
    if (length == 0) {
      visit(c == 0 ? U' ' : char32_t{c}, std::string_view{});
      ++i;
      continue;
    }
    // The lead byte keeps 7 - length bits (all 7 of a single byte), each later byte 6.
    char32_t code = length == 1 ? c : c & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) code = (code << 6) | (text[i + k] & 0x3F);
    visit(code, text.substr(i, length));
    i += length;
  }
}

}  // namespace

std::string display_utf8(std::string_view text) {
  std::string utf8;
  utf8.reserve(text.size());
  for_each_character(text, [&](char32_t code, std::string_view sequence) {
    if (!sequence.empty()) {
      utf8 += sequence;
    } else if (code < 0x80) {
      utf8 += static_cast<char>(code);
    } else {
      utf8 += static_cast<char>(0xC0 | (code >> 6));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    }
  });
  return utf8;
}

Utf8Prefix utf8_prefix(std::string_view text, std::size_t max_bytes, std::size_t max_characters) {
  Utf8Prefix prefix{0, 0};
  while (prefix.bytes < text.size() && prefix.characters < max_characters) {
    const std::size_t length = sequence_length(text, prefix.bytes);
    const std::size_t step = length > 0 ? length : 1;
    if (step > max_bytes - prefix.bytes) break;
    prefix.bytes += step;
    ++prefix.characters;
  }
  return prefix;
}

std::u32string display_characters(std::string_view text) {
  std::u32string characters;
  characters.reserve(text.size());
  for_each_character(text, [&](char32_t code, std::string_view) { characters.push_back(code); });
  return characters;
}

DialogPrompt shape_dialog_prompt(std::string_view prompt, TextBytes bytes) {
  DialogPrompt shaped;
  if (bytes == TextBytes::CodePage) {
    shaped.text = prompt.substr(0, kPromptLength);
    shaped.padding = kPromptLength - shaped.text.size();
    return shaped;
  }
  shaped.text = display_utf8(prompt);
  const Utf8Prefix first = utf8_prefix(shaped.text, shaped.text.size(), kPromptLength);
  shaped.text.resize(first.bytes);
  shaped.padding = kPromptLength - first.characters;
  return shaped;
}

void cut_reply(std::string& reply, TextBytes bytes) {
  reply.resize(bytes == TextBytes::CodePage ? std::min(reply.size(), kReplyLength)
                                            : utf8_prefix(reply, kReplyLength).bytes);
}

}  // namespace zr590::platform
