// The line-input dialog's limits.
#include "line_input.h"

#include <cstring>
#include <utility>

#include "library_fixture.h"
#include "platform/forwarding_platform.h"

namespace zr590::testing {
namespace {

class LineInputTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    open();
  }
};

TEST(DialogPromptTest, IsCutOrPaddedTo79Characters) {
  std::string long_prompt(100, 'p');
  long_prompt[78] = 'L';
  long_prompt[79] = 'X';
  std::string shown = dialog_prompt(long_prompt);
  EXPECT_EQ(shown.size(), 79u);
  EXPECT_EQ(shown.back(), 'L');
  EXPECT_EQ(dialog_prompt("hello"), "hello" + std::string(74, ' '));
  EXPECT_EQ(dialog_prompt(""), std::string(79, ' '));
}

// 255 bytes, and no UTF-8 character cut in two: 200 letters é (2 bytes each) give 127.
TEST_F(LineInputTest, AReplyIsCutTo255BytesOfWholeCharactersAndTerminated) {
  std::string acutes;
  for (int i = 0; i < 200; ++i) acutes += "\xC3\xA9";
  for (const auto& [typed, kept] : {std::pair{std::string(300, 'r'), 255u}, {acutes, 254u}}) {
    platform_.push_reply(typed);
    char reply[300];
    std::memset(reply, '#', sizeof reply);
    EXPECT_EQ(ZR590_gets("long?", reply), 1);
    EXPECT_EQ(std::strlen(reply), kept);
    EXPECT_EQ(std::string(reply), typed.substr(0, kept));
    EXPECT_EQ(reply[256], '#');
  }
}

// The caller's buffer holds 256 bytes whatever a backend's dialog hands back.
TEST_F(LineInputTest, TheLibraryCutsALongReplyFromAnyBackend) {
  struct LongReply : platform::ForwardingPlatform {
    using ForwardingPlatform::ForwardingPlatform;
    int line_dialog(std::string_view, std::string_view, std::string& reply) override {
      reply.assign(1000, 'r');
      return 1;
    }
  } backend{platform_};
  platform::set_current(&backend);
  char reply[ZR590_REPLY_SIZE + 8];
  std::memset(reply, 'x', sizeof reply);
  EXPECT_EQ(ZR590_gets("name?", reply), 1);
  EXPECT_EQ(std::strlen(reply), 255u);
  platform::set_current(&platform_);
}

TEST_F(LineInputTest, AnEmptyReplyIsAnEmptyStringAndStillSuccess) {
  char reply[256] = "old";
  EXPECT_EQ(ZR590_gets("empty?", reply), 1);
  EXPECT_STREQ(reply, "");
  EXPECT_EQ(platform_.dialog_prompts(), std::vector<std::string>{"empty?"});
}

TEST_F(LineInputTest, HugePromptsAndRepliesStayInBounds) {
  std::string prompt(5000, 'q');
  platform_.push_reply(std::string(5000, 'a'));
  char reply[256];
  EXPECT_EQ(ZR590_gets(prompt.c_str(), reply), 1);
  EXPECT_EQ(std::strlen(reply), 255u);
}

}  // namespace
}  // namespace zr590::testing
