// The stylesheet step of the reference manual: applies the embedded
// stylesheets to the manual's XML documents (HTML pages, or LaTeX sources
// after a conversion into the older layout) and writes the pages.
//
// Nothing of the step touches the working directory but the pages: the
// stylesheets are parsed from memory, every document is handed over in
// memory, and what a stylesheet writes itself (chapter and class pages) is
// written below a private scratch folder, whose files are caught in memory
// and passed on to the output files; the folder only takes the folders a
// stylesheet makes and is removed at the end. The operator pages are
// independent, so several threads transform them; libxslt is only safe
// when nothing is shared, so each thread has its own compiled stylesheets
// and documents, and only the calling thread writes files and reports.
#include "gen/manual/manual_transform.h"

#include <ftw.h>
#include <libxml/HTMLtree.h>
#include <libxml/globals.h>
#include <libxml/parser.h>
#include <libxml/uri.h>
#include <libxml/xmlerror.h>
#include <libxml/xpathInternals.h>
#include <libxslt/documents.h>
#include <libxslt/extensions.h>
#include <libxslt/imports.h>
#include <libxslt/security.h>
#include <libxslt/templates.h>
#include <libxslt/transform.h>
#include <libxslt/xslt.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

#include "gen/manual/document_memory.h"
#include "gen/manual/html_page_text.h"
#include "gen/manual/legacy_layout.h"
#include "gen/manual/native_pages.h"
#include "gen/manual/xml_nodes.h"
#include "gen/manual/page_images.h"
#include "driver/diagnostics.h"
#include "driver/output.h"
#include "driver/settings.h"
#include "gen/manual/manual_writers.h"
#include "gen/manual/stylesheet_resources.h"

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

// ---------------------------------------------------------------- messages

// A message of libxml2 or libxslt, reported through the diagnostics.
struct LibraryMessage {
  bool error;
  std::string text;
};

// Messages raised while a thread works on a page are kept with the page and
// reported when it is written, so that they come in page order.
thread_local std::vector<LibraryMessage>* message_sink = nullptr;
thread_local std::string partial_line;

void deliver(bool error, const std::string& text) {
  if (message_sink != nullptr)
    message_sink->push_back({error, text});
  else if (error)
    report_error("%s\n", text.c_str());
  else
    report_warning("%s\n", text.c_str());
}

// The libraries hand their unstructured messages over in pieces: a line is
// delivered once it is complete.
void piecewise_message(void*, const char* format, ...) {
  va_list args;
  va_start(args, format);
  char small[1024];
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  std::string text;
  if (length >= static_cast<int>(sizeof small)) {
    text.resize(static_cast<size_t>(length) + 1);
    std::vsnprintf(&text[0], text.size(), format, args);
    text.resize(static_cast<size_t>(length));
  } else if (length > 0) {
    text.assign(small, static_cast<size_t>(length));
  }
  va_end(args);
  partial_line += text;
  size_t end;
  while ((end = partial_line.find('\n')) != std::string::npos) {
    std::string line = partial_line.substr(0, end);
    partial_line.erase(0, end + 1);
    if (!line.empty()) deliver(true, line);
  }
}

void structured_message(void*, xmlErrorPtr error) {
  if (error == nullptr) return;
  std::string text = error->message != nullptr ? error->message : "";
  while (!text.empty() && text.back() == '\n') text.pop_back();
  if (error->file != nullptr && error->file[0] != '\0')
    text = format_text("%s:%d: %s", error->file, error->line, text.c_str());
  deliver(error->level != XML_ERR_WARNING, text);
}

// libxml2 keeps its handlers per thread; libxslt's generic one is global.
void route_library_messages() {
  xmlSetGenericErrorFunc(nullptr, piecewise_message);
  xmlSetStructuredErrorFunc(nullptr, structured_message);
}

// ---------------------------------------------------------------- scratch folder

int remove_entry(const char* path, const struct stat*, int, struct FTW*) {
  std::remove(path);
  return 0;
}

// True when path lies inside folder (no ".." component); relative gets the
// part below it.
bool inside_folder(const std::string& folder, const char* path, std::string& relative) {
  if (path == nullptr || std::strncmp(path, folder.c_str(), folder.size()) != 0 || path[folder.size()] != '/')
    return false;
  relative = path + folder.size() + 1;
  if (relative.empty()) return false;
  std::string wrapped = "/" + relative + "/";
  return wrapped.find("/../") == std::string::npos && wrapped.find("/./") == std::string::npos &&
         wrapped.find("//") == std::string::npos;
}

// A page a stylesheet writes itself (xsl:document), caught in memory.
struct WrittenPage {
  std::string relative;  // its name below the scratch folder
  std::string text;
};

// The pages the job running on this thread writes, and the folder they are
// written below. libxml2 hands every file it is to write to the output
// handlers registered last first: the one below takes those inside the
// folder while a job runs, so that they never reach the disk.
struct PageCatch {
  const std::string* folder = nullptr;
  std::vector<WrittenPage>* pages = nullptr;
};
thread_local PageCatch page_catch;

int catches_page(const char* path) {
  std::string relative;
  return page_catch.pages != nullptr && inside_folder(*page_catch.folder, path, relative) ? 1 : 0;
}

// A page written twice keeps its first place and its last text, as a file
// written twice would.
void* open_caught_page(const char* path) {
  std::string relative;
  if (page_catch.pages == nullptr || !inside_folder(*page_catch.folder, path, relative)) return nullptr;
  std::vector<WrittenPage>& pages = *page_catch.pages;
  size_t index = 0;
  while (index < pages.size() && pages[index].relative != relative) ++index;
  if (index == pages.size())
    pages.push_back({relative, std::string()});
  else
    pages[index].text.clear();
  return &pages[index].text;
}

