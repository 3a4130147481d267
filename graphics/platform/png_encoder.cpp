#include "platform/png_encoder.h"

#include <array>
#include <cstdint>

namespace zr590::platform {
namespace {

constexpr std::array<std::uint32_t, 256> kCrcTable = [] {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}();

void put32(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

void chunk(std::string& out, const char* type, const std::string& data) {
  put32(out, static_cast<std::uint32_t>(data.size()));
  const std::string body = type + data;
  constexpr std::uint32_t kAllOnes = ~std::uint32_t{0};
  std::uint32_t crc = kAllOnes;
  for (const char c : body) crc = kCrcTable[(crc ^ static_cast<unsigned char>(c)) & 0xFF] ^ (crc >> 8);
  out += body;
  put32(out, crc ^ kAllOnes);
}

// Deflate's bits, least significant first; Huffman codes go most significant bit first.
class Bits {
 public:
  explicit Bits(std::string& out) : out_(out) {}
  void put(std::uint32_t value, int count) {
    held_ |= value << filled_;
    filled_ += count;
    for (; filled_ >= 8; filled_ -= 8, held_ >>= 8) out_.push_back(static_cast<char>(held_));
  }
  void code(std::uint32_t code, int length) {
    std::uint32_t reversed = 0;
    for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1u) << (length - 1 - i);
    put(reversed, length);
  }
  // A literal byte, the end of the block (256) or a length's code (257-285), in the fixed codes.
  void symbol(int s) {
    if (s < 144) {
      code(0x30 + s, 8);
    } else if (s < 256) {
      code(0x190 + s - 144, 9);
    } else if (s < 280) {
      code(s - 256, 7);
    } else {
      code(0xC0 + s - 280, 8);
    }
  }
  // "Repeat the byte before, `length` (3-258) times". Length code c covers lengths from its
  // base on, with (c - 4) / 4 extra bits from code 8 on; the last code is 258 alone.
  void repeat(int length) {
    auto extra_bits = [](int c) { return c < 8 || c == 28 ? 0 : (c - 4) / 4; };
    auto base = [&](int c) { return c < 8 ? 3 + c : c == 28 ? 258 : ((4 + c % 4) << extra_bits(c)) + 3; };
    int c = 28;
    while (base(c) > length) --c;
    symbol(257 + c);
    put(static_cast<std::uint32_t>(length - base(c)), extra_bits(c));
    code(0, 5);  // distance 1
  }
  void finish() {
    if (filled_ > 0) out_.push_back(static_cast<char>(held_));
    held_ = 0;
    filled_ = 0;
  }

 private:
  std::string& out_;
  std::uint32_t held_ = 0;
  int filled_ = 0;
};

std::string zlib_stream(const std::string& data) {
  std::string out = "\x78\x01";
  Bits bits(out);
  bits.put(1, 1);  // the last block
  bits.put(1, 2);  // fixed codes
  std::size_t i = 0;
  while (i < data.size()) {
    std::size_t run = 0;
    if (i > 0) {
      while (run < 258 && i + run < data.size() && data[i + run] == data[i - 1]) ++run;
    }
    if (run >= 3) {
      bits.repeat(static_cast<int>(run));
      i += run;
    } else {
      bits.symbol(static_cast<unsigned char>(data[i++]));
    }
  }
  bits.symbol(256);
  bits.finish();
  std::uint32_t a = 1, b = 0;
  for (const char c : data) {
    a = (a + static_cast<unsigned char>(c)) % 65521;
    b = (b + a) % 65521;
  }
  put32(out, b << 16 | a);
  return out;
}

}  // namespace

std::string encode_png(const std::vector<Rgb>& pixels, int width, int height) {
  const auto row_bytes = static_cast<std::size_t>(width) * 3;
  std::string filtered;
  filtered.reserve((row_bytes + 1) * static_cast<std::size_t>(height));
  std::string above(row_bytes, '\0'), row(row_bytes, '\0');
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgb& p = pixels[static_cast<std::size_t>(y) * width + x];
      row[x * 3] = static_cast<char>(p.r);
      row[x * 3 + 1] = static_cast<char>(p.g);
      row[x * 3 + 2] = static_cast<char>(p.b);
    }
    // None, Sub (the byte a pixel to the left) or Up (the byte above): whichever leaves most
    // zeros, which the runs then take.
    std::string best;
    int best_zeros = -1;
    for (int filter = 0; filter < 3; ++filter) {
      std::string candidate(1, static_cast<char>(filter));
      int zeros = 0;
      for (std::size_t i = 0; i < row_bytes; ++i) {
        const char before = filter == 1 ? (i >= 3 ? row[i - 3] : '\0') : filter == 2 ? above[i] : '\0';
        const char value = static_cast<char>(row[i] - before);
        zeros += value == '\0';
        candidate.push_back(value);
      }
      if (zeros > best_zeros) {
        best = std::move(candidate);
        best_zeros = zeros;
      }
    }
    filtered += best;
    above.swap(row);
  }
  std::string header;
  put32(header, static_cast<std::uint32_t>(width));
  put32(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, standard filters
  std::string png = "\x89PNG\r\n\x1a\n";
  chunk(png, "IHDR", header);
  chunk(png, "IDAT", zlib_stream(filtered));
  chunk(png, "IEND", "");
  return png;
}

}  // namespace zr590::platform
