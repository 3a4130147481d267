// The shape editor's entry; the library's process entry calls it with the program's own
// arguments.
#include <zr590/entry.h>

#include <cstdlib>

#include "command_line.h"
#include "editor_loop.h"

int main(int argc, char** argv) {
  std::vector<std::string> drawings;
  // The process's status is the library's, so a refused command line ends here.
  if (int status = readCommandLine(argc, argv, drawings); status != kRunEditor) std::exit(status);
  return run_editor(drawings, true);
}