int write_caught_page(void* text, const char* buffer, int length) {
  static_cast<std::string*>(text)->append(buffer, static_cast<size_t>(length));
  return length;
}

int close_caught_page(void*) { return 0; }

// ---------------------------------------------------------------- LaTeX text

// An extension function of one string argument whose value is that string
// converted.
void push_converted_string(xmlXPathParserContextPtr parser, int count,
                           std::string (*convert)(const std::string&)) {
  if (count != 1) {
    xmlXPathSetArityError(parser);
    return;
  }
  xmlChar* text = xmlXPathPopString(parser);
  std::string converted = convert(text != nullptr ? reinterpret_cast<const char*>(text) : "");
  xmlFree(text);
  valuePush(parser, xmlXPathNewString(reinterpret_cast<const xmlChar*>(converted.c_str())));
}

// v:latex_escape(text): the stylesheets' latex_escape template in one pass.
void latex_escape_function(xmlXPathParserContextPtr parser, int count) {
  push_converted_string(parser, count, latex_escaped);
}

// v:syntax_text(nodes, interface): what the syntax_text template writes.
void syntax_text_function(xmlXPathParserContextPtr parser, int count) {
  if (count != 2) {
    xmlXPathSetArityError(parser);
    return;
  }
  xmlChar* interface = xmlXPathPopString(parser);
  xmlNodeSetPtr nodes = xmlXPathPopNodeSet(parser);
  std::string text;
  if (!parser->error) {
    std::vector<xmlNodePtr> list;
    if (nodes != nullptr) {
      xmlXPathNodeSetSort(nodes);
      list.assign(nodes->nodeTab, nodes->nodeTab + nodes->nodeNr);
    }
    text = syntax_text(list, interface != nullptr ? reinterpret_cast<const char*>(interface) : "");
  }
  xmlXPathFreeNodeSet(nodes);
  xmlFree(interface);
  if (!parser->error) valuePush(parser, xmlXPathNewString(reinterpret_cast<const xmlChar*>(text.c_str())));
}

// v:latex_name(text): the stylesheets' latex_name template in one pass.
void latex_name_function(xmlXPathParserContextPtr parser, int count) {
  push_converted_string(parser, count, latex_breakable_name);
}

// v:latex_signature(signature): latex_signature of the first node.
void latex_signature_function(xmlXPathParserContextPtr parser, int count) {
  if (count != 1) {
    xmlXPathSetArityError(parser);
    return;
  }
  xmlNodeSetPtr nodes = xmlXPathPopNodeSet(parser);
  std::string text;
  if (!parser->error && nodes != nullptr && nodes->nodeNr > 0) {
    xmlXPathNodeSetSort(nodes);
    text = latex_signature(nodes->nodeTab[0]);
  }
  xmlXPathFreeNodeSet(nodes);
  if (!parser->error) valuePush(parser, xmlXPathNewString(reinterpret_cast<const xmlChar*>(text.c_str())));
}

// v:latex_parameter_item(parameter): latex_parameter_item of the first node.
void latex_parameter_item_function(xmlXPathParserContextPtr parser, int count) {
  if (count != 1) {
    xmlXPathSetArityError(parser);
    return;
  }
  xmlNodeSetPtr nodes = xmlXPathPopNodeSet(parser);
  std::string item;
  if (!parser->error && nodes != nullptr && nodes->nodeNr > 0) {
    xmlXPathNodeSetSort(nodes);
    item = latex_parameter_item(nodes->nodeTab[0]);
  }
  xmlXPathFreeNodeSet(nodes);
  if (!parser->error) valuePush(parser, xmlXPathNewString(reinterpret_cast<const xmlChar*>(item.c_str())));
}

// ---------------------------------------------------------------- lookups

// The stylesheets look phrases up in their own phrase table and class names
// in the class list through keys, which a processor builds anew for every
// page by walking both documents. The program answers both from tables it
// builds once per stylesheet and per thread (v:phrase, v:class_listed); the
// stylesheets fall back to their keys where these functions are missing.

const char* const manual_namespace = "urn:vornc:manual";

// An element of the stylesheets' own vocabulary (v:name).
bool is_manual_element(xmlNodePtr node, const char* name) {
  return node->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0 &&
         node->ns != nullptr && node->ns->href != nullptr &&
         std::strcmp(reinterpret_cast<const char*>(node->ns->href), manual_namespace) == 0;
}

bool has_attribute(xmlNodePtr node, const char* name) { return find_attribute(node, name) != nullptr; }

// Calls visit for every element of the document, in document order.
template <typename Visit>
void for_each_element(xmlDocPtr doc, Visit visit) {
  xmlNodePtr node = doc != nullptr ? doc->children : nullptr;
  while (node != nullptr) {
    if (node->type == XML_ELEMENT_NODE) visit(node);
    if (node->type == XML_ELEMENT_NODE && node->children != nullptr) {
      node = node->children;
      continue;
    }
    while (node != nullptr && node->next == nullptr) {
      node = node->parent;
      if (node == nullptr || node->type == XML_DOCUMENT_NODE) node = nullptr;
    }
    if (node != nullptr) node = node->next;
  }
}

// The phrases of a stylesheet: for every id, the translations of all
// v:phrase elements with that id, in document order.
struct PhraseText {
  size_t order;  // document order over the whole table
  std::string local_name;
  bool in_manual_namespace;
  std::string text;
};
using PhraseTable = std::map<std::string, std::vector<PhraseText>>;

