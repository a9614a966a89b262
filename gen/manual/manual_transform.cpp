// The stylesheet step of the reference manual: extracts the embedded
// stylesheets into the working directory, applies them to the manual's XML
// files (HTML pages, or LaTeX sources after a conversion into the older
// layout), and deletes the XML files, the extracted stylesheets and
// class_list.xml afterwards.
#include "gen/manual/manual_transform.h"

#include <libxml/globals.h>
#include <libxml/parser.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <cstdio>
#include <map>

#include "gen/manual/stylesheet_resources.h"
#include "driver/diagnostics.h"
#include "driver/settings.h"

namespace {

std::map<std::string, std::string>& resource_table() {
  static std::map<std::string, std::string> table = [] {
    std::map<std::string, std::string> texts;
    for (const StylesheetResource* r = embedded_stylesheets; r->name != nullptr; ++r)
      texts[r->name] = std::string(reinterpret_cast<const char*>(r->data), r->size);
    return texts;
  }();
  return table;
}

std::map<std::string, std::string>& overrides() {
  static std::map<std::string, std::string> table;
  return table;
}

// The stylesheet parameters of one step: name/value pairs, values quoted as
// XPath string literals, ended by a null entry.
class StylesheetParameters {
 public:
  void add(const char* name, const std::string& literal) {
    names_.push_back(name);
    values_.push_back(literal);
  }
  const char** table() {
    table_.clear();
    for (size_t i = 0; i < names_.size(); ++i) {
      table_.push_back(names_[i]);
      table_.push_back(values_[i].c_str());
    }
    table_.push_back(nullptr);
    return table_.data();
  }

 private:
  std::vector<const char*> names_;
  std::vector<std::string> values_;
  std::vector<const char*> table_;
};

// Extracts and parses one stylesheet; nullptr when it is unknown or does not
// parse (the files it would produce then stay XML).
xsltStylesheetPtr load_stylesheet(const char* name, std::vector<std::string>& temporary_files) {
  if (!extract_stylesheet_resource(name, temporary_files)) return nullptr;
  xmlSubstituteEntitiesDefault(1);
  xmlLoadExtDtdDefaultValue = 0;
  xsltStylesheetPtr sheet = xsltParseStylesheetFile(reinterpret_cast<const xmlChar*>(name));
  if (sheet == nullptr)
    report_error("Failed to parse transformation %s.\nSome or all output files will be in XML format!\n",
                 name);
  return sheet;
}

bool file_exists(const std::string& name) {
  std::FILE* f = std::fopen(name.c_str(), "rb");
  if (f == nullptr) return false;
  std::fclose(f);
  return true;
}

// Applies sheet to xml_name and saves the result as output_name. The XML file
// is deleted afterwards unless it is the output itself or delete_xml is false.
// A file that cannot be read or transformed stays as it is.
bool apply_stylesheet(xsltStylesheetPtr sheet, const std::string& xml_name,
                      const std::string& output_name, StylesheetParameters& parameters,
                      bool delete_xml) {
  if (sheet == nullptr) return false;
  xmlDocPtr document = xmlParseFile(xml_name.c_str());
  if (document == nullptr) {
    report_error("Failed to load XML file %s\n", xml_name.c_str());
    return false;
  }
  xmlDocPtr result = xsltApplyStylesheet(sheet, document, parameters.table());
  xmlFreeDoc(document);
  if (result == nullptr) {
    report_error("Failed to apply transformation to %s\n", xml_name.c_str());
    return false;
  }
  int written = xsltSaveResultToFilename(output_name.c_str(), result, sheet, 0);
  xmlFreeDoc(result);
  if (written < 0) {
    report_error("could not open file <%s>\n", output_name.c_str());
    return false;
  }
  if (delete_xml && xml_name != output_name) std::remove(xml_name.c_str());
  return true;
}

std::string toc_xml_name() {
  return settings().generation_target == target_package ? "user_index.xml" : "index.xml";
}

bool interface_has_classes(const std::string& interface) {
  return interface != "vdevelop" && interface != "c";
}

void transform_to_html(const std::vector<std::string>& operator_names, bool classes_documented,
                       std::vector<std::string>& temporary_files) {
  const Settings& s = settings();
  // "-Rtest" leaves no format name: pages without an extension would be
  // useless, so they get the default one.
  const std::string extension = s.manual_format.empty() ? "html" : s.manual_format;
  xsltStylesheetPtr operator_sheet = load_stylesheet("si_operator_html.xsl", temporary_files);
  xsltStylesheetPtr toc_sheet = load_stylesheet("si_toc_html.xsl", temporary_files);
  xsltStylesheetPtr classes_sheet = load_stylesheet("si_classes_html.xsl", temporary_files);
  StylesheetParameters parameters;
  parameters.add("formula_mode", s.test_mode ? "'ascii'" : "'svg'");
  parameters.add("figure_mode", s.test_mode ? "'filename_only'" : "'svg'");

  for (const std::string& name : operator_names)
    apply_stylesheet(operator_sheet, name + ".xml", format_text("%s.%s", name.c_str(), extension.c_str()),
                     parameters, true);
  if (classes_documented && file_exists("classes.xml"))
    apply_stylesheet(classes_sheet, "classes.xml",
                     format_text("%s.%s", "index_classes", extension.c_str()), parameters, true);
  apply_stylesheet(toc_sheet, toc_xml_name(), format_text("%s.%s", "index", extension.c_str()),
                   parameters, true);

  for (xsltStylesheetPtr sheet : {operator_sheet, toc_sheet, classes_sheet})
    if (sheet != nullptr) xsltFreeStylesheet(sheet);
}

void transform_to_latex(const std::vector<std::string>& operator_names, bool classes_documented,
                        std::vector<std::string>& temporary_files) {
  const Settings& s = settings();
  const std::string& interface = s.manual_interface;
  const bool with_classes = interface_has_classes(interface);
  xsltStylesheetPtr operator_sheet = load_stylesheet("operator_latex.xsl", temporary_files);
  xsltStylesheetPtr toc_sheet = load_stylesheet("toc_latex.xsl", temporary_files);
  xsltStylesheetPtr convert_sheet = load_stylesheet("convert_si_to_legacy.xsl", temporary_files);
  xsltStylesheetPtr classes_sheet =
      with_classes ? load_stylesheet("classes_latex.xsl", temporary_files) : nullptr;
  StylesheetParameters parameters;
  // an XPath string literal; an apostrophe in the name needs the other quotes
  parameters.add("current_syntax", format_text(interface.find('\'') == std::string::npos ? "'%s'" : "\"%s\"",
                                               interface.c_str()));

  // The LaTeX stylesheets read only the older layout: without the
  // conversion every file stays XML.
  if (convert_sheet != nullptr) {
    const std::string toc = toc_xml_name();
    // A file that could not be converted is left as it is rather than read
    // by a stylesheet that expects the older layout.
    std::vector<std::string> converted;
    for (const std::string& name : operator_names)
      if (apply_stylesheet(convert_sheet, name + ".xml", name + ".xml", parameters, false))
        converted.push_back(name);
    const bool toc_converted = apply_stylesheet(convert_sheet, toc, toc, parameters, false);
    const bool classes =
        classes_documented && file_exists("classes.xml") &&
        apply_stylesheet(convert_sheet, "classes.xml", "classes.xml", parameters, false);

    for (const std::string& name : converted)
      apply_stylesheet(operator_sheet, name + ".xml", format_text("%s.%s", name.c_str(), "tex"),
                       parameters, true);
    if (classes) {
      if (with_classes)
        apply_stylesheet(classes_sheet, "classes.xml", format_text("%s.%s", "index_classes", "tex"),
                         parameters, true);
      else
        std::remove("classes.xml");  // no class index for this interface
    }
    if (toc_converted)
      apply_stylesheet(toc_sheet, toc, format_text("%s.%s", "index", "tex"), parameters, true);
  }

  for (xsltStylesheetPtr sheet : {operator_sheet, toc_sheet, convert_sheet, classes_sheet})
    if (sheet != nullptr) xsltFreeStylesheet(sheet);
}

}  // namespace

