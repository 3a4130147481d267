// Retained frames on arbitrary call sequences and editor sessions: whatever the program draws,
// the picture and every copy the window receives must equal drawing each call at once. Each
// input runs twice, the first time with every command drawn at once (FrameCheck).
//
// The first byte chooses. Library calls: each following byte is an operation (a clear, a
// figure or text with arguments from the bytes after it, the last frame again with one call
// changed, or a copy to the window, which is then compared). Editor session: the bytes are
// clicks, characters and ticks, and the window is compared after every message.
#include <zr590/display.h>
#include <zr590/zr590.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "editor_loop.h"
#include "frame_check.h"
#include "fuzz_support.h"

namespace {

using zr590::platform::MessageKind;
using zr590::testing::FrameCheck;

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool more() const { return at_ < size_; }
  int byte() { return at_ < size_ ? data_[at_++] : 0; }
  // Mostly near the drawing area; now and then any 32-bit value.
  int coordinate() {
    const int b = byte();
    if (b == 255) {
      std::uint32_t wide = 0;
      for (int k = 0; k < 4; ++k) wide = wide << 8 | static_cast<std::uint32_t>(byte());
      int value;
      std::memcpy(&value, &wide, sizeof value);
      return value;
    }
    return (b << 8 | byte()) % 801 - 400;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_, at_ = 0;
};

struct Call {
  int kind, colour, v[6], width;
};

void draw(const Call& c) {
  static const char* const kTexts[] = {"PICK", "two\nlines", "caf\xe9", "W", "%", ""};
  switch (c.kind) {
    case 0:
      ZR590_rectangle(c.colour, c.v[0], c.v[1], c.v[2], c.v[3], c.width);
      break;
    case 1:
      ZR590_oval(c.colour, c.v[0], c.v[1], c.v[2], c.v[3], c.width);
      break;
    case 2:
      ZR590_circle(c.colour, c.v[0], c.v[1], c.v[2]);
      break;
    case 3:
      ZR590_triangle(c.colour, c.v[0], c.v[1], c.v[2], c.v[3], c.v[4], c.v[5], c.width);
      break;
    case 4:
      ZR590_line(c.colour, c.v[0], c.v[1], c.v[2], c.v[3], c.width);
      break;
    default:
      ZR590_text(c.colour, c.v[0], c.v[1], c.width, "%s", kTexts[(c.v[2] & 7) % 6]);
      break;
  }
}

Call read_call(Bytes& in, int kind) {
  Call c{kind, in.byte() % 27 - 2, {}, 0};
  for (int& v : c.v) v = in.coordinate();
  c.width = in.byte() % 12 - 2;
  if (kind == 5) c.width = in.byte() % 140 - 5;  // point size
  return c;
}

void library_calls(Bytes in, FrameCheck& check) {
  Display display;
  std::vector<Call> frame, last_frame;
  while (in.more()) {
    const int op = in.byte() % 10;
    if (op == 0 || op == 1) {
      if (op == 0) {
        display.clear(in.byte() % 25);
      } else {
        ZR590_clear();
      }
      last_frame = std::move(frame);
      frame.clear();
    } else if (op <= 7) {
      frame.push_back(read_call(in, op - 2));
      draw(frame.back());
    } else if (op == 8) {
      // The last frame again, one call changed: what an editor's frames mostly are.
      display.clear(1);
      frame = last_frame;
      if (!frame.empty()) {
        frame[static_cast<std::size_t>(in.byte()) % frame.size()] = read_call(in, in.byte() % 6);
      }
      for (const Call& c : frame) draw(c);
      last_frame = frame;
    } else {
      ZR590_flush();
      check.check_window();
      if (in.byte() & 1) check.check_picture();
    }
  }
  ZR590_flush();
  check.check_window();
}

void editor_session(Bytes in, zr590::platform::HeadlessPlatform& headless) {
  for (int messages = 0; in.more() && messages < 64; ++messages) {
    const int what = in.byte() % 8;
    auto send = [&](MessageKind kind, int a, int b = 0) {
      headless.push_message({zr590::platform::Window::Graphics, kind, a, b});
    };
    if (what < 5) {
      const int x = in.byte() * 601 / 256, y = in.byte() * 540 / 256;
      send(MessageKind::LButtonDown, x, y);
    } else if (what == 5) {
      send(MessageKind::Char, in.byte());
    } else {
      send(MessageKind::Timer, 2);
    }
  }
  run_editor();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  fuzz::FreshLibrary library;
  fuzz::InScratchFolder in_scratch;  // SAVE writes here
  FrameCheck check(library.platform);
  const Bytes in(data + 1, size - 1);
  const std::string difference = check.run([&] {
    if (data[0] & 1) {
      editor_session(in, library.platform);
    } else {
      library_calls(in, check);
    }
  });
  if (!difference.empty()) fuzz::fail(difference);
  return 0;
}
