#include "platform/picture_file.h"

#include <zr590/safe_file.h>

#include <cerrno>
#include <cstdio>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "platform/png_encoder.h"

namespace zr590::platform {

bool write_picture_png(const Picture& picture, const std::string& path) {
  const std::vector<Rgb> pixels = picture.read_pixels();
  if (pixels.size() != static_cast<std::size_t>(kPictureWidth) * kPictureHeight) {
    errno = EIO;
    return false;
  }
  const std::string png = encode_png(pixels, kPictureWidth, kPictureHeight);
  return writeFileSafely(path, [&png](std::FILE* out) {
#ifdef _WIN32
    _setmode(_fileno(out), _O_BINARY);  // bytes, not text: no line ends added
#endif
    return std::fwrite(png.data(), 1, png.size(), out) == png.size();
  });
}

}  // namespace zr590::platform
