// The -T mode: a plain XSLT processor over a stylesheet file and an XML file
// (or standard input), with the result on standard output.
//
// A stylesheet is a program, and -T runs whatever it is given, so the run is
// fenced in: no network access at all (documents are parsed with
// XML_PARSE_NONET, and XSLT may neither read nor write over the network),
// files that xsl:document writes must lie below the working directory, and
// external entities and DTDs are loaded only from below the working
// directory unless --allow-external is given. Stylesheets, their imports and
// documents read with document() may come from anywhere on the local disk.
#include "driver/xslt_processor.h"

#include <libxml/globals.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/uri.h>
#include <libxslt/documents.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "driver/diagnostics.h"
#include "driver/output.h"

namespace {

// State of the one -T run: the loaders below are plain C callbacks.
struct Fence {
  bool allow_external = false;
  // The document whose own load is under way; the next load of exactly this
  // name is the document itself, any other load is an entity or a DTD.
  std::string named_document;
  bool naming_document = false;
  bool refused = false;
  xmlExternalEntityLoader default_entity_loader = nullptr;
  xsltDocLoaderFunc default_document_loader = nullptr;
};
Fence fence;

std::string real_path(const std::string& path) {
  char resolved[PATH_MAX];
  if (realpath(path.c_str(), resolved) == nullptr) return "";
  return resolved;
}

// True when the path (absolute, or relative to the working directory) names
// a place strictly below the working directory once symbolic links are
// resolved. Its tail may not exist yet (a file to write, directories to
// create); a ".." in that tail is refused.
bool below_working_directory(const std::string& path) {
  std::string base = real_path(".");
  if (base.empty() || path.empty()) return false;
  std::string full = path[0] == '/' ? path : base + "/" + path;
  std::string existing = full;
  std::string tail;
  std::string resolved;
  while (true) {
    resolved = real_path(existing);
    if (!resolved.empty()) break;
    size_t slash = existing.find_last_of('/');
    if (slash == std::string::npos || slash == 0) return false;
    std::string part = existing.substr(slash + 1);
    if (part == "..") return false;
    if (!part.empty() && part != ".") tail = "/" + part + tail;
    existing.erase(slash);
  }
  std::string target = resolved == "/" ? tail : resolved + tail;
  if (base == "/") return target.size() > 1;
  return target.size() > base.size() + 1 && target.compare(0, base.size(), base) == 0 &&
         target[base.size()] == '/';
}

// The local path a URL names, or false for a network URL.
bool local_path(const char* url, std::string& path) {
  xmlURIPtr uri = xmlParseURI(url);
  if (uri == nullptr) {
    path = url;
    return true;
  }
  bool local = uri->scheme == nullptr || std::strcmp(uri->scheme, "file") == 0;
  if (local) path = uri->path != nullptr ? uri->path : "";
  xmlFreeURI(uri);
  return local;
}

xmlParserInputPtr fenced_entity_loader(const char* url, const char* id, xmlParserCtxtPtr context) {
  if (url != nullptr && fence.naming_document && fence.named_document == url) {
    fence.naming_document = false;
    return fence.default_entity_loader(url, id, context);
  }
  std::string path;
  if (url == nullptr || !local_path(url, path)) {
    report_error("refused to load '%s': no network access in -T\n", url != nullptr ? url : "");
    fence.refused = true;
    return nullptr;
  }
  if (!fence.allow_external && !below_working_directory(path)) {
    report_error(
        "refused to load '%s': external entities and DTDs are read only from below the working "
        "directory (-T --allow-external lifts this)\n",
        url);
    fence.refused = true;
    return nullptr;
  }
  xmlParserInputPtr input = fence.default_entity_loader(url, id, context);
  if (input != nullptr) note_input_file(path);
  return input;
}

// Stylesheets, their imports and includes, and document(): read without
// the network, and noted for the dependency file.
xmlDocPtr fenced_document_loader(const xmlChar* uri, xmlDictPtr dict, int options, void* context,
                                 xsltLoadType type) {
  fence.named_document = reinterpret_cast<const char*>(uri);
  fence.naming_document = true;
  xmlDocPtr document = fence.default_document_loader(uri, dict, options | XML_PARSE_NONET, context, type);
  fence.naming_document = false;
  std::string path;
  if (document != nullptr && local_path(reinterpret_cast<const char*>(uri), path) && !path.empty())
    note_input_file(path);
  return document;
}

int write_below_working_directory(xsltSecurityPrefsPtr, xsltTransformContextPtr, const char* path) {
  if (path != nullptr && below_working_directory(path)) return 1;
  report_error("refused to write '%s': -T writes only below the working directory\n",
               path != nullptr ? path : "");
  return 0;
}

xmlDocPtr read_xml(const char* xml) {
  fence.named_document = xml;
  fence.naming_document = true;
  xmlDocPtr document = xmlReadFile(xml, nullptr, XML_PARSE_NOENT | XML_PARSE_DTDLOAD | XML_PARSE_NONET);
  fence.naming_document = false;
  return document;
}

xsltSecurityPrefsPtr fenced_security_prefs() {
  xsltSecurityPrefsPtr prefs = xsltNewSecurityPrefs();
  xsltSetSecurityPrefs(prefs, XSLT_SECPREF_READ_NETWORK, xsltSecurityForbid);
  xsltSetSecurityPrefs(prefs, XSLT_SECPREF_WRITE_NETWORK, xsltSecurityForbid);
  xsltSetSecurityPrefs(prefs, XSLT_SECPREF_WRITE_FILE, write_below_working_directory);
  xsltSetSecurityPrefs(prefs, XSLT_SECPREF_CREATE_DIRECTORY, write_below_working_directory);
  return prefs;
}

}  // namespace

