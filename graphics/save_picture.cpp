// ZR590_save_picture: the graphics window's picture as a PNG file.
#include <zr590/zr590.h>

#include <cerrno>
#include <cstring>

#include "library_state.h"
#include "platform/picture_file.h"

int ZR590_save_picture(const char* path) {
  if (path == nullptr || *path == '\0') {
    ZR590_printf("Cannot save the picture: no file name\n");
    return 0;
  }
  if (!zr590::window_state.graphics_window) {
    ZR590_printf("Cannot save the picture to %s: the graphics window is not open\n", path);
    return 0;
  }
  if (!zr590::platform::write_picture_png(zr590::platform::current().picture(), path)) {
    const int error = errno;
    ZR590_printf("Cannot save the picture to %s: %s\n", path, std::strerror(error));
    return 0;
  }
  return 1;
}
