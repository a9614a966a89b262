// The frame of every manual XML file: the XML declaration, the DOCTYPE with
// its five entities, the root's opening tag and the document element; and
// saving a collected file under its name.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "gen/manual/manual_writers.h"
#include "driver/diagnostics.h"
#include "driver/settings.h"

void write_xml_head(Writer& out, const char* root, const std::string& root_attributes) {
  out.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n");
  out.put("<!DOCTYPE %s [\n", root);
  out.write("  <!ENTITY cr \"&#10;\">\n");
  out.write("  <!ENTITY ldquo \"&#8220;\">\n");
  out.write("  <!ENTITY rdquo \"&#8221;\">\n");
  out.write("  <!ENTITY bdquo \"&#8222;\">\n");
  out.write("  <!ENTITY nbsp  \"&#160;\">\n");  // two blanks after nbsp
  out.write("]>\n");
  out.put("<%s%s>\n", root, root_attributes.c_str());
}

void write_document_element(Writer& out) {
  const Settings& s = settings();
  bool library = s.generation_target != target_package;
  std::string arch;
  architecture(arch);
  out.put("  <document version=\"%s\" language=\"%s\" copyright=\"%s\" author=\"%s\" url=\"%s\" "
          "system=\"%s\" architecture=\"%s\"/>\n",
          "23.05.0.0", Escaped(s.doc_locale).c_str(), Escaped(s.copyright_footer).c_str(),
          library ? maker_company : Escaped(s.author).c_str(), library ? maker_web_address : "",
          library ? "true" : "false", Escaped(arch).c_str());
}

void save_xml_file(const std::string& name, const std::string& text) {
  if (!save_output_file(name, text)) {
    report_error("could not open file <%s>\n", name.c_str());
    fail(1);
  }
}

void save_manual_file(const std::string& name, const std::string& text) {
  Writer out = open_output_file(name, "%s", banner_none, true);
  out.write(text);
  out.close();
}
