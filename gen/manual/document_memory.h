/// The memory of libxml2's and libxslt's documents while the manual's
/// stylesheet step runs. Every page parses a document, builds a result tree
/// and frees both: tens of thousands of small blocks per page, freed all at
/// once and asked for again by the next page. The C library's allocator
/// keeps only a few freed blocks of a size per thread at hand and sorts the
/// rest into its shared bins, which costs more than the blocks' use. The
/// step lets libxml2 keep its freed small blocks per thread and size
/// instead, to be handed out again as they are.
#pragma once

#include <libxml/tree.h>

/// While it lives, libxml2 and libxslt (on every thread) allocate through
/// the per-thread caches; afterwards through the functions that were set
/// before. Every block is still the C library's own, so a block may be
/// freed either way, whichever was set when it was allocated. A thread's
/// cache is given back when the thread ends, the creating thread's when
/// this object goes.
class DocumentMemory {
 public:
  DocumentMemory();
  ~DocumentMemory();
  DocumentMemory(const DocumentMemory&) = delete;
  DocumentMemory& operator=(const DocumentMemory&) = delete;

  /// One page's work on the calling thread (with `used`, and while a
  /// DocumentMemory is installed): the blocks libxml2 and libxslt ask for
  /// come one after the other from an arena of the thread, freeing one
  /// costs nothing, and they all go together when the scope ends. Nothing
  /// made inside may be used after it: what outlives the page (compiled
  /// stylesheets, documents kept for several pages) is made before.
  class PageScope {
   public:
    explicit PageScope(bool used);
    ~PageScope();
    PageScope(const PageScope&) = delete;
    PageScope& operator=(const PageScope&) = delete;

   private:
    bool owns_arena_ = false;
  };
  /// True inside a page scope that has its arena and has taken every block
  /// from it (a page larger than its arena takes the rest from the C
  /// library, and its documents must then be freed node by node).
  static bool in_page_scope();

 private:
  void* previous_[4];  // free, malloc, realloc, strdup
  bool installed_ = false;
};

/// Frees a document made on this thread: inside a page scope only what its
/// arena does not hold, else all of it.
void discard_document(xmlDocPtr doc);
