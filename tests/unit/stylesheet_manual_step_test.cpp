// The manual's stylesheet step over hand-written manual XML documents handed
// over in memory: the HTML and LaTeX passes write only the pages and
// documents, touch no other file of the working directory, report every
// failure; a broken stylesheet leaves its files as XML.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "gen/manual/page_images.h"
#include "stylesheet_test_support.h"

namespace {

using namespace stylesheet_test;

class ManualStep : public ScratchDirectory {
 protected:
  // The four fixture documents of a small manual: one operator, the table
  // of contents, the class list and the classes.
  void write_manual() {
    documents_ = {{"threshold", fixture("threshold.xml")}};
    toc_ = fixture("user_index.xml");
    class_list_ = fixture("class_list.xml");
    classes_ = fixture("classes.xml");
  }
  void configure(const std::string& format, const std::string& interface = "vdevelop",
                 bool test_mode = false, int target = target_package) {
    Settings& s = mutable_settings();
    s.manual_format = format;
    s.manual_interface = interface;
    s.test_mode = test_mode;
    s.generation_target = target;
    s.warnings_suppressed = false;
  }
  bool left(const std::string& suffix) const {
    for (const std::string& name : files())
      if (name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
        return true;
    return false;
  }
  ManualSources sources(const std::vector<std::string>& operators, bool classes) {
    ManualSources sources;
    sources.operator_names = operators;
    sources.operator_xml = [this, operators](size_t index, const char*, const char*) { return documents_[operators[index]]; };
    sources.toc_xml = toc_;
    sources.classes_xml = classes ? classes_ : "";
    sources.class_list_xml = class_list_;
    return sources;
  }
  std::string run(const std::vector<std::string>& operators = {"threshold"}, bool classes = true, int workers = 0) {
    testing::internal::CaptureStderr();
    succeeded_ = transform_manual(sources(operators, classes), workers);
    return testing::internal::GetCapturedStderr();
  }
  std::map<std::string, std::string> documents_;
  std::string toc_, class_list_, classes_;
  bool succeeded_ = false;
};

TEST_F(ManualStep, XmlFormatHasNoStylesheetStep) {
  configure("xml");
  write_manual();
  EXPECT_EQ(run(), "");
  EXPECT_TRUE(succeeded_);
  EXPECT_TRUE(files().empty());
}

TEST_F(ManualStep, HtmlWritesEveryPageAndRemovesTheIntermediateFiles) {
  configure("html");
  write_manual();
  EXPECT_EQ(run(), "");
  EXPECT_TRUE(succeeded_);
  std::vector<std::string> expected = {
      "VImage.html",        "VRegionArray.html",         "index.html",
      "index_by_name.html", "index_classes.html",        "legal_notes.html",
      "threshold.html",     "toc_file.html",             "toc_segmentation.html",
      "toc_segmentation_threshold.html"};
  EXPECT_EQ(files(), expected);
  EXPECT_FALSE(left(".xsl"));
  EXPECT_FALSE(left(".xml"));
  for (const std::string& page : expected) EXPECT_EQ(xmllint_html(page), "") << page;
}

// A user's files named like the stylesheets or the manual's XML documents
// are neither read nor overwritten nor deleted.
TEST_F(ManualStep, FilesOfTheUserInTheWorkingDirectoryAreLeftAlone) {
  const std::vector<std::string> mine = {"si_operator_html.xsl", "si_toc_html.xsl", "si_classes_html.xsl",
                                         "class_list.xml", "classes.xml", "user_index.xml", "threshold.xml"};
  for (const std::string& name : mine) write_file(name, "mine\n");
  configure("html");
  write_manual();
  EXPECT_EQ(run(), "");
  for (const std::string& name : mine) EXPECT_EQ(read_file(name), "mine\n") << name;
  // the class links still come from the class list handed over
  EXPECT_TRUE(contains(read_file("threshold.html"), "<a href=\"VImage.html\" class=\"class\">VImage</a>"));
  EXPECT_TRUE(file_exists("toc_segmentation_threshold.html"));

  configure("latex", "cpp");
  for (const std::string& name : {"operator_latex.xsl", "convert_si_to_legacy.xsl"}) write_file(name, "mine\n");
  EXPECT_EQ(run(), "");
  for (const std::string& name : {"operator_latex.xsl", "convert_si_to_legacy.xsl", "threshold.xml"})
    EXPECT_EQ(read_file(name), "mine\n") << name;
}

// What the stylesheets write lands in a private folder below TMPDIR, which
// is gone after the run, whether it succeeds, fails or ends at once.
TEST_F(ManualStep, TheScratchFolderIsRemovedWhateverTheEnd) {
  const std::string scratch = directory_ + "/scratch";
  ASSERT_EQ(system(("mkdir '" + scratch + "'").c_str()), 0);
  const char* previous = std::getenv("TMPDIR");
  std::string saved = previous != nullptr ? previous : "";
  setenv("TMPDIR", scratch.c_str(), 1);
  auto scratch_is_empty = [&scratch] {
    return system(("test -z \"$(ls -A '" + scratch + "')\"").c_str()) == 0;
  };
  configure("html");
  write_manual();
  EXPECT_EQ(run(), "");
  EXPECT_TRUE(scratch_is_empty());
  documents_["broken"] = "<operator id=\"broken\">";
  run({"broken", "threshold"});
  EXPECT_FALSE(succeeded_);
  EXPECT_TRUE(scratch_is_empty());
  // a page that cannot be written ends the run at once
  ASSERT_EQ(system("rm -f ./*.html && mkdir threshold.html"), 0);
  EXPECT_EXIT(transform_manual(sources({"threshold"}, true)), testing::ExitedWithCode(1),
              "could not open file 'threshold.html'");
  EXPECT_TRUE(scratch_is_empty());
  if (previous != nullptr)
    setenv("TMPDIR", saved.c_str(), 1);
  else
    unsetenv("TMPDIR");
}

// The scratch folder's path is the base of the names the stylesheets
// resolve as URIs: a blank, "%" or "#" in TMPDIR changes no page.
TEST_F(ManualStep, ATemporaryFolderWithCharactersOfUrisChangesNoPage) {
  std::map<std::string, std::string> expected, got;
  for (const char* format : {"html", "latex"}) {
    configure(format, "cpp");
    write_manual();
    ASSERT_EQ(run(), "") << format;
    for (const std::string& name : files()) expected[name] = read_file(name);
  }
  const std::string scratch = directory_ + "/odd %41 #1";
  ASSERT_EQ(system(("mkdir '" + scratch + "'").c_str()), 0);
  const char* previous = std::getenv("TMPDIR");
  std::string saved = previous != nullptr ? previous : "";
  setenv("TMPDIR", scratch.c_str(), 1);
  ASSERT_EQ(system("rm -f ./*.html ./*.tex"), 0);
  for (const char* format : {"html", "latex"}) {
    configure(format, "cpp");
    EXPECT_EQ(run(), "") << format;
    EXPECT_TRUE(succeeded_) << format;
  }
  for (const std::string& name : files()) got[name] = read_file(name);
  got.erase("odd %41 #1");
  if (previous != nullptr)
    setenv("TMPDIR", saved.c_str(), 1);
  else
    unsetenv("TMPDIR");
  EXPECT_EQ(got, expected);
  EXPECT_TRUE(expected.count("toc_segmentation.html")) << expected.size();
}

// The operator pages come from several threads: the pages are the same
// whatever their number.
TEST_F(ManualStep, PagesDoNotDependOnTheNumberOfThreads) {
  configure("html");
  write_manual();
  std::vector<std::string> operators;
  const std::string text = fixture("threshold.xml");
  for (int i = 0; i < 24; ++i) {
    std::string name = "threshold_" + std::to_string(i);
    std::string document = text;
    document.replace(document.find("id=\"threshold\""), 14, "id=\"" + name + "\"");
    documents_[name] = document;
    operators.push_back(name);
  }
  EXPECT_EQ(run(operators, true, 1), "");
  std::map<std::string, std::string> one_thread;
  for (const std::string& name : files()) one_thread[name] = read_file(name);
  ASSERT_EQ(system("rm -f ./*"), 0);
  EXPECT_EQ(run(operators, true, 3), "");
  std::map<std::string, std::string> three_threads;
  for (const std::string& name : files()) three_threads[name] = read_file(name);
  EXPECT_EQ(one_thread.size(), 24u + 9u);
  EXPECT_TRUE(one_thread == three_threads);
}

// What the program wrote itself is read back however deeply its lists nest.
TEST_F(ManualStep, DeeplyNestedListsAreReadBack) {
  configure("html");
  write_manual();
  std::string nested;
  for (int i = 0; i < 300; ++i) nested += "<ul><li>";
  nested += "<p>deep</p>";
  for (int i = 0; i < 300; ++i) nested += "</li></ul>";
  std::string& document = documents_["threshold"];
  document.replace(document.find("<description><p>"), 16, "<description>" + nested + "<p>");
  EXPECT_EQ(run(), "");
  EXPECT_TRUE(succeeded_);
  EXPECT_TRUE(contains(read_file("threshold.html"), "<li><p>deep</p></li></ul></li>"));
}

TEST_F(ManualStep, OperatorPageShowsSignaturesParametersAndSections) {
  configure("html");
  write_manual();
  run();
  std::string page = read_file("threshold.html");
  EXPECT_EQ(page.compare(0, 15, "<!DOCTYPE html>"), 0);
  EXPECT_TRUE(contains(page, "<html lang=\"en-US\">"));
  EXPECT_TRUE(contains(page, "<title>threshold</title>"));
  // the chapter path links the chapter pages
  EXPECT_TRUE(contains(page, "<a href=\"toc_segmentation_threshold.html\">Threshold</a>"));
  // one signature per interface form, classes linked through class_list.xml
  EXPECT_TRUE(contains(page, "<b>threshold</b>( <i>Image</i> : <i>Region</i> : <i>MinGray</i>, <i>MaxGray</i> :  )"));
  EXPECT_TRUE(contains(page, "Verror <b>threshold</b>(Vobject <i>Image</i>, Vobject* <i>Region</i>, double <i>MinGray</i>"));
  EXPECT_TRUE(contains(page, "Verror <b>T_threshold</b>("));
  EXPECT_TRUE(contains(page, "<a href=\"VRegion.html\" class=\"class\">VRegion</a> <a href=\"VImage.html\" "
                             "class=\"class\">VImage</a>::<b>Threshold</b>(VTuple <i>MinGray</i>, VTuple <i>MaxGray</i>) const"));
  EXPECT_TRUE(contains(page, "def <b>threshold</b>(<i>image</i>: VObject, <i>min_gray</i>:"));
  // sections in their order
  const char* order[] = {"<h2>Name</h2>", "<h2>Warning</h2>", "<h2>Signature</h2>", "<h2>Description</h2>",
                         "<h2>Attention</h2>", "<h2>Parameters</h2>", "<h2>Example</h2>", "<h2>Complexity</h2>",
                         "<h2>Result</h2>", "<h2>Execution information</h2>", "<h2>Possible predecessors</h2>",
                         "<h2>Possible successors</h2>", "<h2>Alternatives</h2>", "<h2>See also</h2>",
                         "<h2>References</h2>", "<h2>Module</h2>"};
  size_t at = 0;
  for (const char* heading : order) {
    size_t found = page.find(heading, at);
    ASSERT_NE(found, std::string::npos) << heading;
    at = found;
  }
  // parameter details
  EXPECT_TRUE(contains(page, "<span class=\"semtype\">number-vector{1}</span>"));
  EXPECT_TRUE(contains(page, "→ real / integer"));
  EXPECT_TRUE(contains(page, "→ byte / uint2"));
  EXPECT_TRUE(contains(page, "<tr><td>Default</td><td><code>128.0</code></td></tr>"));
  EXPECT_TRUE(contains(page, "<code>0.0</code> ≤ <i>MinGray</i> ≤ <code>255.0</code> (lin)"));
  EXPECT_TRUE(contains(page, "<tr><td>Restriction</td><td><code>MinGray &lt;= MaxGray</code></td></tr>"));
  EXPECT_TRUE(contains(page, "<tr><td>Assertion</td><td><code>MaxGray &gt;= 0</code></td></tr>"));
  EXPECT_TRUE(contains(page, "The state of the input parameter <code>MinGray</code> is modified by the operator."));
  // references to the operator's own parameters link their descriptions
  EXPECT_TRUE(contains(page, "<a href=\"#parameter_Image\" class=\"parref\"><code><i>Image</i></code></a>"));
  EXPECT_TRUE(contains(page, "<dt id=\"parameter_Image\">"));
  // examples once each (the per-interface grouping is not repeated)
  EXPECT_EQ(std::count(page.begin(), page.end(), '\0'), 0);
  size_t first = page.find("threshold(Image, &amp;Region, 10, 20);");
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(page.find("threshold(Image, &amp;Region, 10, 20);", first + 1), std::string::npos);
  // execution information
  EXPECT_TRUE(contains(page, "<li>Runs on OpenCL compute devices.</li>"));
  EXPECT_TRUE(contains(page, "<li>Automatically parallelized on internal data level.</li>"));
  EXPECT_TRUE(contains(page, "<li>The operator can be cancelled while it runs.</li>"));
  EXPECT_TRUE(contains(page, "<li>The operator can be interrupted by a break; it then returns its intermediate result.</li>"));
  EXPECT_TRUE(contains(page, "foundation<br>Dynamic modules: foundation, extra"));
  EXPECT_TRUE(contains(page, "Copyright (c) 2026 Example &amp; Co"));
}

TEST_F(ManualStep, FormulasAndFiguresFollowTheTestVariant) {
  configure("html");
  write_manual();
  ASSERT_EQ(system("mkdir images && touch images/threshold_formula_1.svg images/threshold_fig.svg"), 0);
  run();
  std::string page = read_file("threshold.html");
  EXPECT_TRUE(contains(page, "<img src=\"images/threshold_formula_1.svg\" alt=\"\\sum_i x_i\">"));
  EXPECT_TRUE(contains(page, "<img src=\"images/threshold_fig.svg\" alt=\"threshold_fig\">"));
  ASSERT_EQ(system("rm -r images"), 0);

  configure("html", "vdevelop", true);
  write_manual();
  run();
  page = read_file("threshold.html");
  EXPECT_TRUE(contains(page, "<div class=\"formula\"><code>\\sum_i x_i</code></div>"));
  EXPECT_TRUE(contains(page, "<span class=\"figure_file\">threshold_fig</span>"));
  EXPECT_FALSE(contains(page, ".svg"));
}

TEST_F(ManualStep, TableOfContentsWritesNameIndexLegalNotesAndChapterPages) {
  configure("html");
  write_manual();
  run();
  std::string index = read_file("index.html");
  EXPECT_TRUE(contains(index, "<html lang=\"de-DE\">"));
  EXPECT_TRUE(contains(index, "<h1>VDevelop Referenzhandbuch</h1>"));
  EXPECT_TRUE(contains(index, "<li><a href=\"toc_segmentation.html\">Segmentierung</a><ul><li><a "
                              "href=\"toc_segmentation_threshold.html\">Schwellwerte</a></li></ul></li>"));
  std::string by_name = read_file("index_by_name.html");
  size_t a = by_name.find("auto_threshold.html"), r = by_name.find("read_image.html"),
         t = by_name.find("\"threshold.html");
  EXPECT_TRUE(a < r && r < t && t != std::string::npos);
  EXPECT_EQ(by_name.find("\"threshold.html", t + 1), std::string::npos);  // listed once
  std::string chapter = read_file("toc_segmentation.html");
  EXPECT_TRUE(contains(chapter, "<h1>Kapitel Segmentierung</h1>"));
  EXPECT_TRUE(contains(chapter, "Pixel „auswählen“ nach <b>Grauwert</b>."));
  std::string leaf = read_file("toc_segmentation_threshold.html");
  EXPECT_TRUE(contains(leaf, "<a href=\"threshold.html\"><code>threshold</code></a></td><td>Pixel nach Grauwert auswählen.</td>"));
  std::string legal = read_file("legal_notes.html");
  EXPECT_TRUE(contains(legal, "VORNIX Library Team, Beispielweg 1"));
  EXPECT_TRUE(contains(legal, "Copyright © (c) Example"));
}

TEST_F(ManualStep, ProcedureManualsPrefixTheirFileNamesAndHonourTheOutputPath) {
  configure("html");
  write_manual();
  toc_.replace(toc_.find("system=\"false\""), 14, "system=\"false\" proc=\"yes\" output_path=\"pages\"");
  ASSERT_EQ(system("mkdir pages"), 0);
  EXPECT_EQ(run(), "");
  EXPECT_TRUE(file_exists("index.html"));  // the main result is saved by the step itself
  EXPECT_TRUE(file_exists("pages/proc_index_by_name.html"));
  EXPECT_TRUE(file_exists("pages/proc_legal_notes.html"));
  EXPECT_TRUE(file_exists("pages/proc_toc_segmentation_threshold.html"));
  EXPECT_TRUE(contains(read_file("pages/proc_index_by_name.html"), "<h1>Prozedurindex</h1>"));
  EXPECT_TRUE(contains(read_file("index.html"), "<a href=\"proc_index_by_name.html\">"));
}

TEST_F(ManualStep, ClassPagesListMembersByGroup) {
  configure("html");
  write_manual();
  run();
  std::string index = read_file("index_classes.html");
  EXPECT_TRUE(contains(index, "<a href=\"VImage.html\"><code>VImage</code></a></td><td>C++, .NET</td>"));
  std::string page = read_file("VImage.html");
  EXPECT_TRUE(contains(page, "<h2>C++: <code>VImage</code></h2>"));
  EXPECT_TRUE(contains(page, "<h3>Base class</h3><p><a href=\"VObject.html\"><code>VObject</code></a></p>"));
  EXPECT_TRUE(contains(page, "<h3>Constructors</h3><table class=\"members\"><tr><td><a href=\"read_image.html\">"));
  EXPECT_TRUE(contains(page, "<h3>Destructor</h3>"));
  EXPECT_TRUE(contains(page, "<h3>Finalizer</h3>"));
  EXPECT_TRUE(contains(page, "<td>Select pixels.</td>"));
}

TEST_F(ManualStep, LibraryBuildReadsIndexXml) {
  configure("html", "vdevelop", false, target_library);
  write_manual();
  EXPECT_EQ(run(), "");
  EXPECT_TRUE(file_exists("index.html"));
  EXPECT_FALSE(file_exists("index.xml"));
}

TEST_F(ManualStep, OtherFormatNamesAreTheExtensionOfThePages) {
  configure("htm");
  write_manual();
  run();
  EXPECT_TRUE(file_exists("threshold.htm"));
  EXPECT_TRUE(file_exists("index.htm"));
  EXPECT_TRUE(file_exists("index_classes.htm"));
  EXPECT_FALSE(left(".xml"));
  EXPECT_FALSE(left(".html"));
  // and every link uses it
  for (const std::string& page : files()) EXPECT_FALSE(contains(read_file(page), ".html")) << page;
  EXPECT_TRUE(contains(read_file("threshold.htm"), "<a href=\"VImage.htm\" class=\"class\">VImage</a>"));
  EXPECT_TRUE(contains(read_file("index.htm"), "<a href=\"toc_segmentation.htm\">"));
}

TEST_F(ManualStep, AnEmptyFormatNameGivesHtmlPages) {
  configure("", "vdevelop", true);  // -Rtest
  write_manual();
  run();
  EXPECT_TRUE(file_exists("threshold.html"));
  EXPECT_TRUE(file_exists("index.html"));
  EXPECT_FALSE(file_exists("threshold."));
}

TEST_F(ManualStep, ABrokenStylesheetLeavesItsFilesAsXml) {
  configure("html");
  write_manual();
  override_stylesheet_resource("si_operator_html.xsl", "<xsl:stylesheet version=\"1.0\"");
  std::string errors = run();
  EXPECT_TRUE(contains(errors, "vornc error: Failed to parse transformation si_operator_html.xsl.\n"
                               "Some or all output files will be in XML format!\n"))
      << errors;
  EXPECT_FALSE(succeeded_);
  EXPECT_EQ(read_file("threshold.xml"), fixture("threshold.xml"));
  EXPECT_FALSE(file_exists("threshold.html"));
  // the other passes still run, and every extracted stylesheet is removed
  EXPECT_TRUE(file_exists("index.html"));
  EXPECT_TRUE(file_exists("index_classes.html"));
  EXPECT_FALSE(left(".xsl"));
  EXPECT_FALSE(file_exists("class_list.xml"));
}

// The libraries' own messages come through the diagnostics, and the run
// fails while the other pages are still written.
TEST_F(ManualStep, AnOperatorDocumentThatDoesNotParseIsAFailure) {
  configure("html");
  write_manual();
  documents_["broken"] = "<operator id=\"broken\">";
  std::string errors = run({"broken", "threshold"});
  EXPECT_FALSE(succeeded_);
  EXPECT_TRUE(contains(errors, "vornc error: broken.xml:1: ")) << errors;
  EXPECT_TRUE(contains(errors, "vornc error: Failed to load XML file broken.xml\n")) << errors;
  size_t line = 0;
  while (line < errors.size()) {
    EXPECT_EQ(errors.compare(line, 13, "vornc error: "), 0) << errors.substr(line);
    line = errors.find('\n', line);
    if (line == std::string::npos) break;
    ++line;
  }
  EXPECT_FALSE(file_exists("broken.html"));
  EXPECT_TRUE(file_exists("threshold.html"));
  EXPECT_FALSE(left(".xml"));
}

TEST_F(ManualStep, ATransformationErrorIsAFailure) {
  configure("html");
  write_manual();
  std::string sheet = *stylesheet_resource_text("si_operator_html.xsl");
  size_t at = sheet.find("<xsl:template match=\"operator\">");
  ASSERT_NE(at, std::string::npos);
  sheet.insert(at + 31, "<xsl:message terminate=\"yes\">stop here</xsl:message>");
  override_stylesheet_resource("si_operator_html.xsl", sheet);
  std::string errors = run();
  EXPECT_FALSE(succeeded_);
  EXPECT_TRUE(contains(errors, "vornc error: stop here\n")) << errors;
  EXPECT_TRUE(contains(errors, "vornc error: Failed to apply transformation to threshold.xml\n")) << errors;
  EXPECT_FALSE(file_exists("threshold.html"));
  EXPECT_TRUE(file_exists("index.html"));
}

TEST_F(ManualStep, OlderHtmlPagesReadTheConvertedLayout) {
  write_file("class_list.xml", fixture("class_list.xml"));
  std::string legacy = apply("convert_si_to_legacy.xsl", fixture("threshold.xml"), {{"current_syntax", "'python'"}});
  EXPECT_TRUE(contains(legacy, "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>"));
  EXPECT_TRUE(contains(legacy, "<synopsis interface=\"python\">"));
  EXPECT_FALSE(contains(legacy, "<signatures"));
  EXPECT_TRUE(contains(legacy, "<name>image</name>"));
  std::string page = apply("operator_html.xsl", legacy);
  write_file("old.html", page);
  EXPECT_EQ(xmllint_html("old.html"), "");
  EXPECT_TRUE(contains(page, "<h1>threshold</h1>"));
  EXPECT_TRUE(contains(page, "<b>threshold</b>(VObject <i>image</i>, VObject <i>region</i>"));
  EXPECT_TRUE(contains(page, "<dt><code><b>image</b></code> (input_object) singlechannelimage</dt>"));
  EXPECT_TRUE(contains(page, "<a href=\"gen_image.html\" class=\"opref\"><code>gen_image</code></a>"));

  std::string toc = apply("convert_si_to_legacy.xsl", fixture("user_index.xml"), {{"current_syntax", "'cpp'"}});
  std::string contents = apply("toc_html.xsl", toc);
  write_file("old_toc.html", contents);
  EXPECT_EQ(xmllint_html("old_toc.html"), "");
  EXPECT_TRUE(contains(contents, "<h1>C++ Referenzhandbuch</h1>"));
  EXPECT_TRUE(contains(contents, "<a href=\"threshold.html\"><code>Threshold</code></a> — Pixel nach Grauwert auswählen."));
}

// ---------------------------------------------------------------- LaTeX

TEST_F(ManualStep, LatexWithClassesWritesOperatorClassIndexAndMainDocument) {
  configure("latex", "cpp");
  write_manual();
  EXPECT_EQ(run(), "");
  EXPECT_TRUE(succeeded_);
  EXPECT_EQ(files(), (std::vector<std::string>{"index.tex", "index_classes.tex", "threshold.tex"}));
  for (const char* name : {"index.tex", "index_classes.tex", "threshold.tex"})
    EXPECT_TRUE(braces_balanced(read_file(name))) << name;
  std::string main = read_file("index.tex");
  EXPECT_TRUE(contains(main, "\\usepackage[german]{babel}\n\\usepackage[utf8]{inputenc}\n\\usepackage[T1]{fontenc}\n"));
  EXPECT_TRUE(contains(main, "\\title{C++ Referenzhandbuch}\n"));
  EXPECT_TRUE(contains(main, "\\author{Jane Doe}\n"));
  EXPECT_TRUE(contains(main, "\\newcommand{\\vornixcopyright}{(c) Example}\n"));
  EXPECT_TRUE(contains(main, "\n\\chapter{Segmentierung}\n"));
  EXPECT_TRUE(contains(main, "\n\\section{Schwellwerte}\n"));
  EXPECT_TRUE(contains(main, "\\input threshold.tex\n"));
  EXPECT_TRUE(contains(main, "\\input auto_threshold.tex\n"));
  EXPECT_TRUE(contains(main, "\\input read_image.tex\n"));
  EXPECT_EQ(main.find("\\input threshold.tex", main.find("\\input threshold.tex") + 1), std::string::npos);
  EXPECT_TRUE(contains(main, "\\input index_classes.tex\n\\printindex\n\\end{document}\n"));

  std::string op = read_file("threshold.tex");
  EXPECT_TRUE(contains(op, "\\vornixoperator{threshold}{Threshold}\n"));
  EXPECT_TRUE(contains(op, "\\texttt{VRegion VImage::\\allowbreak{}Threshold(\\allowbreak{}VTuple MinGray, VTuple MaxGray) const}"));
  EXPECT_TRUE(contains(op, "Do not use with \\hyperref[op:gen_image]{\\texttt{Gen\\allowbreak{}Image}}."));
  EXPECT_TRUE(contains(op, "\\item[{\\texttt{Image}}] (input\\_object) \\textit{singlechannelimage}"));
  EXPECT_TRUE(contains(op, "\\item \\textbf{Default:} \\texttt{128.0}\n"));
  EXPECT_TRUE(contains(op, "\\begin{verbatim}\nthreshold(Image, &Region, 10, 20);\nif (a < b) {}\n\\end{verbatim}"));
  EXPECT_TRUE(contains(op, "\\index{segmentation}\n"));

  std::string classes = read_file("index_classes.tex");
  EXPECT_TRUE(contains(classes, "\\section{VImage}\\label{class:VImage}\n"));
  EXPECT_TRUE(contains(classes, "\\item[{\\texttt{Threshold}}] Select pixels. (\\texttt{threshold})\n"));
  EXPECT_TRUE(contains(classes, "\\textless{}no description\\textgreater{}"));
  EXPECT_TRUE(contains(classes, "\\section{VRegionArray}\\label{class:VRegionArray}\n"));
}

TEST_F(ManualStep, LatexForCWritesNoClassIndex) {
  configure("latex", "c");
  write_manual();
  EXPECT_EQ(run(), "");
  EXPECT_EQ(files(), (std::vector<std::string>{"index.tex", "threshold.tex"}));
  std::string main = read_file("index.tex");
  EXPECT_FALSE(contains(main, "index_classes"));
  EXPECT_TRUE(contains(main, "\\title{C Referenzhandbuch}"));
  std::string op = read_file("threshold.tex");
  EXPECT_TRUE(contains(op, "\\texttt{Verror threshold(\\allowbreak{}Vobject Image, Vobject* Region, double MinGray, double MaxGray)}\\\\[1ex]\n"
                           "\\texttt{Verror T\\_threshold(\\allowbreak{}Vobject Image, Vobject* Region, Vtuple MinGray, Vtuple MaxGray)}\n"));
  EXPECT_TRUE(contains(op, "value with \\texttt{\"true\"}"));
}

TEST_F(ManualStep, LatexForVdevelopUsesItsSignatureForm) {
  configure("latex", "vdevelop");
  write_manual();
  run();
  std::string op = read_file("threshold.tex");
  EXPECT_TRUE(contains(op, "\\texttt{threshold(\\allowbreak{} Image : Region : MinGray, MaxGray :  )}"));
  EXPECT_TRUE(contains(op, "value with \\texttt{'true'}"));
  EXPECT_TRUE(contains(read_file("index.tex"), "\\title{VDevelop Referenzhandbuch}"));
}

TEST_F(ManualStep, JapaneseMainDocumentUsesXeLatexWithCjkFonts) {
  configure("latex", "python");
  write_manual();
  toc_.replace(toc_.find("language=\"de_DE\""), 16, "language=\"ja_JP\"");
  run();
  std::string main = read_file("index.tex");
  EXPECT_TRUE(contains(main, "\\usepackage{xeCJK}\n"));
  EXPECT_FALSE(contains(main, "babel"));
  EXPECT_TRUE(contains(main, "\\title{Python リファレンスマニュアル}"));
  // Python has no classes: no class index
  EXPECT_FALSE(contains(main, "index_classes"));
  EXPECT_FALSE(file_exists("index_classes.tex"));
  EXPECT_TRUE(braces_balanced(main));
}

TEST_F(ManualStep, LibraryBuildMainDocumentHasNoAuthorFromTheCommandLine) {
  configure("latex", "c", false, target_library);
  write_manual();
  toc_.replace(toc_.find("system=\"false\""), 14, "system=\"true\"");
  run();
  std::string main = read_file("index.tex");
  EXPECT_FALSE(contains(main, "\\author"));
  EXPECT_FALSE(file_exists("index.xml"));
}

TEST_F(ManualStep, AnOperatorDocumentThatDoesNotParseIsAFailureInLatex) {
  configure("latex", "c");
  write_manual();
  documents_["broken"] = "<operator id=\"broken\">";
  std::string errors = run({"broken", "threshold"});
  EXPECT_FALSE(succeeded_);
  EXPECT_TRUE(contains(errors, "vornc error: Failed to load XML file broken.xml\n")) << errors;
  EXPECT_FALSE(file_exists("broken.xml"));
  EXPECT_FALSE(file_exists("broken.tex"));
  EXPECT_TRUE(file_exists("threshold.tex"));
  EXPECT_TRUE(file_exists("index.tex"));
}

TEST_F(ManualStep, ABrokenConversionLeavesEveryLatexInputAsXml) {
  configure("latex", "cpp");
  write_manual();
  override_stylesheet_resource("convert_si_to_legacy.xsl", "<not-a-stylesheet/>");
  std::string errors = run();
  EXPECT_TRUE(contains(errors, "Failed to parse transformation convert_si_to_legacy.xsl.\n")) << errors;
  EXPECT_FALSE(succeeded_);
  EXPECT_EQ(files(), (std::vector<std::string>{"classes.xml", "threshold.xml", "user_index.xml"}));
  EXPECT_EQ(read_file("threshold.xml"), fixture("threshold.xml"));
}

// The conversion into the older layout is done natively unless its
// stylesheet is replaced; the embedded stylesheet, handed over as a
// replacement, runs as a stylesheet: both give the same pages.
TEST_F(ManualStep, NativeConversionWritesWhatTheConversionStylesheetWrites) {
  for (const char* interface : {"vdevelop", "c", "cpp", "python", "dotnet"}) {
    configure("latex", interface);
    write_manual();
    ASSERT_EQ(run(), "") << interface;
    std::map<std::string, std::string> native;
    for (const std::string& name : files()) native[name] = read_file(name);
    override_stylesheet_resource("convert_si_to_legacy.xsl", *stylesheet_resource_text("convert_si_to_legacy.xsl"));
    ASSERT_EQ(run(), "") << interface;
    override_stylesheet_resource("convert_si_to_legacy.xsl", "");
    std::map<std::string, std::string> by_stylesheet;
    for (const std::string& name : files()) by_stylesheet[name] = read_file(name);
    EXPECT_EQ(native, by_stylesheet) << interface;
    EXPECT_TRUE(native.count("threshold.tex")) << interface;
  }
}

// Phrases and class links come from native lookups in the manual step; the
// extracted stylesheet, run anywhere else, uses its keys: both write the
// same page, in English and in German.
TEST_F(ManualStep, NativeLookupsWriteWhatTheKeysWrite) {
  for (const char* language : {"en_US", "de_DE"}) {
    configure("html", "cpp", true);
    write_manual();
    std::string document = fixture("threshold.xml");
    const std::string english = "language=\"en_US\"";
    document.replace(document.find(english), english.size(), std::string("language=\"") + language + "\"");
    documents_["threshold"] = document;
    ASSERT_EQ(run(), "") << language;
    write_file("class_list.xml", class_list_);
    std::string page = apply("si_operator_html.xsl", document,
                             {{"formula_mode", "'ascii'"},
                              {"figure_mode", "'filename_only'"},
                              {"page_extension", "'html'"},
                              {"imagedir", std::string("'") + manual_image_folder + "'"},
                              {"svg_images", svg_images_parameter(manual_image_folder)}});
    EXPECT_TRUE(contains(page, "<a href=\"VImage.html\" class=\"class\">VImage</a>")) << page;
    EXPECT_EQ(page, read_file("threshold.html")) << language;
  }
  EXPECT_TRUE(contains(read_file("threshold.html"), "Beschreibung"));
}

// Signature blocks of every interface and form: outputs of every kind,
// classes listed and not, static, const and Windows-only methods, Python
// returns, an unknown interface, a block without interface and one without
// signature.
std::string signatures_of_every_kind() {
  return
      "<signatures interface=\"vdevelop\"><signature name=\"op\"><parameters>"
      "<parameter name=\"In\" type=\"iconic\" mode=\"input\"/><parameter name=\"In2\" type=\"iconic\" mode=\"input\"/>"
      "<parameter name=\"Out\" type=\"iconic\" mode=\"output\"/><parameter name=\"C\" type=\"control\" mode=\"output\"/>"
      "</parameters></signature></signatures>\n"
      "<signatures interface=\"c\"><signature name=\"op\"><parameters>"
      "<parameter name=\"A\" type=\"double*\" mode=\"output\"/><parameter name=\"B\" type=\"Vtuple\" mode=\"output\"/>"
      "<parameter name=\"N\" mode=\"output\"/><parameter name=\"I\" type=\"VImage\" mode=\"input\"/>"
      "</parameters><returns type=\"Verror\"/></signature></signatures>\n"
      "<signatures interface=\"cpp\">"
      "<signature type=\"method\" class_name=\"VImage\" class_id=\"VImage\" name=\"Op\" const=\"true\" winonly=\"true\" "
      "static=\"true\"><parameters><parameter name=\"R\" type=\"VRegion\" mode=\"output\"/>"
      "<parameter name=\"T\" type=\"VTuple &amp; &lt;x&gt;\" mode=\"input\"/></parameters>"
      "<returns type=\"VRegion\"/><returns type=\"Other\"/></signature>\n"
      "<signature type=\"method\" name=\"Plain\"/>\n"
      "<signature type=\"constructor\" class_name=\"VNoClass\" class_id=\"VMissing\" name=\"Ctor\"/></signatures>\n"
      "<signatures interface=\"com\"><signature class_name=\"VImageX\" class_id=\"VImage\" name=\"Op\"><parameters>"
      "<parameter name=\"R\" type=\"IVRegionX*\" mode=\"output\"/></parameters></signature></signatures>\n"
      "<signatures interface=\"dotnet\"><signature type=\"method\" class_name=\"VImage\" name=\"Op\"><parameters>"
      "<parameter name=\"r\" type=\"VRegion\" mode=\"output\"/></parameters><returns/><returns type=\"VImage\"/>"
      "</signature></signatures>\n"
      "<signatures interface=\"python\">"
      "<signature name=\"none\"><parameters><parameter name=\"a\" type=\"int\" mode=\"input\"/></parameters></signature>"
      "<signature name=\"one\"><parameters><parameter name=\"o\" type=\"float\" mode=\"output\"/></parameters></signature>"
      "<signature name=\"two\"><parameters><parameter name=\"o\" type=\"float\" mode=\"output\"/>"
      "<parameter name=\"p\" type=\"str\" mode=\"output\"/></parameters></signature>"
      "<signature name=\"ret\"><parameters><parameter name=\"o\" type=\"float\" mode=\"output\"/></parameters>"
      "<returns type=\"Tuple[float]\"/></signature></signatures>\n"
      "<signatures interface=\"java\"><signature name=\"op\"/></signatures>\n"
      "<signatures><signature name=\"bare\"><parameters><parameter name=\"x\" type=\"VImage\" mode=\"output\"/>"
      "</parameters></signature></signatures>\n"
      "<signatures interface=\"c\"/>\n";
}

// The synopsis of an operator page is written natively in the manual step;
// the extracted stylesheet writes it with its templates: both give the same
// page for every kind of signature, for each interface an operator may name
// and in English and German.
TEST_F(ManualStep, NativeSynopsisWritesWhatTheTemplatesWrite) {
  const std::string signatures = signatures_of_every_kind();
  for (const char* language : {"en_US", "de_DE"}) {
    for (const char* named : {" interface=\"all\"", " interface=\"c\"", " interface=\"python\"", ""}) {
      configure("html", "cpp", true);
      write_manual();
      std::string document = fixture("threshold.xml");
      const std::string english = "language=\"en_US\"";
      document.replace(document.find(english), english.size(), std::string("language=\"") + language + "\"");
      const std::string all = " interface=\"all\"";
      document.replace(document.find(all), all.size(), named);
      size_t first = document.find("<signatures");
      document.replace(first, document.find("<summary>") - first, signatures);
      documents_["threshold"] = document;
      ASSERT_EQ(run(), "") << language << named;
      write_file("class_list.xml", class_list_);
      std::string page = apply("si_operator_html.xsl", document,
                               {{"formula_mode", "'ascii'"},
                                {"figure_mode", "'filename_only'"},
                                {"page_extension", "'html'"},
                                {"imagedir", std::string("'") + manual_image_folder + "'"},
                                {"svg_images", svg_images_parameter(manual_image_folder)}});
      EXPECT_EQ(page, read_file("threshold.html")) << language << named;
    }
  }
  std::string page = read_file("threshold.html");
  EXPECT_TRUE(contains(page, "def <b>two</b>() -&gt; Tuple[float, str]")) << page;
  EXPECT_TRUE(contains(page, "<h3 class=\"interface\">java</h3>")) << page;
}

// The term of each parameter entry and the spelling of names are written
// natively in the manual step; the extracted stylesheet's templates write
// the same page, for a document that names an interface and one that does
// not (VDevelop).
TEST_F(ManualStep, NativeParameterTermsWriteWhatTheTemplatesWrite) {
  const std::string parameters =
      "<parameters>\n"
      "<parameter id=\"A\" mode=\"input_object\" semtype=\"image\"><name><syntax interface=\"vdevelop\">A</syntax>"
      "<syntax interface=\"cpp\">a_cpp</syntax><syntax interface=\"cpp\">second</syntax></name>"
      "<type id=\"image\"><syntax interface=\"c\">Vobject</syntax></type><subtype name=\"byte\"/>"
      "<subtype><syntax interface=\"python\">py</syntax><syntax interface=\"vdevelop\">real</syntax></subtype>"
      "<subtype><syntax interface=\"com\">only &amp; com</syntax></subtype><subtype>  plain\n  text </subtype>"
      "<summary>First.</summary></parameter>\n"
      "<parameter id=\"B\" mode=\"output_control\" semtype=\"\"><name><syntax interface=\"python\">b_py</syntax>"
      "</name><type id=\"VTuple\"/><type id=\"second\"/></parameter>\n"
      "<parameter mode=\"input_control\"><name>  spaced \t name  </name><type/></parameter>\n"
      "<parameter id=\"D\"><name><syntax interface=\"dotnet\">d<b>bold</b></syntax></name></parameter>\n"
      "</parameters>\n";
  for (const char* interface : {"", " interface=\"cpp\""}) {
    configure("html", "cpp", true);
    write_manual();
    std::string document = fixture("threshold.xml");
    const std::string element = "<document version=";
    document.replace(document.find(element), element.size(), std::string("<document") + interface + " version=");
    size_t first = document.find("<parameters>\n  <parameter id=");
    size_t end = document.find("</parameters>", first) + std::string("</parameters>\n").size();
    document.replace(first, end - first, parameters);
    documents_["threshold"] = document;
    ASSERT_EQ(run(), "") << interface;
    write_file("class_list.xml", class_list_);
    std::string page = apply("si_operator_html.xsl", document,
                             {{"formula_mode", "'ascii'"},
                              {"figure_mode", "'filename_only'"},
                              {"page_extension", "'html'"},
                              {"imagedir", std::string("'") + manual_image_folder + "'"},
                              {"svg_images", svg_images_parameter(manual_image_folder)}});
    EXPECT_EQ(page, read_file("threshold.html")) << interface;
  }
  std::string page = read_file("threshold.html");
  EXPECT_TRUE(contains(page, "<dt id=\"parameter_A\"><code><b>a_cpp</b></code> (input_object) "
                             "<span class=\"semtype\">image</span> \xe2\x86\x92 byte / real / only &amp; com / plain text</dt>"))
      << page;
  EXPECT_TRUE(contains(page, "<dt id=\"parameter_\"><code><b>spaced name</b></code> (input_control)  \xe2\x86\x92 </dt>"))
      << page;
}

}  // namespace

namespace {

using namespace stylesheet_test;

TEST(LatexEscaping, SpecialCharactersBecomeCommandsAndOtherTextStays) {
  EXPECT_EQ(latex_escaped(""), "");
  EXPECT_EQ(latex_escaped("plain text, 3.5 (ok)"), "plain text, 3.5 (ok)");
  EXPECT_EQ(latex_escaped("\\{}$&#%_^~<>|"),
            "\\textbackslash{}\\{\\}\\$\\&\\#\\%\\_\\textasciicircum{}\\textasciitilde{}\\textless{}"
            "\\textgreater{}\\textbar{}");
  // a no-break space is a tie; other characters of two bytes stay
  EXPECT_EQ(latex_escaped("a\xc2\xa0" "b \xc2\xa9 \xc3\xa4_"), "a~b \xc2\xa9 \xc3\xa4\\_");
  EXPECT_EQ(latex_escaped("end\xc2"), "end\xc2");
}

TEST(LatexEscaping, NamesMayBreakBeforeACapitalAfterASmallLetterOrDigit) {
  EXPECT_EQ(latex_breakable_name(""), "");
  EXPECT_EQ(latex_breakable_name("MinGray"), "Min\\allowbreak{}Gray");
  EXPECT_EQ(latex_breakable_name("gen_image2D"), "gen\\_image2\\allowbreak{}D");
  EXPECT_EQ(latex_breakable_name("ABCdefGHi"), "ABCdef\\allowbreak{}GHi");
  // a character of several bytes is one character: no break after it, and
  // it stays whole
  EXPECT_EQ(latex_breakable_name("\xc3\xa4X a\xc2\xa0" "B&c"), "\xc3\xa4X a~B\\&c");
}

// The manual step escapes natively; the extracted stylesheets, run anywhere
// else, use their template: both write the same page.
TEST_F(ManualStep, NativeLatexEscapingWritesWhatTheTemplateWrites) {
  configure("latex", "cpp");
  write_manual();
  ASSERT_EQ(run(), "");
  std::string legacy = apply("convert_si_to_legacy.xsl", fixture("threshold.xml"), {{"current_syntax", "'cpp'"}});
  std::string page = apply("operator_latex.xsl", legacy, {{"current_syntax", "'cpp'"}});
  EXPECT_TRUE(contains(page, "two\\textbackslash{}\\$ 50\\% \\#")) << page;
  EXPECT_EQ(page, read_file("threshold.tex"));
}

// The item line of each parameter is written natively as well: names,
// modes, semantic types and subtypes with LaTeX's special characters give
// what the template writes.
TEST_F(ManualStep, NativeLatexParameterItemsWriteWhatTheTemplateWrites) {
  const std::string parameters =
      "<parameters>\n"
      "<parameter id=\"A\" mode=\"input_object\" semtype=\"image_{1}\"><name><syntax interface=\"vdevelop\">A_b</syntax>"
      "<syntax interface=\"cpp\">a&amp;cpp</syntax></name><type id=\"image\"/><subtype name=\"byte%\"/>"
      "<subtype><syntax interface=\"vdevelop\">real</syntax></subtype><subtype>  plain\n  $text </subtype>"
      "<summary>First.</summary></parameter>\n"
      "<parameter id=\"B\" mode=\"output_control\" semtype=\"\"><name>  spaced \t name  </name></parameter>\n"
      "<parameter id=\"C\"><name><syntax interface=\"python\">c~py</syntax></name><subtype name=\"\"/></parameter>\n"
      "</parameters>\n";
  for (const char* interface : {"cpp", "vdevelop", "python"}) {
    configure("latex", interface);
    write_manual();
    std::string document = fixture("threshold.xml");
    size_t first = document.find("<parameters>\n  <parameter id=");
    size_t end = document.find("</parameters>", first) + std::string("</parameters>\n").size();
    document.replace(first, end - first, parameters);
    documents_["threshold"] = document;
    ASSERT_EQ(run(), "") << interface;
    const std::string syntax = std::string("'") + interface + "'";
    std::string legacy = apply("convert_si_to_legacy.xsl", document, {{"current_syntax", syntax}});
    std::string page = apply("operator_latex.xsl", legacy, {{"current_syntax", syntax}});
    EXPECT_EQ(page, read_file("threshold.tex")) << interface;
  }
  EXPECT_TRUE(contains(read_file("threshold.tex"), "\\item[{\\texttt{spaced name}}] (output\\_control)\n")) <<
      read_file("threshold.tex");
}

// The signatures of a LaTeX page are written natively too: for each
// interface the page reads, what the templates write.
TEST_F(ManualStep, NativeLatexSignaturesWriteWhatTheTemplatesWrite) {
  for (const char* interface : {"vdevelop", "c", "cpp", "dotnet", "python"}) {
    configure("latex", interface);
    write_manual();
    std::string document = fixture("threshold.xml");
    size_t first = document.find("<signatures");
    document.replace(first, document.find("<summary>") - first, signatures_of_every_kind());
    documents_["threshold"] = document;
    ASSERT_EQ(run(), "") << interface;
    const std::string syntax = std::string("'") + interface + "'";
    std::string legacy = apply("convert_si_to_legacy.xsl", document, {{"current_syntax", syntax}});
    std::string page = apply("operator_latex.xsl", legacy, {{"current_syntax", syntax}});
    EXPECT_EQ(page, read_file("threshold.tex")) << interface;
    EXPECT_TRUE(contains(page, "\\begin{flushleft}")) << interface;
  }
  EXPECT_TRUE(contains(read_file("threshold.tex"), "def two(\\allowbreak{}) -\\textgreater{} Tuple[float, str]"))
      << read_file("threshold.tex");
}

}  // namespace
