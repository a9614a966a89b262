// The embedded stylesheet resources: the nine names, each a well-formed
// XSLT 1.0 stylesheet with its output method, the shared phrase table in
// three languages and a template for every markup element; extraction
// writes the file and records it, an unknown name is only warned about.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>
#include <libxslt/xsltInternals.h>

#include <set>

#include "stylesheet_test_support.h"

namespace {

using namespace stylesheet_test;

const std::vector<std::string> nine_names = {
    "si_operator_html.xsl", "si_toc_html.xsl", "si_classes_html.xsl",
    "convert_si_to_legacy.xsl", "operator_latex.xsl", "toc_latex.xsl",
    "classes_latex.xsl", "operator_html.xsl", "toc_html.xsl"};

const std::vector<std::string> markup_elements = {
    "alignment", "ascii", "b", "backslash", "br", "chapref", "dd", "dl", "dt", "em", "figure",
    "format", "formula", "i", "inline_formula", "latex", "li", "external", "mono", "ol", "opref",
    "p", "parname", "parref", "syntax", "table", "tc", "td", "tr", "trademark", "resultstate",
    "ul", "valref"};

// Parses a resource text the way the manual step loads stylesheets.
xmlDocPtr parse_resource(const std::string& name) {
  const std::string* text = stylesheet_resource_text(name);
  if (text == nullptr) return nullptr;
  xmlSubstituteEntitiesDefault(1);
  xmlLoadExtDtdDefaultValue = 0;
  return xmlReadMemory(text->data(), static_cast<int>(text->size()), name.c_str(), nullptr, 0);
}

// Evaluates an XPath number over a stylesheet document.
double xpath_number(xmlDocPtr doc, const char* expression) {
  xmlXPathContextPtr context = xmlXPathNewContext(doc);
  xmlXPathRegisterNs(context, BAD_CAST "xsl", BAD_CAST "http://www.w3.org/1999/XSL/Transform");
  xmlXPathRegisterNs(context, BAD_CAST "v", BAD_CAST "urn:vornc:manual");
  xmlXPathObjectPtr result = xmlXPathEvalExpression(BAD_CAST expression, context);
  double value = result != nullptr ? xmlXPathCastToNumber(result) : -1;
  xmlXPathFreeObject(result);
  xmlXPathFreeContext(context);
  return value;
}

std::string xpath_string(xmlDocPtr doc, const char* expression) {
  xmlXPathContextPtr context = xmlXPathNewContext(doc);
  xmlXPathRegisterNs(context, BAD_CAST "xsl", BAD_CAST "http://www.w3.org/1999/XSL/Transform");
  xmlXPathObjectPtr result = xmlXPathEvalExpression(BAD_CAST expression, context);
  xmlChar* text = result != nullptr ? xmlXPathCastToString(result) : nullptr;
  std::string value = text != nullptr ? reinterpret_cast<const char*>(text) : "";
  xmlFree(text);
  xmlXPathFreeObject(result);
  xmlXPathFreeContext(context);
  return value;
}

TEST(StylesheetResources, TheNineNamesAreEmbeddedAndEachParsesAsXslt) {
  std::vector<std::string> names = stylesheet_resource_names();
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()),
            std::set<std::string>(nine_names.begin(), nine_names.end()));
  for (const std::string& name : nine_names) {
    xmlDocPtr doc = parse_resource(name);
    ASSERT_NE(doc, nullptr) << name;
    EXPECT_EQ(xpath_string(doc, "string(/xsl:stylesheet/@version)"), "1.0") << name;
    xsltStylesheetPtr sheet = xsltParseStylesheetDoc(doc);  // takes the document
    ASSERT_NE(sheet, nullptr) << name;
    xsltFreeStylesheet(sheet);
  }
}

