#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>

namespace zr590::platform {
namespace {
Platform* installed = nullptr;
}

Platform& current() {
  if (installed == nullptr) {
    std::fputs("ZR590: no window-system backend is linked into this program\n", stderr);
    std::abort();
  }
  return *installed;
}

void set_current(Platform* platform) { installed = platform; }

}  // namespace zr590::platform