PhraseTable phrase_table(xmlDocPtr stylesheet) {
  PhraseTable table;
  size_t order = 0;
  for_each_element(stylesheet, [&](xmlNodePtr node) {
    if (!is_manual_element(node, "phrase") || !has_attribute(node, "id")) return;
    std::vector<PhraseText>& texts = table[attribute_text(node, "id")];
    for (xmlNodePtr child = node->children; child != nullptr; child = child->next) {
      if (child->type != XML_ELEMENT_NODE) continue;
      xmlChar* value = xmlNodeGetContent(child);
      bool manual = child->ns != nullptr && child->ns->href != nullptr &&
                    std::strcmp(reinterpret_cast<const char*>(child->ns->href), manual_namespace) == 0;
      texts.push_back({order++, reinterpret_cast<const char*>(child->name), manual,
                       value != nullptr ? reinterpret_cast<const char*>(value) : ""});
      xmlFree(value);
    }
  });
  return table;
}

// The phrase template: the translation into the language, else the English
// text, of the phrases of all the ids.
std::string phrase_text(const PhraseTable& table, const std::vector<std::string>& ids, const std::string& language) {
  std::vector<const PhraseText*> texts;
  for (const std::string& id : ids) {
    auto found = table.find(id);
    if (found == table.end()) continue;
    for (const PhraseText& text : found->second) texts.push_back(&text);
  }
  std::sort(texts.begin(), texts.end(), [](const PhraseText* a, const PhraseText* b) { return a->order < b->order; });
  for (const PhraseText* text : texts)
    if (text->local_name == language) return text->text;
  for (const PhraseText* text : texts)
    if (text->in_manual_namespace && text->local_name == "en_US") return text->text;
  return std::string();
}

// The ids of the class elements of a class list.
std::set<std::string> class_ids(xmlDocPtr class_list) {
  std::set<std::string> ids;
  for_each_element(class_list, [&](xmlNodePtr node) {
    if (is_named(node, "class") && has_attribute(node, "id")) ids.insert(attribute_text(node, "id"));
  });
  return ids;
}

// The interface list of a stylesheet (v:interfaces/v:interface below its
// document element): id and title of every entry with an id, in order.
using InterfaceTitles = std::vector<std::pair<std::string, std::string>>;

InterfaceTitles interface_titles(xmlDocPtr stylesheet) {
  InterfaceTitles titles;
  xmlNodePtr root = xmlDocGetRootElement(stylesheet);
  for (xmlNodePtr list = root != nullptr ? root->children : nullptr; list != nullptr; list = list->next) {
    if (!is_manual_element(list, "interfaces")) continue;
    for (xmlNodePtr entry = list->children; entry != nullptr; entry = entry->next)
      if (is_manual_element(entry, "interface") && has_attribute(entry, "id"))
        titles.emplace_back(attribute_text(entry, "id"), attribute_text(entry, "title"));
  }
  return titles;
}

// What a stylesheet's native functions read of the stylesheet itself.
struct SheetTables {
  PhraseTable phrases;
  InterfaceTitles interfaces;
};

SheetTables sheet_tables(xmlDocPtr stylesheet) {
  return {phrase_table(stylesheet), interface_titles(stylesheet)};
}

// What the functions of one transformation read: the tables of its
// stylesheet and the class ids of the class list, built by its thread.
struct Lookups {
  const SheetTables* sheet = nullptr;
  xmlDocPtr class_list = nullptr;
  const std::set<std::string>* class_ids = nullptr;
};

const Lookups* lookups_of(xmlXPathParserContextPtr parser);

// The string values of an argument: each node's of a node-set, else the
// argument's own.
std::vector<std::string> argument_strings(xmlXPathParserContextPtr parser) {
  std::vector<std::string> strings;
  xmlXPathObjectPtr argument = valuePop(parser);
  if (argument == nullptr) return strings;
  if ((argument->type == XPATH_NODESET || argument->type == XPATH_XSLT_TREE) && argument->nodesetval != nullptr) {
    for (int i = 0; i < argument->nodesetval->nodeNr; ++i) {
      xmlChar* value = xmlXPathCastNodeToString(argument->nodesetval->nodeTab[i]);
      strings.push_back(value != nullptr ? reinterpret_cast<const char*>(value) : "");
      xmlFree(value);
    }
  } else if (argument->type != XPATH_NODESET && argument->type != XPATH_XSLT_TREE) {
    xmlChar* value = xmlXPathCastToString(argument);
    strings.push_back(value != nullptr ? reinterpret_cast<const char*>(value) : "");
    xmlFree(value);
  }
  xmlXPathFreeObject(argument);
  return strings;
}

// v:phrase(id, language): what the phrase template writes.
void phrase_function(xmlXPathParserContextPtr parser, int count) {
  if (count != 2) {
    xmlXPathSetArityError(parser);
    return;
  }
  xmlChar* language = xmlXPathPopString(parser);
  std::vector<std::string> ids = argument_strings(parser);
  const Lookups* own = lookups_of(parser);
  std::string language_text = language != nullptr ? reinterpret_cast<const char*>(language) : "";
  xmlFree(language);
  std::string text;
  if (own != nullptr && own->sheet != nullptr) {
    text = phrase_text(own->sheet->phrases, ids, language_text);
  } else {
    xsltTransformContextPtr context = xsltXPathGetTransformContext(parser);
    if (context != nullptr && context->style != nullptr)
      text = phrase_text(phrase_table(context->style->doc), ids, language_text);
  }
  valuePush(parser, xmlXPathNewString(reinterpret_cast<const xmlChar*>(text.c_str())));
}

