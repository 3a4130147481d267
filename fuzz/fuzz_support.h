// What the fuzz targets share: the library as a program finds it at start, on one headless
// backend kept for the whole run; a private folder for the files a reader opens; and a way to
// fail that libFuzzer reports as a crash, keeping the input that caused it.
#pragma once

#include <string>
#include <string_view>

#include "platform/headless/headless_platform.h"

namespace fuzz {

// A finding that is not a crash: say what was expected and abort.
[[noreturn]] void fail(std::string_view what);

inline void check(bool ok, std::string_view what) {
  if (!ok) fail(what);
}

// For one input: the library's state as at program load, on the run's headless backend with
// nothing seen yet. A fresh backend per input would cost two new 601 x 540 pictures each time,
// most of an input's time. Each input must leave no message queued, so that the next one starts
// exactly as this one did.
class FreshLibrary {
 public:
  FreshLibrary();
  ~FreshLibrary();
  FreshLibrary(const FreshLibrary&) = delete;
  FreshLibrary& operator=(const FreshLibrary&) = delete;

  zr590::platform::HeadlessPlatform& platform;
};

// An empty folder under the system's temporary folder for this process, removed at a normal
// exit. Absolute.
const std::string& scratch_folder();

// Makes the scratch folder the current one while it lives, for readers that open a fixed
// relative name ("ZR590.SCR").
class InScratchFolder {
 public:
  InScratchFolder();
  ~InScratchFolder();
  InScratchFolder(const InScratchFolder&) = delete;
  InScratchFolder& operator=(const InScratchFolder&) = delete;

 private:
  int previous_;
};

}  // namespace fuzz
