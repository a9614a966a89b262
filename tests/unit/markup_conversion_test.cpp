// Unit tests of the documentation markup conversion of the reference manual:
// every command and element, the character writer, the syntax elements, and
// well-formed XML for faulty markup.
#include "gen/manual/markup_conversion.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <memory>

#include "def/operator_model.h"
#include "driver/settings.h"
#include "tests/unit/markup_well_formed.h"

namespace {

class Markup : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = mutable_settings();
    mutable_settings().doc_language = "english";
    mutable_settings().doc_locale = "en_US";
    mutable_settings().generation_target = target_package;
    mutable_settings().warnings_suppressed = false;
  }
  void TearDown() override { mutable_settings() = saved_; }

  // The converted text; checks that it is well-formed in the element the
  // caller puts it in (a paragraph in paragraph mode).
  static std::string xml(const std::string& text, bool paragraph_mode = false) {
    std::string result = markup_to_xml(text, paragraph_mode);
    std::string wrapped = paragraph_mode ? "<p>" + result + "</p>" : result;
    EXPECT_TRUE(markup_well_formed(wrapped)) << "text: " << text << "\nxml: " << wrapped;
    return result;
  }
  // The same, with the warnings it gave.
  static std::string xml_warned(const std::string& text, std::string& warnings,
                                bool paragraph_mode = false) {
    testing::internal::CaptureStderr();
    std::string result = xml(text, paragraph_mode);
    warnings = testing::internal::GetCapturedStderr();
    return result;
  }

  static std::string syntax(int interface_number, const char* code) {
    return std::string("    <syntax interface=\"") + manual_interface_name(interface_number) +
           "\">" + code + "</syntax>\n";
  }

  Settings saved_;
};

TEST_F(Markup, EntityEscaping) {
  EXPECT_EQ(escape_xml("<a href=\"x\">&amp;'`"), "&lt;a href=&quot;x&quot;&gt;&amp;amp;'`");
  EXPECT_EQ(escape_xml("\"a ``q''"), "&quot;a ``q''");  // no conventions applied
  Writer out;
  write_escaped_xml(out, "a<b");
  EXPECT_EQ(out.text(), "a&lt;b");
}

TEST_F(Markup, CharacterWriterUmlautsAndQuotes) {
  Writer out;
  EXPECT_EQ(write_xml_character(out, "\"a", 0, false), 1);
  EXPECT_EQ(write_xml_character(out, "x", 0, false), 0);
  EXPECT_EQ(write_xml_character(out, "<ul>", 0, false), 3);
  EXPECT_EQ(out.text(), "\xC3\xA4x<ul>");

  auto text = [](const char* value, bool raw = false) {
    Writer w;
    write_xml_text(w, value, raw);
    return w.text();
  };
  EXPECT_EQ(text("\"a\"o\"u\"A\"O\"U\"s\"S"), "äöüÄÖÜßSS");
  EXPECT_EQ(text("``a'' \"`b\"' \"\""), "&ldquo;a&rdquo; &ldquo;b&rdquo; &quot;");
  EXPECT_EQ(text("a<b>&\"c 5\\%"), "a&lt;b&gt;&amp;&quot;c 5%");
  // raw mode leaves the quote pairs, not the umlauts
  EXPECT_EQ(text("``a'' \"a", true), "``a'' ä");

  mutable_settings().doc_language = "german";
  EXPECT_EQ(text("``a'' \"`b\"'"), "&bdquo;a&ldquo; &bdquo;b&ldquo;");
  mutable_settings().doc_language = "english";
  EXPECT_EQ(xml("It ``works''."), "It &ldquo;works&rdquo;.");
}

