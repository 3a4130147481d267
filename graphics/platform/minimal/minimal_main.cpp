// The process entry: the program runs on the minimal backend with its arguments as given.
#include <string>

#include "platform/minimal/minimal_platform.h"

namespace zr590::platform {

int run_process(int argc, char** argv, int (*program)(int, char**)) {
  // Lives until the process ends: the library's state refers to it to the last moment.
  static MinimalPlatform platform;
  set_current(&platform);
  static std::string command_line;
  for (int i = 1; i < argc; ++i) command_line += (i > 1 ? " " : "") + std::string(argv[i]);
  StartupArgs args;
  args.command_line = command_line.data();
  args.show_command = 1;
  return run_application(args, program, argc, argv);
}

}  // namespace zr590::platform
