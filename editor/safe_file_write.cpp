#include "safe_file_write.h"

#include <cerrno>
#include <filesystem>
#include <new>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#endif

namespace {

using Writer = std::function<bool(std::FILE*)>;

// Hands `out` to the writer and closes it; true only if everything reached the file. `sync`
// for a file on a disk, whose write errors some file systems report only when synced.
bool writeAndClose(std::FILE* out, const Writer& writeContents, bool sync) {
  if (out == nullptr) return false;
  bool ok = false;
  try {
    ok = writeContents(out);
  } catch (...) {
    ok = false;
  }
  ok = std::fflush(out) == 0 && ok && !std::ferror(out);
#ifndef _WIN32
  ok = ok && (!sync || ::fsync(::fileno(out)) == 0);
#else
  (void)sync;
#endif
  return std::fclose(out) == 0 && ok;
}

#ifdef _WIN32

// The Windows build keeps it simple: the old contents in memory, the file rewritten in place
// (truncating keeps the same file), and put back byte for byte on failure.
bool readWhole(const std::string& path, std::string& contents) {
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) return false;
  char buffer[1 << 16];
  std::size_t got = 0;
  bool ok = true;
  try {
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) contents.append(buffer, got);
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  ok = ok && !std::ferror(in);
  std::fclose(in);
  return ok;
}

bool writeWindows(const std::string& path, const Writer& writeContents) {
  std::string old;
  if (readWhole(path, old)) {
    std::FILE* out = std::fopen(path.c_str(), "w");
    if (out == nullptr) return false;  // read-only, say: nothing has changed
    if (writeAndClose(out, writeContents, true)) return true;
    std::FILE* back = std::fopen(path.c_str(), "wb");
    if (back != nullptr) {
      std::fwrite(old.data(), 1, old.size(), back);
      std::fclose(back);
    }
    return false;
  }
  // No file to read: a new one, created only if none has appeared meanwhile.
  const int fd =
      ::_open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_TEXT, _S_IREAD | _S_IWRITE);
  if (fd < 0) return false;
  std::FILE* out = ::_fdopen(fd, "w");
  if (out == nullptr) ::_close(fd);
  if (writeAndClose(out, writeContents, true)) return true;
  std::remove(path.c_str());
  return false;
}

#else

bool writeAllAt(int fd, const char* data, std::size_t size, off_t offset) {
  while (size > 0) {
    const ssize_t put = ::pwrite(fd, data, size, offset);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    data += put;
    size -= static_cast<std::size_t>(put);
    offset += put;
  }
  return true;
}

// Reads the whole of `from`, from its start, handing each piece to `keep` with its offset.
template <typename Keep>
bool copyWhole(int from, Keep keep) {
  char buffer[1 << 16];
  off_t offset = 0;
  for (;;) {
    const ssize_t got = ::pread(from, buffer, sizeof buffer, offset);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    if (!keep(buffer, static_cast<std::size_t>(got), offset)) return false;
    offset += got;
  }
}

bool copyWhole(int from, int to) {
  return copyWhole(from, [to](const char* data, std::size_t size, off_t offset) {
    return writeAllAt(to, data, size, offset);
  });
}

// The old contents of a file while it is rewritten: in a temporary file beside it, or, where
// there is no room for one, in memory.
class Backup {
 public:
  Backup() = default;
  Backup(const Backup&) = delete;
  Backup& operator=(const Backup&) = delete;
  ~Backup() {
    if (fd_ >= 0) ::close(fd_);
  }

