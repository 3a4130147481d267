// The GTK backend's process entry. GTK's own options (--display, --class, --gtk-debug ...) are
// taken out of the arguments before the program sees them; the display is opened only when
// the library first needs it (when the program opens its Display), so a program can answer
// --help or refuse its arguments without one. Without a display it says so in one line and
// ends with status 1.
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/gtk/gtk_platform.h"

namespace zr590::platform {
namespace {

const char* program_name = "zr590";

Platform* open_display() {
  if (!gtk_init_check(nullptr, nullptr)) {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
      std::fprintf(stderr, "%s: no display to open windows on (DISPLAY is not set)\n",
                   program_name);
    } else {
      std::fprintf(stderr, "%s: cannot open the display \"%s\"\n", program_name, display);
    }
    std::exit(1);
  }
  // Lives until the process ends: the library's state refers to it to the last moment.
  static gtk::GtkPlatform platform;
  return &platform;
}

}  // namespace

int run_process(int argc, char** argv, int (*program)(int, char**)) {
  if (argc > 0) {
    program_name = argv[0];
    if (const char* slash = std::strrchr(program_name, '/')) program_name = slash + 1;
  }
  // Takes GTK's options out of argv and keeps them for the display; opens nothing.
  gtk_parse_args(&argc, &argv);
  // Like the Windows command line: the program's arguments after its name, kept unused.
  static std::string command_line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) command_line += ' ';
    command_line += argv[i];
  }
  set_current_on_first_use(open_display);
  StartupArgs args;
  args.command_line = command_line.data();
  args.show_command = 1;
  return run_application(args, program, argc, argv);
}

}  // namespace zr590::platform
