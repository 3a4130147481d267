// Memory for shapes: each object gets room of its own, aligned for any shape, also when freed
// room of other sizes is handed out again.
#include "shape_memory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace editor_test {
namespace {

struct Held {
  unsigned char* memory;
  std::size_t size;
  unsigned char mark;
};

void take(std::vector<Held>& held, std::size_t size) {
  auto* memory = static_cast<unsigned char*>(allocateShapeMemory(size));
  const auto mark = static_cast<unsigned char>(held.size() * 7 + 1);
  std::memset(memory, mark, size);
  held.push_back({memory, size, mark});
}

TEST(ShapeMemory, ObjectsOfEverySizeKeepTheirOwnRoomAcrossFreeingAndReuse) {
  const std::size_t sizes[] = {1, 8, 20, 24, 32, 40, 64, 65, 300};
  std::vector<Held> held;
  for (int i = 0; i < 40000; ++i) take(held, sizes[i % std::size(sizes)]);
  // Free every third, then ask again, for sizes in another order.
  std::vector<Held> kept;
  for (std::size_t i = 0; i < held.size(); ++i) {
    if (i % 3 == 0) {
      releaseShapeMemory(held[i].memory, held[i].size);
    } else {
      kept.push_back(held[i]);
    }
  }
  for (int i = 0; i < 20000; ++i) take(kept, sizes[(i * 5) % std::size(sizes)]);

  for (const Held& h : kept) {
    ASSERT_EQ(reinterpret_cast<std::uintptr_t>(h.memory) % 8, 0u);
    for (std::size_t b = 0; b < h.size; ++b) ASSERT_EQ(h.memory[b], h.mark) << "size " << h.size;
  }
  for (const Held& h : kept) releaseShapeMemory(h.memory, h.size);
}

}  // namespace
}  // namespace editor_test
