// The conversion into the older layout done on the parsed document: it must
// build the tree that convert_si_to_legacy.xsl builds, for every interface
// and each kind of document, without neighbouring texts, and survive any
// nesting depth.
#include "gen/manual/legacy_layout.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>

#include "driver/diagnostics.h"
#include "stylesheet_test_support.h"

namespace {

using namespace stylesheet_test;

constexpr int document_options = XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_HUGE | XML_PARSE_COMPACT;

// Examples grouped per interface, a group only for some, top-level examples
// that make groups redundant, a constructor before the method, signatures
// of interfaces the operator lacks, names spelled per interface with and
// without the interface's own spelling.
const char* const operator_body =
    "<operator id=\"gen_thing\" interface=\"%s\">\n"
    "  <document version=\"23.05.0.0\" language=\"en_US\" interface=\"%s\" copyright=\"\" author=\"A\"/>\n"
    "<signatures interface=\"vdevelop\"><signature id=\"gen_thing\" name=\"gen_thing\"/></signatures>\n"
    "<signatures interface=\"cpp\"><signature type=\"constructor\" id=\"gen_thing\" name=\"VThing\"/>"
    "<signature type=\"method\" id=\"gen_thing\" name=\"GenThing\"/></signatures>\n"
    "<signatures interface=\"python\"><signature type=\"constructor\" id=\"gen_thing\" name=\"Thing\"/></signatures>\n"
    "<summary>Makes a <opref id=\"thing\">  plain\n  name </opref> and <parref id=\"Width\">"
    "<syntax interface=\"vdevelop\">Width</syntax><syntax interface=\"python\">width</syntax></parref>, "
    "<valref><syntax interface=\"c\">\"x\"</syntax><syntax interface=\"cpp\">X</syntax></valref>.</summary>\n"
    "<parameters><parameter id=\"Width\" mode=\"input\">\n"
    "  <name><syntax interface=\"vdevelop\">Width</syntax><syntax interface=\"cpp\">width</syntax></name>\n"
    "  <type id=\"integer\">integer</type>\n"
    "  <subtype name=\"real\"/><subtype><syntax interface=\"dotnet\">double</syntax></subtype>\n"
    "</parameter></parameters>\n"
    "%s"
    "<syntax interface=\"cpp\"><example>cpp example</example> text <example>second</example></syntax>\n"
    "<syntax interface=\"python\"><example>python example</example></syntax>\n"
    "</operator>\n";

std::string operator_document(const std::string& own_interface, const std::string& document_interface,
                              bool top_level_example) {
  std::string body = format_text(operator_body, own_interface.c_str(), document_interface.c_str(),
                                 top_level_example ? "<example>top</example>\n" : "");
  if (own_interface.empty()) {
    // an operator without interface attribute has every interface
    const std::string attribute = " interface=\"\"";
    body.erase(body.find(attribute), attribute.size());
  }
  return xml_header("operator") + body;
}

std::string toc_document() {
  return xml_header("toc") +
         "<toc>\n  <document version=\"1\" language=\"en_US\"/>\n"
         "  <chapter id=\"a\" name=\"A\">\n"
         "<operator id=\"one\">\n    <syntax interface=\"vdevelop\">one</syntax>\n"
         "    <syntax interface=\"cpp\">One</syntax>\n<summary>First.</summary>\n</operator>\n"
         "<operator id=\"two\"> Two  text <summary>Second.</summary></operator>\n"
         "  </chapter>\n</toc>\n";
}

std::string classes_document() {
  return xml_header("classes") +
         "<classes>\n  <document version=\"1\" language=\"en_US\"/>\n"
         "  <class id=\"VThing\" extra=\"x\">\n    <syntax interface=\"cpp\">\n      <name>VThing</name>\n"
         "      <description>A <opref id=\"gen_thing\"><syntax interface=\"cpp\">GenThing</syntax></opref>.</description>\n"
         "    </syntax>\n    <syntax interface=\"dotnet\"><name>Thing</name></syntax>\n  </class>\n"
         "  <class id=\"VOther\"><syntax interface=\"dotnet\"><name>Other</name></syntax></class>\n"
         "</classes>\n";
}

class LegacyLayout : public ScratchDirectory {
 protected:
  // The converted document as the conversion stylesheet's output method
  // writes it, so that both trees are compared in the same form.
  std::string native(const std::string& xml, const std::string& interface) {
    xmlDocPtr doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "input.xml", nullptr, document_options);
    EXPECT_NE(doc, nullptr);
    if (doc == nullptr) return "";
    convert_to_legacy_layout(doc, interface);
    std::vector<std::string> temporary;
    EXPECT_TRUE(extract_stylesheet_resource("convert_si_to_legacy.xsl", temporary));
    xsltStylesheetPtr sheet = xsltParseStylesheetFile(reinterpret_cast<const xmlChar*>("convert_si_to_legacy.xsl"));
    std::string text;
    xmlChar* buffer = nullptr;
    int length = 0;
    if (sheet != nullptr && xsltSaveResultToString(&buffer, &length, doc, sheet) == 0 && buffer != nullptr)
      text.assign(reinterpret_cast<const char*>(buffer), static_cast<size_t>(length));
    xmlFree(buffer);
    if (sheet != nullptr) xsltFreeStylesheet(sheet);
    xmlFreeDoc(doc);
    std::remove("convert_si_to_legacy.xsl");
    return text;
  }
  std::string by_stylesheet(const std::string& xml, const std::string& interface) {
    return apply("convert_si_to_legacy.xsl", xml, {{"current_syntax", "'" + interface + "'"}});
  }
};

