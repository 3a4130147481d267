// The drawing-file reader against the stream extraction it replaced (`in >> word`, then
// `in >> number` per field), on tricky and on random input delivered in chunks of every small
// size, so that words and numbers straddle chunk ends everywhere.
#include "record_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "shape_list.h"
#include "shape_types.h"

namespace editor_test {
namespace {

using namespace std::string_literals;

std::string recordsOf(const ShapeList& list) {
  std::ostringstream out;
  list.writeAll(out);
  return out.str();
}

// What the stream extraction read from `text`.
std::string extracted(const std::string& text) {
  std::istringstream in(text);
  ShapeList list;
  std::string word;
  while (in >> word) {
    const ShapeType* type = shapeTypeNamed(word);
    if (type == nullptr) continue;
    RecordFields f;
    for (int i = 0; i < type->fieldCount(); ++i) {
      if (!(in >> f[i])) return recordsOf(list);
    }
    list.add(type->make(f));
  }
  return recordsOf(list);
}

// What the reader reads from `text` handed over `chunk` bytes at a time.
std::string chunked(const std::string& text, std::size_t chunk) {
  std::size_t at = 0;
  ShapeList list;
  readRecords(
      [&](char* buffer, std::size_t size) {
        const std::size_t n = std::min({size, chunk, text.size() - at});
        std::memcpy(buffer, text.data() + at, n);
        at += n;
        return n;
      },
      list);
  return recordsOf(list);
}

void expectSameAsExtraction(const std::string& text) {
  const std::string expected = extracted(text);
  for (std::size_t chunk : {1, 2, 3, 5, 7, 1 << 20}) {
    ASSERT_EQ(chunked(text, chunk), expected) << "chunks of " << chunk << " in \"" << text << '"';
  }
}

TEST(RecordReader, ReadsWhatStreamExtractionReadsInAnyChunks) {
  for (const std::string& text : {
           "+7 Square +1 -0 00012 0\nRect\t-1\v-2\f3 4 5 6\r\n"s,
           "Triangle 2147483647 -2147483648 0 0 Circle 2147483648 1 1 1 Square 1 1 1 1"s,
           "Square 1 2 3 4Circle 5 6 7 8 Square 1 2 + 3 Circle 1 1 1 1"s,
           "Square 1 2 3 4\n\0Circle 5 6 7 0 Circle 9 9 9 9 Square 1 2\0 3 4\n"s,
           "Square 000000000000000000000000000000000012 1 1 1 Oval 1 2 3 4 5"s,
       }) {
    expectSameAsExtraction(text);
  }
}

// Mostly whole records, with numbers of every form and now and then a word or a number that
// breaks the reading.
TEST(RecordReader, ReadsWhatStreamExtractionReadsOnRandomInput) {
  const std::vector<std::string> spaces = {" ", "     ", "\n", "\r\n", "\t", "\v", "\f"};
  const std::vector<std::string> odd = {"square", "Ova",        "Triangles",   "+",
                                        "-",      ".",          "x1",          "\0"s,
                                        "\x80",   "2147483648", "-2147483649", "4.5"};
  std::mt19937 random(15);
  auto pick = [&](const std::vector<std::string>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
  };
  auto chance = [&](int percent) {
    return std::uniform_int_distribution<int>(1, 100)(random) <= percent;
  };
  auto number = [&] {
    std::string n = chance(20) ? "-" : (chance(10) ? "+" : "");
    if (chance(10)) n += "000";
    return n + std::to_string(std::uniform_int_distribution<int>(0, 2147483647)(random) >>
                              std::uniform_int_distribution<int>(0, 31)(random));
  };
  for (int run = 0; run < 200; ++run) {
    std::string text;
    for (int record = std::uniform_int_distribution<int>(0, 6)(random); record > 0; --record) {
      const auto types = shapeTypes();
      const ShapeType& type =
          types[std::uniform_int_distribution<std::size_t>(0, types.size() - 1)(random)];
      text += std::string(type.word);
      for (int i = 0; i < type.fieldCount(); ++i) {
        text += pick(spaces) + (chance(3) ? pick(odd) : number());
      }
      text += chance(5) ? pick(odd) : "";
      text += pick(spaces);
    }
    expectSameAsExtraction(text);
  }
}

}  // namespace
}  // namespace editor_test
