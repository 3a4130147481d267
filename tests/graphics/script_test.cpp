// Recording events to "ZR590.SCR" and playing them back.
#include "script.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "event_core.h"
#include "menu.h"
#include "temp_dir_fixture.h"

namespace zr590::testing {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class ScriptTest : public TempDirLibraryTest {
 protected:
  static std::string read_script() {
    std::ifstream in(kScriptFileName, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void write_script(const std::string& text) {
    std::ofstream(kScriptFileName, std::ios::binary) << text;
  }
  // Runs one wait for a queued message (a command or key), ignoring what it returns.
  void deliver() {
    click(0, 0);
    await();
  }
};

TEST_F(ScriptTest, RecordsRunsOfPeriodicEventsAsCounts) {
  command(CmdRecordScript);
  deliver();  // recorded as a mouse line
  ZR590_animate(static_cast<int>(AnimationState::Run));
  tick();
  tick();
  tick();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(await(), Periodic);
  click(290, 250);  // (-10, 20)
  EXPECT_EQ(await(), Mouse);
  tick();
  EXPECT_EQ(await(), Periodic);
  platform_.push_message({platform::Window::Graphics, platform::MessageKind::Char, 'c'});
  EXPECT_EQ(await(), Key);
  EXPECT_TRUE(platform_.menu_checked(CmdRecordScript));
  command(CmdRecordScript);
  tick();
  EXPECT_EQ(await(), Periodic);  // the stop came first: not recorded
  EXPECT_FALSE(platform_.menu_checked(CmdRecordScript));
  EXPECT_EQ(read_script(),
            "ZR590_MOUSE(-300, 270);\nZR590_PERIODIC(3);\nZR590_MOUSE(-10, 20);\n"
            "ZR590_PERIODIC(1);\nZR590_KBD(99);\n");
}

TEST_F(ScriptTest, StoppingWritesThePendingRunAndTheNextRecordingStartsAfresh) {
  ZR590_animate(static_cast<int>(AnimationState::Run));
  command(CmdRecordScript);
  for (int i = 0; i < 4; ++i) tick();
  for (int i = 0; i < 4; ++i) EXPECT_EQ(await(), Periodic);
  command(CmdRecordScript);
  tick();
  EXPECT_EQ(await(), Periodic);
  EXPECT_EQ(read_script(), "ZR590_PERIODIC(4);\n");
  command(CmdRecordScript);
  tick();
  EXPECT_EQ(await(), Periodic);
  command(CmdRecordScript);
  tick();
  await();
  EXPECT_EQ(read_script(), "ZR590_PERIODIC(1);\n");
}

TEST_F(ScriptTest, SwitchingRecordingOnAndOffWithoutEventsLeavesTheFile) {
  write_script("ZR590_KBD(1);\n");
  command(CmdRecordScript);
  command(CmdRecordScript);
  deliver();
  EXPECT_EQ(read_script(), "ZR590_KBD(1);\n");
}

// A Quit writes no line, so recording that ends in one (the menu's Quit, the close box) leaves
// the script that was there.
TEST_F(ScriptTest, RecordingThenQuittingKeepsTheOldScript) {
  for (bool close_box : {false, true}) {
    write_script("ZR590_KBD(1);\n");
    command(CmdRecordScript);
    if (close_box) {
      platform_.push_close();
    } else {
      command(CmdQuit);
    }
    EXPECT_EQ(await(), Quit);
    ZR590_close();
    EXPECT_EQ(read_script(), "ZR590_KBD(1);\n");
    command(CmdRecordScript);  // off again, for the next round
    deliver();
  }
}

// Playback that stopped at an unknown line, or a single step, leaves the file open for reading;
// recording switched on afterwards must still get it.
TEST_F(ScriptTest, RecordingAfterAStoppedPlaybackRecords) {
  for (int stop_by : {CmdPlaybackScript, CmdPlayOneScript}) {
    write_script("ZR590_MOUSE(-275, 225);\nZR590_XYZ(1);\nZR590_MOUSE(0, 0);\n");
    command(stop_by);
    EXPECT_EQ(await(), Mouse);
    deliver();  // live: playback has stopped (or was one step)
    command(CmdRecordScript);
    click(350, 220);
    EXPECT_EQ(await(), Mouse);
    command(CmdRecordScript);
    deliver();
    EXPECT_EQ(read_script(), "ZR590_MOUSE(50, 50);\n") << stop_by;
    EXPECT_TRUE(lines().empty()) << lines().front();
  }
}

TEST_F(ScriptTest, PlaysBackEveryKindWithoutWaitingForTicks) {
  write_script(
      "ZR590_MOUSE(-297, 248);\r\n\n\r\nZR590_KBD(-23);\nZR590_PERIODIC(5);\n"
      "ZR590_MOUSE(1, 2);\n");
  command(CmdPlaybackScript);
  int x = 0, y = 0;
  char key = 0;
  EXPECT_EQ(await(&x, &y), Mouse);
  EXPECT_EQ(x, -297);
  EXPECT_EQ(y, 248);
  EXPECT_TRUE(platform_.menu_checked(CmdPlaybackScript));
  EXPECT_EQ(await(nullptr, nullptr, &key), Key);
  EXPECT_EQ(key, -23);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(await(), Periodic) << i;
  EXPECT_EQ(await(&x, &y), Mouse);
  EXPECT_EQ(y, 2);
  // The end: a message, the check mark cleared, live input again.
  click(300, 270);
  EXPECT_EQ(await(&x, &y), Mouse);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(lines(), Lines{"EOF encountered in script file ZR590.SCR\n"});
  EXPECT_FALSE(platform_.menu_checked(CmdPlaybackScript));
  // Playing again starts from the first line.
  command(CmdPlaybackScript);
  EXPECT_EQ(await(&x, &y), Mouse);
  EXPECT_EQ(x, -297);
}

TEST_F(ScriptTest, KeyCode233IsRecordedAsMinus23AndPlayedBackTheSame) {
  command(CmdRecordScript);
  platform_.push_message({platform::Window::Graphics, platform::MessageKind::Char, 233});
  EXPECT_EQ(await(), Key);
  command(CmdRecordScript);
  deliver();
  EXPECT_EQ(read_script(), "ZR590_KBD(-23);\n");
  command(CmdPlaybackScript);
  char key = 0;
  EXPECT_EQ(await(nullptr, nullptr, &key), Key);
  EXPECT_EQ(key, -23);
}

TEST_F(ScriptTest, AMissingScriptIsReportedAndLiveInputGoesOn) {
  command(CmdPlaybackScript);
  click(310, 270);
  int x = 0;
  EXPECT_EQ(await(&x), Mouse);
  EXPECT_EQ(x, 10);
  EXPECT_EQ(lines(), Lines{"Cannot open script file ZR590.SCR for reading\n"});
  EXPECT_FALSE(platform_.menu_checked(CmdPlaybackScript));
  EXPECT_FALSE(event_core().view().playing);
}

TEST_F(ScriptTest, AnUnknownLineStopsPlaybackSilentlyAndPlayingAgainGoesOnAfterIt) {
  write_script("ZR590_KBD(65);\nZR590_XYZ(1);\nshort\nZR590_KBD(66);\n");
  command(CmdPlaybackScript);
  char key = 0;
  EXPECT_EQ(await(nullptr, nullptr, &key), Key);
  EXPECT_EQ(key, 'A');
  click(300, 270);
  EXPECT_EQ(await(), Mouse);
  EXPECT_FALSE(event_core().view().playing);
  EXPECT_TRUE(lines().empty());
  command(CmdPlaybackScript);  // "short" is unknown too
  click(300, 270);
  EXPECT_EQ(await(), Mouse);
  command(CmdPlaybackScript);
  EXPECT_EQ(await(nullptr, nullptr, &key), Key);
  EXPECT_EQ(key, 'B');
}

TEST_F(ScriptTest, PlayOneStepsThroughTheScriptOneEventAtATime) {
  write_script("ZR590_MOUSE(3, 4);\nZR590_PERIODIC(2);\n");
  int x = 0;
  for (int kind : {Mouse, Periodic, Periodic}) {
    command(CmdPlayOneScript);
    EXPECT_EQ(await(&x), kind);
    click(300, 270);
    EXPECT_EQ(await(&x), Mouse) << "live input after each step";
    EXPECT_EQ(x, 0);
  }
  EXPECT_FALSE(event_core().view().playing);
}

TEST_F(ScriptTest, RecordingDuringPlaybackLeavesTheScriptIntact) {
  const std::string script = "ZR590_PERIODIC(3);\nZR590_KBD(120);\n";
  write_script(script);
  command(CmdPlaybackScript);
  command(CmdRecordScript);
  EXPECT_EQ(await(), Periodic);  // the commands themselves were taken before the first read
  EXPECT_EQ(await(), Periodic);
  EXPECT_EQ(await(), Periodic);
  EXPECT_EQ(await(), Key);
  EXPECT_EQ(read_script(), script);
  EXPECT_EQ(lines().back(), "Cannot open script file ZR590.SCR for writing\n");
  // The script's end, then a live event: only now does the recording get the file. What
  // could not be written meanwhile is gone.
  click(300, 270);
  EXPECT_EQ(await(), Mouse);
  command(CmdRecordScript);
  deliver();
  EXPECT_EQ(read_script(), "ZR590_MOUSE(0, 0);\n");
}

TEST_F(ScriptTest, PlaybackWhileRecordingDoesNotReadUnfinishedLines) {
  command(CmdRecordScript);
  deliver();
  command(CmdPlaybackScript);
  click(300, 270);
  EXPECT_EQ(await(), Mouse);
  EXPECT_FALSE(event_core().view().playing);
  EXPECT_EQ(lines(), Lines{"Cannot open script file ZR590.SCR for reading\n"});
}

TEST_F(ScriptTest, ALongLineIsReadAsOneLine) {
  std::string tail(2000, '7');
  write_script("ZR590_KBD(65);" + tail + "\nZR590_KBD(66);\n");
  command(CmdPlaybackScript);
  char key = 0;
  EXPECT_EQ(await(nullptr, nullptr, &key), Key);
  EXPECT_EQ(key, 'A');
  EXPECT_EQ(await(nullptr, nullptr, &key), Key);
  EXPECT_EQ(key, 'B');
}

TEST_F(ScriptTest, ALastLineWithoutALineEndIsNotPlayed) {
  write_script("ZR590_KBD(65);\nZR590_KBD(66);");
  command(CmdPlaybackScript);
  EXPECT_EQ(await(), Key);
  click(300, 270);
  EXPECT_EQ(await(), Mouse);
  EXPECT_EQ(lines(), Lines{"EOF encountered in script file ZR590.SCR\n"});
}

TEST(ScriptLineTest, NumbersAreScannedOnlyWithinTheLine) {
  ScriptLine key = parse_script_line("ZR590_KBD(12-3);");
  EXPECT_EQ(key.kind, ScriptLine::Key);
  EXPECT_EQ(key.key, 12);
  ScriptLine mouse = parse_script_line("ZR590_MOUSE(-5,    17);");
  EXPECT_EQ(mouse.x, -5);
  EXPECT_EQ(mouse.y, 17);
  ScriptLine lonely = parse_script_line("ZR590_MOUSE(8");
  EXPECT_EQ(lonely.x, 8);
  EXPECT_EQ(lonely.y, 0);
  ScriptLine periodic = parse_script_line("ZR590_PERIODIC(-4);");
  EXPECT_EQ(periodic.count, 4);
  ScriptLine huge = parse_script_line("ZR590_MOUSE(" + std::string(40, '9') + ", -" +
                                      std::string(40, '9') + ");");
  EXPECT_EQ(huge.x, 2147483647);
  EXPECT_EQ(huge.y, -2147483647 - 1 + 1 - 1);
  EXPECT_EQ(parse_script_line("ZR590_").kind, ScriptLine::Unknown);
  EXPECT_EQ(parse_script_line("ZR590_Q(1)").kind, ScriptLine::Unknown);
  EXPECT_EQ(parse_script_line("xxxxxxK").kind, ScriptLine::Key);
}

}  // namespace
}  // namespace zr590::testing