TEST(StylesheetResources, OutputMethodsFollowTheRoleOfEachStylesheet) {
  struct Expected {
    const char* name;
    const char* method;
    const char* encoding;
  };
  const Expected expected[] = {
      {"si_operator_html.xsl", "html", "UTF-8"}, {"si_toc_html.xsl", "html", "UTF-8"},
      {"si_classes_html.xsl", "html", "UTF-8"},  {"convert_si_to_legacy.xsl", "xml", "iso-8859-1"},
      {"operator_latex.xsl", "text", "UTF-8"},   {"toc_latex.xsl", "text", "UTF-8"},
      {"classes_latex.xsl", "text", "UTF-8"},    {"operator_html.xsl", "html", "UTF-8"},
      {"toc_html.xsl", "html", "UTF-8"}};
  for (const Expected& e : expected) {
    xmlDocPtr doc = parse_resource(e.name);
    ASSERT_NE(doc, nullptr) << e.name;
    EXPECT_EQ(xpath_string(doc, "string(/xsl:stylesheet/xsl:output/@method)"), e.method) << e.name;
    EXPECT_EQ(xpath_string(doc, "string(/xsl:stylesheet/xsl:output/@encoding)"), e.encoding) << e.name;
    xmlFreeDoc(doc);
  }
  xmlDocPtr doc = parse_resource("si_operator_html.xsl");
  EXPECT_EQ(xpath_string(doc, "string(/xsl:stylesheet/xsl:output/@doctype-system)"), "about:legacy-compat");
  EXPECT_EQ(xpath_string(doc, "string(/xsl:stylesheet/xsl:output/@indent)"), "no");
  xmlFreeDoc(doc);
  doc = parse_resource("convert_si_to_legacy.xsl");
  EXPECT_EQ(xpath_string(doc, "string(/xsl:stylesheet/xsl:output/@indent)"), "no");
  xmlFreeDoc(doc);
}

TEST(StylesheetResources, EveryStylesheetCarriesTheSamePhraseTableInThreeLanguages) {
  std::string reference;
  for (const std::string& name : nine_names) {
    xmlDocPtr doc = parse_resource(name);
    ASSERT_NE(doc, nullptr) << name;
    EXPECT_EQ(xpath_number(doc, "count(/xsl:stylesheet/v:phrases/v:phrase)"), 99) << name;
    EXPECT_EQ(xpath_number(doc, "count(/xsl:stylesheet/v:phrases/v:phrase[v:en_US and v:de_DE and v:ja_JP])"), 99)
        << name;
    // every translation but the empty chapter suffixes has text
    EXPECT_EQ(xpath_number(doc, "count(/xsl:stylesheet/v:phrases/v:phrase[@id != 'title_chapter_suffix']"
                                "/*[normalize-space(.) = '' and local-name() != 'ja_JP'])"),
              0)
        << name;
    EXPECT_EQ(xpath_number(doc, "count(/xsl:stylesheet/v:phrases/v:phrase/v:ja_JP[normalize-space(.) = ''])"), 0)
        << name;
    // the same table, and the same interface list, in each stylesheet
    xmlXPathContextPtr context = xmlXPathNewContext(doc);
    xmlXPathRegisterNs(context, BAD_CAST "v", BAD_CAST "urn:vornc:manual");
    xmlXPathRegisterNs(context, BAD_CAST "xsl", BAD_CAST "http://www.w3.org/1999/XSL/Transform");
    xmlXPathObjectPtr table = xmlXPathEvalExpression(BAD_CAST "/xsl:stylesheet/v:phrases", context);
    ASSERT_TRUE(table != nullptr && table->nodesetval != nullptr && table->nodesetval->nodeNr == 1);
    xmlBufferPtr buffer = xmlBufferCreate();
    xmlNodeDump(buffer, doc, table->nodesetval->nodeTab[0], 0, 0);
    std::string dumped = reinterpret_cast<const char*>(xmlBufferContent(buffer));
    xmlBufferFree(buffer);
    xmlXPathFreeObject(table);
    xmlXPathFreeContext(context);
    if (reference.empty())
      reference = dumped;
    else
      EXPECT_EQ(dumped, reference) << name;
    xmlFreeDoc(doc);
  }
  xmlDocPtr doc = parse_resource("si_toc_html.xsl");
  EXPECT_EQ(xpath_number(doc, "count(/xsl:stylesheet/v:phrases/v:phrase[@id = 'text_copyright_holder' or "
                              "@id = 'legal_note' or @id = 'sec_parameters' or @id = 'title_toc'])"),
            4);
  xmlFreeDoc(doc);
}

