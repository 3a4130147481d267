// Scripts that no recording wrote: a 2 MB line, 40-digit numbers, NUL bytes, only whitespace;
// and a periodic line asking for 2^31 events, which the user (or, headless, the runner) must
// be able to stop.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "event_core.h"
#include "menu.h"
#include "script.h"
#include "temp_dir_fixture.h"

namespace zr590::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using Lines = std::vector<std::string>;

const std::string kEof = "EOF encountered in script file ZR590.SCR\n";
const std::string kForty(40, '9');

class HostileScriptTest : public TempDirLibraryTest {
 protected:
  void play(const std::string& script) {
    std::ofstream(kScriptFileName, std::ios::binary) << script;
    command(CmdPlaybackScript);
  }
  // Events until playback has ended and the wait fell back to live input, of which there is
  // none: the headless window closes and the wait returns Quit.
  std::vector<int> events_to_the_end(int limit = 100) {
    std::vector<int> kinds;
    for (int kind = 0; kind != Quit && limit-- > 0;) kinds.push_back(kind = await());
    return kinds;
  }
};

TEST_F(HostileScriptTest, OnlyTheFirst511CharactersOfA2MegabyteLineCount) {
  // Were the rest of the line read as lines of its own, 2 MB of key lines would follow.
  std::string tail;
  while (tail.size() < (2u << 20)) tail += "ZR590_KBD(1);";
  play("ZR590_MOUSE(-5, 7);" + tail + "\nZR590_KBD(66);\n");
  int x = 0, y = 0;
  char key = 0;
  EXPECT_EQ(await(&x, &y), Mouse);
  EXPECT_EQ(x, -5);
  EXPECT_EQ(y, 7);
  EXPECT_EQ(await(nullptr, nullptr, &key), Key);
  EXPECT_EQ(key, 'B');
  EXPECT_EQ(events_to_the_end(), std::vector<int>{Quit});
  EXPECT_EQ(lines(), Lines{kEof});
}

TEST_F(HostileScriptTest, FortyDigitCoordinatesAndKeysSaturate) {
  play("ZR590_MOUSE(" + kForty + ", -" + kForty + ");\nZR590_KBD(" + kForty + ");\n");
  int x = 0, y = 0;
  char key = 0;
  EXPECT_EQ(await(&x, &y), Mouse);
  EXPECT_EQ(x, INT_MAX);
  EXPECT_EQ(y, INT_MIN);
  EXPECT_EQ(await(nullptr, nullptr, &key), Key);
  EXPECT_EQ(key, static_cast<char>(INT_MAX & 0xFF));
}

// Found by the script fuzzer: a NUL inside a line longer than 511 characters hid the line's
// length, and the line's remainder was played as further lines (here an unknown one, which
// stopped playback silently before "ZR590_KBD(66);").
TEST_F(HostileScriptTest, ANulByteEndsTheLineTextButNotTheLine) {
  play("ZR590_K\0"s + std::string(600, 'x') + "\nZR590_KBD(6\0 5);\nZR590_KBD(66);\n"s);
  char key = 'q';
  EXPECT_EQ(await(nullptr, nullptr, &key), Key);
  EXPECT_EQ(key, 0);  // no number before the NUL
  EXPECT_EQ(await(nullptr, nullptr, &key), Key);
  EXPECT_EQ(key, 6);
  EXPECT_EQ(await(nullptr, nullptr, &key), Key);
  EXPECT_EQ(key, 'B');
  EXPECT_EQ(events_to_the_end(), std::vector<int>{Quit});
  EXPECT_EQ(lines(), Lines{kEof});
}

TEST_F(HostileScriptTest, AWhitespaceOnlyScript) {
  // Lone line ends are skipped to the end of the file...
  play("\n\r\n\n\r\n");
  EXPECT_EQ(events_to_the_end(), std::vector<int>{Quit});
  EXPECT_EQ(lines(), Lines{kEof});
}

TEST_F(HostileScriptTest, AWhitespaceLineIsAnUnknownLine) {
  // ... but blanks and tabs make a line too short to name an event: playback stops silently.
  play("   \t \nZR590_KBD(1);\n");
  EXPECT_EQ(events_to_the_end(), std::vector<int>{Quit});
  EXPECT_TRUE(lines().empty());
  EXPECT_FALSE(event_core().view().playing);
}

