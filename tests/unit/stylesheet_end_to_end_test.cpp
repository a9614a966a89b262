// vornc -R with HTML and XML formats over a small definition file: the run
// leaves exactly the pages (or the XML files), every page reads as HTML, and
// no stylesheet, classes.xml or class_list.xml is left behind.
#include <gtest/gtest.h>

#include "stylesheet_test_support.h"

namespace {

using namespace stylesheet_test;

const char* const definition =
    "add_offset <- CAddOffset[Image:ImageOut:Offset:];\n"
    "short.english: Add an offset to each gray value.;\n"
    "short.german: Einen Offset addieren.;\n"
    "abstract.english: The offset may be negative: 50% of $g$.\n"
    "  \\begin{Table}{lr}\n  a & 1 \\\\\n  b & 2\n  \\end{Table};\n"
    "chapter.english: Arithmetic, Offsets;\n"
    "chapter.german: Arithmetik, Verschiebungen;\n"
    "module: foundation;\n"
    "see_also: add_offset;\n"
    "parameter Image: input_object;\n  description.english: Input image.;\n  sem_type: image;\n"
    "  type_list: byte;\n"
    "parameter ImageOut: output_object;\n  description.english: Result image.;\n  sem_type: image;\n"
    "parameter Offset: input_control;\n  description.english: Offset to add.;\n  sem_type: number;\n"
    "  type_list: real;\n  default_type: real;\n  multivalue: false;\n  default_value: 1.5;\n";

class EndToEnd : public ScratchDirectory {
 protected:
  int run(const std::string& options) {
    write_file("ops.def", definition);
    std::string command = std::string("'") + VORNC_BINARY + "' " + options + " ops.def > stdout.txt 2> stderr.txt";
    int status = std::system(command.c_str());
    errors_ = read_file("stderr.txt");
    std::remove("stdout.txt");
    std::remove("stderr.txt");
    std::remove("ops.def");
    return status;
  }
  std::string errors_;
};

TEST_F(EndToEnd, HtmlRunLeavesOnlyPages) {
  ASSERT_EQ(run("-W -Rhtml"), 0) << errors_;
  EXPECT_EQ(errors_, "");
  std::vector<std::string> expected = {"VUser.html",         "add_offset.html",  "index.html",
                                       "index_by_name.html", "index_classes.html", "legal_notes.html",
                                       "search.js", "search_index.js",
                                       "toc_arithmetic.html", "toc_arithmetic_offsets.html"};
  EXPECT_EQ(files(), expected);
  for (const std::string& page : expected)
    if (page.find(".html") != std::string::npos) EXPECT_EQ(xmllint_html(page), "") << page;
  std::string page = read_file("add_offset.html");
  EXPECT_TRUE(contains(page, "<code>add_offset</code> — Add an offset to each gray value."));
  EXPECT_TRUE(contains(page, "<table class=\"markup \"><tr><td style=\"text-align: left\">"));
  EXPECT_TRUE(contains(page, "<td style=\"text-align: right\"> 1 </td>"));
  EXPECT_TRUE(contains(page, "<a href=\"add_offset.html\" class=\"opref\"><code>add_offset</code></a>"));
  EXPECT_TRUE(contains(page, "VUser</a>::<b>AddOffset</b>"));
  EXPECT_TRUE(contains(read_file("toc_arithmetic_offsets.html"), "<a href=\"add_offset.html\">"));
}

TEST_F(EndToEnd, GermanTestVariantWritesGermanPagesWithoutImages) {
  ASSERT_EQ(run("-W -lde_DE -Rtesthtml"), 0) << errors_;
  std::string page = read_file("add_offset.html");
  EXPECT_TRUE(contains(page, "<html lang=\"de-DE\">"));
  EXPECT_TRUE(contains(page, "Einen Offset addieren."));
  EXPECT_FALSE(contains(page, "<img"));
  EXPECT_TRUE(contains(read_file("index.html"), "Referenzhandbuch"));
  // chapter pages are named after the English chapter identifiers
  EXPECT_TRUE(contains(read_file("toc_arithmetic.html"), "<h1>Kapitel Arithmetik</h1>"));
  EXPECT_TRUE(file_exists("toc_arithmetic_offsets.html"));
}

TEST_F(EndToEnd, XmlRunExtractsNoStylesheet) {
  ASSERT_EQ(run("-W -Rxml"), 0) << errors_;
  EXPECT_EQ(files(), (std::vector<std::string>{"add_offset.xml", "class_list.xml", "classes.xml", "user_index.xml"}));
}

}  // namespace
