#include "record_reader.h"

#include <charconv>
#include <istream>
#include <memory>
#include <string_view>
#include <system_error>

#include "shape_list.h"
#include "shape_types.h"

namespace {

constexpr std::size_t kChunkSize = 64 * 1024;
// No valid word or field is longer; a longer one is bad, and the reading ends at it, so that
// no word is read beyond this however long the input.
constexpr std::size_t kLongestWord = 64;

// Whitespace as the C locale has it.
bool isSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// The input as words and numbers, taken from one chunk at a time; a word or a number may
// straddle two chunks.
class ChunkedInput {
 public:
  explicit ChunkedInput(const ReadChunk& read) : read_(read), buffer_(new char[kChunkSize]) {}

  // Skips whitespace; false at the end of the input.
  bool skipSpace() {
    for (;;) {
      for (; at_ < end_; ++at_) {
        if (!isSpace(buffer_[at_])) return true;
      }
      if (!refill()) return false;
    }
  }

  // Takes the characters up to the next whitespace or the end; returns the row of the type
  // word they form, or nullptr. False if the word is longer than kLongestWord.
  bool takeWord(const ShapeType*& type) {
    char word[kLongestTypeWord];
    std::size_t length = 0;
    do {
      for (; at_ < end_; ++at_, ++length) {
        const char c = buffer_[at_];
        if (isSpace(c)) break;
        if (length == kLongestWord) return false;
        if (length < kLongestTypeWord) word[length] = c;
      }
    } while (at_ == end_ && refill());
    type = typeNamed(word, length);
    return true;
  }

  // Takes a number as a stream's extraction of an int does: whitespace, an optional sign,
  // decimal digits (at least one). False if there is none or it does not fit.
  bool takeInt(int& value) {
    if (!skipSpace()) return false;
    // The sign and the significant digits; one digit more than an int can have is enough to
    // tell that a value does not fit.
    char digits[1 + 11];
    std::size_t length = 0;
    std::size_t taken = 0;  // characters of the field, leading zeros too
    if (buffer_[at_] == '-' || buffer_[at_] == '+') {
      if (buffer_[at_] == '-') digits[length++] = '-';
      ++at_;
      ++taken;
    }
    const std::size_t signLength = length;
    bool anyDigit = false;
    do {
      for (; at_ < end_; ++at_) {
        const char c = buffer_[at_];
        if (c < '0' || c > '9') return finishInt(digits, length, signLength, anyDigit, value);
        if (++taken > kLongestWord) return false;
        anyDigit = true;
        if (c == '0' && length == signLength) continue;  // a leading zero
        if (length == sizeof digits) return false;
        digits[length++] = c;
      }
    } while (refill());
    return finishInt(digits, length, signLength, anyDigit, value);
  }

 private:
  static const ShapeType* typeNamed(const char* word, std::size_t length) {
    return length <= kLongestTypeWord ? shapeTypeNamed(std::string_view(word, length)) : nullptr;
  }

  static bool finishInt(const char* digits, std::size_t length, std::size_t signLength,
                        bool anyDigit, int& value) {
    if (!anyDigit) return false;
    if (length == signLength) {  // only zeros
      value = 0;
      return true;
    }
    const auto [end, error] = std::from_chars(digits, digits + length, value);
    return error == std::errc();
  }

  bool refill() {
    if (ended_) return false;
    at_ = 0;
    end_ = read_(buffer_.get(), kChunkSize);
    ended_ = end_ == 0;
    return !ended_;
  }

  const ReadChunk& read_;
  std::unique_ptr<char[]> buffer_;
  std::size_t at_ = 0;
  std::size_t end_ = 0;
  bool ended_ = false;
};

}  // namespace

int readRecords(const ReadChunk& read, ShapeList& shapes) {
  ChunkedInput in(read);
  int added = 0;
  while (in.skipSpace()) {
    const ShapeType* type = nullptr;
    if (!in.takeWord(type)) return added;
    if (type == nullptr) continue;
    RecordFields fields;
    for (int i = 0; i < type->fieldCount(); ++i) {
      if (!in.takeInt(fields[i])) return added;
    }
    shapes.add(type->make(fields));
    ++added;
  }
  return added;
}

int readRecords(std::FILE* in, ShapeList& shapes) {
  return readRecords(
      [in](char* buffer, std::size_t size) { return std::fread(buffer, 1, size, in); }, shapes);
}

int readRecords(std::istream& in, ShapeList& shapes) {
  return readRecords(
      [&in](char* buffer, std::size_t size) {
        in.read(buffer, static_cast<std::streamsize>(size));
        return static_cast<std::size_t>(in.gcount());
      },
      shapes);
}
