// The program's own text of HTML pages against libxml2's HTML serializer
// without indentation: every tree it writes comes out byte for byte as the
// library writes it, and every tree it might write differently is left to
// the library, with the page untouched.
#include "gen/manual/html_page_text.h"

#include <gtest/gtest.h>
#include <libxml/HTMLtree.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>

#include <string>

namespace {

// A result tree like the stylesheets' from XML text, with the encoding of
// their xsl:output.
xmlDocPtr tree(const std::string& xml) {
  xmlDocPtr doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "page.xml", nullptr, XML_PARSE_NONET);
  if (doc != nullptr && doc->encoding == nullptr) doc->encoding = xmlStrdup(reinterpret_cast<const xmlChar*>("UTF-8"));
  return doc;
}

std::string library_text(xmlDocPtr doc) {
  xmlOutputBufferPtr buffer = xmlAllocOutputBuffer(nullptr);
  htmlDocContentDumpFormatOutput(buffer, doc, "UTF-8", 0);
  xmlOutputBufferFlush(buffer);
  std::string text(reinterpret_cast<const char*>(xmlOutputBufferGetContent(buffer)), xmlOutputBufferGetSize(buffer));
  xmlOutputBufferClose(buffer);
  return text;
}

// The page as the program writes it after `before`, which must stay.
std::string own_text(xmlDocPtr doc, bool& written) {
  std::string page = "before";
  written = append_html_page_text(doc, page);
  EXPECT_EQ(page.compare(0, 6, "before"), 0);
  return page.substr(6);
}

void expect_as_library(const std::string& xml) {
  xmlDocPtr doc = tree(xml);
  ASSERT_NE(doc, nullptr) << xml;
  bool written = false;
  std::string own = own_text(doc, written);
  EXPECT_TRUE(written) << xml;
  EXPECT_EQ(own, library_text(doc)) << xml;
  xmlFreeDoc(doc);
}

void expect_left_to_library(xmlDocPtr doc) {
  ASSERT_NE(doc, nullptr);
  bool written = true;
  std::string own = own_text(doc, written);
  EXPECT_FALSE(written);
  EXPECT_EQ(own, "");
  xmlFreeDoc(doc);
}

void expect_left_to_library(const std::string& xml) {
  SCOPED_TRACE(xml);
  expect_left_to_library(tree(xml));
}

const char* const page_type = "<!DOCTYPE html SYSTEM \"about:legacy-compat\">";

TEST(HtmlPageText, PagesComeOutAsTheLibraryWritesThem) {
  // a page as the operator stylesheet builds it
  expect_as_library(std::string(page_type) +
                    "<html lang=\"en-US\"><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                    "charset=UTF-8\"/><title>a &lt; b</title><style>\n  div > a { margin: 0; }\n</style></head>"
                    "<body><div class=\"bar\"><a href=\"index.html\">Contents</a><span class=\"search\">"
                    "<input type=\"search\" id=\"search_box\" autocomplete=\"off\"/><ul id=\"search_results\"/>"
                    "</span></div><script src=\"search.js\"/><h1 id=\"name\">threshold</h1>"
                    "<p class=\"name\"><code>threshold</code> \xe2\x80\x94 Gr\xc3\xb6\xc3\x9f" "e &amp; Werte "
                    "&lt;0&gt;</p><!-- a comment --><table class=\"params\"><tr><td>1</td><td/></tr></table>"
                    "<dl><dt id=\"p_Region\"><i>Region</i></dt><dd>\tIn\n lines</dd></dl>"
                    "<p><a href=\"toc_hull_compute.html#x?a=1&amp;b=2\">x</a><br/></p></body></html>");
  // without a document type, and with the type's other system names left
  expect_as_library("<html><body><p>text</p></body></html>");
  expect_as_library("<!DOCTYPE html><html><body/></html>");
}

TEST(HtmlPageText, ElementsWithoutContent) {
  // empty elements never get an end tag, even with content; the others get
  // theirs as the library's element table says
  expect_as_library(std::string(page_type) +
                    "<html><head/><body><br/><hr>lost</hr><img src=\"a.png\"/><p/><div/><td/><li/><option/>"
                    "<span/><unknown/><b></b></body></html>");
  expect_as_library("<html/>");
  expect_as_library("<body/>");
}

