// The library's text is bytes. Where it is shown on a UTF-8 display (GTK, Pango, a browser) it
// is read as UTF-8 wherever it is valid UTF-8, and any other byte as the Latin-1 character of
// that code, so that text from programs written for an 8-bit code page still shows.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace zr590::platform {

// The text as valid UTF-8 for display: well-formed UTF-8 sequences as they are, every other
// byte as its Latin-1 character. NUL, which no display takes inside a string, becomes a space.
std::string display_utf8(std::string_view text);

// A prefix of `text` that keeps whole characters: the byte length of the longest prefix of at
// most `max_bytes` bytes and `max_characters` characters that does not split a well-formed
// UTF-8 sequence (any other byte counts as a character of its own). `characters` is how many
// it holds.
struct Utf8Prefix {
  std::size_t bytes;
  std::size_t characters;
};
Utf8Prefix utf8_prefix(std::string_view text, std::size_t max_bytes,
                       std::size_t max_characters = std::string_view::npos);

// The text's characters as display_utf8() reads them (one per byte that is no UTF-8).
std::u32string display_characters(std::string_view text);

// The line dialog's prompt for a backend reading text as `bytes`: its first kPromptLength
// characters (a cut never splits one) and the padding that fills it up to kPromptLength.
DialogPrompt shape_dialog_prompt(std::string_view prompt, TextBytes bytes);
// A reply cut to at most kReplyLength bytes of whole characters.
void cut_reply(std::string& reply, TextBytes bytes);

}  // namespace zr590::platform