const std::string* stylesheet_resource_text(const std::string& name) {
  auto o = overrides().find(name);
  if (o != overrides().end()) return &o->second;
  auto r = resource_table().find(name);
  return r == resource_table().end() ? nullptr : &r->second;
}

std::vector<std::string> stylesheet_resource_names() {
  std::vector<std::string> names;
  for (const auto& entry : resource_table()) names.push_back(entry.first);
  return names;
}

void override_stylesheet_resource(const std::string& name, const std::string& text) {
  if (text.empty())
    overrides().erase(name);
  else
    overrides()[name] = text;
}

bool extract_stylesheet_resource(const std::string& name, std::vector<std::string>& temporary_files) {
  const std::string* text = stylesheet_resource_text(name);
  if (text == nullptr) {
    report_warning("Resource file %s does not exist.\n", name.c_str());
    return false;
  }
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (file == nullptr) {
    report_error("could not open file <%s>\n", name.c_str());
    return false;
  }
  temporary_files.push_back(name);
  bool written = std::fwrite(text->data(), 1, text->size(), file) == text->size();
  if (std::fclose(file) != 0) written = false;
  if (!written) report_error("could not write file <%s>\n", name.c_str());
  return written;
}

void transform_manual(const std::vector<std::string>& documented_operator_names,
                      bool classes_documented) {
  const Settings& s = settings();
  if (s.manual_format == "xml") return;
  std::vector<std::string> temporary_files;
  if (s.manual_format == "latex")
    transform_to_latex(documented_operator_names, classes_documented, temporary_files);
  else
    transform_to_html(documented_operator_names, classes_documented, temporary_files);
  xsltCleanupGlobals();
  xmlCleanupParser();
  for (const std::string& name : temporary_files) std::remove(name.c_str());
  std::remove("class_list.xml");
}
