// What a reader of the reference manual meets, checked on whole runs of
// vornc over small definition files: values written as they stand, every
// operator reachable from the name index, only the interfaces an operator
// has, formulas and figures that show without their image files, links only
// to safe targets, chapters in the order of their names, and the search box.
#include <gtest/gtest.h>

#include "gen/manual/search_files.h"
#include "stylesheet_test_support.h"

namespace {

using namespace stylesheet_test;

class ManualReader : public ScratchDirectory {
 protected:
  /// Runs vornc with the options over one definition file written from
  /// `definition`; the exit status.
  int run(const std::string& options, const std::string& definition) {
    write_file("ops.def", definition);
    std::string command =
        std::string("'") + VORNC_BINARY + "' " + options + " ops.def > stdout.txt 2> stderr.txt";
    int status = std::system(command.c_str());
    errors_ = read_file("stderr.txt");
    std::remove("stdout.txt");
    std::remove("stderr.txt");
    std::remove("ops.def");
    return status;
  }
  /// The number of times part occurs in text.
  static int count(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  }
  std::string errors_;
};

// ---- values ----

const char* const empty_values =
    "set_mode <- CSetMode[::Mode,Device:];\n"
    "short.english: Set a mode.;\n"
    "chapter.english: Tools;\n"
    "module: foundation;\n"
    "parameter Mode: input_control;\n"
    "  description.english: Mode.;\n  sem_type: string;\n  type_list: string;\n"
    "  default_type: string;\n  multivalue: false;\n"
    "  default_value: '';\n"
    "  value_list: '', 'a''b', '\"a';\n"
    "  values: '', '``x';\n"
    "parameter Device: input_control;\n"
    "  description.english: Device.;\n  sem_type: string;\n  type_list: string;\n"
    "  default_type: string;\n  multivalue: false;\n"
    "  default_value: 'cpu';\n";

TEST_F(ManualReader, ValuesAreWrittenAsTheyStandInEveryLanguage) {
  for (const char* language : {"", "-lde_DE "}) {
    ASSERT_EQ(run(std::string("-W ") + language + "-Rxml", empty_values), 0) << errors_;
    std::string file = read_file("set_mode.xml");
    EXPECT_TRUE(contains(file, "    <default>''</default>\n")) << language;
    EXPECT_TRUE(contains(file, "    <value_list>\n      <value>''</value>\n")) << language;
    EXPECT_TRUE(contains(file, "      <value>'&quot;a'</value>\n")) << language;
    EXPECT_TRUE(contains(file, "    <value_suggestions>\n      <value>''</value>\n")) << language;
    EXPECT_TRUE(contains(file, "      <value>'``x'</value>\n")) << language;
    EXPECT_FALSE(contains(file, "dquo;")) << language;
  }
  ASSERT_EQ(run("-W -Rhtml", empty_values), 0) << errors_;
  std::string page = read_file("set_mode.html");
  EXPECT_TRUE(contains(page, "<code>''</code>"));
  EXPECT_FALSE(contains(page, "\xE2\x80\x9D"));  // no typographic quote
}

// ---- operators outside the chapter tree ----

const char* const outside_the_tree =
    "scale <- CScale[:::];\nshort.english: Scale.;\nchapter.english: Tools, Scaling;\n"
    "module: foundation;\nsee_also: old_scale, loose;\n\n"
    "old_scale <- COldScale[:::];\nshort.english: Scale (old form).;\n"
    "chapter.english: OldVersion, Scaling;\nmodule: foundation;\n\n"
    "loose <- CLoose[:::];\nshort.english: Without chapter.;\nmodule: foundation;\n";

TEST_F(ManualReader, OperatorsOutsideTheChapterTreeAreInTheNameIndex) {
  ASSERT_EQ(run("-W -Rhtml", outside_the_tree), 0) << errors_;
  std::string name_index = read_file("index_by_name.html");
  for (const char* page : {"scale.html", "old_scale.html", "loose.html"}) {
    EXPECT_TRUE(contains(name_index, std::string("<a href=\"") + page + "\">")) << page;
    EXPECT_TRUE(file_exists(page)) << page;
  }
  // The chapter OldVersion has no page to link.
  std::string old = read_file("old_scale.html");
  EXPECT_FALSE(contains(old, "toc_oldversion"));
  EXPECT_TRUE(contains(old, "<div class=\"chapters\">OldVersion / Scaling</div>"));
  EXPECT_FALSE(file_exists("toc_oldversion.html"));
  // Neither do they appear in the table of contents' chapter tree.
  EXPECT_FALSE(contains(read_file("index.html"), "old_scale"));
}

TEST_F(ManualReader, LatexManualInputsOperatorsOutsideTheChapterTree) {
  ASSERT_EQ(run("-W -Rlatex:c", outside_the_tree), 0) << errors_;
  std::string main = read_file("index.tex");
  EXPECT_TRUE(contains(main, "\\input scale.tex\n"));
  EXPECT_TRUE(contains(main, "\n\\chapter{Operators}\n\\renewcommand{\\vornixoperatorlevel}{section}\n"
                             "\\input loose.tex\n\\input old_scale.tex\n"));
  EXPECT_TRUE(file_exists("old_scale.tex"));
}

}  // namespace