// v:class_listed(nodes, id): true when the document of the first node holds
// a class with that id, as key('class_by_id', id) finds it there.
void class_listed_function(xmlXPathParserContextPtr parser, int count) {
  if (count != 2) {
    xmlXPathSetArityError(parser);
    return;
  }
  xmlChar* id = xmlXPathPopString(parser);
  xmlNodeSetPtr nodes = xmlXPathPopNodeSet(parser);
  bool listed = false;
  if (!parser->error && nodes != nullptr && nodes->nodeNr > 0) {
    xmlXPathNodeSetSort(nodes);
    xmlDocPtr doc = nodes->nodeTab[0]->doc;
    std::string id_text = id != nullptr ? reinterpret_cast<const char*>(id) : "";
    const Lookups* own = lookups_of(parser);
    if (own != nullptr && own->class_ids != nullptr && doc == own->class_list)
      listed = own->class_ids->count(id_text) != 0;
    else
      listed = class_ids(doc).count(id_text) != 0;
  }
  xmlXPathFreeNodeSet(nodes);
  xmlFree(id);
  if (!parser->error) valuePush(parser, xmlXPathNewBoolean(listed));
}

// ---------------------------------------------------------------- stylesheets

enum SheetKind {
  html_operator,
  html_toc,
  html_classes,
  latex_operator,
  latex_toc,
  latex_classes,
  legacy_conversion,
  sheet_kinds
};

const char* const sheet_names[sheet_kinds] = {
    "si_operator_html.xsl", "si_toc_html.xsl",   "si_classes_html.xsl",     "operator_latex.xsl",
    "toc_latex.xsl",        "classes_latex.xsl", "convert_si_to_legacy.xsl"};

// True when the stylesheet's pages are HTML without indentation in UTF-8,
// which append_html_page_text writes.
bool writes_plain_html(xsltStylesheetPtr style) {
  const xmlChar* method = nullptr;
  const xmlChar* encoding = nullptr;
  int indent = -1;
  XSLT_GET_IMPORT_PTR(method, style, method)
  XSLT_GET_IMPORT_PTR(encoding, style, encoding)
  XSLT_GET_IMPORT_INT(indent, style, indent)
  return style->methodURI == nullptr && method != nullptr &&
         xmlStrEqual(method, reinterpret_cast<const xmlChar*>("html")) && indent == 0 && encoding != nullptr &&
         xmlStrcasecmp(encoding, reinterpret_cast<const xmlChar*>("UTF-8")) == 0;
}

bool is_latex(SheetKind kind) {
  return kind == latex_operator || kind == latex_toc || kind == latex_classes;
}

// The program's own documents are read without network access and without
// libxml2's depth limit, however deeply the documentation texts nest.
constexpr int own_document_options = XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_HUGE | XML_PARSE_COMPACT;

xmlDocPtr read_document(const std::string& text, const std::string& url) {
  return xmlReadMemory(text.data(), static_cast<int>(text.size()), url.c_str(), nullptr,
                       own_document_options);
}

// Parses an embedded stylesheet under a name in the scratch folder (given
// as a URI), so that the documents it names (document('class_list.xml'),
// document('')) resolve there and nowhere else; nullptr when it does not
// parse.
xsltStylesheetPtr compile_stylesheet(const std::string& name, const std::string& folder) {
  const std::string* text = stylesheet_resource_text(name);
  if (text == nullptr) return nullptr;
  xmlDocPtr doc = read_document(*text, folder + "/" + name);
  if (doc == nullptr) return nullptr;
  xsltStylesheetPtr sheet = xsltParseStylesheetDoc(doc);
  if (sheet == nullptr) xmlFreeDoc(doc);
  return sheet;
}

// ---------------------------------------------------------------- pages

// One document of the step and, once a thread is done with it, its page.
struct Job {
  SheetKind kind = html_operator;
  std::string xml_name;     // the document's name ("threshold.xml")
  std::string xml;          // the document
  std::string output_name;  // the page ("threshold.html")
  bool stays_xml = false;   // its stylesheet did not parse: written as XML
  // the outcome
  std::string page;
  std::vector<WrittenPage> written;  // what the stylesheet wrote itself
  std::vector<LibraryMessage> messages;
  bool ok = false;
  bool done = false;
};

// What every thread of one step reads; fixed before the threads start.
struct Step {
  std::string folder;
  // The folder as a URI, the base of the names of the stylesheets, the class
  // list and the pages: libxslt resolves those names as URIs, in which a
  // blank, "%" or "#" of the folder's path would mean something else.
  std::string folder_uri;
  bool available[sheet_kinds] = {};
  std::vector<const char*> parameters;  // name/value pairs, null-ended
  std::string class_list_xml;
  // LaTeX: the conversion into the older layout done by the program itself
  // (as long as its stylesheet is the embedded one), for this interface
  bool native_conversion = false;
  std::string current_syntax;
};

// The context's user data: the job, the folder it may use and the tables
// of the native functions.
struct JobContext {
  Job* job;
  const std::string* folder;
  Lookups lookups;
};

const Lookups* lookups_of(xmlXPathParserContextPtr parser) {
  xsltTransformContextPtr context = xsltXPathGetTransformContext(parser);
  if (context == nullptr || context->_private == nullptr) return nullptr;
  return &static_cast<JobContext*>(context->_private)->lookups;
}

// The value of an attribute value template of an extension element.
std::string evaluated_attribute(xsltTransformContextPtr context, xmlNodePtr inst, const char* name) {
  xmlChar* value = xsltEvalAttrValueTemplate(context, inst, reinterpret_cast<const xmlChar*>(name), nullptr);
  std::string text = value != nullptr ? reinterpret_cast<const char*>(value) : "";
  xmlFree(value);
  return text;
}

