// Drawing commands kept in a compact list: one fixed-size record per command, and the texts of
// text commands side by side in one buffer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "renderer.h"

namespace zr590 {

// A command as kept: 36 bytes. A text command keeps, in x3 and y3 (which
// text does not use), where its characters lie in the list's text buffer and how many.
struct KeptCommand {
  std::int32_t kind, colour, width, x1, y1, x2, y2, x3, y3;
};
static_assert(sizeof(KeptCommand) == 36, "a kept command has no padding");

class CommandList {
 public:
  std::size_t size() const { return commands_.size(); }
  bool empty() const { return commands_.empty(); }
  std::size_t text_bytes() const { return text_.size(); }

  // The command as it was given (a text command's text points into the list).
  DrawCommand operator[](std::size_t i) const;
  const KeptCommand& kept(std::size_t i) const { return commands_[i]; }
  void push(const DrawCommand& command);
  // Whether command i draws exactly what `command` draws.
  bool same(std::size_t i, const DrawCommand& command) const {
    const KeptCommand& kept = commands_[i];
    if (command.kind != KindText) {
      // Field by field, without branches: a copy of the command to compare bytewise would be
      // read back before its stores had settled, which costs more than the comparison.
      return ((kept.kind ^ command.kind) | (kept.colour ^ command.colour) |
              (kept.width ^ command.width) | (kept.x1 ^ command.x1) | (kept.y1 ^ command.y1) |
              (kept.x2 ^ command.x2) | (kept.y2 ^ command.y2) | (kept.x3 ^ command.x3) |
              (kept.y3 ^ command.y3)) == 0;
    }
    return kept.kind == KindText && kept.colour == command.colour && kept.x1 == command.x1 &&
           kept.y1 == command.y1 && kept.x2 == command.x2 && text_of(kept) == command.text;
  }
  void clear();
  // Keeps the first `keep` commands and appends every command of `tail` after them.
  void splice(std::size_t keep, const CommandList& tail);

 private:
  std::string_view text_of(const KeptCommand& kept) const {
    return {text_.data() + kept.x3, static_cast<std::size_t>(kept.y3)};
  }

  std::vector<KeptCommand> commands_;
  std::string text_;  // each text followed by a terminator
};

}  // namespace zr590
