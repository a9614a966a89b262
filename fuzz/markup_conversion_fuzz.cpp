// Fuzz target: the markup conversion of the reference manual. Besides the
// sanitizers' checks, the converted text must be well-formed XML content
// given the five entities every manual file declares: a result that libxml2
// refuses is a finding (abort).
#include <libxml/parser.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/exit_seam.h"
#include "gen/manual/markup_conversion.h"

namespace {

const char* const document_head =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<!DOCTYPE r [\n"
    "  <!ENTITY cr \"&#10;\">\n"
    "  <!ENTITY ldquo \"&#8220;\">\n"
    "  <!ENTITY rdquo \"&#8221;\">\n"
    "  <!ENTITY bdquo \"&#8222;\">\n"
    "  <!ENTITY nbsp  \"&#160;\">\n"
    "]>\n";

bool well_formed(const std::string& content) {
  std::string document = std::string(document_head) + "<r>" + content + "</r>\n";
  xmlDocPtr doc = xmlReadMemory(document.data(), static_cast<int>(document.size()), "markup.xml",
                                nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                                    XML_PARSE_HUGE);
  if (doc == nullptr) return false;
  xmlFreeDoc(doc);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first byte chooses the paragraph mode; the rest is the text.
  if (size == 0) return 0;
  bool paragraph_mode = (data[0] & 1) != 0;
  std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string xml;
  run_until_exit([&] { xml = markup_to_xml(text, paragraph_mode); });
  if (!well_formed(paragraph_mode ? "<p>" + xml + "</p>" : xml)) {
    std::fprintf(stderr, "markup conversion wrote XML that does not parse:\n%s\n", xml.c_str());
    std::abort();
  }
  return 0;
}
