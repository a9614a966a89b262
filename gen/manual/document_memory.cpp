// Per-thread caches of freed small blocks for libxml2 and libxslt during
// the manual's stylesheet step (see document_memory.h). A freed block goes
// to the list of its thread for the sizes it can hold, found from the C
// library's own record of its usable size; a request takes a block from
// the list for its size, else a new one from the C library. Blocks larger
// than the cached sizes, and blocks beyond a thread's limit, go straight
// back to the C library.
#include "gen/manual/document_memory.h"

#include <libxml/dict.h>
#include <libxml/parser.h>
#include <libxml/xmlmemory.h>
#include <sys/mman.h>

#include <atomic>
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

// ---------------------------------------------------------------- page arenas

// One region of address space, reserved once for the process and never
// given back, holds the arenas: a thread in a page scope takes a free slot
// of it and hands its blocks out from there, one after the other. A block
// carries its size in front of it, for a block made larger.
constexpr size_t arena_slots = 16;
constexpr size_t arena_slot_size = size_t{64} << 20;  // what one page may take
// What a slot keeps in memory after its page, for the next one.
constexpr size_t arena_kept = size_t{4} << 20;
constexpr size_t arena_header = 16;

std::atomic<char*> arena_region{nullptr};
std::atomic<unsigned> arena_slots_taken{0};  // one bit per slot
std::atomic<bool> caches_installed{false};

char* region() {
  char* base = arena_region.load(std::memory_order_acquire);
  if (base != nullptr) return base;
  void* reserved = mmap(nullptr, arena_slots * arena_slot_size, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (reserved == MAP_FAILED) return nullptr;
  char* expected = nullptr;
  if (!arena_region.compare_exchange_strong(expected, static_cast<char*>(reserved))) {
    munmap(reserved, arena_slots * arena_slot_size);
    return expected;
  }
  return static_cast<char*>(reserved);
}

bool in_arenas(const void* pointer) {
  const char* base = arena_region.load(std::memory_order_relaxed);
  auto* at = static_cast<const char*>(pointer);
  return base != nullptr && at >= base && at < base + arena_slots * arena_slot_size;
}

struct Arena {
  char* start = nullptr;  // nullptr outside a page scope
  char* top = nullptr;
  char* end = nullptr;
  unsigned slot = 0;
  bool paused = false;  // blocks come from the C library meanwhile
  bool overflowed = false;  // a block of the scope came from the C library
};
thread_local Arena arena;

size_t& block_size(void* block) { return *reinterpret_cast<size_t*>(static_cast<char*>(block) - arena_header); }

void* arena_block(size_t size) {
  Arena& own = arena;
  size_t taken = ((size + 15) & ~size_t{15}) + arena_header;
  if (static_cast<size_t>(own.end - own.top) < taken) {
    own.overflowed = true;
    return nullptr;
  }
  char* block = own.top + arena_header;
  own.top += taken;
  block_size(block) = size;
  return block;
}

// An external resource may be the first the process loads: what libxml2
// sets up then for all later ones (the catalogs) must not live in a page's
// arena, so the resource is loaded with the C library's blocks.
xmlExternalEntityLoader outer_loader = nullptr;

xmlParserInputPtr load_outside_arena(const char* url, const char* id, xmlParserCtxtPtr context) {
  Arena& own = arena;
  bool paused = own.paused;
  own.paused = true;
  xmlParserInputPtr input = outer_loader(url, id, context);
  own.paused = paused;
  return input;
}

// ---------------------------------------------------------------- free lists

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
  if (arena.start != nullptr && !arena.paused) {
    if (void* block = arena_block(size)) return block;
  }
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
  // a block of an arena goes with its page
  if (pointer == nullptr || in_arenas(pointer)) return;
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

void* resize_block(void* pointer, size_t size) {
  if (!in_arenas(pointer)) return std::realloc(pointer, size);
  size_t old_size = block_size(pointer);
  Arena& own = arena;
  // the last block of the thread's own arena grows where it is
  size_t old_end = ((old_size + 15) & ~size_t{15});
  if (own.start != nullptr && !own.paused && static_cast<char*>(pointer) + old_end == own.top) {
    size_t new_end = (size + 15) & ~size_t{15};
    if (new_end <= old_end || static_cast<size_t>(own.end - static_cast<char*>(pointer)) >= new_end) {
      own.top = static_cast<char*>(pointer) + new_end;
      block_size(pointer) = size;
      return pointer;
    }
  }
  void* block = take_block(size);
  if (block != nullptr) std::memcpy(block, pointer, old_size < size ? old_size : size);
  return block;
}

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
  if (!installed_) return;
  outer_loader = xmlGetExternalEntityLoader();
  xmlSetExternalEntityLoader(load_outside_arena);
  caches_installed.store(true);
#endif
}

DocumentMemory::~DocumentMemory() {
#if defined(VORNC_USABLE_SIZE)
  if (!installed_) return;
  caches_installed.store(false);
  xmlSetExternalEntityLoader(outer_loader);
  xmlMemSetup(reinterpret_cast<xmlFreeFunc>(previous_[0]), reinterpret_cast<xmlMallocFunc>(previous_[1]),
              reinterpret_cast<xmlReallocFunc>(previous_[2]), reinterpret_cast<xmlStrdupFunc>(previous_[3]));
  give_back(cache);
#endif
}

DocumentMemory::PageScope::PageScope(bool used) {
#if defined(VORNC_USABLE_SIZE)
  Arena& own = arena;
  if (!used || !caches_installed.load() || own.start != nullptr) return;
  // what libxml2 sets up once for the process is made before the arena
  xmlInitParser();
  char* base = region();
  if (base == nullptr) return;
  unsigned taken = arena_slots_taken.load();
  unsigned slot = 0;
  while (slot < arena_slots) {
    if ((taken & (1u << slot)) != 0) {
      ++slot;
    } else if (arena_slots_taken.compare_exchange_weak(taken, taken | (1u << slot))) {
      own.slot = slot;
      own.start = own.top = base + slot * arena_slot_size;
      own.end = own.start + arena_slot_size;
      owns_arena_ = true;
      return;
    }
    // else taken has the slots as they are now: look at this one again
  }
#endif
}

DocumentMemory::PageScope::~PageScope() {
#if defined(VORNC_USABLE_SIZE)
  if (!owns_arena_) return;
  Arena& own = arena;
  // the pages beyond what the next page is likely to take go back
  size_t used = static_cast<size_t>(own.top - own.start);
  if (used > arena_kept) madvise(own.start + arena_kept, used - arena_kept, MADV_DONTNEED);
  arena_slots_taken.fetch_and(~(1u << own.slot));
  own = Arena();
#endif
}

bool DocumentMemory::in_page_scope() {
#if defined(VORNC_USABLE_SIZE)
  return arena.start != nullptr && !arena.overflowed;
#else
  return false;
#endif
}

void discard_document(xmlDocPtr doc) {
  if (doc == nullptr) return;
  if (!DocumentMemory::in_page_scope()) {
    xmlFreeDoc(doc);
    return;
  }
  // the dictionary's lock is the C library's, and the dictionary of a
  // result tree holds on to the stylesheet's
  if (doc->dict != nullptr) xmlDictFree(doc->dict);
}
