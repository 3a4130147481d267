#include "command_list.h"

namespace zr590 {

DrawCommand CommandList::operator[](std::size_t i) const {
  const KeptCommand& kept = commands_[i];
  DrawCommand command;
  command.kind = kept.kind;
  command.colour = kept.colour;
  command.width = kept.width;
  command.x1 = kept.x1;
  command.y1 = kept.y1;
  command.x2 = kept.x2;
  command.y2 = kept.y2;
  if (kept.kind == KindText) {
    command.text = text_.data() + kept.x3;
  } else {
    command.x3 = kept.x3;
    command.y3 = kept.y3;
  }
  return command;
}

void CommandList::push(const DrawCommand& command) {
  KeptCommand kept{command.kind, command.colour, command.width, command.x1, command.y1,
                   command.x2,   command.y2,     command.x3,    command.y3};
  if (command.kind == KindText) {
    const std::string_view text = command.text != nullptr ? command.text : "";
    kept.x3 = static_cast<std::int32_t>(text_.size());
    kept.y3 = static_cast<std::int32_t>(text.size());
    text_.append(text);
    text_.push_back('\0');
  }
  commands_.push_back(kept);
}

void CommandList::clear() {
  commands_.clear();
  text_.clear();
}

void CommandList::splice(std::size_t keep, const CommandList& tail) {
  commands_.resize(keep);
  // The texts of the commands kept end where the last kept text ends.
  std::size_t text_end = 0;
  for (std::size_t i = keep; i-- > 0;) {
    if (commands_[i].kind == KindText) {
      text_end = static_cast<std::size_t>(commands_[i].x3) + commands_[i].y3 + 1;
      break;
    }
  }
  text_.resize(text_end);
  for (std::size_t i = 0; i < tail.size(); ++i) push(tail[i]);
}

}  // namespace zr590