// Texts in UTF-8 pass unchanged; bytes that XML cannot take are mended so
// that the file stays readable.
TEST_F(Markup, EncodingOfTheText) {
  EXPECT_EQ(xml("Gr\xC3\xBC\xC3\x9F \xE6\x97\xA5\xE6\x9C\xAC @l\xE6\x97\xA5@e"),
            "Gr\xC3\xBC\xC3\x9F \xE6\x97\xA5\xE6\x9C\xAC "
            "<format><latex>\xE6\x97\xA5</latex></format>");
  // Latin-1 letters are written in UTF-8, control characters as blanks
  EXPECT_EQ(xml("Gr\xFC\xDF" "e a\x07z @l\xE4@e"),
            "Gr\xC3\xBC\xC3\x9F" "e a z <format><latex>\xC3\xA4</latex></format>");
  EXPECT_EQ(escape_xml("\xE4<\xE6\x97"), "\xC3\xA4&lt;\xC3\xA6\xC2\x97");
  // U+FFFE and U+FFFF are well-formed UTF-8 but no XML characters
  EXPECT_EQ(xml("a\xEF\xBF\xBF\xEF\xBF\xBEz\xEF\xBF\xBD"), "a  z\xEF\xBF\xBD");
  EXPECT_TRUE(markup_well_formed(xml("1{\xEFT\xC4P\xEF\xBF\xBF\xBF\xBF\xEF" "e")));
  EXPECT_EQ(utf8_sequence_length("\xED\xA0\x80", 0), 0u);  // a surrogate
  EXPECT_EQ(utf8_sequence_length("\xF0\x9F\x98\x80", 0), 4u);
  EXPECT_EQ(utf8_sequence_length("\xC3", 0), 0u);  // cut short
  Writer out;
  write_syntax_element(out, manual_vdevelop, "a", markup_both, "('\xFC')");
  EXPECT_EQ(out.text(), syntax(manual_vdevelop, "a('\xC3\xBC')"));
}

TEST_F(Markup, CharacterWriterBalancesListTags) {
  Writer out;
  write_xml_text(out, "<ul><li>a</li><li>b</li></ul>");
  EXPECT_EQ(out.text(), "<ul><li>a</li><li>b</li></ul>");
  Writer unbalanced;
  write_xml_text(unbalanced, "a</li>b<ol><li>c");
  EXPECT_EQ(unbalanced.text(), "ab<ol><li>c</li></ol>");
  Writer items;
  write_xml_text(items, "<ul><li>a<li>b</ul><dl><dt>k<dd>v</dl>");
  EXPECT_EQ(items.text(), "<ul><li>a</li><li>b</li></ul><dl><dt>k</dt><dd>v</dd></dl>");
  EXPECT_TRUE(markup_well_formed(unbalanced.text()));
}

TEST_F(Markup, SyntaxElements) {
  Writer out;
  write_syntax_element(out, manual_cpp, "gen_image_const");
  write_syntax_element(out, manual_python, "gen_image_const");
  write_syntax_element(out, 7, "x");
  EXPECT_EQ(out.text(), syntax(manual_cpp, "GenImageConst") +
                            syntax(manual_python, "gen_image_const") + syntax(7, "x"));
  EXPECT_STREQ(manual_interface_name(7), "all");

  // apostrophes become double quotes and the group colons commas, except in
  // vdevelop and except inside quoted strings
  Writer call;
  write_syntax_element(call, manual_vdevelop, "read_image", markup_both, "(Image : 'C:/a' : )");
  write_syntax_element(call, manual_c, "read_image", markup_both, "(Image : 'C:/a' : )");
  EXPECT_EQ(call.text(), syntax(manual_vdevelop, "read_image(Image : 'C:/a' : )") +
                             syntax(manual_c, "read_image(Image , &quot;C:/a&quot; , )"));

  // underscores for LaTeX
  Writer latex;
  write_syntax_element(latex, manual_vdevelop, "gen_image", markup_latex);
  write_syntax_element(latex, manual_com, "gen_image", markup_formula);
  EXPECT_EQ(latex.text(), syntax(manual_vdevelop, "gen\\_image") + syntax(manual_com, "GenImage"));
}

