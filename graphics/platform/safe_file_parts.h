// What the system halves of zr590::writeFileSafely (safe_file_posix.cpp, the Win32 backend's
// safe_file_win32.cpp) share with the rest of it (safe_file.cpp).
#pragma once

#include <cstdio>
#include <functional>
#include <string>

namespace zr590::safe_write {

using Writer = std::function<bool(std::FILE*)>;

// What follows a file's name in the name of a copy of its old contents kept beside it.
inline constexpr const char* kCopySuffix = ".zr590-backup-";

// Hands `out` to the writer, flushes, finishes (`finish`: the platform's sync, and what else must
// follow complete contents) and closes it; true only if everything reached the file. Closes
// `out` in every case.
bool writeAndClose(std::FILE* out, const Writer& writeContents, const Writer& finish);

// The folder that holds `path` ("." for a bare name) and the name within it.
std::string folderOf(const std::string& path);
std::string nameOf(const std::string& path);

}  // namespace zr590::safe_write
