// The shape-replay message-file parser on arbitrary bytes.
//
// Checked beyond "no crash": a file is either refused with a short printable error naming a
// line the file has, or every message it gave is one the window procedures can take (values in the
// ranges the message lines allow), and no more messages than the runner's limit.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz_support.h"
#include "platform/message_file.h"

namespace {

using zr590::platform::MessageKind;
using zr590::platform::ScriptedInput;

bool within(int value, int low, int high) {
  return value >= low && value <= high;
}

bool valid(const ScriptedInput::Entry& entry) {
  if (entry.kind == ScriptedInput::Close) return entry.message.kind == MessageKind::Destroy;
  const auto& m = entry.message;
  if (m.window != zr590::platform::Window::Graphics) return false;
  switch (m.kind) {
    case MessageKind::LButtonDown:
      return within(m.a, 0, 65535) && within(m.b, 0, 65535);
    case MessageKind::Char:
    case MessageKind::KeyDown:
    case MessageKind::KeyUp:
      return within(m.a, 0, 255) && m.b == 0;
    case MessageKind::Command:
      return within(m.a, 1, 9) && m.b == 0;
    case MessageKind::Timer:
      return m.b == 0;
    default:
      return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::istringstream in(bytes);
  ScriptedInput input;
  std::string error;
  // Lines as getline counts them: a last line without a line end still counts.
  std::size_t lines = 0;
  for (char c : bytes) lines += c == '\n';
  if (!bytes.empty() && bytes.back() != '\n') ++lines;

  if (!zr590::platform::parse_message_file(in, input, error)) {
    fuzz::check(error.rfind("line ", 0) == 0, "an error that names no line");
    fuzz::check(error.size() <= 120, "an error too long for one line");
    for (char c : error) {
      fuzz::check(std::isprint(static_cast<unsigned char>(c)), "an error with unprintable bytes");
    }
    std::size_t number = std::stoul(error.substr(5));
    fuzz::check(number >= 1 && number <= lines, "an error naming a line the file lacks");
    return 0;
  }
  fuzz::check(input.entries.size() <= zr590::platform::kMaxMessages, "too many messages");
  for (const auto& entry : input.entries) fuzz::check(valid(entry), "a message out of range");
  fuzz::check(input.replies.size() <= lines, "more replies than lines");
  for (const std::string& reply : input.replies) {
    fuzz::check(reply.size() < size, "a reply longer than the file");
  }
  return 0;
}
