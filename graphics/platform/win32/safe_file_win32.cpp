// writeFileSafely on Windows: a new file beside the old one, then ReplaceFile (which keeps the
// old file's attributes and security) or a replacing MoveFileEx, or, for a new name, a
// MoveFileEx that fails if the name was taken meanwhile. A file with other hard links is rewritten
// in place behind a copy.
#define _CRT_RAND_S
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#include <zr590/safe_file.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/safe_file_parts.h"

using zr590::safe_write::Writer;
namespace safe_write = zr590::safe_write;

namespace {

bool commit(std::FILE* out) {
  return ::_commit(::_fileno(out)) == 0;
}

// A file beside `path` under `before` + its name + `after` + eight random hex digits, created
// exclusively; `made` gets its name. Null if none could be made.
std::FILE* makeBeside(const std::string& path, const char* before, const char* after,
                      std::string& made) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    unsigned int random = 0;
    if (rand_s(&random) != 0) return nullptr;
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", random);
    made = safe_write::folderOf(path) + "\\" + before + safe_write::nameOf(path) + after + digits;
    const int fd =
        ::_open(made.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_TEXT, _S_IREAD | _S_IWRITE);
    if (fd >= 0) {
      std::FILE* out = ::_fdopen(fd, "w");
      if (out == nullptr) ::_close(fd);
      return out;
    }
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

bool replace(const std::string& path, bool exists, const Writer& writeContents) {
  std::string temporary;
  std::FILE* out = makeBeside(path, ".", ".zr590-", temporary);
  if (out == nullptr) return false;
  bool ok = safe_write::writeAndClose(out, writeContents, commit);
  if (ok && exists) {
    // ReplaceFile keeps the old file's attributes and security; where it cannot (some file
    // systems, Wine), a replacing move is as durable.
    ok = ::ReplaceFileA(path.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                        nullptr, nullptr) != 0 ||
         ::MoveFileExA(temporary.c_str(), path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  } else if (ok) {
    ok = ::MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
  }
  if (!ok) ::DeleteFileA(temporary.c_str());
  return ok;
}

// Rewrites `path` in place once its old contents are safe in a copy beside it.
bool rewriteInPlace(const std::string& path, const Writer& writeContents, std::string* keptCopy) {
  std::string copy;
  std::FILE* made = makeBeside(path, "", safe_write::kCopySuffix, copy);
  if (made == nullptr) return false;
  std::fclose(made);
  if (::CopyFileA(path.c_str(), copy.c_str(), FALSE) == 0) {
    ::DeleteFileA(copy.c_str());
    return false;
  }
  if (safe_write::writeAndClose(std::fopen(path.c_str(), "w"), writeContents, commit)) {
    ::DeleteFileA(copy.c_str());
    return true;
  }
  if (::CopyFileA(copy.c_str(), path.c_str(), FALSE) != 0) {
    ::DeleteFileA(copy.c_str());
  } else if (keptCopy != nullptr) {
    *keptCopy = copy;
  }
  return false;
}

}  // namespace

bool zr590::writeFileSafely(const std::string& path, const Writer& writeContents,
                            std::string* keptCopy) {
  if (path.empty()) return false;
  // Opened only to look: a device (NUL, CON, COM1), a pipe or a folder is refused.
  const HANDLE file = ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND && replace(path, false, writeContents);
  }
  BY_HANDLE_FILE_INFORMATION info{};
  const bool regular = ::GetFileType(file) == FILE_TYPE_DISK &&
                       ::GetFileInformationByHandle(file, &info) != 0 &&
                       (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  ::CloseHandle(file);
  if (!regular || (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) return false;
  if (info.nNumberOfLinks > 1) return rewriteInPlace(path, writeContents, keptCopy);
  return replace(path, true, writeContents);
}
