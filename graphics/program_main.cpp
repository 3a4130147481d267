// main() of every program built on the library (but on Windows, whose entry is WinMain): hands
// the process to the backend linked in, which runs the program's own main (<zr590/entry.h>).
// With the shared libraries this is the small static part that a program links beside them.
#include <zr590/entry.h>

#include "platform/platform.h"

#undef main  // this is the real one

int main(int argc, char** argv) {
  return zr590::platform::run_process(argc, argv, ZR590_main);
}