// The common block is kept once, in common.xsl; the build puts it in place of
// one placeholder line of each stylesheet source, so that every embedded
// stylesheet stands alone.
TEST(StylesheetResources, EachStylesheetIsItsSourceWithTheCommonBlockInPlaceOfThePlaceholder) {
  const std::string sources = std::string(VORNC_TESTS_DIR) + "/../gen/manual/stylesheets/";
  const std::string placeholder = "  <!-- common block: common.xsl -->\n";
  const std::string end_line = "  <!-- ================= end of the common block ================= -->\n";
  const std::string common = read_file(sources + "common.xsl");
  size_t begin = common.find("  <v:phrases>\n");
  size_t end = common.find(end_line);
  ASSERT_NE(begin, std::string::npos);
  ASSERT_NE(end, std::string::npos);
  const std::string block = common.substr(begin, end + end_line.size() - begin);
  // language, interface list, file names and the helpers live there
  for (const char* part : {"'de_DE'", "'ja_JP'", "<v:interface id=\"dotnet\" title=\".NET\" classes=\"yes\"/>",
                           "'index_by_name'", "'legal_notes'", "'index_classes'", "proc_", "page_extension",
                           "output_path", "name=\"replace_substring\"", "name=\"latex_escape\"",
                           "name=\"class_link\"", "name=\"phrase\""})
    EXPECT_NE(block.find(part), std::string::npos) << part;
  for (const std::string& name : nine_names) {
    std::string source = read_file(sources + name);
    size_t at = source.find(placeholder);
    ASSERT_NE(at, std::string::npos) << name;
    EXPECT_EQ(source.find(placeholder, at + 1), std::string::npos) << name;
    EXPECT_EQ(source.find("end of the common block"), std::string::npos) << name << " carries its own copy";
    source.replace(at, placeholder.size(), block);
    EXPECT_EQ(*stylesheet_resource_text(name), source) << name;
  }
  EXPECT_EQ(stylesheet_resource_text("common.xsl"), nullptr);  // no resource of its own
}

TEST(StylesheetResources, HtmlAndLatexStylesheetsHaveATemplateForEveryMarkupElement) {
  for (const std::string& name : nine_names) {
    if (name == "convert_si_to_legacy.xsl") continue;  // copies what it does not change
    xmlDocPtr doc = parse_resource(name);
    ASSERT_NE(doc, nullptr);
    for (const std::string& element : markup_elements) {
      std::string expression = "count(/xsl:stylesheet/xsl:template[not(@mode)]"
                               "[contains(concat(' ', translate(@match, '|', ' '), ' '), ' " + element + " ')])";
      EXPECT_GE(xpath_number(doc, expression.c_str()), 1) << name << ": " << element;
    }
    xmlFreeDoc(doc);
  }
}

class StylesheetExtraction : public ScratchDirectory {};

TEST_F(StylesheetExtraction, WritesTheTextUnderItsNameAndRecordsIt) {
  std::vector<std::string> temporary = {"earlier.xsl"};
  ASSERT_TRUE(extract_stylesheet_resource("toc_latex.xsl", temporary));
  EXPECT_EQ(temporary, (std::vector<std::string>{"earlier.xsl", "toc_latex.xsl"}));
  EXPECT_EQ(read_file("toc_latex.xsl"), *stylesheet_resource_text("toc_latex.xsl"));
}

TEST_F(StylesheetExtraction, AnUnknownNameIsWarnedAboutAndWritesNothing) {
  std::vector<std::string> temporary;
  testing::internal::CaptureStderr();
  EXPECT_FALSE(extract_stylesheet_resource("missing.xsl", temporary));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "vornc warning: Resource file missing.xsl does not exist.\n");
  EXPECT_TRUE(temporary.empty());
  EXPECT_FALSE(file_exists("missing.xsl"));
  EXPECT_EQ(stylesheet_resource_text("missing.xsl"), nullptr);
}

TEST_F(StylesheetExtraction, AnOverrideReplacesTheTextUntilCleared) {
  override_stylesheet_resource("toc_html.xsl", "broken");
  EXPECT_EQ(*stylesheet_resource_text("toc_html.xsl"), "broken");
  override_stylesheet_resource("toc_html.xsl", "");
  EXPECT_NE(*stylesheet_resource_text("toc_html.xsl"), "broken");
}

}  // namespace
