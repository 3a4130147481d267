#include "fuzz_support.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "library_state.h"

namespace fuzz {
namespace {

zr590::platform::HeadlessPlatform& run_platform() {
  // Never destroyed: the library may refer to it up to the process's end.
  static auto* platform = new zr590::platform::HeadlessPlatform;
  return *platform;
}

void remove_scratch() {
  std::error_code ec;
  std::filesystem::remove_all(scratch_folder(), ec);
}

}  // namespace

// The folder the run started in, where libFuzzer writes the failing input by default.
int starting_folder = open(".", O_RDONLY | O_DIRECTORY);

void fail(std::string_view what) {
  std::fprintf(stderr, "fuzz check failed: %.*s\n", static_cast<int>(what.size()), what.data());
  if (starting_folder >= 0 && fchdir(starting_folder) != 0) std::perror("fchdir");
  std::abort();
}

FreshLibrary::FreshLibrary() : platform(run_platform()) {
  zr590::reset_library_state();
  platform.forget_seen();
  zr590::platform::set_current(&platform);
}

FreshLibrary::~FreshLibrary() {
  check(platform.queued() == 0 && !platform.has_message(), "an input left messages queued");
  zr590::reset_library_state();
}

const std::string& scratch_folder() {
  // Never destroyed, so that it outlives the removal at exit.
  static const std::string* folder = [] {
    std::error_code ec;
    std::string pattern = (std::filesystem::temp_directory_path(ec) / "zr590-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      std::perror("cannot make a scratch folder");
      std::exit(1);
    }
    return new std::string(pattern);
  }();
  static const bool removed_at_exit = std::atexit(remove_scratch) == 0;
  (void)removed_at_exit;
  return *folder;
}

InScratchFolder::InScratchFolder() : previous_(open(".", O_RDONLY | O_DIRECTORY)) {
  check(previous_ >= 0 && chdir(scratch_folder().c_str()) == 0, "cannot enter the scratch folder");
}

InScratchFolder::~InScratchFolder() {
  check(fchdir(previous_) == 0, "cannot leave the scratch folder");
  close(previous_);
}

}  // namespace fuzz
