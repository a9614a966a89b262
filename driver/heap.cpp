// Heap preparation: one large growth step, advised to use huge pages.
#include "driver/heap.h"

#include <cstdlib>  // defines __GLIBC__ with the C library

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

void prepare_heap() {
  constexpr std::size_t margin = std::size_t{256} << 20;
  constexpr std::uintptr_t huge_page = std::uintptr_t{2} << 20;
  // Freed space is kept for the rest of the run instead of given back.
  // Blocks above the mapping threshold still get their own mapping, given
  // back when freed; the probe below stays under it.
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_TOP_PAD, static_cast<int>(margin));
  // Blocks of up to a few MiB (a definition file read whole, a generated
  // file gathered in memory) come from the heap too, instead of mappings
  // of their own whose 4 KiB pages each fault on first touch.
  mallopt(M_MMAP_THRESHOLD, 4 << 20);
  auto start = reinterpret_cast<std::uintptr_t>(sbrk(0));
  // A block larger than what is left at the top makes the heap grow now,
  // by the block and the margin.
  // (volatile: the compiler may drop a malloc that is freed unused.)
  std::size_t top_size = mallinfo2().keepcost;
  if (top_size > (std::size_t{2} << 20)) return;
  void* volatile probe = std::malloc(top_size + (std::size_t{96} << 10));
  auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
  std::free(probe);
  if (start == static_cast<std::uintptr_t>(-1) || end < start + margin) return;
  std::uintptr_t first = (start + huge_page - 1) & ~(huge_page - 1);
  std::uintptr_t last = end & ~(huge_page - 1);
  if (last <= first) return;
  madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
  // New blocks are cut from the low end of the heap's free top, which
  // starts below the first huge page at a random distance (up to 2 MiB of
  // small pages, faulting one by one). One block that is never touched
  // covers that stretch, so that the next ones start on the huge page.
  std::uintptr_t top = reinterpret_cast<std::uintptr_t>(sbrk(0)) - mallinfo2().keepcost;
  std::uintptr_t gap = first > top ? first - top : 0;
  constexpr std::uintptr_t header = sizeof(std::size_t);
  if (gap >= 4 * header && gap <= 2 * huge_page) {
    // A request of gap - header makes a block of exactly gap bytes.
    [[maybe_unused]] static void* volatile padding = nullptr;
    padding = std::malloc(gap - header);
  }
}
#else
void prepare_heap() {}
#endif
