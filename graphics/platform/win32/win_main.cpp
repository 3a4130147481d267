// The process entry of a Windows program built on the library: keeps the start-up values and
// runs the application's main() on the Win32 backend, with the command line split into
// arguments as the C runtime splits it for a console program's main().
#include <windows.h>
#include <zr590/entry.h>

#include <cstdlib>

#include "platform/platform.h"
#include "platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prev_instance, LPSTR command_line,
                   int show_command) {
  // Never destroyed: the library uses it to the last moment, also from inside exit().
  auto* platform = new zr590::platform::win32::Win32Platform(instance);
  zr590::platform::set_current(platform);
  StartupArgs args;
  args.instance = instance;
  args.prev_instance = prev_instance;
  args.command_line = command_line;
  args.show_command = show_command;
  return zr590::run_application(args, ZR590_main, __argc, __argv);
}
