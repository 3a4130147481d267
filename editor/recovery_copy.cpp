#include "recovery_copy.h"

#include <zr590/safe_file.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kSuffix = ".zr590-unsaved";
// File names stay well inside the usual 255-byte limit.
constexpr std::size_t kLongestKey = 160;

// A file name for `folder` that no other folder gets: the path with '%' and the characters no
// file name may hold escaped. A path too long keeps its end and a hash of the whole.
std::string keyOf(const fs::path& folder) {
  const std::string path = folder.generic_string();
  std::string key;
  for (unsigned char c : path) {
    if (c == '/' || c == '\\' || c == ':' || c == '%' || c < 0x20 || c == '*' || c == '?' ||
        c == '"' || c == '<' || c == '>' || c == '|') {
      static constexpr char kHex[] = "0123456789ABCDEF";
      key += '%';
      key += kHex[c >> 4];
      key += kHex[c & 15];
    } else {
      key += static_cast<char>(c);
    }
  }
  if (key.size() > kLongestKey) {
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016zx", std::hash<std::string>{}(path));
    key = std::string(hash) + "-" + key.substr(key.size() - (kLongestKey - 17));
  }
  return key;
}

std::string localTime(std::time_t when, const char* format) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &when);
#else
  localtime_r(&when, &local);
#endif
  char text[32];
  std::strftime(text, sizeof text, format, &local);
  return text;
}

}  // namespace

RecoveryCopy::RecoveryCopy(fs::path stateFolder, const fs::path& workingFolder)
    : folder_(std::move(stateFolder)), file_(folder_ / (keyOf(workingFolder) + kSuffix)) {}

fs::path RecoveryCopy::userStateFolder() {
#if defined(__EMSCRIPTEN__)
  // The page names a folder of its store for this (zr590-files.js); a page that replays a
  // session names none, and keeps no copy.
  const char* state = std::getenv("XDG_STATE_HOME");
  return state != nullptr && state[0] == '/' ? std::filesystem::path(state) / "zr590"
                                              : std::filesystem::path();
#elif defined(_WIN32)
  const char* local = std::getenv("LOCALAPPDATA");
  return local != nullptr && *local != '\0' ? fs::path(local) / "ZR590" : fs::path();
#else
  // An XDG variable that is not an absolute path is to be ignored.
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && state[0] == '/') return fs::path(state) / "zr590";
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] != '/') return {};
  return fs::path(home) / ".local" / "state" / "zr590";
#endif
}

std::optional<std::time_t> RecoveryCopy::keptAt() const {
  std::error_code ec;
  if (!fs::is_regular_file(file_, ec)) return std::nullopt;
  const fs::file_time_type written = fs::last_write_time(file_, ec);
  if (ec) return std::nullopt;
  const auto sys = std::chrono::system_clock::now() +
                   std::chrono::duration_cast<std::chrono::system_clock::duration>(
                       written - fs::file_time_type::clock::now());
  return std::chrono::system_clock::to_time_t(sys);
}

bool RecoveryCopy::write(const std::string& records) const {
  std::error_code ec;
  fs::create_directories(folder_, ec);
  // Drawings are nobody else's business.
  fs::permissions(folder_, fs::perms::owner_all, ec);
  return zr590::writeFileSafely(file_.string(), [&records](std::FILE* out) {
    return std::fwrite(records.data(), 1, records.size(), out) == records.size();
  });
}

void RecoveryCopy::remove() const {
  std::error_code ec;
  fs::remove(file_, ec);
}

void RecoveryCopy::putAside() const {
  const std::optional<std::time_t> when = keptAt();
  if (!when) return;
  std::string stem = file_.filename().string();
  stem += '-';
  std::string dated = file_.string();
  dated += '-';
  dated += localTime(*when, "%Y%m%d-%H%M%S");
  std::error_code ec;
  fs::path aside = dated;
  for (int n = 2; fs::exists(aside, ec); ++n) aside = dated + '-' + std::to_string(n);
  fs::rename(file_, aside, ec);
  // The dated names sort by age; the oldest go.
  std::vector<fs::path> older;
  for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.compare(0, stem.size(), stem) == 0) older.push_back(it->path());
  }
  std::sort(older.begin(), older.end());
  for (std::size_t i = 0; i + kAsideKept < older.size(); ++i) fs::remove(older[i], ec);
}

std::string recoveryHint(std::time_t keptAt) {
  return "Unsaved drawing of " + localTime(keptAt, "%Y-%m-%d %H:%M") +
         " kept: press y to bring it back";
}
