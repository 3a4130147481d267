// The headless backend's process entry: runs the program linked with it on a message file.
//
//   PROGRAM [--png PICTURE.png] [--client WIDTH HEIGHT] MESSAGES|- [ARGUMENT...]
//   PROGRAM --help | --version
//
// The options before MESSAGES are the runner's; the ARGUMENTs after it are the program's own
// (its argv[1] on). "-" reads the messages from standard input. Output: `text: LINE`,
// `dialog: PROMPT` and `reply: TEXT` lines on standard output; the picture as PNG at exit.
// A bad command line, a message file that cannot be read or holds a bad line, or a picture
// that cannot be written: one line on standard error, exit 2, and nothing run.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "platform/message_file.h"
#include "platform/picture_file.h"

namespace zr590::platform {
namespace {

constexpr const char* kSynopsis =
    "[--png PICTURE.png] [--client WIDTH HEIGHT] MESSAGES|- [ARGUMENT...]";

HeadlessPlatform* platform_in_use = nullptr;
const char* program_name = "shape-replay";
std::string png_path;
bool png_written = false;

bool write_png() {
  if (png_written || png_path.empty() || platform_in_use == nullptr) return true;
  png_written = true;
  if (zr590::platform::write_picture_png(platform_in_use->picture_surface(), png_path)) return true;
  std::cerr << program_name << ": cannot write " << png_path << "\n";
  return false;
}

// A program that ends through exit() (a fatal library error) still leaves its picture.
void write_png_at_exit() {
  write_png();
}

int usage(const std::string& problem) {
  std::cerr << program_name << ": " << problem << "\n"
            << "usage: " << program_name << " " << kSynopsis << "\n";
  return 2;
}

int cannot(const char* what, const std::string& path, int error) {
  std::cerr << program_name << ": cannot " << what << " " << path << ": " << std::strerror(error)
            << "\n";
  return 2;
}

// The program's name as help and version show it: without its folder.
const char* short_name() {
  const char* slash = std::strrchr(program_name, '/');
  return slash != nullptr ? slash + 1 : program_name;
}

void print_help() {
  std::cout << "usage: " << short_name() << " " << kSynopsis << "\n"
            << "       " << short_name() << " --help | --version\n\n"
            << "Runs the program without a display on MESSAGES, a file of window messages, one\n"
               "a line (- reads them from standard input). What its windows would show goes to\n"
               "standard output as `text:`, `dialog:` and `reply:` lines. The ARGUMENTs after\n"
               "MESSAGES are the program's own.\n\n"
               "  --png PICTURE.png      write the picture there at exit\n"
               "  --client WIDTH HEIGHT  the client area's size, 1 to 4096 each "
            << "(default " << kPictureWidth << " " << kPictureHeight << ")\n"
            << "  --help                 show this help and exit\n"
               "  --version              show the version and exit\n";
}

bool parse_size(const char* text, int low, int high, int& value) {
  char* end = nullptr;
  long v = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || v < low || v > high) return false;
  value = static_cast<int>(v);
  return true;
}

// The picture is written only at exit, so a name it cannot go to is refused before the run.
int check_writable(const std::string& path) {
  if (access(path.c_str(), F_OK) == 0) {
    // Opened, not changed: refuses a folder or a read-only file, and never waits on a pipe.
    int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno;
    close(fd);
    return 0;
  }
  if (errno != ENOENT) return errno;
  std::string::size_type slash = path.find_last_of('/');
  std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  return access(folder.c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}

// The whole file, or the error number of the failure.
int read_all(std::FILE* in, std::string& text) {
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) text.append(buffer, n);
  return std::ferror(in) ? (errno != 0 ? errno : EIO) : 0;
}

int read_messages(const std::string& path, std::string& text) {
  if (path == "-") return read_all(stdin, text);
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) return errno;
  int error = read_all(in, text);
  std::fclose(in);
  return error;
}

}  // namespace

int run_process(int argc, char** argv, int (*program)(int, char**)) {
  if (argc > 0) program_name = argv[0];
  int client_width = kPictureWidth;
  int client_height = kPictureHeight;
  int i = 1;
  for (; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--png") {
      if (++i >= argc) return usage("--png needs a file name");
      png_path = argv[i];
    } else if (arg == "--client") {
      if (i + 2 >= argc || !parse_size(argv[i + 1], 1, 4096, client_width) ||
          !parse_size(argv[i + 2], 1, 4096, client_height)) {
        return usage("--client needs a width and a height from 1 to 4096");
      }
      i += 2;
    } else if (arg == "--help") {
      print_help();
      return 0;
    } else if (arg == "--version") {
      std::cout << short_name() << " (ZR590) " << ZR590_VERSION_STRING << "\n";
      return 0;
    } else if (arg == "--") {
      ++i;
      break;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return usage("unknown option " + std::string(arg));
    } else {
      break;
    }
  }
  if (i >= argc) return usage("no message file given");
  const std::string messages_path = argv[i];

  if (!png_path.empty()) {
    if (int error = check_writable(png_path)) return cannot("write", png_path, error);
  }
  std::string text;
  if (int error = read_messages(messages_path, text)) return cannot("read", messages_path, error);
  std::istringstream in(std::move(text));
  ScriptedInput input;
  std::string error;
  if (!parse_message_file(in, input, error)) {
    std::cerr << program_name << ": " << (messages_path == "-" ? "standard input" : messages_path)
              << ": " << error << "\n";
    return 2;
  }

  // Lives until the process ends: the library's state refers to it to the last moment.
  static HeadlessPlatform platform;
  platform_in_use = &platform;
  platform.resize_client(client_width, client_height);
  platform.script().load(std::move(input));
  platform.set_transcript(&std::cout);
  set_current(&platform);
  std::atexit(write_png_at_exit);

  // The program's own arguments: its name, then what follows MESSAGES.
  std::vector<char*> arguments{argv[0]};
  arguments.insert(arguments.end(), argv + i + 1, argv + argc);
  arguments.push_back(nullptr);
  // As on the other platforms: the program's arguments after its name, joined by spaces.
  static std::string command_line;
  for (std::size_t k = 1; k + 1 < arguments.size(); ++k) {
    if (k > 1) command_line += ' ';
    command_line += arguments[k];
  }
  StartupArgs args;
  args.command_line = command_line.data();
  args.show_command = 1;
  int status =
      run_application(args, program, static_cast<int>(arguments.size()) - 1, arguments.data());
  std::cout.flush();
  return write_png() ? status : 2;
}

}  // namespace zr590::platform
