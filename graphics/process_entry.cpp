// The process entry every backend shares: keep the start-up values, run the application.
#include "library_state.h"
#include "platform/platform.h"

namespace zr590 {

int run_application(const StartupArgs& args, int (*program)(int, char**), int argc, char** argv) {
  startup_args = args;
  program(argc, argv);
  return 0;
}

}  // namespace zr590
