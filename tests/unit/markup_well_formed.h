/// The check shared by the markup conversion's tests and its fuzz target:
/// converted text must be well-formed XML content, given the five entities
/// every manual file declares in its header.
#pragma once

#include <libxml/parser.h>

#include <string>

inline bool markup_well_formed(const std::string& content) {
  static const char* const document_head =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<!DOCTYPE r [\n"
      "  <!ENTITY cr \"&#10;\">\n"
      "  <!ENTITY ldquo \"&#8220;\">\n"
      "  <!ENTITY rdquo \"&#8221;\">\n"
      "  <!ENTITY bdquo \"&#8222;\">\n"
      "  <!ENTITY nbsp  \"&#160;\">\n"
      "]>\n";
  std::string document = std::string(document_head) + "<r>" + content + "</r>\n";
  xmlDocPtr doc = xmlReadMemory(document.data(), static_cast<int>(document.size()), "markup.xml",
                                nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                                    XML_PARSE_HUGE);
  if (doc == nullptr) return false;
  xmlFreeDoc(doc);
  return true;
}
