// Heap preparation: one large growth step, advised to use huge pages.
#include "driver/heap.h"

#include <cstdlib>  // defines __GLIBC__ with the C library

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

void prepare_heap() {
  constexpr std::size_t margin = std::size_t{64} << 20;
  constexpr std::uintptr_t huge_page = std::uintptr_t{2} << 20;
  // Freed space is kept for the rest of the run instead of given back.
  // Blocks above the mapping threshold (128 KiB at first) still get their
  // own mapping, given back when freed; the probe below stays under it.
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  mallopt(M_TOP_PAD, static_cast<int>(margin));
  auto start = reinterpret_cast<std::uintptr_t>(sbrk(0));
  // A block larger than what is left at the top makes the heap grow now,
  // by the block and the margin.
  // (volatile: the compiler may drop a malloc that is freed unused.)
  void* volatile probe = std::malloc(std::size_t{96} << 10);
  auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
  std::free(probe);
  if (start == static_cast<std::uintptr_t>(-1) || end < start + margin) return;
  std::uintptr_t first = (start + huge_page - 1) & ~(huge_page - 1);
  std::uintptr_t last = end & ~(huge_page - 1);
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}
#else
void prepare_heap() {}
#endif