TEST_F(Markup, FormatSwitches) {
  // one ASCII part: one format element holding one ascii element
  EXPECT_EQ(xml("before @a plain @e after"),
            "before <format><ascii> plain </ascii></format> after");
  EXPECT_EQ(xml("@a x @l \\frac{a}{b} $c$ & @f y < z @e"),
            "<format><ascii> x </ascii><latex> \\frac{a}{b} $c$ &amp; </latex>"
            "<formula> y &lt; z </formula></format>");
  // an "@" before another letter is text, and so is an "@e" that ends nothing
  EXPECT_EQ(xml("mail@b.org @e x"), "mail@b.org @e x");
  EXPECT_EQ(xml("@lx@e info@example.com"), "<format><latex>x</latex></format> info@example.com");

  // ASCII parts written preformatted: "@a" with a line feed in paragraph mode
  EXPECT_EQ(xml("@a\ncode \\textbf{x} $y$ ~\n@e", true),
            "<format><ascii preformatted=\"true\">\ncode \\textbf{x} $y$ ~\n</ascii></format>");
  EXPECT_EQ(xml("@a\n\\textbf{x} $y$ ~\n@e", false),
            "<format><ascii>\n<b>x</b> $y$ ~\n</ascii></format>");

  // a text ending inside "@l": closed there, one warning
  std::string warnings;
  EXPECT_EQ(xml_warned("x @l tail text", warnings), "x <format><latex> tail text</latex></format>");
  EXPECT_EQ(warnings, "vornc warning: Expected @e after \"@l tail text ...\"\n");
  xml_warned("@a 0123456789012345678901234567890123456789", warnings);
  EXPECT_EQ(warnings, "vornc warning: Expected @e after \"@a 0123456789012345678901234567 ...\"\n");

  // a block that an enclosing element ends lacks its "@e" as well
  EXPECT_EQ(xml_warned("\\begin{Table}{l}@a x\\end{Table}", warnings),
            "<table>\n<tc align=\"left\"/><tr><td><format><ascii> x</ascii></format>"
            "</td></tr></table>");
  EXPECT_EQ(warnings, "vornc warning: Expected @e after \"@a x\\end{Table} ...\"\n");

  mutable_settings().warnings_suppressed = true;
  xml_warned("@f open", warnings);
  EXPECT_EQ(warnings, "");
}

TEST_F(Markup, Lists) {
  EXPECT_EQ(xml("A\n\\begin{itemize}\n\\item one\n\\item two\n\\end{itemize}\nB", true),
            "A\n</p><ul><p>\n</p><li>\n<p> one\n</p></li><p>\n</p><li>\n<p> two\n"
            "</p></li><p>\n</p></ul><p>\nB");
  EXPECT_EQ(xml("\\begin{enumerate}\\item a\\end{enumerate}", true),
            "</p><ol><p></p><li>\n<p> a</p></li><p>\n</p></ol><p>");
  EXPECT_EQ(xml("\\begin{description}\\item[Key] text\\item[K2] t2\\end{description}", true),
            "</p><dl><p></p>\n<dt><b>Key</b></dt>\n<dd><p>\n text</p></dd><p>\n"
            "</p>\n<dt><b>K2</b></dt>\n<dd><p>\n t2</p></dd><p>\n</p></dl><p>");
  // markup inside a label is converted; list commands are not
  EXPECT_EQ(xml("\\begin{description}\\item[\\texttt{a} \\item] x\\end{description}", true),
            "</p><dl><p></p>\n<dt><b><mono>a</mono> item</b></dt>\n<dd><p>\n x</p></dd><p>\n"
            "</p></dl><p>");
  // nested lists and lists in ASCII parts
  xml("\\begin{itemize}\\item a\\begin{enumerate}\\item b\\item c\\end{enumerate}\\item d"
      "\\end{itemize}",
      true);
  EXPECT_EQ(xml("@a\\begin{itemize}\\item x\\end{itemize}@e"),
            "<format><ascii><ul><p></p><li>\n<p> x</p></li><p>\n</p></ul><p></p></ascii></format>");
  // a word that only begins with "item" is no item
  EXPECT_EQ(xml("\\itemsep"), "itemsep");
}

TEST_F(Markup, HtmlListTagsInTheText) {
  EXPECT_EQ(xml("<ul><li>a</li><li>b</li></ul>"), "<ul><li>a</li><li>b</li></ul>");
  EXPECT_EQ(xml("<dl><dt>k</dt><dd>v</dd></dl>"), "<dl><dt>k</dt><dd>v</dd></dl>");
  // items left open are ended by the next one, as in HTML
  EXPECT_EQ(xml("<ul><li>a<li>b</ul>"), "<ul><li>a</li><li>b</li></ul>");
  // in LaTeX parts they are text
  EXPECT_EQ(xml("@l<ul>@e"), "<format><latex>&lt;ul&gt;</latex></format>");
  EXPECT_EQ(xml("a <b> c"), "a &lt;b&gt; c");
}