// <v:synopsis language="..." page_suffix="..."/>: the synopsis section of an
// operator page, in place of the templates in its xsl:fallback.
void synopsis_element(xsltTransformContextPtr context, xmlNodePtr node, xmlNodePtr inst, xsltElemPreCompPtr) {
  auto* own = static_cast<JobContext*>(context->_private);
  if (own == nullptr || own->lookups.sheet == nullptr || node == nullptr || context->insert == nullptr) {
    xsltTransformError(context, nullptr, inst, "v:synopsis is written only by the manual step\n");
    return;
  }
  const Lookups& lookups = own->lookups;
  const std::string language = evaluated_attribute(context, inst, "language");
  SynopsisTexts texts;
  texts.heading = phrase_text(lookups.sheet->phrases, {"sec_synopsis"}, language);
  texts.windows_only = phrase_text(lookups.sheet->phrases, {"note_windows_only"}, language);
  texts.interface_titles = &lookups.sheet->interfaces;
  // the class list is document('class_list.xml')/classes
  xmlNodePtr class_root = lookups.class_list != nullptr ? xmlDocGetRootElement(lookups.class_list) : nullptr;
  if (class_root != nullptr && is_named(class_root, "classes")) texts.class_ids = lookups.class_ids;
  texts.page_suffix = evaluated_attribute(context, inst, "page_suffix");
  write_html_synopsis(node, context->insert, texts);
}

// <v:parameter_term for="..."/>: the term of a parameter's entry on an
// operator page, its name spelled for that interface.
void parameter_term_element(xsltTransformContextPtr context, xmlNodePtr node, xmlNodePtr inst, xsltElemPreCompPtr) {
  if (node == nullptr || node->type != XML_ELEMENT_NODE || context->insert == nullptr) {
    xsltTransformError(context, nullptr, inst, "v:parameter_term needs a parameter element\n");
    return;
  }
  write_html_parameter_term(node, context->insert, evaluated_attribute(context, inst, "for"));
}

int allow_in_folder(xsltSecurityPrefsPtr, xsltTransformContextPtr context, const char* path) {
  auto* own = static_cast<JobContext*>(context->_private);
  std::string relative;
  return own != nullptr && !run_is_ending() && inside_folder(*own->folder, path, relative) ? 1 : 0;
}

// One thread's stylesheets and documents.
class Worker {
 public:
  explicit Worker(const Step& step) : step_(step) {
    prefs_ = xsltNewSecurityPrefs();
    xsltSetSecurityPrefs(prefs_, XSLT_SECPREF_READ_FILE, allow_in_folder);
    xsltSetSecurityPrefs(prefs_, XSLT_SECPREF_WRITE_FILE, allow_in_folder);
    xsltSetSecurityPrefs(prefs_, XSLT_SECPREF_CREATE_DIRECTORY, allow_in_folder);
    xsltSetSecurityPrefs(prefs_, XSLT_SECPREF_READ_NETWORK, xsltSecurityForbid);
    xsltSetSecurityPrefs(prefs_, XSLT_SECPREF_WRITE_NETWORK, xsltSecurityForbid);
  }
  ~Worker() {
    for (xsltStylesheetPtr sheet : sheets_)
      if (sheet != nullptr) xsltFreeStylesheet(sheet);
    if (class_list_ != nullptr) xmlFreeDoc(class_list_);
    xsltFreeSecurityPrefs(prefs_);
  }
  Worker(const Worker&) = delete;
  Worker& operator=(const Worker&) = delete;

  void run(Job& job) {
    message_sink = &job.messages;
    page_catch = {&step_.folder, &job.written};
    // What the page's transformations keep for later pages is made before
    // the page's memory scope; an operator page's own memory goes at once
    // with its scope. The larger documents (contents, classes) free theirs
    // as they go.
    prepare(job.kind);
    DocumentMemory::PageScope scope(job.kind == html_operator || job.kind == latex_operator);
    xmlDocPtr document = read_document(job.xml, job.xml_name);
    std::string().swap(job.xml);  // documents are large: each is held once
    if (document == nullptr) {
      job.messages.push_back({true, format_text("Failed to load XML file %s", job.xml_name.c_str())});
    } else {
      xmlDocPtr result = nullptr;
      if (is_latex(job.kind) && step_.native_conversion) {
        // the LaTeX stylesheets read only the older layout
        convert_to_legacy_layout(document, step_.current_syntax);
        result = apply(job.kind, document, job);
        discard_document(document);
      } else if (is_latex(job.kind)) {
        xmlDocPtr legacy = apply(legacy_conversion, document, job);
        discard_document(document);
        if (legacy != nullptr) {
          result = apply(job.kind, legacy, job);
          discard_document(legacy);
        }
      } else {
        result = apply(job.kind, document, job);
        discard_document(document);
      }
      if (result == nullptr) {
        job.messages.push_back({true, format_text("Failed to apply transformation to %s", job.xml_name.c_str())});
      } else {
        save_page(result, job);
        discard_document(result);
      }
    }
    message_sink = nullptr;
    page_catch = PageCatch();
  }

 private:
  xsltStylesheetPtr sheet(SheetKind kind) {
    if (sheets_[kind] == nullptr) {
      sheets_[kind] = compile_stylesheet(sheet_names[kind], step_.folder_uri);
      if (sheets_[kind] != nullptr) tables_[kind] = sheet_tables(sheets_[kind]->doc);
    }
    return sheets_[kind];
  }

  // The page's text: an HTML page written by the program where it writes
  // it as the library would, else by the library.
  void save_page(xmlDocPtr result, Job& job) {
    xsltStylesheetPtr style = sheet(job.kind);
    if (style != nullptr && writes_plain_html(style)) {
      // what the library's serializer does first for an HTML page
      htmlSetMetaEncoding(result, reinterpret_cast<const xmlChar*>("UTF-8"));
      job.page.reserve(16384);
      if (append_html_page_text(result, job.page)) {
        job.ok = true;
        return;
      }
    }
    xmlChar* text = nullptr;
    int length = 0;
    if (xsltSaveResultToString(&text, &length, result, style) == 0) {
      if (text != nullptr) job.page.assign(reinterpret_cast<const char*>(text), static_cast<size_t>(length));
      job.ok = true;
    } else {
      job.messages.push_back({true, format_text("could not write file '%s'", job.output_name.c_str())});
    }
    xmlFree(text);
  }