// ---- operators implemented inside the development environment ----

const char* const internal_operator =
    "env_query <- Internal[::Query:Value];\nshort.english: Query the environment.;\n"
    "chapter.english: Develop;\nmodule: foundation;\n"
    "parameter Query: input_control;\n  description.english: Name.;\n  sem_type: string;\n"
    "  type_list: string;\n  default_type: string;\n  multivalue: false;\n"
    "parameter Value: output_control;\n  description.english: Value.;\n  sem_type: number;\n"
    "  type_list: integer;\n  default_type: integer;\n  multivalue: false;\n";

TEST_F(ManualReader, InternalOperatorsShowOnlyTheirOneInterface) {
  ASSERT_EQ(run("-W -Rhtml", internal_operator), 0) << errors_;
  std::string page = read_file("env_query.html");
  EXPECT_EQ(count(page, "<h3 class=\"interface\">"), 1);
  EXPECT_EQ(count(page, "<div class=\"signature\">"), 1);
  EXPECT_TRUE(contains(page, "<div class=\"signature\"><b>env_query</b>( "));
  EXPECT_FALSE(contains(page, "T_env_query"));
  EXPECT_FALSE(contains(page, "EnvQuery"));

  ASSERT_EQ(run("-W -Rlatex:c", internal_operator), 0) << errors_;
  std::string c_page = read_file("env_query.tex");
  EXPECT_FALSE(contains(c_page, "T\\_env\\_query"));
  EXPECT_TRUE(contains(c_page, "\\vornixoperator{env_query}{env\\_query}\n"));
  EXPECT_TRUE(contains(c_page, "This page is not available for the selected programming language."));
  ASSERT_EQ(run("-W -Rlatex:vdevelop", internal_operator), 0) << errors_;
  EXPECT_TRUE(contains(read_file("env_query.tex"), "\\texttt{env\\_query(\\allowbreak{}  :  : Query : Value )}"));
}

// ---- formulas and figures ----

const char* const formulas =
    "scale <- CScale[:::];\nshort.english: Scale.;\nchapter.english: Tools;\nmodule: foundation;\n"
    "abstract.english: Each value becomes @f g' = g \\cdot s @e so that $3\\sigma$ stays\n"
    "  below $\\frac{1}{2}$. \\begin{Figure}{scale_curve}\\end{Figure};\n";

TEST_F(ManualReader, FormulasAndFiguresWithoutTheirImageShowTheirText) {
  ASSERT_EQ(run("-W -Rhtml", formulas), 0) << errors_;
  std::string page = read_file("scale.html");
  EXPECT_FALSE(contains(page, "<img"));
  EXPECT_TRUE(contains(page, "<div class=\"formula\"><code> g' = g \\cdot s </code></div>"));
  EXPECT_TRUE(contains(page, "<span class=\"figure_file\">scale_curve</span>"));
  // inline formulas keep their commands
  EXPECT_TRUE(contains(page, "<i class=\"formula\">3\\sigma</i>"));
  EXPECT_TRUE(contains(page, "<i class=\"formula\">\\frac{1}{2}</i>"));

  ASSERT_EQ(system("mkdir images && touch images/scale_formula_1.svg images/scale_curve.svg"), 0);
  ASSERT_EQ(run("-W -Rhtml", formulas), 0) << errors_;
  page = read_file("scale.html");
  EXPECT_TRUE(contains(page, "<img src=\"images/scale_formula_1.svg\" alt=\"g' = g \\cdot s\">"));
  EXPECT_TRUE(contains(page, "<img src=\"images/scale_curve.svg\" alt=\"scale_curve\">"));

  ASSERT_EQ(run("-W -Rlatex:c", formulas), 0) << errors_;
  EXPECT_TRUE(contains(read_file("scale.tex"), "$3\\sigma$ stays\nbelow $\\frac{1}{2}$"));
}

// ---- links from documentation texts ----

const char* const external_links =
    "scale <- CScale[:::];\nshort.english: Scale.;\nchapter.english: Tools;\nmodule: foundation;\n"
    "abstract.english:\n"
    "  \\begin{External}{https://example.com/a?b=1#c}S1\\end{External}\n"
    "  \\begin{External}{HTTP://example.com}S2\\end{External}\n"
    "  \\begin{External}{mailto:team@example.com}S3\\end{External}\n"
    "  \\begin{External}{index_by_name.html}S4\\end{External}\n"
    "  \\begin{External}{docs/a:b.html}S5\\end{External}\n"
    "  \\begin{External}{javascript:alert(1)}U1\\end{External}\n"
    "  \\begin{External}{ JavaScript:alert(1)}U2\\end{External}\n"
    "  \\begin{External}{java\tscript:alert(1)}U3\\end{External}\n"
    "  \\begin{External}{file:///etc/passwd}U4\\end{External}\n"
    "  \\begin{External}{data:text/html,x}U5\\end{External}\n"
    "  \\begin{External}{//evil.example/x}U6\\end{External}\n"
    "  \\begin{External}{vbscript:x}U7\\end{External};\n";

