// Long text through ZR590_printf and ZR590_text: the arguments come from the input, the formats
// are the callers' own (fixed here, as they are in every program).
//
// Checked: every line the text window keeps is the text the format would make, cut to 1023
// characters; the window shows the same line without its line end; the results count the
// characters kept; ZR590_text's log line holds its (cut) text.
#include <zr590/zr590.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "colours.h"
#include "fuzz_support.h"
#include "text_format.h"
#include "text_log.h"

namespace {

constexpr std::size_t kKept = zr590::kFormatBufferSize - 1;

std::string cut(std::string text) {
  if (text.size() > kKept) text.resize(kKept);
  return text;
}

std::string last_line() {
  std::vector<std::string> lines = zr590::text_log_lines();
  return lines.empty() ? std::string() : lines.back();
}

// Whatever was stored is at most 1023 characters, and the window shows each stored line
// without its final line end.
void check_window(const fuzz::FreshLibrary& library) {
  std::vector<std::string> stored = zr590::text_log_lines();
  const auto& shown = library.platform.text_lines();
  fuzz::check(shown.size() >= stored.size(), "fewer lines shown than stored");
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const std::string& line = stored[i];
    fuzz::check(line.size() <= kKept, "a stored line longer than 1023 characters");
    std::string_view without_end = line;
    if (!without_end.empty() && without_end.back() == '\n') without_end.remove_suffix(1);
    fuzz::check(shown[shown.size() - stored.size() + i] == without_end,
                "the window shows a line other than the one stored");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 11) return 0;
  const bool logging = data[0] & 1;
  const int colour = data[1] % 30 - 3;  // mostly valid, some not
  const int ptsize = data[2] - 64;      // negative, fitting and too large
  int x, y;
  std::memcpy(&x, data + 3, 4);
  std::memcpy(&y, data + 7, 4);
  // The argument is a C string: it ends at the input's first NUL.
  std::string arg(reinterpret_cast<const char*>(data + 11), size - 11);
  arg.resize(std::strlen(arg.c_str()));
  const std::string first = arg.substr(0, arg.size() / 2), second = arg.substr(arg.size() / 2);

  fuzz::FreshLibrary library;
  ZR590_open(nullptr, nullptr, nullptr, 1);
  ZR590_logging(logging ? 1 : 0);

  int result = ZR590_printf("%s", arg.c_str());
  fuzz::check(last_line() == cut(arg), "ZR590_printf(\"%s\") stored other text");
  fuzz::check(result == static_cast<int>(cut(arg).size()), "ZR590_printf counted wrongly");

  result = ZR590_printf("[%d] %s|%s\n", x, first.c_str(), second.c_str());
  const std::string made = "[" + std::to_string(x) + "] " + first + "|" + second + "\n";
  fuzz::check(last_line() == cut(made), "ZR590_printf with three arguments stored other text");
  fuzz::check(result == static_cast<int>(cut(made).size()), "ZR590_printf counted wrongly");

  result = ZR590_text(colour, x, y, ptsize, "%s", arg.c_str());
  fuzz::check(result == static_cast<int>(cut(arg).size()), "ZR590_text counted wrongly");
  if (logging) {
    const int used = colour >= 0 && colour < zr590::kColourCount ? colour : 2;
    const std::string log = std::string(zr590::color_name[used]) + " text at (" +
                            std::to_string(x) + "," + std::to_string(y) + "), \"" + cut(arg) +
                            "\"\n";
    fuzz::check(last_line() == cut(log), "ZR590_text logged other text");
  }
  check_window(library);
  return 0;
}