TEST_F(Markup, ChapterReferences) {
  EXPECT_EQ(xml("see \\ChapRef{Tools}."), "see <chapref id=\"tools\" name=\"Tools\"></chapref>.");
  EXPECT_EQ(xml("\\ChapRef{Tools/LookUpTable}"),
            "<chapref id=\"tools\" name=\"Tools\"><chapref id=\"lookuptable\" "
            "name=\"Look-Up Table\"></chapref></chapref>");
  EXPECT_EQ(xml("\\ChapRef{Tools, Nowhere}"),
            "<chapref id=\"tools\" name=\"Tools\"><chapref id=\"nowhere\" name=\"Nowhere\">"
            "</chapref></chapref>");
  // the run's language only in the library's own build
  mutable_settings().doc_language = "german";
  EXPECT_EQ(xml("\\ChapRef{LookUpTable}"),
            "<chapref id=\"lookuptable\" name=\"Look-Up Table\"></chapref>");
  mutable_settings().generation_target = target_library;
  EXPECT_EQ(xml("\\ChapRef{LookUpTable}"),
            "<chapref id=\"lookuptable\" name=\"Look-Up-Tabelle\"></chapref>");
}

TEST_F(Markup, OperatorReferences) {
  std::string all_interfaces;
  for (int i : manual_interfaces)
    all_interfaces += syntax(i, i == manual_cpp || i == manual_com || i == manual_dotnet
                                    ? "GenImage1"
                                    : "gen_image1");
  EXPECT_EQ(xml("Use \\OpRef{gen_image1}."),
            "Use <opref id=\"gen_image1\">\n" + all_interfaces + "</opref>.");
  EXPECT_EQ(xml("\\OpRef{ gen_image1 }"), "<opref id=\"gen_image1\">\n" + all_interfaces + "</opref>");

  // the rest of a call follows the name in every syntax element
  std::string call = xml("\\OpRef{threshold (Image : Region : 'a', 128 : )}");
  EXPECT_EQ(call, "<opref id=\"threshold\">\n" +
                      syntax(manual_vdevelop, "threshold(Image : Region : 'a', 128 : )") +
                      syntax(manual_c, "threshold(Image , Region , &quot;a&quot;, 128 , )") +
                      syntax(manual_cpp, "Threshold(Image , Region , &quot;a&quot;, 128 , )") +
                      syntax(manual_com, "Threshold(Image , Region , &quot;a&quot;, 128 , )") +
                      syntax(manual_dotnet, "Threshold(Image , Region , &quot;a&quot;, 128 , )") +
                      syntax(manual_python, "threshold(Image , Region , &quot;a&quot;, 128 , )") +
                      "</opref>");
  // further words keep their place after the spelled name
  std::string words = xml("\\OpRef{threshold operator}");
  EXPECT_NE(words.find(syntax(manual_vdevelop, "threshold operator")), std::string::npos);
  EXPECT_NE(words.find(syntax(manual_cpp, "Threshold operator")), std::string::npos);

  // an operator implemented "Internal" has only the vdevelop spelling
  auto internal = std::make_unique<Operator>();
  internal->name = "markup_internal_op";
  internal->function = "Internal";
  model().by_name[internal->name] = internal.get();
  std::string only_vdevelop = xml("\\OpRef{markup_internal_op}");
  model().by_name.erase(internal->name);
  EXPECT_EQ(only_vdevelop, "<opref id=\"markup_internal_op\">\n" +
                               syntax(manual_vdevelop, "markup_internal_op") + "</opref>");

  // in LaTeX parts underscores are escaped for LaTeX
  std::string latex = xml("@l\\OpRef{gen_image1}@e");
  EXPECT_NE(latex.find(syntax(manual_vdevelop, "gen\\_image1")), std::string::npos);

  std::string warnings;
  std::string open = xml_warned("\\OpRef{gen_image1", warnings);
  EXPECT_EQ(warnings, "vornc warning: expected closing brace for \\OpRef\n");
  EXPECT_EQ(open, "<opref id=\"gen_image1\">\n" + all_interfaces + "</opref>");
}

