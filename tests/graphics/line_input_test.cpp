// The line-input dialog's limits.
#include <zr590/zr590.h>

#include <cstring>
#include <utility>

#include "library_fixture.h"
#include "forwarding_platform.h"

namespace zr590::testing {
namespace {

class LineInputTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    open();
  }
};

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

// The caller's buffer holds 256 bytes whatever a backend's dialog hands back, and the prompt
// reaches every backend shaped to how it reads text: 500 letters é, 2 bytes in UTF-8, 1 in a
// code page.
TEST_F(LineInputTest, TheLibraryShapesPromptAndReplyForAnyBackend) {
  struct Backend : platform::ForwardingPlatform {
    using ForwardingPlatform::ForwardingPlatform;
    platform::TextBytes bytes;
    std::string reply, shown;
    platform::TextBytes text_bytes() const override { return bytes; }
    int line_dialog(const platform::DialogPrompt& prompt, std::string& typed) override {
      shown = prompt.padded();
      typed = reply;
      return 1;
    }
  } backend{platform_};
  const struct {
    platform::TextBytes bytes;
    std::string letter;
    std::size_t kept;
  } cases[] = {{platform::TextBytes::Utf8, "\xC3\xA9", 254},
               {platform::TextBytes::CodePage, "\xE9", 255}};
  platform::set_current(&backend);
  for (const auto& c : cases) {
    backend.bytes = c.bytes;
    backend.reply.clear();
    for (int i = 0; i < 500; ++i) backend.reply += c.letter;
    char reply[ZR590_REPLY_SIZE + 8];
    std::memset(reply, 'x', sizeof reply);
    EXPECT_EQ(ZR590_gets(backend.reply.c_str(), reply), 1);
    EXPECT_EQ(std::string(reply), backend.reply.substr(0, c.kept));
    EXPECT_EQ(backend.shown, backend.reply.substr(0, 79 * c.letter.size()));
  }
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