TEST_F(LegacyLayout, BuildsWhatTheStylesheetBuildsForEveryInterfaceAndDocument) {
  const std::vector<std::string> interfaces = {"vdevelop", "c", "cpp", "python", "dotnet", ""};
  for (const std::string& interface : interfaces) {
    std::vector<std::string> documents = {toc_document(), classes_document()};
    for (const char* own : {"", "all", "cpp", "python"})
      for (bool top_level_example : {false, true})
        documents.push_back(operator_document(own, "", top_level_example));
    // the document element's interface wins over the parameter
    documents.push_back(operator_document("all", "python", false));
    for (const std::string& xml : documents) {
      std::string expected = by_stylesheet(xml, interface);
      ASSERT_FALSE(expected.empty());
      EXPECT_EQ(native(xml, interface), expected) << "interface '" << interface << "' of\n" << xml;
    }
  }
}

// The LaTeX step hands over operator documents whose signature blocks of
// other interfaces are reduced to their last line end: they convert to the
// document the full one converts to.
TEST_F(LegacyLayout, SignatureBlocksOfOtherInterfacesMayBeLeftOutAsTheirLineEnds) {
  const std::string full = fixture("threshold.xml");
  for (const std::string interface : {"vdevelop", "c", "cpp", "python", "dotnet"}) {
    std::string reduced = full;
    size_t blocks = 0;
    for (size_t start = 0; (start = reduced.find("<signatures interface=\"", start)) != std::string::npos;) {
      const std::string end_tag = "</signatures>\n";
      size_t end = reduced.find(end_tag, start) + end_tag.size();
      const std::string own_tag = "<signatures interface=\"" + interface + "\">";
      if (reduced.compare(start, own_tag.size(), own_tag) == 0) {
        start = end;
        continue;
      }
      reduced.replace(start, end - start, "\n");
      ++blocks;
    }
    EXPECT_EQ(blocks, 5u) << interface;
    EXPECT_EQ(native(reduced, interface), native(full, interface)) << interface;
  }
}

TEST_F(LegacyLayout, TextsAroundARemovedElementBecomeOneNode) {
  std::string xml = xml_header("operator") +
                    "<operator id=\"a\">before <signatures interface=\"c\"/> after<syntax interface=\"c\">"
                    "<example>e</example></syntax><syntax interface=\"cpp\"/> end</operator>";
  xmlDocPtr doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "a.xml", nullptr, document_options);
  ASSERT_NE(doc, nullptr);
  convert_to_legacy_layout(doc, "cpp");
  EXPECT_EQ(doc->intSubset, nullptr);
  xmlNodePtr root = xmlDocGetRootElement(doc);
  std::vector<std::string> texts;
  for (xmlNodePtr child = root->children; child != nullptr; child = child->next) {
    ASSERT_EQ(child->type, XML_TEXT_NODE);
    texts.push_back(reinterpret_cast<const char*>(child->content));
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"before  after end"}));
  xmlFreeDoc(doc);
}

TEST_F(LegacyLayout, DeeplyNestedTextsAreConverted) {
  const int depth = 200000;
  std::string xml = xml_header("operator") + "<operator id=\"a\"><description>";
  for (int i = 0; i < depth; ++i) xml += "<b>";
  xml += "<opref id=\"x\"><syntax interface=\"cpp\">X</syntax></opref>";
  for (int i = 0; i < depth; ++i) xml += "</b>";
  xml += "</description></operator>";
  xmlDocPtr doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "a.xml", nullptr, document_options);
  ASSERT_NE(doc, nullptr);
  convert_to_legacy_layout(doc, "cpp");
  xmlNodePtr node = xmlDocGetRootElement(doc)->children;  // description
  int levels = 0;
  for (node = node->children; node != nullptr && std::string(reinterpret_cast<const char*>(node->name)) == "b";
       node = node->children)
    ++levels;
  EXPECT_EQ(levels, depth);
  ASSERT_NE(node, nullptr);
  xmlChar* text = xmlNodeGetContent(node);
  EXPECT_STREQ(reinterpret_cast<const char*>(text), "X");
  xmlFree(text);
  xmlFreeDoc(doc);
}

}  // namespace