TEST_F(Markup, ParameterAndValueReferences) {
  // spelled as the parameter lists of the manual spell them: .NET in lower
  // CamelCase, Python in snake case
  std::string spelled = syntax(manual_vdevelop, "MinGray") + syntax(manual_c, "MinGray") +
                        syntax(manual_cpp, "MinGray") + syntax(manual_com, "MinGray") +
                        syntax(manual_dotnet, "minGray") + syntax(manual_python, "min_gray");
  EXPECT_EQ(xml("\\ParRef{MinGray}"), "<parref id=\"MinGray\">\n" + spelled + "</parref>");
  EXPECT_EQ(xml("\\ParName{ MinGray }"), "<parname>\n" + spelled + "</parname>");
  std::string latex = xml("@f\\ParRef{Min_Gray}@e");
  EXPECT_NE(latex.find(syntax(manual_vdevelop, "Min\\_Gray")), std::string::npos);
  EXPECT_EQ(latex.find(">Min_"), std::string::npos);

  std::string values;
  for (int i : manual_interfaces) values += syntax(i, i == manual_vdevelop ? "'max'" : "&quot;max&quot;");
  EXPECT_EQ(xml("\\ValRef{'max'}"), "<valref>" + values + "</valref>");
  std::string numbers;
  for (int i : manual_interfaces) numbers += syntax(i, "0.5");
  EXPECT_EQ(xml("\\ValRef{0.5}"), "<valref>" + numbers + "</valref>");
}

TEST_F(Markup, FixedReplacements) {
  EXPECT_EQ(xml("\\Vornix, \\DO2 and \\OpenVINO."),
            "<trademark id=\"vornix\"/>, <trademark id=\"DO2\"/> and <trademark id=\"OpenVINO\"/>.");
  EXPECT_EQ(xml("\\ResTrue \\ResFalse \\ResVoid \\ResFail"),
            "<resultstate id=\"True\"/> <resultstate id=\"False\"/> <resultstate id=\"Void\"/> "
            "<resultstate id=\"Fail\"/>");
  EXPECT_EQ(xml("\\ParamAttention \\ParamRestriction \\DefaultValue"),
            "<list_param_attention/> <list_param_restriction/> <list_default_value/>");
  EXPECT_EQ(xml("\\ValueList \\ValueRange \\ValueSuggestion"),
            "<list_value_list/> <list_value_range/> <list_value_suggestion/>");
  EXPECT_EQ(xml("C:\\textbackslash{}dir"), "C:<backslash/>dir");
  EXPECT_EQ(xml("\\Vornix{} and \\ResFail{}."), "<trademark id=\"vornix\"/> and <resultstate id=\"Fail\"/>.");
  // only a whole command word is replaced
  EXPECT_EQ(xml("\\Vornixs"), "Vornixs");
  // also in ASCII parts, not in LaTeX parts
  EXPECT_EQ(xml("@a\\ResTrue@l\\ResTrue@e"),
            "<format><ascii><resultstate id=\"True\"/></ascii><latex>\\ResTrue</latex></format>");
}

TEST_F(Markup, Environments) {
  EXPECT_EQ(xml("\\begin{Alignment}{center}x\\end{Alignment}"),
            "<alignment halign=\"center\">x</alignment>");
  EXPECT_EQ(xml("\\begin{External}{http://x.org/?a=1&b=2}link\\end{External}"),
            "<external url=\"http://x.org/?a=1&amp;b=2\">link</external>");
  EXPECT_EQ(xml("a\\begin{Details}\\summary{More}b\\end{Details}c", true),
            "a</p><details><detailssummary>More</detailssummary><p>b</p></details><p>c");
  EXPECT_EQ(xml("\\begin{Figure}[2][3][0.5]{img/pic}caption\\end{Figure}"),
            "<figure rows=\"2\" cols=\"3\" scale=\"0.5\" prefix=\"img/pic\">caption</figure>");
  EXPECT_EQ(xml("\\begin{Figure}{p}\\end{Figure}"), "<figure prefix=\"p\"></figure>");

  std::string warnings;
  EXPECT_EQ(xml_warned("\\begin{Figure}[1] x\\end{Figure}", warnings),
            "<figure rows=\"1\"> x</figure>");
  EXPECT_EQ(warnings,
            "vornc warning: Missing prefix in figure at \\begin{Figure}[1] x\\end{Figure} ...\n");
  EXPECT_EQ(xml_warned("\\begin{Alignment} x\\end{Alignment}", warnings), "<alignment> x</alignment>");
  EXPECT_EQ(warnings, "vornc warning: Missing parameter at \\begin{Alignment} x\\end{Alignme ...\n");
  xml_warned("\\begin{External}", warnings);
  EXPECT_EQ(warnings, "vornc warning: Missing parameter at \\begin{External} ...\n");
}

