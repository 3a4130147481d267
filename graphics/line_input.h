// The line-input dialog's prompt, as every backend's dialog shows it.
#pragma once

#include <string>
#include <string_view>

namespace zr590 {

// The prompt as the dialog shows it: cut or padded with spaces to platform::kPromptLength
// characters.
std::string dialog_prompt(std::string_view prompt);

}  // namespace zr590
