// Memory for shapes. A drawing may hold millions of small shapes that live about as long as
// one another; carving them from large blocks instead of one heap allocation each saves the
// allocator's per-object overhead, and on Linux the blocks are offered as huge pages, so that
// loading a large drawing touches a few hundred pages instead of tens of thousands. Freed
// shapes are kept for new ones of the same size; the blocks stay until the process ends.
//
// Shapes are made and destroyed on one thread at a time, as everything in the editor. Under
// AddressSanitizer every shape is an allocation of its own, so that the sanitizer sees each.
#pragma once

#include <cstddef>

void* allocateShapeMemory(std::size_t size);
void releaseShapeMemory(void* memory, std::size_t size) noexcept;