  // The stylesheets a job of this kind uses, and the class list.
  void prepare(SheetKind kind) {
    sheet(kind);
    if (is_latex(kind) && !step_.native_conversion) sheet(legacy_conversion);
    if (kind == html_operator) class_list();
  }

  xmlDocPtr class_list() {
    if (class_list_ == nullptr) {
      class_list_ = read_document(step_.class_list_xml, step_.folder_uri + "/class_list.xml");
      class_ids_ = class_ids(class_list_);
    }
    return class_list_;
  }

  // Registers a document with the context, which then finds it by its name
  // instead of reading it again, and leaves it to us.
  static void keep_document(xsltTransformContextPtr context, xmlDocPtr doc) {
    if (doc == nullptr) return;
    xsltDocumentPtr kept = xsltNewDocument(context, doc);
    if (kept != nullptr) kept->main = 1;
  }

  // The result tree of one stylesheet, nullptr after an error.
  xmlDocPtr apply(SheetKind kind, xmlDocPtr input, Job& job) {
    xsltStylesheetPtr style = sheet(kind);
    if (style == nullptr) return nullptr;
    xsltTransformContextPtr context = xsltNewTransformContext(style, input);
    if (context == nullptr) return nullptr;
    JobContext own{&job, &step_.folder, {}};
    own.lookups.sheet = &tables_[kind];
    context->_private = &own;
    xsltSetCtxtSecurityPrefs(prefs_, context);
    keep_document(context, style->doc);
    if (kind == html_operator) {
      keep_document(context, class_list());
      own.lookups.class_list = class_list_;
      own.lookups.class_ids = &class_ids_;
    }
    // pages a stylesheet writes itself go beside this name
    std::string output = step_.folder_uri + "/" + job.output_name;
    xmlDocPtr result = xsltApplyStylesheetUser(style, input, const_cast<const char**>(step_.parameters.data()),
                                               output.c_str(), nullptr, context);
    bool failed = result == nullptr || context->state != XSLT_STATE_OK;
    xsltFreeTransformContext(context);
    if (failed && result != nullptr) {
      discard_document(result);
      result = nullptr;
    }
    return result;
  }

  const Step& step_;
  xsltStylesheetPtr sheets_[sheet_kinds] = {};
  SheetTables tables_[sheet_kinds];
  xmlDocPtr class_list_ = nullptr;
  std::set<std::string> class_ids_;
  xsltSecurityPrefsPtr prefs_ = nullptr;
};

// The jobs waiting for a thread.
class JobQueue {
 public:
  void push(Job* job) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      pending_.push_back(job);
    }
    wake_.notify_one();
  }
  // The next job; nullptr once the queue is closed and empty.
  Job* pop() {
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait(lock, [this] { return closed_ || !pending_.empty(); });
    if (pending_.empty()) return nullptr;
    Job* job = pending_.front();
    pending_.pop_front();
    return job;
  }
  void finish(Job* job) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      job->done = true;
    }
    done_.notify_all();
  }
  void wait_until_done(const Job* job) {
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [job] { return job->done; });
  }
  // Ends the threads' loops; with drop, jobs not yet started are dropped.
  void close(bool drop) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      closed_ = true;
      if (drop) pending_.clear();
    }
    wake_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable wake_, done_;
  std::deque<Job*> pending_;
  bool closed_ = false;
};

// The threads and the scratch folder of the running step. A run that ends
// early (a page that cannot be written) still stops the threads and removes
// the folder, from the exit handler; one that a signal ends, from the output
// layer's signal handler.
struct RunningStep {
  JobQueue* queue = nullptr;
  std::vector<std::thread>* threads = nullptr;
  std::string folder;
  TemporaryNote* folder_note = nullptr;
};
RunningStep* running_step = nullptr;

void stop_running_step() {
  if (running_step == nullptr) return;
  RunningStep* step = running_step;
  running_step = nullptr;
  if (step->queue != nullptr) step->queue->close(true);
  if (step->threads != nullptr)
    for (std::thread& thread : *step->threads)
      if (thread.joinable()) thread.join();
  if (!step->folder.empty()) nftw(step->folder.c_str(), remove_entry, 16, FTW_DEPTH | FTW_PHYS);
  forget_scratch_folder(step->folder_note);
}

void work(const Step& step, JobQueue& queue) {
  leave_ending_signals_to_main_thread();
  route_library_messages();
  Worker worker(step);
  while (Job* job = queue.pop()) {
    worker.run(*job);
    queue.finish(job);
  }
}

std::string xpath_literal(const std::string& text) {
  // an apostrophe in the text needs the other quotes
  return format_text(text.find('\'') == std::string::npos ? "'%s'" : "\"%s\"", text.c_str());
}

bool interface_has_classes(const std::string& interface) {
  return interface == "cpp" || interface == "dotnet";
}

// Writes the finished jobs in order; false once anything failed.
class PageWriter {
 public:

  void write(Job& job) {
    for (const LibraryMessage& message : job.messages) {
      if (message.error)
        report_error("%s\n", message.text.c_str());
      else
        report_warning("%s\n", message.text.c_str());
    }
    if (job.stays_xml) {
      save(job.xml_name, job.xml);
      ok_ = false;
    } else if (job.ok) {
      save(job.output_name, job.page);
      for (const WrittenPage& page : job.written) pass_on(page);
    } else {
      ok_ = false;
    }
    // what is written is not needed again
    std::string().swap(job.xml);
    std::string().swap(job.page);
    job.written.clear();
    job.messages.clear();
  }
  bool ok() const { return ok_; }

