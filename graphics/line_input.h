// The line-input dialog's contract, shared by every backend.
#pragma once

#include <string>
#include <string_view>

namespace zr590 {

inline constexpr std::size_t kPromptLength = 79;
inline constexpr std::size_t kReplyLength = 255;

// The prompt as the dialog shows it: cut or padded with spaces to 79 characters.
std::string dialog_prompt(std::string_view prompt);

}  // namespace zr590