int run_xslt_processor(const char* stylesheet_path, const char* xml,
                       const std::vector<std::pair<std::string, std::string>>& parameters,
                       bool allow_external) {
  fence.allow_external = allow_external;
  fence.default_entity_loader = xmlGetExternalEntityLoader();
  fence.default_document_loader = xsltDocDefaultLoader;
  xmlSetExternalEntityLoader(fenced_entity_loader);
  xsltSetLoaderFunc(fenced_document_loader);

  xmlSubstituteEntitiesDefault(1);
  xmlLoadExtDtdDefaultValue = 1;
  xsltStylesheetPtr stylesheet = xsltParseStylesheetFile(reinterpret_cast<const xmlChar*>(stylesheet_path));
  if (stylesheet == nullptr || fence.refused) {
    report_error("Failed to load transformation '%s'\n", stylesheet_path);
    // A transformation that did not run must not look like success.
    if (stylesheet != nullptr) xsltFreeStylesheet(stylesheet);
    return 1;
  }
  xmlDocPtr document = read_xml(xml);
  if (document == nullptr || fence.refused) {
    report_error("Failed to load XML file %s\n", xml);
    if (document != nullptr) xmlFreeDoc(document);
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
  xsltSecurityPrefsPtr prefs = fenced_security_prefs();
  xsltTransformContextPtr context = xsltNewTransformContext(stylesheet, document);
  xsltSetCtxtSecurityPrefs(prefs, context);
  xmlDocPtr result =
      xsltApplyStylesheetUser(stylesheet, document, parameter_table.data(), nullptr, nullptr, context);
  int status = 0;
  if (result == nullptr || fence.refused) {
    report_error("Failed to apply transformation '%s'\n", stylesheet_path);
    status = 1;
  }
  if (result != nullptr) {
    if (status == 0) {
      std::fflush(stdout);
      if (xsltSaveResultToFile(stdout, result, stylesheet) < 0) status = 1;
      std::fflush(stdout);
    }
    xmlFreeDoc(result);
  }
  xsltFreeTransformContext(context);
  xsltFreeSecurityPrefs(prefs);
  xmlFreeDoc(document);
  xsltFreeStylesheet(stylesheet);
  xsltSetLoaderFunc(nullptr);
  xmlSetExternalEntityLoader(fence.default_entity_loader);
  xsltCleanupGlobals();
  xmlCleanupParser();
  return status;
}
