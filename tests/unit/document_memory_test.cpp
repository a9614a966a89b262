// The memory of the manual step's documents: inside a page scope every
// block libxml2 asks for stays usable until the scope ends, however it is
// freed or resized in between; blocks made before the scope survive it;
// scopes of several threads never share blocks.
#include "gen/manual/document_memory.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xmlmemory.h>

#include <cstring>
#include <string>
#include <thread>

namespace {

char* filled_block(size_t size, char fill) {
  auto* block = static_cast<char*>(xmlMalloc(size));
  std::memset(block, fill, size);
  return block;
}

bool holds(const char* block, size_t size, char fill) {
  for (size_t i = 0; i < size; ++i)
    if (block[i] != fill) return false;
  return true;
}

TEST(DocumentMemory, BlocksOfAPageStayUsableUntilItsScopeEnds) {
  DocumentMemory memory;
  char* before = filled_block(100, 'b');  // made before the page, outlives it
  {
    DocumentMemory::PageScope scope(true);
    EXPECT_TRUE(DocumentMemory::in_page_scope());
    char* first = filled_block(24, 'f');
    char* freed = filled_block(40, 'x');
    xmlFree(freed);  // costs nothing, and leaves the others alone
    char* second = filled_block(3000, 's');
    // the last block grows where it is, an earlier one moves with its bytes
    second = static_cast<char*>(xmlRealloc(second, 100000));
    std::memset(second + 3000, 't', 97000);
    first = static_cast<char*>(xmlRealloc(first, 5000));
    EXPECT_TRUE(holds(first, 24, 'f'));
    EXPECT_TRUE(holds(second, 3000, 's'));
    EXPECT_TRUE(holds(second + 3000, 97000, 't'));
    // and shrinks
    first = static_cast<char*>(xmlRealloc(first, 8));
    EXPECT_TRUE(holds(first, 8, 'f'));
    char* copy = reinterpret_cast<char*>(xmlStrdup(reinterpret_cast<const xmlChar*>("kept text")));
    EXPECT_STREQ(copy, "kept text");
    // a block from before the page may be resized and freed inside it
    before = static_cast<char*>(xmlRealloc(before, 200));
    EXPECT_TRUE(holds(before, 100, 'b'));
    xmlFree(first);
  }
  EXPECT_FALSE(DocumentMemory::in_page_scope());
  EXPECT_TRUE(holds(before, 100, 'b'));
  xmlFree(before);
}

TEST(DocumentMemory, DocumentsOfAPageAreDiscardedWithIt) {
  DocumentMemory memory;
  const std::string xml = "<!DOCTYPE operator [<!ENTITY cr \"&#10;\">]><operator id=\"a\">x&cr;y<p>text</p></operator>";
  for (int page = 0; page < 3; ++page) {
    DocumentMemory::PageScope scope(true);
    xmlDocPtr doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "a.xml", nullptr, XML_PARSE_NOENT);
    ASSERT_NE(doc, nullptr);
    xmlChar* text = xmlNodeGetContent(xmlDocGetRootElement(doc));
    EXPECT_STREQ(reinterpret_cast<const char*>(text), "x\nytext");
    xmlFree(text);
    discard_document(doc);
  }
  // outside a scope a document is freed as a whole
  xmlDocPtr doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "a.xml", nullptr, XML_PARSE_NOENT);
  ASSERT_NE(doc, nullptr);
  discard_document(doc);
  discard_document(nullptr);
}

TEST(DocumentMemory, ScopesThatHaveNoArena) {
  {
    // without the step's memory installed the C library's blocks are used
    DocumentMemory::PageScope scope(true);
    EXPECT_FALSE(DocumentMemory::in_page_scope());
  }
  DocumentMemory memory;
  {
    DocumentMemory::PageScope unused(false);
    EXPECT_FALSE(DocumentMemory::in_page_scope());
  }
  DocumentMemory::PageScope outer(true);
  {
    // a scope inside another leaves the outer one its arena
    DocumentMemory::PageScope inner(true);
    EXPECT_TRUE(DocumentMemory::in_page_scope());
  }
  EXPECT_TRUE(DocumentMemory::in_page_scope());
}

TEST(DocumentMemory, APageLargerThanItsArenaIsFreedBlockByBlock) {
  DocumentMemory memory;
  DocumentMemory::PageScope scope(true);
  char* small = filled_block(64, 's');
  // more than an arena holds comes from the C library
  char* large = static_cast<char*>(xmlMalloc(size_t{65} << 20));
  ASSERT_NE(large, nullptr);
  large[0] = 'l';
  EXPECT_FALSE(DocumentMemory::in_page_scope());
  xmlFree(large);
  EXPECT_TRUE(holds(small, 64, 's'));
}

TEST(DocumentMemory, ThreadsInScopesAtOnceShareNoBlocks) {
  DocumentMemory memory;
  bool intact[2] = {false, false};
  auto page = [&intact](int index) {
    DocumentMemory::PageScope scope(true);
    char fill = static_cast<char>('a' + index);
    char* blocks[500];
    for (char*& block : blocks) {
      block = filled_block(64, fill);
      std::this_thread::yield();
    }
    bool all = true;
    for (char* block : blocks) all = all && holds(block, 64, fill);
    intact[index] = all;
  };
  std::thread one(page, 0), two(page, 1);
  one.join();
  two.join();
  EXPECT_TRUE(intact[0]);
  EXPECT_TRUE(intact[1]);
}

}  // namespace
