// The GTK backend's process entry: opens the display, installs the backend and runs the
// program. Without a display it says so in one line and ends with status 1.
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/gtk/gtk_platform.h"

int main(int argc, char** argv) {
  const char* program = argc > 0 ? argv[0] : "zr590";
  if (const char* slash = std::strrchr(program, '/')) program = slash + 1;
  // Like the Windows command line: the arguments after the program's name, kept unused.
  static std::string command_line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) command_line += ' ';
    command_line += argv[i];
  }
  if (!gtk_init_check(&argc, &argv)) {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
      std::fprintf(stderr, "%s: no display to open windows on (DISPLAY is not set)\n", program);
    } else {
      std::fprintf(stderr, "%s: cannot open the display \"%s\"\n", program, display);
    }
    return 1;
  }

  // Lives until the process ends: the library's state refers to it to the last moment.
  static zr590::platform::gtk::GtkPlatform platform;
  zr590::platform::set_current(&platform);
  StartupArgs args;
  args.command_line = command_line.data();
  args.show_command = 1;
  return zr590::run_application(args);
}
