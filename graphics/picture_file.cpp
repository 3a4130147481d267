#include "picture_file.h"

#include <zr590/safe_file.h>
#include <zr590/zr590.h>

#include <cerrno>
#include <cstring>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "library_state.h"
#include "png_encoder.h"

namespace zr590 {

bool write_picture_png(const platform::Picture& picture, const std::string& path) {
  const std::vector<platform::Rgb> pixels = picture.read_pixels();
  if (pixels.size() != static_cast<std::size_t>(platform::kPictureWidth) * platform::kPictureHeight) {
    errno = EIO;
    return false;
  }
  const std::string png = encode_png(pixels, platform::kPictureWidth, platform::kPictureHeight);
  return writeFileSafely(path, [&png](std::FILE* out) {
#ifdef _WIN32
    _setmode(_fileno(out), _O_BINARY);  // bytes, not text: no line ends added
#endif
    return std::fwrite(png.data(), 1, png.size(), out) == png.size();
  });
}

}  // namespace zr590

int ZR590_save_picture(const char* path) {
  if (path == nullptr || *path == '\0') {
    ZR590_printf("Cannot save the picture: no file name\n");
    return 0;
  }
  if (!zr590::window_state.graphics_window) {
    ZR590_printf("Cannot save the picture to %s: the graphics window is not open\n", path);
    return 0;
  }
  if (!zr590::write_picture_png(zr590::platform::current().picture(), path)) {
    const int error = errno;
    ZR590_printf("Cannot save the picture to %s: %s\n", path, std::strerror(error));
    return 0;
  }
  return 1;
}
