#include <zr590/safe_file.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/safe_file_parts.h"

namespace fs = std::filesystem;

namespace zr590::safe_write {

bool writeAndClose(std::FILE* out, const Writer& writeContents, const Writer& finish) {
  if (out == nullptr) return false;
  bool ok = false;
  try {
    ok = writeContents(out);
  } catch (...) {
    ok = false;
  }
  // Some file systems report write errors only when synced.
  ok = std::fflush(out) == 0 && ok && !std::ferror(out) && finish(out);
  return std::fclose(out) == 0 && ok;
}

std::string folderOf(const std::string& path) {
  const fs::path folder = fs::path(path).parent_path();
  return folder.empty() ? std::string(".") : folder.string();
}

std::string nameOf(const std::string& path) {
  return fs::path(path).filename().string();
}

}  // namespace zr590::safe_write

std::vector<std::string> zr590::leftoverCopiesOf(const std::string& path) {
  std::vector<std::string> copies;
  std::error_code ec;
  // The copies lie beside the file a link leads to.
  std::string file = path;
  if (fs::is_symlink(path, ec)) {
    const fs::path real = fs::canonical(path, ec);
    if (!ec) file = real.string();
  }
  ec.clear();
  const std::string prefix = safe_write::nameOf(file) + safe_write::kCopySuffix;
  for (fs::directory_iterator it(safe_write::folderOf(file), ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0) {
      copies.push_back((fs::path(file).parent_path() / name).string());
    }
  }
  std::sort(copies.begin(), copies.end());
  return copies;
}
