#include "shape_memory.h"

#include <new>

#if defined(__linux__)
#include <sys/mman.h>

#include <cstdint>
#endif

#if defined(__SANITIZE_ADDRESS__)
#define SHAPE_MEMORY_FROM_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SHAPE_MEMORY_FROM_HEAP 1
#endif
#endif

namespace {

#if !defined(SHAPE_MEMORY_FROM_HEAP)

constexpr std::size_t kGrain = 8;     // sizes are rounded up to this, which keeps alignment
constexpr std::size_t kLargest = 64;  // larger objects come from the heap
constexpr std::size_t kBlockSize = std::size_t{2} << 20;  // one huge page

struct FreeSlot {
  FreeSlot* next;
};
static_assert(sizeof(FreeSlot) <= kGrain);

FreeSlot* freeSlots[kLargest / kGrain + 1];
char* unused = nullptr;  // the untouched rest of the newest block
std::size_t unusedSize = 0;

char* newBlock() {
#if defined(__linux__)
  // Twice the size, so that a block aligned for a huge page lies inside; the rest goes back.
  void* mapped =
      mmap(nullptr, 2 * kBlockSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(mapped);
  const std::uintptr_t aligned = (start + kBlockSize - 1) & ~(kBlockSize - 1);
  if (aligned > start) munmap(mapped, aligned - start);
  if (const std::uintptr_t end = aligned + kBlockSize; end < start + 2 * kBlockSize) {
    munmap(reinterpret_cast<void*>(end), start + 2 * kBlockSize - end);
  }
  madvise(reinterpret_cast<void*>(aligned), kBlockSize, MADV_HUGEPAGE);
  return reinterpret_cast<char*>(aligned);
#else
  return static_cast<char*>(::operator new(kBlockSize));
#endif
}

#endif

}  // namespace

void* allocateShapeMemory(std::size_t size) {
#if defined(SHAPE_MEMORY_FROM_HEAP)
  return ::operator new(size);
#else
  if (size > kLargest) return ::operator new(size);
  const std::size_t sizeClass = (size + kGrain - 1) / kGrain;
  if (FreeSlot* slot = freeSlots[sizeClass]) {
    freeSlots[sizeClass] = slot->next;
    return slot;
  }
  const std::size_t bytes = sizeClass * kGrain;
  if (unusedSize < bytes) {
    unused = newBlock();
    unusedSize = kBlockSize;
  }
  void* memory = unused;
  unused += bytes;
  unusedSize -= bytes;
  return memory;
#endif
}

void releaseShapeMemory(void* memory, std::size_t size) noexcept {
#if defined(SHAPE_MEMORY_FROM_HEAP)
  (void)size;
  ::operator delete(memory);
#else
  if (memory == nullptr) return;
  if (size > kLargest) {
    ::operator delete(memory);
    return;
  }
  const std::size_t sizeClass = (size + kGrain - 1) / kGrain;
  auto* slot = static_cast<FreeSlot*>(memory);
  slot->next = freeSlots[sizeClass];
  freeSlots[sizeClass] = slot;
#endif
}