  bool take(int from, const std::string& path) {
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) folder = ".";
    // mkostemp creates the file exclusively (a link in its place makes it fail), with mode
    // 0600 and a random name.
    std::string name = (folder / ".save-backup-XXXXXX").string();
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd >= 0) {
      if (copyWhole(from, fd)) {
        fd_ = fd;
        path_ = name;
        return true;
      }
      ::close(fd);
      ::unlink(name.c_str());
    }
    try {
      return copyWhole(from, [this](const char* data, std::size_t size, off_t) {
        memory_.append(data, size);
        return true;
      });
    } catch (const std::bad_alloc&) {
      return false;
    }
  }

  // Puts the old contents back into `to`.
  bool restore(int to) const {
    if (::ftruncate(to, 0) != 0) return false;
    const bool put =
        fd_ >= 0 ? copyWhole(fd_, to) : writeAllAt(to, memory_.data(), memory_.size(), 0);
    return put && ::fsync(to) == 0;
  }

  void discard() {
    if (fd_ < 0) return;
    ::close(fd_);
    ::unlink(path_.c_str());
    fd_ = -1;
  }

 private:
  int fd_ = -1;
  std::string path_;
  std::string memory_;
};

std::FILE* streamOn(int fd) {
  const int own = ::dup(fd);
  if (own < 0) return nullptr;
  std::FILE* out = ::fdopen(own, "w");
  if (out == nullptr) ::close(own);
  return out;
}

// Whether this process may write a file of `size` bytes at all (the file size limit).
bool mayWrite(off_t size) {
  struct rlimit limit {};
  return ::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
         static_cast<rlim_t>(size) <= limit.rlim_cur;
}

// `fd` is the open file, read and write, of a regular file of `size` bytes.
bool rewriteInPlace(int fd, off_t size, const std::string& path, const Writer& writeContents) {
  // Contents that could not be written back after a failure are not put at risk.
  if (!mayWrite(size)) return false;
  Backup backup;
  if (!backup.take(fd, path)) return false;
  if (::ftruncate(fd, 0) != 0) {
    backup.discard();
    return false;
  }
  if (writeAndClose(streamOn(fd), writeContents, true)) {
    backup.discard();
    return true;
  }
  if (backup.restore(fd)) backup.discard();
  return false;
}

bool sameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// `fd` is the file just created under `path`, for writing.
bool writeNewFile(int fd, const std::string& path, const Writer& writeContents) {
  struct stat created {};
  const bool known = ::fstat(fd, &created) == 0;
  std::FILE* out = ::fdopen(fd, "w");
  if (out == nullptr) ::close(fd);
  if (writeAndClose(out, writeContents, true)) return true;
  // Removed only while the name still means the file made here.
  struct stat now {};
  if (known && ::lstat(path.c_str(), &now) == 0 && sameFile(created, now)) {
    ::unlink(path.c_str());
  }
  return false;
}

bool writeNamed(const std::string& path, const Writer& writeContents, int linksLeft) {
  // Read as well as write: the old contents must be copied aside before anything changes.
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    if (errno != ENOENT) return false;  // not ours to write, a folder, ...
    const int created =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (created >= 0) return writeNewFile(created, path, writeContents);
    if (errno != EEXIST || linksLeft == 0) return false;
    // A link to nothing: the file it names is made, as opening the name would make it.
    std::error_code ec;
    std::filesystem::path target = std::filesystem::read_symlink(path, ec);
    if (ec) return false;  // a file that appeared meanwhile: left alone
    if (target.is_relative()) target = std::filesystem::path(path).parent_path() / target;
    return writeNamed(target.string(), writeContents, linksLeft - 1);
  }
  struct stat status {};
  bool ok = false;
  if (::fstat(fd, &status) == 0) {
    ok = S_ISREG(status.st_mode) ? rewriteInPlace(fd, status.st_size, path, writeContents)
                                 : writeAndClose(streamOn(fd), writeContents, false);
  }
  ::close(fd);
  return ok;
}

#endif

}  // namespace

bool writeFileSafely(const std::string& path, const Writer& writeContents) {
  if (path.empty()) return false;
#ifdef _WIN32
  return writeWindows(path, writeContents);
#else
  constexpr int kMostLinks = 40;  // as many as the system follows in one name
  return writeNamed(path, writeContents, kMostLinks);
#endif
}
