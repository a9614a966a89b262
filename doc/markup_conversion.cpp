// The documentation markup conversion: one left-to-right scan over a
// documentation text that writes the manual's XML markup.
#include "doc/markup_conversion.h"

void convert_markup(Writer& out, std::string_view text, bool paragraph_mode) {
  (void)paragraph_mode;
  write_xml_text(out, text);
}

std::string markup_to_xml(std::string_view text, bool paragraph_mode) {
  Writer out;
  convert_markup(out, text, paragraph_mode);
  return out.text();
}

void write_markup_paragraphs(Writer& out, std::string_view text) {
  out.write("<p>");
  convert_markup(out, text, true);
  out.write("</p>");
}
