// The text window's ring of 25 lines and its repaint.
#include <sstream>

#include "library_fixture.h"

namespace zr590::testing {
namespace {

using platform::MessageKind;

class TextLogTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    open();
  }
};

TEST_F(TextLogTest, KeepsTheLast25LinesAndRepaintsThemOldestFirst) {
  for (int i = 1; i <= 30; ++i) ZR590_printf("line %d\n", i);
  std::vector<std::string> kept = lines();
  ASSERT_EQ(kept.size(), 25u);
  EXPECT_EQ(kept.front(), "line 6\n");
  EXPECT_EQ(kept.back(), "line 30\n");
  std::size_t drawn = platform_.text_lines().size();
  platform_.push_message({platform::Window::Text, MessageKind::Paint});
  platform_.take_message();
  ASSERT_EQ(platform_.text_lines().size(), drawn + 25);
  EXPECT_EQ(platform_.text_lines()[drawn], "line 6");
  EXPECT_EQ(platform_.text_lines().back(), "line 30");
}

TEST_F(TextLogTest, FullRingReplaysAll25AndAPartialRingOnlyItsLines) {
  for (int i = 1; i <= 25; ++i) ZR590_printf("%d", i);
  EXPECT_EQ(lines().size(), 25u);
  EXPECT_EQ(lines().front(), "1");
  clear_lines();
  ZR590_printf("only");
  EXPECT_EQ(lines(), std::vector<std::string>{"only"});
}

TEST_F(TextLogTest, EachCallIsOneLineStoredExactly) {
  EXPECT_EQ(ZR590_printf("%s", ""), 0);
  EXPECT_EQ(ZR590_printf("abcde\n"), 6);
  ZR590_printf("abc");
  ZR590_printf("def\n");
  ZR590_printf("a\nb\n");
  EXPECT_EQ(lines(), (std::vector<std::string>{"", "abcde\n", "abc", "def\n", "a\nb\n"}));
  // The window gets the line without its final line feed; an inner one stays a character.
  const auto& shown = platform_.text_lines();
  ASSERT_GE(shown.size(), 5u);
  EXPECT_EQ(shown[shown.size() - 5], "");
  EXPECT_EQ(shown[shown.size() - 4], "abcde");
  EXPECT_EQ(shown.back(), "a\nb");
}

TEST_F(TextLogTest, AClosedTextWindowStillKeepsItsLines) {
  platform_.push_message({platform::Window::Text, MessageKind::Destroy});
  platform_.take_message();
  std::size_t drawn = platform_.text_lines().size();
  ZR590_printf("kept\n");
  EXPECT_EQ(lines().back(), "kept\n");
  EXPECT_EQ(platform_.text_lines().size(), drawn);
}

// shape-replay's transcript keeps every text line, prompt and reply on one line of its own.
TEST_F(TextLogTest, TheTranscriptEscapesLineEndsAndBackslashes) {
  std::ostringstream transcript;
  platform_.set_transcript(&transcript);
  ZR590_printf("a\nb\\c\rd\n");
  platform_.push_reply("C:\\x");
  char reply[256];
  ZR590_gets("one\ntwo", reply);
  platform_.set_transcript(nullptr);
  EXPECT_EQ(transcript.str(),
            "text: a\\nb\\\\c\\rd\n"
            "dialog: one\\ntwo\n"
            "reply: C:\\\\x\n");
}

// The transcript shows what the windows show: text that is no UTF-8 as Latin-1 characters, and
// of a prompt only the characters the dialog has room for.
TEST_F(TextLogTest, TheTranscriptShowsWhatTheWindowsShow) {
  const std::string long_prompt = std::string(70, 'p') + "\xc3\xa9" + std::string(20, 'q');
  struct Case {
    std::string printed, prompt, expected;
  } cases[] = {
      {"caf\xe9\n", "ok", "text: caf\xc3\xa9\ndialog: ok\n"},
      {"\xc3\xa9 \xff\n", long_prompt,
       "text: \xc3\xa9 \xc3\xbf\ndialog: " + long_prompt.substr(0, 80) + "\n"},
  };
  for (const Case& c : cases) {
    std::ostringstream transcript;
    platform_.set_transcript(&transcript);
    ZR590_printf("%s", c.printed.c_str());
    char reply[256];
    ZR590_gets(c.prompt.c_str(), reply);
    platform_.set_transcript(nullptr);
    EXPECT_EQ(transcript.str(), c.expected + "reply: \n") << c.printed;
  }
}

}  // namespace
}  // namespace zr590::testing