TEST_F(Markup, Tables) {
  // two columns l and r: two column elements and one open row
  EXPECT_EQ(xml("\\begin{Table}{lr}a & b\\\\c & d\\end{Table}"),
            "<table>\n<tc align=\"left\"/><tc align=\"right\"/><tr><td>a </td><td> b</td></tr>"
            "<tr><td>c </td><td> d</td></tr></table>");
  EXPECT_EQ(xml("\\begin{Table}[grid]{l20c}x\\end{Table}"),
            "<table style=\"grid\">\n<tc align=\"left\" width=\"20\"/><tc align=\"center\"/>"
            "<tr><td>x</td></tr></table>");
  // "&" outside a table is a character; a blank line in a table a line break
  EXPECT_EQ(xml("a & b", true), "a &amp; b");
  EXPECT_EQ(xml("\\begin{Table}{l}a\n\nb\\end{Table}", true),
            "<table>\n<tc align=\"left\"/><tr><td>a<br/>\nb</td></tr></table>");

  std::string warnings;
  xml_warned("\\begin{Table}{5l}x\\end{Table}", warnings);
  EXPECT_EQ(warnings,
            "vornc warning: Width not preceded by alignment character at \\begin{Table}{5l}x\\end{Table} ...\n");
  EXPECT_EQ(xml_warned("\\begin{Table}{lx}x\\end{Table}", warnings),
            "<table>\n<tc align=\"left\"/><tr><td>x</td></tr></table>");
  EXPECT_EQ(warnings, "vornc warning: Bad alignment character x at \\begin{Table}{lx}x\\end{Table} ...\n");
  EXPECT_EQ(xml_warned("\\begin{Table} x\\end{Table}", warnings),
            "<table>\n<tr><td> x</td></tr></table>");
  EXPECT_EQ(warnings, "vornc warning: Missing column specs in table at \\begin{Table} x\\end{Table} ...\n");
  EXPECT_EQ(xml_warned("a\\end{Table}b", warnings), "ab");
  EXPECT_EQ(warnings, "vornc warning: Encountered table end tag outside of table\n");
}

TEST_F(Markup, InlineCommands) {
  EXPECT_EQ(xml("\\textbf{bold} \\textit{it} \\texttt{mono} \\emph{em}"),
            "<b>bold</b> <i>it</i> <mono>mono</mono> <em>em</em>");
  // the argument is plain text up to the first closing brace
  EXPECT_EQ(xml("\\textbf{a{b}c} \\texttt{$x$ \\OpRef & \"a}"),
            "<b>a{b</b>c} <mono>$x$ \\OpRef &amp; ä</mono>");
  EXPECT_EQ(xml("a\\paragraph{Title \"x\" <ul>}b", true),
            "a</p>\n<p title=\"Title &quot;x&quot; &lt;ul&gt;\">b");
  EXPECT_EQ(xml("\\summary{Sum}x"), "<detailssummary>Sum</detailssummary><p>x</p>");
  // any other command: name(argument), or the name alone
  EXPECT_EQ(xml("\\foo{bar} \\baz x \\sqrt{2}"), "foo(bar) baz x sqrt(2)");

  std::string warnings;
  EXPECT_EQ(xml_warned("\\textbf{open", warnings), "<b>open</b>");
  EXPECT_EQ(warnings, "vornc warning: expected closing brace for \\textbf\n");
}

