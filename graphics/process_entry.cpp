// The process entry every backend shares: keep the start-up values, run the application.
#include <zr590/entry.h>

#include "library_state.h"
#include "platform/platform.h"

namespace zr590 {

int run_application(const StartupArgs& args) {
  startup_args = args;
  ZR590_main();
  return 0;
}

}  // namespace zr590
