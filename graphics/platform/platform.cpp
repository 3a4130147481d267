#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace zr590::platform {
namespace {
Platform* installed = nullptr;
Platform* (*open_on_first_use)() = nullptr;
}  // namespace

Platform& current() {
  if (installed == nullptr && open_on_first_use != nullptr) {
    installed = std::exchange(open_on_first_use, nullptr)();
  }
  if (installed == nullptr) {
    std::fputs("ZR590: no window-system backend is linked into this program\n", stderr);
    std::abort();
  }
  return *installed;
}

void set_current(Platform* platform) {
  installed = platform;
}

void set_current_on_first_use(Platform* (*open)()) {
  installed = nullptr;
  open_on_first_use = open;
}

}  // namespace zr590::platform
