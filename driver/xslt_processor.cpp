// The -T mode: a plain XSLT processor over a stylesheet file and an XML file
// (or standard input), with the result on standard output.
#include "driver/xslt_processor.h"

#include <libxml/globals.h>
#include <libxml/parser.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <cstdio>

#include "driver/diagnostics.h"

int run_xslt_processor(const char* stylesheet_path, const char* xml,
                       const std::vector<std::pair<std::string, std::string>>& parameters) {
  xmlSubstituteEntitiesDefault(1);
  xmlLoadExtDtdDefaultValue = 1;
  xsltStylesheetPtr stylesheet = xsltParseStylesheetFile(reinterpret_cast<const xmlChar*>(stylesheet_path));
  if (stylesheet == nullptr) {
    report_error("Failed to load transformation '%s'\n", stylesheet_path);
    // A transformation that did not run must not look like success.
    return 1;
  }
  xmlDocPtr document = xmlParseFile(xml);
  if (document == nullptr) {
    report_error("Failed to load XML file %s\n", xml);
    xsltFreeStylesheet(stylesheet);
    return 1;
  }
  // Name/value pairs exactly as given (values are XPath expressions).
  std::vector<const char*> parameter_table;
  for (const auto& pair : parameters) {
    parameter_table.push_back(pair.first.c_str());
    parameter_table.push_back(pair.second.c_str());
  }
  parameter_table.push_back(nullptr);
  xmlDocPtr result = xsltApplyStylesheet(stylesheet, document, parameter_table.data());
  int status = 0;
  if (result == nullptr) {
    report_error("Failed to apply transformation '%s'\n", stylesheet_path);
    status = 1;
  } else {
    std::fflush(stdout);
    if (xsltSaveResultToFile(stdout, result, stylesheet) < 0) status = 1;
    std::fflush(stdout);
    xmlFreeDoc(result);
  }
  xmlFreeDoc(document);
  xsltFreeStylesheet(stylesheet);
  xsltCleanupGlobals();
  xmlCleanupParser();
  return status;
}
