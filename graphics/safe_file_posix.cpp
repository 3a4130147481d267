// writeFileSafely on POSIX systems: a new file renamed over the old one, or, where that would
// break something, a rewrite in place behind a synced copy.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zr590/safe_file.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <system_error>

#include "platform/safe_file_parts.h"

namespace fs = std::filesystem;
using zr590::safe_write::Writer;
namespace safe_write = zr590::safe_write;

namespace {

bool syncStream(std::FILE* out) {
  return ::fsync(::fileno(out)) == 0;
}

// Makes a rename or a new name in `folder` durable. A file system that cannot sync a folder
// (EINVAL) has nothing to sync.
bool syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno == EINVAL;
  const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
  ::close(fd);
  return synced;
}

// A file past the file size limit is a failed write (EFBIG), not a killed program.
class FileSizeSignalIgnored {
 public:
  FileSizeSignalIgnored() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, &old_);
  }
  ~FileSizeSignalIgnored() { ::sigaction(SIGXFSZ, &old_, nullptr); }
  FileSizeSignalIgnored(const FileSizeSignalIgnored&) = delete;
  FileSizeSignalIgnored& operator=(const FileSizeSignalIgnored&) = delete;

 private:
  struct sigaction old_ {};
};

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

// A file made in `path`'s folder under `before` + its name + `after` + six random characters:
// exclusively (a link in its place makes it fail), mode 0600. -1 if the folder takes none.
int makeBeside(const std::string& path, const char* before, const char* after, std::string& made) {
  made = (fs::path(safe_write::folderOf(path)) /
          (before + safe_write::nameOf(path) + after + "XXXXXX"))
             .string();
  return ::mkostemp(made.data(), O_CLOEXEC);
}

// The old contents of a file while it is rewritten in place: in a synced copy beside it, or,
// where the folder takes no file, in memory.
class Backup {
 public:
  Backup() = default;
  Backup(const Backup&) = delete;
  Backup& operator=(const Backup&) = delete;
  ~Backup() {
    if (fd_ >= 0) ::close(fd_);
  }