 private:
  void save(const std::string& name, const std::string& text) {
    if (!names_.insert(name).second) {
      report_error("the manual's file %s would be written twice\n", name.c_str());
      ok_ = false;
      return;
    }
    save_manual_file(name, text);
  }
  // A page the stylesheet wrote itself goes to its output file.
  void pass_on(const WrittenPage& page) {
    if (!passed_.insert(page.relative).second) return;
    save(page.relative, page.text);
  }

  std::set<std::string> names_, passed_;
  bool ok_ = true;
};

bool transform(const ManualSources& sources, int workers) {
  const Settings& s = settings();
  const bool latex = s.manual_format == "latex";
  const std::string extension = manual_page_extension();
  const bool with_classes = !sources.classes_xml.empty() && (!latex || interface_has_classes(s.manual_interface));
  const SheetKind operator_kind = latex ? latex_operator : html_operator;
  const SheetKind toc_kind = latex ? latex_toc : html_toc;
  const SheetKind classes_kind = latex ? latex_classes : html_classes;

  DocumentMemory memory;
  xmlInitParser();
  xsltInit();
  xsltRegisterExtModuleFunction(reinterpret_cast<const xmlChar*>("latex_escape"),
                                reinterpret_cast<const xmlChar*>(manual_namespace), latex_escape_function);
  xsltRegisterExtModuleFunction(reinterpret_cast<const xmlChar*>("latex_name"),
                                reinterpret_cast<const xmlChar*>(manual_namespace), latex_name_function);
  xsltRegisterExtModuleFunction(reinterpret_cast<const xmlChar*>("latex_parameter_item"),
                                reinterpret_cast<const xmlChar*>(manual_namespace), latex_parameter_item_function);
  xsltRegisterExtModuleFunction(reinterpret_cast<const xmlChar*>("latex_signature"),
                                reinterpret_cast<const xmlChar*>(manual_namespace), latex_signature_function);
  xsltRegisterExtModuleFunction(reinterpret_cast<const xmlChar*>("phrase"),
                                reinterpret_cast<const xmlChar*>(manual_namespace), phrase_function);
  xsltRegisterExtModuleFunction(reinterpret_cast<const xmlChar*>("class_listed"),
                                reinterpret_cast<const xmlChar*>(manual_namespace), class_listed_function);
  xsltRegisterExtModuleFunction(reinterpret_cast<const xmlChar*>("syntax_text"),
                                reinterpret_cast<const xmlChar*>(manual_namespace), syntax_text_function);
  xsltRegisterExtModuleElement(reinterpret_cast<const xmlChar*>("synopsis"),
                               reinterpret_cast<const xmlChar*>(manual_namespace), nullptr, synopsis_element);
  xsltRegisterExtModuleElement(reinterpret_cast<const xmlChar*>("parameter_term"),
                               reinterpret_cast<const xmlChar*>(manual_namespace), nullptr, parameter_term_element);
  xsltSetGenericErrorFunc(nullptr, piecewise_message);
  route_library_messages();

  Step step;
  const char* temporary = std::getenv("TMPDIR");
  std::string pattern = std::string(temporary != nullptr && temporary[0] != '\0' ? temporary : "/tmp") +
                        "/vornc-manual-XXXXXX";
  TemporaryNote* folder_note = make_scratch_folder(pattern);
  if (folder_note == nullptr) {
    report_error("could not create a scratch folder '%s': %s\n", pattern.c_str(), std::strerror(errno));
    return false;
  }
  step.folder = pattern;
  xmlChar* folder_uri = xmlURIEscapeStr(reinterpret_cast<const xmlChar*>(pattern.c_str()),
                                        reinterpret_cast<const xmlChar*>("/"));
  step.folder_uri = folder_uri != nullptr ? reinterpret_cast<const char*>(folder_uri) : pattern;
  xmlFree(folder_uri);
  step.class_list_xml = sources.class_list_xml;

  // Each stylesheet of the step is parsed once here, to report one that does
  // not parse before any thread starts.
  std::vector<SheetKind> used = {operator_kind, toc_kind};
  if (with_classes) used.push_back(classes_kind);
  if (latex) used.push_back(legacy_conversion);
  for (SheetKind kind : used) {
    const char* name = sheet_names[kind];
    if (stylesheet_resource_text(name) == nullptr) {
      report_warning("Resource file %s does not exist.\n", name);
      continue;
    }
    xsltStylesheetPtr sheet = compile_stylesheet(name, step.folder_uri);
    if (sheet == nullptr) {
      report_error("Failed to parse transformation %s.\nSome or all output files will be in XML format!\n", name);
      continue;
    }
    xsltFreeStylesheet(sheet);
    step.available[kind] = true;
  }
  // without the conversion no LaTeX stylesheet can read the documents
  if (latex && !step.available[legacy_conversion])
    for (SheetKind kind : {latex_operator, latex_toc, latex_classes}) step.available[kind] = false;
  step.native_conversion = latex && step.available[legacy_conversion] &&
                           overrides().count(sheet_names[legacy_conversion]) == 0;
  step.current_syntax = s.manual_interface;

  std::vector<std::string> parameter_texts;
  std::vector<const char*> parameter_names;
  if (latex) {
    parameter_names = {"current_syntax"};
    parameter_texts = {xpath_literal(s.manual_interface)};
  } else {
    parameter_names = {"formula_mode", "figure_mode", "page_extension", "imagedir", "svg_images"};
    parameter_texts = {s.test_mode ? "'ascii'" : "'svg'", s.test_mode ? "'filename_only'" : "'svg'",
                       xpath_literal(extension), xpath_literal(manual_image_folder),
                       svg_images_parameter(manual_image_folder)};
  }
  for (size_t i = 0; i < parameter_names.size(); ++i) {
    step.parameters.push_back(parameter_names[i]);
    step.parameters.push_back(parameter_texts[i].c_str());
  }
  step.parameters.push_back(nullptr);

  // The jobs in the order their pages are written: operators, classes,
  // contents.
  const size_t operator_count = sources.operator_names.size();
  std::vector<std::unique_ptr<Job>> jobs;
  auto add_job = [&jobs](SheetKind kind, const std::string& xml_name, const std::string& xml,
                         const std::string& output_name) {
    jobs.push_back(std::make_unique<Job>());
    Job& job = *jobs.back();
    job.kind = kind;
    job.xml_name = xml_name;
    job.xml = xml;
    job.output_name = output_name;
  };
  for (const std::string& name : sources.operator_names)
    add_job(operator_kind, name + ".xml", "", name + "." + extension);
  if (with_classes) add_job(classes_kind, "classes.xml", sources.classes_xml, "index_classes." + extension);
  add_job(toc_kind, toc_file_name(), sources.toc_xml, "index." + extension);

  size_t thread_count = workers > 0 ? static_cast<size_t>(workers)
                                    : std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
  thread_count = std::min(thread_count, std::max<size_t>(1, jobs.size() / 4));
  JobQueue queue;
  std::vector<std::thread> threads;
  RunningStep running{&queue, &threads, step.folder, folder_note};
  running_step = &running;
  static const bool exit_handler = std::atexit(stop_running_step) == 0;
  (void)exit_handler;
  // asked first while the step runs, and taken out again after it
  xmlRegisterOutputCallbacks(catches_page, open_caught_page, write_caught_page, close_caught_page);
  for (size_t i = 0; i < thread_count; ++i) threads.emplace_back(work, std::cref(step), std::ref(queue));

  auto submit = [&](Job& job) {
    if (step.available[job.kind]) {
      queue.push(&job);
    } else {
      job.stays_xml = true;
      job.done = true;
    }
  };
  // The contents first and the class pages, whose documents are the
  // largest, halfway through the operators: both run beside the operator
  // pages, long enough apart that they never take memory at the same time,
  // and no thread is left alone with a large document at the end.
  submit(*jobs.back());

  PageWriter writer;
  size_t next = 0;
  auto write_next = [&] {
    queue.wait_until_done(jobs[next].get());
    writer.write(*jobs[next]);
    ++next;
  };
  // The LaTeX pages read one interface's signatures: the documents need
  // not carry the others. A document that stays XML is written whole.
  const std::string latex_interface = s.manual_interface.empty() ? "vdevelop" : s.manual_interface;
  const char* reader_interface = latex && step.available[operator_kind] ? latex_interface.c_str() : nullptr;
  // The embedded HTML page spells every name for its interface, which is
  // vdevelop (it gets no current_syntax), through syntax_text only.
  const char* picked_for = !latex && step.available[operator_kind] &&
                                   overrides().count(sheet_names[operator_kind]) == 0
                               ? "vdevelop"
                               : nullptr;
  // a bounded number of operator documents waits in memory
  const size_t in_flight = 16 * thread_count;
  const size_t classes_after = operator_count / 2;
  for (size_t i = 0; i < operator_count; ++i) {
    while (i - next >= in_flight) write_next();
    jobs[i]->xml = sources.operator_xml(i, reader_interface, picked_for);
    submit(*jobs[i]);
    if (with_classes && i + 1 == classes_after) submit(*jobs[operator_count]);
  }
  if (with_classes && classes_after == 0) submit(*jobs[operator_count]);
  while (next < jobs.size()) write_next();

  stop_running_step();
  xmlPopOutputCallbacks();
  xsltCleanupGlobals();
  return writer.ok();
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

std::string latex_escaped(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size() + text.size() / 8);
  size_t plain = 0;  // start of the run of characters that stay as they are
  for (size_t i = 0; i < text.size(); ++i) {
    const char* command = nullptr;
    size_t length = 1;
    switch (text[i]) {
      case '\\': command = "\\textbackslash{}"; break;
      case '{': command = "\\{"; break;
      case '}': command = "\\}"; break;
      case '$': command = "\\$"; break;
      case '&': command = "\\&"; break;
      case '#': command = "\\#"; break;
      case '%': command = "\\%"; break;
      case '_': command = "\\_"; break;
      case '^': command = "\\textasciicircum{}"; break;
      case '~': command = "\\textasciitilde{}"; break;
      case '<': command = "\\textless{}"; break;
      case '>': command = "\\textgreater{}"; break;
      case '|': command = "\\textbar{}"; break;
      case '\xc2':  // U+00A0, no-break space
        if (i + 1 < text.size() && text[i + 1] == '\xa0') {
          command = "~";
          length = 2;
        }
        break;
      default: break;
    }
    if (command == nullptr) continue;
    escaped.append(text, plain, i - plain);
    escaped.append(command);
    i += length - 1;
    plain = i + 1;
  }
  escaped.append(text, plain, std::string::npos);
  return escaped;
}

std::string latex_breakable_name(const std::string& text) {
  auto small_or_digit = [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); };
  std::string name;
  size_t start = 0;  // of the character at hand, which may take several bytes
  while (start < text.size()) {
    size_t end = start + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xc0) == 0x80) ++end;
    name += latex_escaped(text.substr(start, end - start));
    if (end < text.size() && end == start + 1 && small_or_digit(text[start]) && text[end] >= 'A' && text[end] <= 'Z')
      name += "\\allowbreak{}";
    start = end;
  }
  return name;
}

std::string manual_page_extension() {
  const Settings& s = settings();
  if (s.manual_format == "latex") return "tex";
  // "-Rtest" leaves no format name: pages without an extension would be
  // useless, so they get the default one.
  return s.manual_format.empty() ? "html" : s.manual_format;
}

bool transform_manual(const ManualSources& sources, int workers) {
  if (settings().manual_format == "xml") return true;
  return transform(sources, workers);
}