TEST(HtmlPageText, AttributesAsTheLibraryWritesThem) {
  // boolean attributes without value, escaped values, URIs that need no
  // escaping, name on a link
  expect_as_library(std::string(page_type) +
                    "<html><body><input type=\"checkbox\" checked=\"checked\" disabled=\"yes\"/>"
                    "<p title=\"a &lt; b &amp; c &gt; d \xc3\xa4\" class=\"x\">t</p>"
                    "<a name=\"sec_1\" href=\"../a/b-c_d.html#e:f;g,h+i@j%20\">k</a>"
                    "<form action=\"run?x=1\"><p name=\"free text\">n</p></form></body></html>");
}

TEST(HtmlPageText, TextOfScriptAndStyleAndUnescapedText) {
  expect_as_library("<html><head><style>a &lt; b &amp; c</style><SCRIPT>if (a &lt; b &amp;&amp; c) {}</SCRIPT></head>"
                    "</html>");
  // text whose escaping the stylesheet disabled
  xmlDocPtr doc = tree("<html><body><p>&lt;b&gt; &amp;</p></body></html>");
  ASSERT_NE(doc, nullptr);
  xmlNodePtr text = xmlDocGetRootElement(doc)->children->children->children;
  ASSERT_EQ(text->type, XML_TEXT_NODE);
  text->name = xmlStringTextNoenc;
  bool written = false;
  EXPECT_EQ(own_text(doc, written), library_text(doc));
  EXPECT_TRUE(written);
  EXPECT_NE(library_text(doc).find("<p><b> &</p>"), std::string::npos);
  xmlFreeDoc(doc);
}

TEST(HtmlPageText, TreesTheLibraryMightWriteOtherwiseAreLeftToIt) {
  const std::string html = "<html><body>";
  const std::string end = "</body></html>";
  // quotes and the library's own forms in attribute values
  expect_left_to_library(html + "<p title='say \"x\"'>t</p>" + end);
  expect_left_to_library(html + "<p title=\"&lt;!-- x --&gt;\">t</p>" + end);
  expect_left_to_library(html + "<p title=\"a &amp;{b}\">t</p>" + end);
  expect_left_to_library(html + "<p title=\"\">t</p>" + end);
  // URIs the library escapes
  expect_left_to_library(html + "<a href=\" a.html\">t</a>" + end);
  expect_left_to_library(html + "<a href=\"a b.html\">t</a>" + end);
  expect_left_to_library(html + "<img src=\"\xc3\xa4.png\"/>" + end);
  expect_left_to_library(html + "<a name=\"a b\">t</a>" + end);
  // control characters
  expect_left_to_library(html + "<p>a&#13;b</p>" + end);
  expect_left_to_library(html + "<p title=\"a&#13;b\">t</p>" + end);
  // namespaces, other nodes
  expect_left_to_library(html + "<svg xmlns=\"http://www.w3.org/2000/svg\"/>" + end);
  expect_left_to_library(html + "<p xmlns:x=\"urn:x\" x:a=\"1\">t</p>" + end);
  expect_left_to_library(html + "<p><![CDATA[a < b]]></p>" + end);
  expect_left_to_library(html + "<p><?page break?></p>" + end);
  expect_left_to_library("<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"x.dtd\"><html/>");
  // without an encoding the library writes other characters as references
  xmlDocPtr unencoded = tree("<html><body><p>Gr\xc3\xb6\xc3\x9f" "e</p></body></html>");
  ASSERT_NE(unencoded, nullptr);
  xmlFree(const_cast<xmlChar*>(unencoded->encoding));
  unencoded->encoding = nullptr;
  expect_left_to_library(unencoded);
  // a document of nothing but its type, and no document
  xmlDocPtr type_only = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
  xmlCreateIntSubset(type_only, reinterpret_cast<const xmlChar*>("html"), nullptr,
                     reinterpret_cast<const xmlChar*>("about:legacy-compat"));
  expect_left_to_library(type_only);
  std::string page;
  EXPECT_FALSE(append_html_page_text(nullptr, page));
}

}  // namespace
