#include "script.h"

#include <zr590/zr590.h>

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "library_state.h"
#include "platform/platform.h"

namespace zr590 {
namespace {

// Lines read from scripts since the program started; never reset.
unsigned long lines_read = 0;

constexpr std::size_t kLetterIndex = 6;    // the letter after "ZR590_"
constexpr std::size_t kNumberLength = 11;  // the longest 32-bit decimal with its sign

// Standard decimal conversion of a collected run: an optional leading minus, then digits up
// to the first other character. Values beyond 32 bits saturate.
int convert_number(std::string_view run) {
  bool negative = !run.empty() && run.front() == '-';
  if (negative) run.remove_prefix(1);
  long long value = 0;
  for (char c : run) {
    if (!std::isdigit(static_cast<unsigned char>(c))) break;
    value = value * 10 + (c - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

// Finds the next run of characters accepted by `in_run`, starting at `pos`, and returns its
// first kNumberLength characters; `pos` moves past the whole run.
template <typename InRun>
std::string_view next_run(std::string_view line, std::size_t& pos, InRun in_run) {
  while (pos < line.size() && !in_run(line[pos])) ++pos;
  std::size_t start = pos;
  while (pos < line.size() && in_run(line[pos])) ++pos;
  std::string_view run = line.substr(start, pos - start);
  return run.substr(0, kNumberLength);
}

bool digit_or_minus(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) || c == '-';
}
bool digit(char c) {
  return std::isdigit(static_cast<unsigned char>(c));
}

bool blank_line(const char* line) {
  return std::strcmp(line, "\n") == 0 || std::strcmp(line, "\r\n") == 0;
}

// Reads one line of at most kScriptLineLength characters into `line`; the rest of a longer
// line is read and dropped. Counted character by character rather than measured afterwards: a
// NUL byte inside the line would hide its true length. False when nothing more could be read.
bool read_line(std::FILE* file, char (&line)[kScriptLineLength + 1]) {
  std::size_t length = 0;
  int c = 0;
  while (length < kScriptLineLength && (c = std::getc(file)) != EOF) {
    line[length++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  line[length] = '\0';
  if (length == 0) return false;
  ++lines_read;
  if (length == kScriptLineLength && line[length - 1] != '\n') {
    while ((c = std::getc(file)) != EOF && c != '\n') {
    }
  }
  return true;
}

}  // namespace

ScriptLine parse_script_line(std::string_view line) {
  ScriptLine parsed;
  if (line.size() <= kLetterIndex) return parsed;
  std::size_t pos = kLetterIndex;
  switch (line[kLetterIndex]) {
    case 'K':
      parsed.kind = ScriptLine::Key;
      parsed.key = static_cast<char>(convert_number(next_run(line, pos, digit_or_minus)) & 0xFF);
      break;
    case 'M':
      parsed.kind = ScriptLine::Mouse;
      parsed.x = convert_number(next_run(line, pos, digit_or_minus));
      parsed.y = convert_number(next_run(line, pos, digit_or_minus));
      break;
    case 'P':
      parsed.kind = ScriptLine::Periodic;
      parsed.count = convert_number(next_run(line, pos, digit));
      break;
    default:
      break;
  }
  return parsed;
}

namespace {

std::FILE*& script_file = library.script.file;
ScriptMode& mode = library.script.mode;

#ifdef _WIN32
std::FILE* open_script_file(bool writing) {
  return std::fopen(kScriptFileName, writing ? "w" : "r");
}
#else
// Only a regular file, opened without waiting (a pipe with nobody at its other end would hold
// the program) and truncated only once it is known to be one. A link is followed only where
// the link and the folder are the user's own, as the kernel's protected_symlinks rule has it
// for shared folders: someone else's link could make a recording overwrite any of the user's
// files.
std::FILE* open_script_file(bool writing) {
  struct stat link {};
  int no_follow = 0;
  if (::lstat(kScriptFileName, &link) == 0 && S_ISLNK(link.st_mode)) {
    struct stat folder {};
    const bool own =
        ::stat(".", &folder) == 0 && folder.st_uid == ::geteuid() && link.st_uid == ::geteuid();
    if (!own) no_follow = O_NOFOLLOW;
  }
  const int flags =
      (writing ? O_WRONLY | O_CREAT : O_RDONLY) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | no_follow;
  const int fd = ::open(kScriptFileName, flags, 0666);
  if (fd < 0) return nullptr;
  struct stat status {};
  const int kept = ::fcntl(fd, F_GETFL);
  std::FILE* file = nullptr;
  if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && kept >= 0 &&
      ::fcntl(fd, F_SETFL, kept & ~O_NONBLOCK) == 0 && (!writing || ::ftruncate(fd, 0) == 0)) {
    file = ::fdopen(fd, writing ? "w" : "r");
  }
  if (file == nullptr) ::close(fd);
  return file;
}
#endif

bool open_script(ScriptMode wanted) {
  script_file = open_script_file(wanted == ScriptMode::Writing);
  mode = script_file != nullptr ? wanted : ScriptMode::Closed;
  return script_file != nullptr;
}

// The file, open for writing; nullptr after reporting that it cannot be.
std::FILE* file_for_writing() {
  if (script_file == nullptr) {
    if (open_script(ScriptMode::Writing)) return script_file;
  } else if (mode == ScriptMode::Writing) {
    return script_file;
  }
  // Also when it is open for a playback that runs: writing now would destroy the script being
  // played.
  ZR590_printf("Cannot open script file %s for writing\n", kScriptFileName);
  return nullptr;
}

// A line written is flushed at once, so that a full disk or a quota shows at the line that
// met it, and what was recorded before stays on disk. False after reporting a failure and
// closing the file.
bool written(std::FILE* file, int result) {
  if (result >= 0 && std::fflush(file) == 0) return true;
  std::fprintf(stderr, "Cannot write script file %s\n", kScriptFileName);
  ZR590_printf("Cannot write script file %s\n", kScriptFileName);
  std::fclose(file);
  script_file = nullptr;
  mode = ScriptMode::Closed;
  return false;
}

}  // namespace

bool script_write_event(int kind, int x, int y, char key) {
  // Only these make a line. Opening the file for any other (a Quit) would empty the script
  // that was there and write nothing in its place.
  if (kind != Mouse && kind != Key) return true;
  std::FILE* file = file_for_writing();
  if (file == nullptr) return true;
  if (kind == Mouse) return written(file, std::fprintf(file, "ZR590_MOUSE(%d, %d);\n", x, y));
  return written(file, std::fprintf(file, "ZR590_KBD(%d);\n",
                                    static_cast<int>(static_cast<signed char>(key))));
}

bool script_write_periodic(int count) {
  std::FILE* file = file_for_writing();
  return file == nullptr || written(file, std::fprintf(file, "ZR590_PERIODIC(%d);\n", count));
}

std::optional<ScriptLine> script_read_line() {
  if (script_file == nullptr ? !open_script(ScriptMode::Reading) : mode != ScriptMode::Reading) {
    // Open for writing, the script is still being recorded: its lines are not complete until
    // the recording is closed.
    ZR590_printf("Cannot open script file %s for reading\n", kScriptFileName);
    return std::nullopt;
  }
  char line[kScriptLineLength + 1];
  bool got = read_line(script_file, line);
  while (got && blank_line(line) && !std::feof(script_file)) got = read_line(script_file, line);
  if (!got || std::feof(script_file) || std::ferror(script_file)) {
    ZR590_printf("EOF encountered in script file %s\n", kScriptFileName);
    // Closed at its end, so that the next playback starts again from the first line.
    script_close();
    return std::nullopt;
  }
  return parse_script_line(line);
}

bool script_open_for_reading() {
  return script_file != nullptr && mode == ScriptMode::Reading;
}

void script_close() {
  if (script_file != nullptr) {
    // A recording's last lines may fail only now.
    if (std::fclose(script_file) != 0 && mode == ScriptMode::Writing) {
      std::fprintf(stderr, "Cannot write script file %s\n", kScriptFileName);
      ZR590_printf("Cannot write script file %s\n", kScriptFileName);
    }
    script_file = nullptr;
  }
  mode = ScriptMode::Closed;
}

unsigned long platform::script_lines_read() {
  return lines_read;
}

}  // namespace zr590
