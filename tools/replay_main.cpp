// shape-replay's entry: the editor as shape-editor runs it, but keeping no recovery copy, so
// that a replay writes nothing but what its session saves.
#include <zr590/entry.h>

#include <cstdlib>

#include "command_line.h"
#include "editor_loop.h"

int main(int argc, char** argv) {
  std::vector<std::string> drawings;
  if (int status = readCommandLine(argc, argv, drawings); status != kRunEditor) std::exit(status);
  return run_editor(drawings, false);
}
