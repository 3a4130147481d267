// The headless backend's process entry: runs the program linked with it on a message file.
//
//   PROGRAM [--png PICTURE.png] [--client WIDTH HEIGHT] MESSAGES
//
// Output: `text: LINE`, `dialog: PROMPT` and `reply: TEXT` lines on standard output; the
// picture as PNG at exit. Bad arguments or message lines: one line on standard error, exit 2.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "platform/headless/headless_platform.h"
#include "platform/headless/message_file.h"

namespace {

using zr590::platform::HeadlessPlatform;

HeadlessPlatform* platform_in_use = nullptr;
std::string png_path;
bool png_written = false;

bool write_png() {
  if (png_written || png_path.empty() || platform_in_use == nullptr) return true;
  png_written = true;
  if (platform_in_use->picture_surface().write_png(png_path)) return true;
  std::cerr << "cannot write the picture to " << png_path << "\n";
  return false;
}

// A program that ends through exit() (a fatal library error) still leaves its picture.
void write_png_at_exit() { write_png(); }

int usage(const char* program, const std::string& problem) {
  std::cerr << program << ": " << problem << "\n"
            << "usage: " << program << " [--png PICTURE.png] [--client WIDTH HEIGHT] MESSAGES\n";
  return 2;
}

bool parse_size(const char* text, int low, int high, int& value) {
  char* end = nullptr;
  long v = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || v < low || v > high) return false;
  value = static_cast<int>(v);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const char* program = argc > 0 ? argv[0] : "shape-replay";
  std::string messages_path;
  int client_width = zr590::platform::kPictureWidth;
  int client_height = zr590::platform::kPictureHeight;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--png") {
      if (++i >= argc) return usage(program, "--png needs a file name");
      png_path = argv[i];
    } else if (arg == "--client") {
      if (i + 2 >= argc || !parse_size(argv[i + 1], 1, 4096, client_width) ||
          !parse_size(argv[i + 2], 1, 4096, client_height)) {
        return usage(program, "--client needs a width and a height from 1 to 4096");
      }
      i += 2;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return usage(program, "unknown option " + std::string(arg));
    } else if (messages_path.empty()) {
      messages_path = arg;
    } else {
      return usage(program, "only one message file may be given");
    }
  }
  if (messages_path.empty()) return usage(program, "no message file given");

  std::ifstream in(messages_path, std::ios::binary);
  if (!in) return usage(program, "cannot read " + messages_path);
  zr590::platform::ScriptedInput input;
  std::string error;
  if (!zr590::platform::parse_message_file(in, input, error)) {
    std::cerr << program << ": " << messages_path << ": " << error << "\n";
    return 2;
  }

  // Lives until the process ends: the library's state refers to it to the last moment.
  static HeadlessPlatform platform;
  platform_in_use = &platform;
  platform.resize_client(client_width, client_height);
  for (const auto& entry : input.entries) {
    if (entry.kind == zr590::platform::ScriptedInput::Close) {
      platform.push_close();
    } else {
      platform.push_message(entry.message);
    }
  }
  for (std::string& reply : input.replies) platform.push_reply(std::move(reply));
  platform.set_transcript(&std::cout);
  zr590::platform::set_current(&platform);
  std::atexit(write_png_at_exit);

  StartupArgs args;
  args.command_line = argc > 1 ? argv[1] : nullptr;
  args.show_command = 1;
  int status = zr590::run_application(args);
  std::cout.flush();
  return write_png() ? status : 2;
}