TEST_F(Markup, SpecialCharacters) {
  EXPECT_EQ(xml("$x^2$ a~b c\\ d 50\\% e\\\\f"),
            "<inline_formula>x^2</inline_formula> a&nbsp;b c d 50% e<br/>\nf");
  EXPECT_EQ(xml("e\\\\*f", true), "e</p>\n<p>f");
  EXPECT_EQ(xml("a\n\n  \nb", true), "a</p>\n<p>b");
  EXPECT_EQ(xml("a\n\nb", false), "a<br/>\nb");
  EXPECT_EQ(xml("a\nb", true), "a\nb");
  // in ASCII parts "$" and "~" are characters and breaks are line breaks
  EXPECT_EQ(xml("@a $x$ ~ a\n\nb c\\\\d@e", true),
            "<format><ascii> $x$ ~ a<br/>\nb c<br/>\nd</ascii></format>");
  // a backslash before a special character stands for the character
  EXPECT_EQ(xml("\\$5 \\& \\~ \\{x\\} a\\_b \\#1"), "$5 &amp; ~ {x} a_b #1");
  // any other lone backslash is dropped
  EXPECT_EQ(xml("a\\,b\\"), "a,b");
}

// Inline formulas are LaTeX math: their commands, escaped characters and
// quotes stay as written; the markup's own elements around them still close.
TEST_F(Markup, InlineFormulasKeepTheirLatex) {
  EXPECT_EQ(xml("$3\\sigma$"), "<inline_formula>3\\sigma</inline_formula>");
  EXPECT_EQ(xml("$\\frac{a}{b} + \\{x\\} \\, f'' < \\$1$ \\sigma"),
            "<inline_formula>\\frac{a}{b} + \\{x\\} \\, f'' &lt; \\$1</inline_formula> sigma");
  EXPECT_EQ(xml("$\"a$"), "<inline_formula>&quot;a</inline_formula>");
  EXPECT_EQ(xml("$\\\xC3\xA4$"), "<inline_formula>\\\xC3\xA4</inline_formula>");
  EXPECT_EQ(xml("\\begin{Table}{ll}$\\alpha$ & $\\beta\\end{Table}"),
            "<table>\n<tc align=\"left\"/><tc align=\"left\"/><tr><td><inline_formula>\\alpha"
            "</inline_formula> </td><td> <inline_formula>\\beta</inline_formula></td></tr></table>");
}

TEST_F(Markup, ParagraphWriter) {
  Writer out;
  write_markup_paragraphs(out, "one\n\ntwo");
  EXPECT_EQ(out.text(), "<p>one</p>\n<p>two</p>");
}

// Places where the fixed texts alone would not give well-formed XML or
// would change the text.
TEST_F(Markup, MendedFaults) {
  // lists in a text that is not a paragraph (a summary)
  EXPECT_EQ(xml("\\begin{itemize}\\item a\\end{itemize}"),
            "<ul><p></p><li>\n<p> a</p></li><p>\n</p></ul><p></p>");
  // details without a summary open no paragraph to close
  EXPECT_EQ(xml("a\\begin{Details}b\\end{Details}c", true), "a</p><details>b</details><p>c");
  // a formula, a list or a table left open is closed at the end
  EXPECT_EQ(xml("$x"), "<inline_formula>x</inline_formula>");
  EXPECT_EQ(xml("\\begin{Table}{l}x"), "<table>\n<tc align=\"left\"/><tr><td>x</td></tr></table>");
  // stray ends are dropped
  EXPECT_EQ(xml("a\\end{itemize}\\end{Details}\\end{Figure}b"), "ab");
  // an end command closes what is still open inside its element
  EXPECT_EQ(xml("\\begin{Alignment}{c}$x\\end{Alignment}"),
            "<alignment halign=\"c\"><inline_formula>x</inline_formula></alignment>");
  // quotes in the code of a syntax element are not taken for umlauts
  Writer out;
  write_syntax_element(out, manual_c, "op", markup_both, "('area', \"all\")");
  EXPECT_EQ(out.text(), syntax(manual_c, "op(&quot;area&quot;, &quot;all&quot;)"));
}

