#include "regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

std::FILE* openRegularFile(const std::string& path) {
#ifdef _WIN32
  // Windows opens devices and pipes without waiting; only the kind of file matters here.
  std::FILE* in = std::fopen(path.c_str(), "r");
  struct _stat64 status {};
  if (in != nullptr &&
      (::_fstat64(::_fileno(in), &status) != 0 || (status.st_mode & _S_IFREG) == 0)) {
    std::fclose(in);
    return nullptr;
  }
  return in;
#else
  // Without blocking: opening a pipe with no writer would wait for one.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return nullptr;
  struct stat status {};
  const int flags = ::fcntl(fd, F_GETFL);
  std::FILE* in = nullptr;
  if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && flags >= 0 &&
      ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0) {
    in = ::fdopen(fd, "r");
  }
  if (in == nullptr) ::close(fd);
  return in;
#endif
}
