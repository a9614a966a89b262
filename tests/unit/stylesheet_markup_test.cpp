// Each markup element of the documentation texts, as the operator page (HTML)
// and the operator file (LaTeX, through the conversion into the older
// layout) write it.
#include <gtest/gtest.h>

#include "stylesheet_test_support.h"

namespace {

using namespace stylesheet_test;

// An operator file whose description holds the given markup.
std::string operator_with_description(const std::string& markup, const std::string& language = "en_US") {
  return xml_header("operator") + "<operator id=\"op\" interface=\"all\">\n"
         "  <document version=\"23.05.0.0\" language=\"" + language + "\" copyright=\"\" author=\"\" url=\"\" "
         "system=\"false\" architecture=\"\"/>\n"
         "<signatures interface=\"vdevelop\">\n<signature id=\"op\" name=\"op\">\n  <parameters>\n  </parameters>\n"
         "</signature>\n</signatures>\n"
         "<description>" + markup + "</description>\n</operator>\n";
}

class StylesheetMarkup : public ScratchDirectory {
 protected:
  void SetUp() override {
    ScratchDirectory::SetUp();
    write_file("class_list.xml", fixture("class_list.xml"));
  }
  // The description part of the HTML page.
  std::string html(const std::string& markup, const std::string& formula_mode = "'ascii'") {
    std::string page = apply("si_operator_html.xsl", operator_with_description(markup),
                             {{"formula_mode", formula_mode}, {"figure_mode", "'filename_only'"}});
    size_t begin = page.find("<h2>Description</h2>");
    size_t end = page.find("<div class=\"footer\">");
    EXPECT_NE(begin, std::string::npos) << page;
    if (begin == std::string::npos || end == std::string::npos) return page;
    return page.substr(begin, end - begin);
  }
  // The description part of the LaTeX operator file for an interface.
  std::string latex(const std::string& markup, const std::string& interface = "c") {
    std::string parameter = "'" + interface + "'";
    std::string legacy = apply("convert_si_to_legacy.xsl", operator_with_description(markup),
                               {{"current_syntax", parameter}});
    std::string tex = apply("operator_latex.xsl", legacy, {{"current_syntax", parameter}});
    EXPECT_TRUE(braces_balanced(tex)) << tex;
    size_t begin = tex.find("\\vornixheading{Description}\n");
    EXPECT_NE(begin, std::string::npos) << tex;
    return begin == std::string::npos ? tex : tex.substr(begin + 28);
  }
};

TEST_F(StylesheetMarkup, InlineElements) {
  std::string h = html("<p>a <b>b</b> <i>i</i> <em>e</em> <mono>m_x</mono> x<br/>y<backslash/>z</p>");
  EXPECT_TRUE(contains(h, "<p>a <b>b</b> <i>i</i> <em>e</em> <code>m_x</code> x<br>y\\z</p>")) << h;
  std::string l = latex("<p>a <b>b</b> <i>i</i> <em>e</em> <mono>m_x</mono> x<br/>y<backslash/>z</p>");
  EXPECT_EQ(l, "a \\textbf{b} \\textit{i} \\emph{e} \\texttt{m\\_x} x\\leavevmode\\\\\ny\\textbackslash{}z\n\n\n");
}

TEST_F(StylesheetMarkup, ParagraphTitleAndEmptyParagraphs) {
  std::string h = html("<p>one</p>\n<p title=\"Note\">two</p><p>\n</p>");
  EXPECT_TRUE(contains(h, "<p>one</p>\n<h4 class=\"paragraph\">Note</h4><p>two</p></div>")) << h;
  std::string l = latex("<p>one</p>\n<p title=\"Note\">two</p><p>\n</p>");
  EXPECT_EQ(l, "one\n\n\n\\paragraph{Note} two\n\n\n");
}

TEST_F(StylesheetMarkup, ListsOfEveryKind) {
  const std::string lists =
      "<p>x</p><ul><li><p>u</p></li></ul><ol><li><p>o</p></li></ol>"
      "<dl>\n<dt><b>K</b></dt>\n<dd><p>v</p></dd></dl><p></p>";
  std::string h = html(lists);
  EXPECT_TRUE(contains(h, "<ul><li><p>u</p></li></ul><ol><li><p>o</p></li></ol><dl>\n<dt><b>K</b></dt>\n<dd><p>v</p></dd></dl>"))
      << h;
  std::string l = latex(lists);
  EXPECT_TRUE(contains(l, "\\begin{itemize}\n\\item u\n\n\n\\end{itemize}\n")) << l;
  EXPECT_TRUE(contains(l, "\\begin{enumerate}\n\\item o\n\n\n\\end{enumerate}\n")) << l;
  EXPECT_TRUE(contains(l, "\\begin{description}\n\n\\item[{\\textbf{K}}] \nv\n\n\n\\end{description}\n")) << l;
}

TEST_F(StylesheetMarkup, ReferencesSpellNamesOfTheChosenInterface) {
  const std::string refs =
      "<p><opref id=\"gen_image\">\n    <syntax interface=\"vdevelop\">gen_image</syntax>\n"
      "    <syntax interface=\"cpp\">GenImage</syntax>\n</opref> <parref id=\"Image\">\n"
      "    <syntax interface=\"vdevelop\">Image</syntax>\n    <syntax interface=\"python\">image</syntax>\n</parref> "
      "<parname>\n    <syntax interface=\"vdevelop\">Row</syntax>\n</parname> <valref><syntax "
      "interface=\"vdevelop\">'x'</syntax><syntax interface=\"cpp\">\"x\"</syntax></valref> <chapref id=\"a\" "
      "name=\"A\"><chapref id=\"b\" name=\"B\"></chapref></chapref></p>";
  std::string h = html(refs);
  EXPECT_TRUE(contains(h, "<a href=\"gen_image.html\" class=\"opref\"><code>gen_image</code></a>")) << h;
  EXPECT_TRUE(contains(h, "<code class=\"parref\"><i>Image</i></code>")) << h;  // not a parameter of this page
  EXPECT_TRUE(contains(h, "<code class=\"parname\">Row</code>")) << h;
  EXPECT_TRUE(contains(h, "<code class=\"valref\">'x'</code>")) << h;
  EXPECT_TRUE(contains(h, "<a href=\"toc_a_b.html\" class=\"chapref\">A / B</a>")) << h;
  EXPECT_EQ(latex(refs, "cpp"),
            "\\hyperref[op:gen_image]{\\texttt{Gen\\allowbreak{}Image}} \\texttt{Image} \\texttt{Row} \\texttt{\"x\"} \\textit{A / B}\n\n\n");
  EXPECT_EQ(latex(refs, "python"),
            "\\hyperref[op:gen_image]{\\texttt{gen\\_image}} \\texttt{image} \\texttt{Row} \\texttt{'x'} \\textit{A / B}\n\n\n");
}

TEST_F(StylesheetMarkup, FormatBlocksPickThePartOfTheirMedium) {
  const std::string both =
      "<p>t<format><ascii>plain</ascii><latex>\\LaTeX{}</latex></format> "
      "<format><ascii preformatted=\"true\">\n a &lt; b</ascii></format> <format><formula>x^2</formula></format> "
      "<format><latex>only</latex></format> <inline_formula>a_1</inline_formula></p>";
  std::string h = html(both);
  EXPECT_TRUE(contains(h, "t<span class=\"ascii\">plain</span> <pre>\n a &lt; b</pre> "
                          "<div class=\"formula\"><code>x^2</code></div>  <i class=\"formula\">a_1</i>"))
      << h;
  EXPECT_TRUE(contains(html(both, "'svg'"), "<img src=\"images/op_formula_1.svg\" alt=\"x^2\">"));
  std::string l = latex(both);
  EXPECT_EQ(l, "t\\LaTeX{} \n\\begin{verbatim}\n a < b\n\\end{verbatim}\n \\[ x^2 \\] only $a_1$\n\n\n");
}

TEST_F(StylesheetMarkup, TablesUseTheColumnSpecification) {
  const std::string table =
      "<p><table style=\"grid\">\n<tc align=\"left\"/><tc align=\"right\" width=\"3\"/><tc align=\"center\"/>"
      "<tr><td>a &amp; b</td><td>1</td><td>c</td></tr><tr><td>d</td><td>2</td><td>e</td></tr><tr><td></td></tr>"
      "</table></p>";
  std::string h = html(table);
  EXPECT_TRUE(contains(h, "<table class=\"markup grid\"><tr><td style=\"text-align: left\">a &amp; b</td>"
                          "<td style=\"text-align: right; width: 3em\">1</td><td style=\"text-align: center\">c</td></tr>"
                          "<tr><td style=\"text-align: left\">d</td>"))
      << h;
  EXPECT_FALSE(contains(h, "<td style=\"text-align: left\"></td>"));  // the open last row stays out
  std::string l = latex(table);
  EXPECT_EQ(l, "\n\\begin{tabular}{lp{3em}c}\n\\hline\na \\& b & 1 & c \\\\\n\\hline\nd & 2 & e \\\\\n\\hline\n"
               "\\end{tabular}\n\n\n\n");
}

TEST_F(StylesheetMarkup, EnvironmentsAndFixedElements) {
  const std::string markup =
      "<p><alignment halign=\"right\">r</alignment><external url=\"https://example.org/a%b\">site</external> "
      "<figure rows=\"2\" scale=\"0.5\" prefix=\"fig_a\"></figure><trademark id=\"vornix\"/> <trademark "
      "id=\"OpenVINO\"/> <resultstate id=\"Fail\"/> <list_value_range/> </p><details><detailssummary>s"
      "</detailssummary>d</details>";
  std::string h = html(markup);
  EXPECT_TRUE(contains(h, "<div style=\"text-align: right\">r</div>")) << h;
  EXPECT_TRUE(contains(h, "<a href=\"https://example.org/a%b\" class=\"external\">site</a>")) << h;
  EXPECT_TRUE(contains(h, "<span class=\"figure_file\">fig_a</span>")) << h;
  EXPECT_TRUE(contains(h, "<span class=\"trademark\">VORNIX</span> <span class=\"trademark\">OpenVINO</span>")) << h;
  EXPECT_TRUE(contains(h, "<code class=\"resultstate\">FAIL</code> <b>Value range</b>")) << h;
  EXPECT_TRUE(contains(h, "<div class=\"details\"><div class=\"details_summary\">s</div>d</div>")) << h;
  std::string l = latex(markup);
  EXPECT_TRUE(contains(l, "\n\\begin{flushright}\nr\n\\end{flushright}\n")) << l;
  EXPECT_TRUE(contains(l, "\\href{https://example.org/a\\%b}{site}")) << l;
  EXPECT_TRUE(contains(l, "\\vornixfigure[scale=0.5]{fig_a}")) << l;
  EXPECT_TRUE(contains(l, "VORNIX OpenVINO \\texttt{FAIL} \\textbf{Value range}")) << l;
  EXPECT_TRUE(contains(l, "\\textbf{s} d")) << l;
}

TEST_F(StylesheetMarkup, SpecialCharactersAreEscapedForLatex) {
  std::string l = latex("<p>50% #1 $x_y {a} ~ ^ &amp; &lt;&gt; | \\ &#160;„q“</p>");
  EXPECT_EQ(l, "50\\% \\#1 \\$x\\_y \\{a\\} \\textasciitilde{} \\textasciicircum{} \\& \\textless{}\\textgreater{} "
               "\\textbar{} \\textbackslash{} ~„q“\n\n\n");
  // a long text is escaped whole (the escaping halves it, it does not recurse per character)
  std::string long_text(20000, 'a');
  long_text[12345] = '_';
  std::string escaped = latex("<p>" + long_text + "</p>");
  EXPECT_EQ(escaped.size(), long_text.size() + 1 + 3);
  EXPECT_TRUE(contains(escaped, "a\\_a"));
}

TEST_F(StylesheetMarkup, PhrasesFollowTheDocumentLanguage) {
  std::string de = apply("si_operator_html.xsl", operator_with_description("<p>x</p>", "de"));
  EXPECT_TRUE(contains(de, "<html lang=\"de-DE\">"));
  EXPECT_TRUE(contains(de, "<h2>Beschreibung</h2>"));
  std::string ja = apply("si_operator_html.xsl", operator_with_description("<p>x</p>", "ja_JP"));
  EXPECT_TRUE(contains(ja, "<h2>説明</h2>"));
  std::string unknown = apply("si_operator_html.xsl", operator_with_description("<p>x</p>", "fr_FR"));
  EXPECT_TRUE(contains(unknown, "<html lang=\"en-US\">"));
  EXPECT_TRUE(contains(unknown, "<h2>Description</h2>"));
}

}  // namespace
