// The heap preparation: after it, new blocks come from memory the kernel
// may back with huge pages, not from the small pages below the first one.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "driver/heap.h"

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#include <unistd.h>

TEST(Heap, NewBlocksStartOnTheFirstHugePage) {
  constexpr std::uintptr_t huge_page = std::uintptr_t{2} << 20;
  auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
  prepare_heap();
  auto after = reinterpret_cast<std::uintptr_t>(sbrk(0));
  if (after < before + huge_page) GTEST_SKIP() << "the heap could not grow in one piece";
  // Larger than any per-thread cache holds: cut from the top of the heap.
  void* block = std::malloc(std::size_t{64} << 10);
  auto address = reinterpret_cast<std::uintptr_t>(block);
  EXPECT_GE(address, before);
  EXPECT_LT(address % huge_page, std::uintptr_t{4096}) << std::hex << address;
  std::free(block);
}
#endif