// ZR590_PERIODIC with 40 digits asks for 2^31 - 1 events. The wait still takes one message per
// pass while it plays, so the user's Ctrl+P stops it at once.
TEST_F(HostileScriptTest, AnEndlessPeriodicRunStopsAtTheUsersCommand) {
  play("ZR590_PERIODIC(" + kForty + ");\n");
  for (int i = 0; i < 50; ++i) ASSERT_EQ(await(), Periodic);
  ctrl('P');
  std::vector<int> kinds = events_to_the_end();
  EXPECT_LE(kinds.size(), 5u);  // the periodic events of the passes that took the four keys
  EXPECT_EQ(kinds.back(), Quit);
  EXPECT_FALSE(event_core().view().playing);
}

// With no user to stop it, the headless backend gives up after a bounded number of polls that
// took no input, as if the window had been closed.
TEST_F(HostileScriptTest, HeadlessAnEndlessPeriodicRunEndsAfterTheBackendsLimit) {
  platform_.script().max_polls_without_input = 1000;
  play("ZR590_PERIODIC(" + kForty + ");\n");
  std::vector<int> kinds = events_to_the_end(5000);
  ASSERT_EQ(kinds.back(), Quit);
  EXPECT_GE(kinds.size(), 1000u);
  EXPECT_LE(kinds.size(), 1002u);
}

// A recording that can no longer be written (the file size limit stands in for a full disk)
// says so once, in the text window, and stops: the check mark goes, the lines written before
// stay (a last line cut short is no line to playback, which ends before it).
TEST_F(HostileScriptTest, ARecordingThatCannotBeWrittenStops) {
  struct rlimit old {};
  ::getrlimit(RLIMIT_FSIZE, &old);
  struct rlimit small = old;
  small.rlim_cur = 100;
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &small);
  command(CmdRecordScript);
  for (int i = 0; i < 20; ++i) {
    click(10, 10);
    await();
  }
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(lines(), Lines{"Cannot write script file ZR590.SCR\n"});
  EXPECT_FALSE(event_core().view().recording);
  std::ifstream in(kScriptFileName);
  const std::string kept(std::istreambuf_iterator<char>(in), {});
  EXPECT_EQ(kept.rfind("ZR590_MOUSE(-290, 260);\n", 0), 0u);
}

// A pipe, or a link someone else made, is no script: refused with the usual messages, at once.
TEST_F(HostileScriptTest, AScriptThatIsNoPlainFileOfTheUsersIsRefused) {
  std::ofstream("target.txt") << "ZR590_KBD(65);\n";
  const std::function<bool()> makers[] = {
      [] { return ::mkfifo(kScriptFileName, 0600) == 0; },
      [] {
        // Root only: a link owned by another user.
        return ::symlink("target.txt", kScriptFileName) == 0 &&
               ::lchown(kScriptFileName, 4242, 4242) == 0;
      },
  };
  for (const auto& make : makers) {
    fs::remove(kScriptFileName);
    if (!make()) continue;
    clear_lines();
    command(CmdPlaybackScript);
    click(10, 10);
    await();
    command(CmdRecordScript);
    click(10, 10);
    await();
    command(CmdRecordScript);
    click(10, 10);
    await();
    EXPECT_EQ(lines(), (Lines{"Cannot open script file ZR590.SCR for reading\n",
                              "Cannot open script file ZR590.SCR for writing\n"}));
  }
  std::ifstream in("target.txt");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "ZR590_KBD(65);\n");
}

// The limit is one library session's: idle polls of earlier sessions (a long fuzzing run opens
// millions) do not close a later session's window.
TEST_F(HostileScriptTest, HeadlessIdlePollsOfEarlierSessionsDoNotCount) {
  platform_.script().max_polls_without_input = 100;
  for (int session = 0; session < 30; ++session) {
    reset_library_state();
    open();
    for (int poll = 0; poll < 10; ++poll) platform_.has_message();
    ASSERT_EQ(platform_.queued(), 0u) << "session " << session;
  }
}

// Every script line read is progress: a script longer than the backend's limit plays to its end.
TEST_F(HostileScriptTest, HeadlessAScriptLongerThanTheLimitPlaysToItsEnd) {
  platform_.script().max_polls_without_input = 1000;
  std::string script;
  for (int i = 0; i < 3000; ++i) script += "ZR590_KBD(1);\n";
  play(script);
  std::vector<int> kinds = events_to_the_end(5000);
  EXPECT_EQ(kinds.size(), 3001u);
  EXPECT_EQ(kinds.back(), Quit);
  EXPECT_EQ(lines(), Lines{kEof});
}

}  // namespace
}  // namespace zr590::testing
