#include "gen/help/help_text.h"

#include <gtest/gtest.h>

#include "driver/settings.h"

namespace {

std::string converted(const std::string& text) { return convert_help_text(text); }

std::string written(const char* key, const std::string& text) {
  Writer out;
  write_help_text(out, key, text);
  return out.text();
}

}  // namespace

TEST(HelpText, FormatSwitches) {
  EXPECT_EQ(converted("a @lb $x$@e c"), "a  c");
  EXPECT_EQ(converted("a @fb@e c"), "a  c");
  // ASCII-only parts keep "$", "\" and "&"; both-format parts drop them
  EXPECT_EQ(converted("@a$x$ \\; a&b@e $x$ \\; a&b"), "$x$ \\; a&b x ; ab");
  EXPECT_EQ(converted("a \\& b"), "a & b");
  // an "@" before anything else is text
  EXPECT_EQ(converted("name@b.org"), "name@b.org");
  EXPECT_EQ(converted("x@ly\nz"), "x");
}

TEST(HelpText, FixedCommands) {
  EXPECT_EQ(converted("\\Vornix and \\DO2, \\textbackslash"), "VORNIX and DO2, \\");
  EXPECT_EQ(converted("\\OpenVINO"), "OpenVINO (TM) toolkit");
  EXPECT_EQ(converted("\\ResTrue \\ResFalse \\ResVoid \\ResFail"),
            "2 (V_MSG_TRUE) 3 (V_MSG_FALSE) 4 (V_MSG_VOID) 5 (V_MSG_FAIL)");
  EXPECT_EQ(converted("\\ParamAttention \\ParamRestriction \\ValueDefault"),
            "Attention: Restriction: Default:");
  EXPECT_EQ(converted("\\ValueList \\ValueSuggestion \\ValueRange"),
            "List of values: Suggested values: Typical range of values:");
  // in ASCII-only parts as well
  EXPECT_EQ(converted("@a\\Vornix@e"), "VORNIX");
  // many replacements that lengthen the text are all written
  std::string many;
  for (int i = 0; i < 500; ++i) many += "\\OpenVINO";
  EXPECT_EQ(converted(many).size(), 500u * 21u);
}

TEST(HelpText, OtherCommandsKeepTheirArgumentText) {
  EXPECT_EQ(converted("see \\OpRef{threshold} and \\ParRef{Image}"), "see threshold and Image");
  EXPECT_EQ(converted("\\emph{a {b} c}d"), "a {b} cd");
  EXPECT_EQ(converted("\\em bold"), " bold");
  EXPECT_EQ(converted("\\OpRef{\\Vornix}"), "VORNIX");
  EXPECT_EQ(converted("{plain}"), "{plain}");
}

TEST(HelpText, ListAndFloatMarkupIsDropped) {
  EXPECT_EQ(converted("\\begin{itemize}\\item one \\item[Label] two\\end{itemize}"),
            " one Label two");
  EXPECT_EQ(converted("\\begin{enumerate}x\\end{enumerate}\\begin{description}y\\end{description}"),
            "xy");
  EXPECT_EQ(converted("<ul><li>x</li></ul><ol><dl><dt>t</dt><dd>d</dd></dl></ol>"), "xtd");
  EXPECT_EQ(converted("\\begin{Table}{caption {inner}}rows\\end{Table}"), "rows");
  EXPECT_EQ(converted("\\begin{Figure}{f}\\begin{Alignment}{a}\\begin{External}{e}z"
                      "\\end{External}\\end{Alignment}\\end{Figure}"),
            "z");
  // a "]" outside an item label is text
  EXPECT_EQ(converted("a[1]"), "a[1]");
}

TEST(HelpText, LineFeedsAndUmlauts) {
  EXPECT_EQ(converted("one\ntwo"), "one\rtwo");
  EXPECT_EQ(converted("\"a\"o\"u\"A\"O\"U\"s"), "\xE4\x94\xFC\xC4\xD6\xDC\xFF");
  EXPECT_EQ(converted("\"`x\"' \"z"), "\"x\" z");
  EXPECT_EQ(converted("end\""), "end");
}

TEST(HelpText, MarkupCutShortOrAtTheEdges) {
  // an "@" in an omitted part does not end it; only a format switch does
  EXPECT_EQ(converted("a@lx@y@z@eb"), "ab");
  EXPECT_EQ(converted("a@l@"), "a");
  EXPECT_EQ(converted("x@"), "x@");
  // markup that the end of the text cuts short
  EXPECT_EQ(converted("a\\"), "a");
  EXPECT_EQ(converted("a\\item"), "a");
  EXPECT_EQ(converted("a\\item["), "a");
  EXPECT_EQ(converted("a\\begin{Table}"), "a");
  EXPECT_EQ(converted("\\begin{Figure}{unclosed"), "");
  EXPECT_EQ(converted("a<ul"), "a<ul");
  // begin and end of anything else are ordinary commands, and a longer word
  // is not \item
  EXPECT_EQ(converted("\\begin{other}x\\end{other}"), "otherxother");
  EXPECT_EQ(converted("\\itemize[1]"), "[1]");
  EXPECT_EQ(converted("\\Vornixx \\Vorni"), " ");
  // the quote of an umlaut takes the next character, markup or not
  EXPECT_EQ(converted("\"\nx\"{y}\"@lz"), "\nx{y}@lz");
}

TEST(HelpText, OutputForms) {
  EXPECT_EQ(written("ascii", "a\rb\"!"), "a\rb\"!");
  EXPECT_EQ(written("cpp_ascii", "a\rb"), "a\n  // b");
  EXPECT_EQ(written("ascii_nocr", "a\rb \"q\""), "ab \\\"q\\\"");
  EXPECT_EQ(written("st_ascii", "a\"b!\rc"), "a'b!!\n\tc");
  EXPECT_EQ(written("latex", "anything"), "");
  EXPECT_EQ(written("short", "Text\rmore"), "short.ascii=Text\rmore\n");
  EXPECT_EQ(written("result_state", ""), "result_state.ascii=\n");
}

TEST(HelpText, TextOfTheRunsLanguage) {
  Operator op;
  op.name = "threshold";
  TaggedList<std::string> texts;
  push_front(texts, "english", std::string("Select pixels."));
  push_front(texts, "japanese", std::string("JA"));
  mutable_settings().doc_language = "german";
  testing::internal::CaptureStderr();
  const std::string* text = text_in_run_language(texts, "short", op, true);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "vornc warning: No german short for threshold\n");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(*text, "JA");  // the first text of the list
  mutable_settings().doc_language = "english";
  testing::internal::CaptureStderr();
  text = text_in_run_language(texts, "short", op, true);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(*text, "Select pixels.");
  EXPECT_EQ(text_in_run_language({}, "short", op, true), nullptr);
}
