// A fresh, empty folder of a test's own under the system's temporary folder, removed with
// everything in it when the test is over. enter() makes it the working folder until then, so
// that what the program writes there ("ZR590.SCR", drawings) touches nothing else.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace zr590::testing {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zr590-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp " + pattern);
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!left_.empty()) std::filesystem::current_path(left_, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  void enter() {
    left_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
  }
  const std::filesystem::path& path() const { return path_; }
  operator const std::filesystem::path&() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }
  std::string string() const { return path_.string(); }
  const char* c_str() const { return path_.c_str(); }

 private:
  std::filesystem::path path_;
  std::filesystem::path left_;  // the working folder before enter()
};

}  // namespace zr590::testing
