// Per-thread caches of freed small blocks for libxml2 and libxslt during
// the manual's stylesheet step (see document_memory.h). A freed block goes
// to the list of its thread for the sizes it can hold, found from the C
// library's own record of its usable size; a request takes a block from
// the list for its size, else a new one from the C library. Blocks larger
// than the cached sizes, and blocks beyond a thread's limit, go straight
// back to the C library.
#include "gen/manual/document_memory.h"

#include <libxml/xmlmemory.h>

#include <cstdlib>
#include <cstring>

#if defined(__GLIBC__)
#include <malloc.h>
#define VORNC_USABLE_SIZE 1
#endif

namespace {

#if defined(VORNC_USABLE_SIZE)

constexpr size_t granule = 16;  // the C library's alignment and size step
constexpr size_t size_classes = 65;  // blocks of up to 1 KiB
// What one thread keeps at most: more than one page's documents take.
constexpr size_t cache_limit = size_t{4} << 20;

struct FreeBlock {
  FreeBlock* next;
};

// Trivially destructible, so that it can still be read (and found closed)
// after the thread's guard below has given the blocks back.
struct Cache {
  FreeBlock* lists[size_classes];  // lists[c]: blocks that hold c granules
  size_t bytes;
  bool guarded;
  bool closed;
};
thread_local Cache cache;

void give_back(Cache& own) {
  for (FreeBlock*& list : own.lists) {
    while (list != nullptr) {
      FreeBlock* block = list;
      list = block->next;
      std::free(block);
    }
  }
  own.bytes = 0;
}

// Gives the thread's blocks back when the thread ends.
struct CacheGuard {
  ~CacheGuard() {
    give_back(cache);
    cache.closed = true;
  }
};

void* take_block(size_t size) {
  size_t size_class = (size + granule - 1) / granule;
  if (size_class >= size_classes) return std::malloc(size);
  Cache& own = cache;
  FreeBlock* block = own.lists[size_class];
  if (block == nullptr) return std::malloc(size_class * granule);
  own.lists[size_class] = block->next;
  own.bytes -= size_class * granule;
  return block;
}

void put_block(void* pointer) {
  if (pointer == nullptr) return;
  size_t size_class = malloc_usable_size(pointer) / granule;
  Cache& own = cache;
  // A block too small to hold the list link (possible with allocators that
  // report the size asked for, as the sanitizers' do) goes straight back.
  if (size_class == 0 || size_class >= size_classes || own.closed ||
      own.bytes + size_class * granule > cache_limit) {
    std::free(pointer);
    return;
  }
  if (!own.guarded) {
    static thread_local CacheGuard guard;
    (void)guard;
    own.guarded = true;
  }
  auto* block = static_cast<FreeBlock*>(pointer);
  block->next = own.lists[size_class];
  own.lists[size_class] = block;
  own.bytes += size_class * granule;
}

void* resize_block(void* pointer, size_t size) { return std::realloc(pointer, size); }

char* copy_text(const char* text) {
  size_t size = std::strlen(text) + 1;
  auto* copy = static_cast<char*>(take_block(size));
  if (copy != nullptr) std::memcpy(copy, text, size);
  return copy;
}

#endif

}  // namespace

DocumentMemory::DocumentMemory() {
#if defined(VORNC_USABLE_SIZE)
  xmlFreeFunc free_function = nullptr;
  xmlMallocFunc malloc_function = nullptr;
  xmlReallocFunc realloc_function = nullptr;
  xmlStrdupFunc strdup_function = nullptr;
  if (xmlMemGet(&free_function, &malloc_function, &realloc_function, &strdup_function) != 0) return;
  // Only the C library's own functions may be replaced: the blocks they
  // handed out must stay theirs.
  if (free_function != static_cast<xmlFreeFunc>(std::free) ||
      malloc_function != static_cast<xmlMallocFunc>(std::malloc) ||
      realloc_function != static_cast<xmlReallocFunc>(std::realloc))
    return;
  previous_[0] = reinterpret_cast<void*>(free_function);
  previous_[1] = reinterpret_cast<void*>(malloc_function);
  previous_[2] = reinterpret_cast<void*>(realloc_function);
  previous_[3] = reinterpret_cast<void*>(strdup_function);
  installed_ = xmlMemSetup(put_block, take_block, resize_block, copy_text) == 0;
#endif
}

DocumentMemory::~DocumentMemory() {
#if defined(VORNC_USABLE_SIZE)
  if (!installed_) return;
  xmlMemSetup(reinterpret_cast<xmlFreeFunc>(previous_[0]), reinterpret_cast<xmlMallocFunc>(previous_[1]),
              reinterpret_cast<xmlReallocFunc>(previous_[2]), reinterpret_cast<xmlStrdupFunc>(previous_[3]));
  give_back(cache);
#endif
}