// Faulty markup still gives well-formed XML, in both modes.
TEST_F(Markup, FaultyMarkupStaysWellFormed) {
  const char* const texts[] = {
      "\\end{itemize} stray end",
      "\\begin{itemize}\\item never closed",
      "\\item without list \\item second",
      "\\begin{description}\\item[label never ended",
      "\\begin{description}\\item[a] x\n\ny\\end{itemize}",
      "\\begin{itemize}\\item a\n\nb\\end{itemize}",
      "$ open formula \\begin{itemize}\\item x $ y",
      "\\begin{Details}no summary\\end{Details}",
      "\\end{Details}\\end{Alignment}\\end{External}\\end{Figure}",
      "\\begin{Table}{ll}a & \\begin{itemize}\\item x & y\\\\ z",
      "@a \\begin{Table}{l} a & b @e c & d",
      "\\begin{Table}{l}a @a x \\end{Table} @e",
      "@l $x$ \\begin{itemize} @a \\item y @e \\end{itemize}",
      "\\paragraph{T}x\\paragraph{U}y",
      "\\begin{Details}\\paragraph{T}x",
      "\\summary{s} without details",
      "\\begin{Table}\\summary{}\\summary{}\\\\ x",
      "\\begin{Table}{ll}\\paragraph{T}\\summary{}a & b",
      "</ul></li> stray html <li>open <dt>x<dd>y",
      "<ul><li>a \\begin{itemize}\\item b</li></ul>",
      "\\begin{Alignment}{c}\\begin{Figure}{p}\n\ntext\\end{Alignment}",
      "\\item[",
      "@a\ncode\n\n\\item x\n",
      "\"\" \" \"x & < > ' `",
      "\\OpRef{a <b> & \"c\"} \\ParRef{<x>} \\ValRef{'a&b'} \\ChapRef{<>&}",
      "\\begin{External}{a\"b<c}x\\end{External} \\begin{Table}[\"]{l}x\\end{Table}",
  };
  testing::internal::CaptureStderr();
  for (const char* text : texts) {
    xml(text, false);
    xml(text, true);
  }
  testing::internal::GetCapturedStderr();
}

// Texts put together at random from markup pieces: every one converts to
// well-formed XML in both modes.
TEST_F(Markup, RandomMarkupStaysWellFormed) {
  const char* const pieces[] = {
      "@a", "@a\n", "@l", "@f", "@e", "\\begin{itemize}", "\\end{itemize}",
      "\\begin{enumerate}", "\\end{enumerate}", "\\begin{description}", "\\end{description}",
      "\\item ", "\\item[", "]", "[", "\\OpRef{op_a (x : 'y')}", "\\ParRef{P}", "\\ValRef{'v'}",
      "\\ChapRef{Tools/Nowhere}", "\\Vornix", "\\ResTrue{}", "\\textbackslash{}",
      "\\begin{Alignment}{c}", "\\end{Alignment}", "\\begin{External}{u}", "\\end{External}",
      "\\begin{Details}", "\\end{Details}", "\\summary{s}", "\\begin{Figure}[1]{f}",
      "\\end{Figure}", "\\begin{Table}{lc3}", "\\begin{Table}", "\\end{Table}", "&", "\\\\",
      "\\\\*", "\\textbf{b}", "\\emph{e", "\\paragraph{t}", "\\x{y}", "\\", "$", "~", "\\ ",
      "\\%", "\n", "\n\n", "<ul>", "</ul>", "<li>", "</li>", "<dt>", "<dd>", "</dl>", "\"a",
      "``", "''", "\"", "<", ">", "text", " ", "\xE4", "{", "}",
  };
  const size_t count = sizeof(pieces) / sizeof(pieces[0]);
  unsigned state = 12345;
  auto next = [&state]() {
    state = state * 1103515245u + 12345u;
    return (state >> 16) & 0x7FFF;
  };
  testing::internal::CaptureStderr();
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    int length = 1 + static_cast<int>(next() % 25);
    for (int i = 0; i < length; ++i) text += pieces[next() % count];
    for (bool paragraph_mode : {false, true}) {
      std::string result = markup_to_xml(text, paragraph_mode);
      std::string wrapped = paragraph_mode ? "<p>" + result + "</p>" : result;
      if (!markup_well_formed(wrapped)) {
        ADD_FAILURE() << "text: " << text << "\nxml: " << wrapped;
        round = 3000;
        break;
      }
    }
  }
  testing::internal::GetCapturedStderr();
}

}  // namespace
