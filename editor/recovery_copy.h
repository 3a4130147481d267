// The recovery copy of an unsaved drawing: one file per working folder in the user's state
// folder, in the drawing file format, written with the durable save. Older copies put aside
// when the user starts a new drawing keep a dated name, at most five of them.
#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

class RecoveryCopy {
 public:
  // The copy for `workingFolder` inside `stateFolder` (created when first written).
  RecoveryCopy(std::filesystem::path stateFolder, const std::filesystem::path& workingFolder);

  // The user's state folder for this program: $XDG_STATE_HOME/zr590 (else
  // ~/.local/state/zr590) on Linux, %LOCALAPPDATA%\ZR590 on Windows. Empty where there is none.
  static std::filesystem::path userStateFolder();

  const std::filesystem::path& file() const { return file_; }
  // When the copy there was last written; nothing if there is none.
  std::optional<std::time_t> keptAt() const;
  // Writes `records` as the copy. False if it could not be written (the old copy stays).
  bool write(const std::string& records) const;
  void remove() const;
  // Renames the copy to a name with its date, dropping the oldest of such names beyond five.
  void putAside() const;

  static constexpr int kAsideKept = 5;

 private:
  std::filesystem::path folder_;
  std::filesystem::path file_;
};

// The hint shown when a copy was found at the start.
std::string recoveryHint(std::time_t keptAt);