TEST_F(ManualReader, LinksFromTextsGoOnlyToRelativeHttpAndMailtoTargets) {
  ASSERT_EQ(run("-W -Rhtml", external_links), 0) << errors_;
  std::string page = read_file("scale.html");
  EXPECT_EQ(count(page, "class=\"external\""), 5);
  EXPECT_TRUE(contains(page, "<a href=\"https://example.com/a?b=1#c\" class=\"external\">S1</a>"));
  EXPECT_TRUE(contains(page, "<a href=\"HTTP://example.com\" class=\"external\">S2</a>"));
  EXPECT_TRUE(contains(page, "<a href=\"mailto:team@example.com\" class=\"external\">S3</a>"));
  EXPECT_TRUE(contains(page, "<a href=\"index_by_name.html\" class=\"external\">S4</a>"));
  EXPECT_TRUE(contains(page, "<a href=\"docs/a:b.html\" class=\"external\">S5</a>"));
  for (const std::string text : {"U1", "U2", "U3", "U4", "U5", "U6", "U7"}) {
    EXPECT_TRUE(contains(page, "\n" + text)) << text;
    EXPECT_FALSE(contains(page, text + "</a>")) << text;
  }
  EXPECT_FALSE(contains(page, "script:"));
  EXPECT_FALSE(contains(page, "file:"));
  EXPECT_FALSE(contains(page, "data:"));
  EXPECT_FALSE(contains(page, "evil"));

  ASSERT_EQ(run("-W -Rlatex:c", external_links), 0) << errors_;
  std::string source = read_file("scale.tex");
  EXPECT_EQ(count(source, "\\href{"), 5);
  EXPECT_TRUE(contains(source, "\\href{https://example.com/a?b=1\\#c}{S1}"));
  EXPECT_FALSE(contains(source, "script:"));
  EXPECT_FALSE(contains(source, "file:"));
}

// ---- chapter order ----

const char* const chapters =
    "op_z <- COpZ[:::];\nshort.english: Z.;\nchapter.english: Zebra, Stripes;\n"
    "chapter.german: Affe, Streifen;\nmodule: foundation;\n\n"
    "op_m <- COpM[:::];\nshort.english: M.;\nchapter.english: Mixing;\n"
    "chapter.german: \xC3\x9C" "berblendung;\nmodule: foundation;\n\n"
    "op_a <- COpA[:::];\nshort.english: A.;\nchapter.english: alpha;\n"
    "chapter.german: \xC3\x84rger;\nmodule: foundation;\n\n"
    "op_b <- COpB[:::];\nshort.english: B.;\nchapter.english: Zebra, Bars;\n"
    "chapter.german: Affe, Balken;\nmodule: foundation;\n\n"
    "op_c <- COpC[:::];\nshort.english: C.;\nchapter.english: Beta;\n"
    "chapter.german: Cello;\nmodule: foundation;\n";

TEST_F(ManualReader, ChaptersAreOrderedByTheirNameInTheRunsLanguage) {
  auto order = [&](const std::string& file, std::vector<std::string> names) {
    std::string text = read_file(file);
    size_t last = 0;
    for (const std::string& name : names) {
      size_t at = text.find("name=\"" + name + "\"");
      ASSERT_NE(at, std::string::npos) << name;
      EXPECT_GT(at, last) << name;
      last = at;
    }
  };
  ASSERT_EQ(run("-W -Rxml", chapters), 0) << errors_;
  order("user_index.xml", {"alpha", "Beta", "Mixing", "Zebra", "Bars", "Stripes"});
  ASSERT_EQ(run("-W -lde_DE -Rxml", chapters), 0) << errors_;
  order("user_index.xml",
        {"Affe", "Balken", "Streifen", "\xC3\x84rger", "Cello", "\xC3\x9C" "berblendung"});
}

// ---- the search index ----

TEST(SearchIndex, TextsBecomePlainLines) {
  EXPECT_EQ(search_text("Compute the \\textbf{gray} values of \\OpRef{gen_image}."),
            "Compute the gray values of gen_image.");
  EXPECT_EQ(search_text("  Gr\"o\"se  in\n  Pixeln, ``quoted'' $x^2$ a~b \\Vornix @lraw@e"),
            "Gr\xC3\xB6\xC3\x9F" "e in Pixeln, \"quoted\" x^2 a b Vornix raw");
  EXPECT_EQ(search_text("50\\% a\\\\b"), "50% a b");
}

TEST(SearchIndex, StringsAreJavascriptLiterals) {
  EXPECT_EQ(javascript_string("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(javascript_string("</script>\n\t"), "\"</script>\\u000a\\u0009\"");
  EXPECT_EQ(javascript_string("x\xE2\x80\xA8y\xE2\x80\xA9" "\xC3\xA4"), "\"x\\u2028y\\u2029\xC3\xA4\"");
}