  bool take(int from, const std::string& path) {
    std::string name;
    const int fd = makeBeside(path, "", safe_write::kCopySuffix, name);
    if (fd >= 0) {
      if (copyWhole(from, fd) && ::fsync(fd) == 0 && syncFolder(safe_write::folderOf(path))) {
        fd_ = fd;
        path_ = name;
        return true;
      }
      ::close(fd);
      ::unlink(name.c_str());
      if (errno == ENOSPC || errno == EDQUOT) return false;
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

  // The copy left on disk, if any.
  std::string kept() const { return fd_ >= 0 ? path_ : std::string(); }

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
bool rewriteInPlace(int fd, off_t size, const std::string& path, const Writer& writeContents,
                    std::string* keptCopy) {
  // Old contents that could not be written back after a failure are not put at risk.
  if (!mayWrite(size)) return false;
  Backup backup;
  if (!backup.take(fd, path)) return false;
  if (::ftruncate(fd, 0) == 0 &&
      safe_write::writeAndClose(streamOn(fd), writeContents, syncStream)) {
    backup.discard();
    return true;
  }
  if (backup.restore(fd)) {
    backup.discard();
  } else if (keptCopy != nullptr) {
    *keptCopy = backup.kept();
  }
  return false;
}

enum class Replaced { Done, Failed, NotPossible };

// Writes the new contents into a file beside `path` and renames it over `path`. `old` is the
// file there now (nullptr: none, and none may appear meanwhile).
Replaced replace(const std::string& path, const struct stat* old, const Writer& writeContents) {
  std::string temporary;
  const int fd = makeBeside(path, ".", ".zr590-", temporary);
  if (fd < 0) return errno == ENOSPC || errno == EDQUOT ? Replaced::Failed : Replaced::NotPossible;
  mode_t mode = 0666;
  if (old != nullptr) {
    mode = old->st_mode & 07777;
    struct stat made {};
    // The new file must be the old one's in owner and group, or replacing would change them.
    if (::fstat(fd, &made) != 0 || ((made.st_uid != old->st_uid || made.st_gid != old->st_gid) &&
                                    ::fchown(fd, old->st_uid, old->st_gid) != 0)) {
      ::close(fd);
      ::unlink(temporary.c_str());
      return Replaced::NotPossible;
    }
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  // The mode only once the contents are complete, and synced with them.
  bool ok = safe_write::writeAndClose(streamOn(fd), writeContents, [fd, mode](std::FILE*) {
    return ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
  });
  ::close(fd);
  if (ok && old != nullptr) {
    ok = ::rename(temporary.c_str(), path.c_str()) == 0;
    if (ok) return syncFolder(safe_write::folderOf(path)) ? Replaced::Done : Replaced::Failed;
  } else if (ok) {
    // Only while the name is still free: a link fails where a file has appeared.
    if (::link(temporary.c_str(), path.c_str()) != 0) {
      const bool taken = errno == EEXIST;
      ::unlink(temporary.c_str());
      // A file system without hard links: the caller makes the file under its name.
      return taken ? Replaced::Failed : Replaced::NotPossible;
    }
  }
  ::unlink(temporary.c_str());
  return ok && syncFolder(safe_write::folderOf(path)) ? Replaced::Done : Replaced::Failed;
}

// `path` holds no file (nor a link): a new one, created only if none has appeared meanwhile.
bool writeNewFile(const std::string& path, const Writer& writeContents) {
  const Replaced replaced = replace(path, nullptr, writeContents);
  if (replaced != Replaced::NotPossible) return replaced == Replaced::Done;
  // The folder takes no temporary file; it cannot take this one either, unless by a rule of its
  // own: the file is then made under its name and removed if the write fails.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
  if (fd < 0) return false;
  struct stat created {};
  const bool known = ::fstat(fd, &created) == 0;
  std::FILE* out = ::fdopen(fd, "w");
  if (out == nullptr) ::close(fd);
  if (safe_write::writeAndClose(out, writeContents, syncStream)) {
    return syncFolder(safe_write::folderOf(path));
  }
  struct stat now {};
  // Removed only while the name still means the file made here.
  if (known && ::lstat(path.c_str(), &now) == 0 && now.st_dev == created.st_dev &&
      now.st_ino == created.st_ino) {
    ::unlink(path.c_str());
  }
  return false;
}

// The name a chain of links ends in (the name itself if it is no link), as opening would follow
// it; empty if the chain is too long or broken in a folder.
std::string followLinks(std::string path) {
  constexpr int kMostLinks = 40;  // as many as the system follows in one name
  for (int i = 0; i <= kMostLinks; ++i) {
    std::error_code ec;
    if (!fs::is_symlink(path, ec))
      return ec && ec != std::errc::no_such_file_or_directory ? "" : path;
    fs::path target = fs::read_symlink(path, ec);
    if (ec) return "";
    if (target.is_relative()) target = fs::path(path).parent_path() / target;
    path = target.string();
  }
  return "";
}

}  // namespace

bool zr590::writeFileSafely(const std::string& path, const Writer& writeContents,
                            std::string* keptCopy) {
  if (path.empty()) return false;
  const std::string file = followLinks(path);
  if (file.empty()) return false;
  FileSizeSignalIgnored fileSizeLimitIsAnError;
  // Without blocking: a pipe with no reader or a terminal must not hold the program.
  const int fd = ::open(file.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return errno == ENOENT && writeNewFile(file, writeContents);
  struct stat status {};
  bool ok = false;
  if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
    Replaced replaced = Replaced::NotPossible;
    if (status.st_nlink == 1) replaced = replace(file, &status, writeContents);
    if (replaced == Replaced::NotPossible) {
      const int flags = ::fcntl(fd, F_GETFL);
      if (flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0) {
        ok = rewriteInPlace(fd, status.st_size, file, writeContents, keptCopy);
      }
    } else {
      ok = replaced == Replaced::Done;
    }
  }
  ::close(fd);
  return ok;
}
