// Message files for the headless runner that hold a 2 MB line, 40-digit numbers, NUL bytes or
// only whitespace: each is either read as its lines say or refused with a short error that
// names the line.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/message_file.h"

namespace hardening_test {
namespace {

using namespace std::string_literals;
using zr590::platform::ScriptedInput;

struct Parsed {
  bool ok;
  std::string error;
  ScriptedInput input;
};

Parsed parse(const std::string& text) {
  std::istringstream in(text);
  Parsed p;
  p.ok = zr590::platform::parse_message_file(in, p.input, p.error);
  return p;
}

TEST(HostileMessageFileTest, A2MegabyteLine) {
  const std::string big(2 << 20, 'r');
  // A reply is what a dialog takes, 255 bytes at most; a longer one would be cut into another
  // name than the one written.
  const std::string longest(255, 'r');
  Parsed reply = parse("click 1 2\nreply " + longest + "\n# " + big + "\nclose\n");
  ASSERT_TRUE(reply.ok) << reply.error;
  ASSERT_EQ(reply.input.replies.size(), 1u);
  EXPECT_EQ(reply.input.replies[0], longest);
  EXPECT_EQ(reply.input.entries.size(), 2u);
  for (const std::string& text : {longest + "r", big}) {
    EXPECT_EQ(parse("click 1 2\nreply " + text + "\n").error,
              "line 2: reply longer than 255 bytes");
  }

  Parsed spaces = parse("click 1 2" + std::string(2 << 20, ' ') + "\n");
  EXPECT_TRUE(spaces.ok) << spaces.error;

  // An unknown word is quoted in the error, cut short: the error stays one readable line.
  Parsed word = parse("click 1 2\n" + big + "\n");
  EXPECT_FALSE(word.ok);
  EXPECT_EQ(word.error, "line 2: unknown message '" + std::string(40, 'r') + "'...");
}

TEST(HostileMessageFileTest, FortyDigitNumbersAreRefused) {
  const std::string forty(40, '4');
  EXPECT_EQ(parse("click " + forty + " 5\n").error,
            "line 1: click needs two client pixel coordinates from 0 to 65535");
  EXPECT_EQ(parse("tick 1\ntick " + forty + "\n").error,
            "line 2: tick takes a count from 1 to 1000000");
  EXPECT_EQ(parse("char #" + forty + "\n").error,
            "line 1: char needs one visible character or #N with N from 0 to 255");
  EXPECT_EQ(parse("command -" + forty + "\n").error, "line 1: command needs a menu id from 1 to 9");
  EXPECT_EQ(parse("keydown " + forty + "\n").error,
            "line 1: keydown needs a virtual-key code from 0 to 255");
}

TEST(HostileMessageFileTest, NulBytes) {
  // Not whitespace: a NUL after a number makes it no number, and alone it is no message.
  EXPECT_EQ(parse("click 1 2\0\n"s).error,
            "line 1: click needs two client pixel coordinates from 0 to 65535");
  EXPECT_EQ(parse("close\n\0\n"s).error, "line 2: unknown message '?'");
  // In a reply it is text like any other.
  Parsed reply = parse("reply a\0b\n"s);
  ASSERT_TRUE(reply.ok);
  EXPECT_EQ(reply.input.replies.at(0), "a\0b"s);
}

TEST(HostileMessageFileTest, AWhitespaceOnlyFileHoldsNoMessage) {
  Parsed blank = parse("   \n\t\t\n\r\n \r\n\n");
  ASSERT_TRUE(blank.ok) << blank.error;
  EXPECT_TRUE(blank.input.entries.empty());
  EXPECT_TRUE(blank.input.replies.empty());
}

}  // namespace
}  // namespace hardening_test
