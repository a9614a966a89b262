#include "driver/comment_text.h"

#include <gtest/gtest.h>

#include "driver/settings.h"

namespace {

std::string plain(const std::string& text) { return convert_comment_text(text, false, false); }

/// Converts and returns what went to standard error.
std::string warnings_of(const std::string& text, std::string* converted = nullptr) {
  testing::internal::CaptureStderr();
  std::string result = plain(text);
  if (converted != nullptr) *converted = result;
  return testing::internal::GetCapturedStderr();
}

}  // namespace

TEST(CommentText, DropsLatexOnlyPartsAndJoinsLines) {
  EXPECT_EQ(plain("  Returns the\nnumber of @lthe $\\alpha$@e regions."),
            "Returns the number of  regions.");
  // ASCII-only text is kept; only the switches go.
  EXPECT_EQ(plain("a @aascii@e b"), "a ascii b");
  // A line feed is a blank even inside a LaTeX-only part.
  EXPECT_EQ(plain("x@ly\nz@e"), "x ");
}

TEST(CommentText, WritesTheProductName) {
  EXPECT_EQ(plain("\\Vornix\\ operator"), "VORNIX operator");
  EXPECT_EQ(plain("the \\Vornix library"), "the VORNIX library");
}

TEST(CommentText, KeepsTheTextInsideCommandBraces) {
  EXPECT_EQ(plain("see \\OpRef{threshold} here"), "see threshold here");
  // Without braces the command runs up to the next backslash or ';'.
  EXPECT_EQ(plain("a \\em bold; b"), "a  b");
  EXPECT_EQ(plain("a \\em x\\b"), "a b");
  EXPECT_EQ(plain("\\OpRef{a}\\OpRef{b}"), "ab");
}

TEST(CommentText, QuotesAndAngleBrackets) {
  EXPECT_EQ(plain("``x''"), "\"x\"");
  EXPECT_EQ(convert_comment_text("``x''", false, true), "\\\"x\\\"");
  EXPECT_EQ(convert_comment_text("say \"hi\"", false, true), "say \\\"hi\\\"");
  EXPECT_EQ(plain("say \"hi\""), "say \"hi\"");
  EXPECT_EQ(convert_comment_text("a<b", true, false), "a less than b");
  EXPECT_EQ(convert_comment_text("a>b", true, false), "a greater than b");
  EXPECT_EQ(plain("a<b>c"), "a<b>c");
}

TEST(CommentText, ResultMayBeMuchLongerThanItsInput) {
  std::string text(5000, '<');
  std::string converted = convert_comment_text(text, true, false);
  EXPECT_EQ(converted.size(), 5000u * std::string(" less than ").size());
}

TEST(CommentText, SpellsKnownLettersInAscii) {
  mutable_settings().warnings_suppressed = false;
  std::string converted;
  EXPECT_EQ(warnings_of("Gr\xC3\xB6\xC3\x9F" "e", &converted), "");
  EXPECT_EQ(converted, "Groesse");
  EXPECT_EQ(plain("\xC3\x84\xC3\x96\xC3\x9C\xC3\xA4\xC3\xBC"), "AeOeUeaeue");
  EXPECT_EQ(plain("3\xC3\x97" "4, 90\xC2\xB0, \xC2\xB1" "1"), "3x4, 90 deg, +/-1");
}

TEST(CommentText, WarnsAboutUnknownCharacters) {
  mutable_settings().warnings_suppressed = false;
  std::string converted;
  std::string text = "A\xC3\x86" "B";
  EXPECT_EQ(warnings_of(text, &converted),
            "vornc warning: Encountered unknown Unicode character in '" + text + "'\n");
  EXPECT_EQ(converted, "AB");
  // A three-byte sequence is consumed byte by byte, one warning per byte.
  std::string euro_warnings = warnings_of("\xE2\x82\xAC" "5", &converted);
  EXPECT_EQ(converted, "5");
  size_t count = 0;
  for (size_t at = euro_warnings.find("warning"); at != std::string::npos;
       at = euro_warnings.find("warning", at + 1))
    ++count;
  EXPECT_EQ(count, 3u);
  // A lead byte at the end does not reach past the text.
  warnings_of("x\xC3", &converted);
  EXPECT_EQ(converted, "x");
}

// A text with no character that a rule treats specially comes back as it
// stands (leading blanks dropped); one such character anywhere, even the
// last, sends the whole text through the rules.
TEST(CommentText, PlainTextsAndTextsWithOneSpecialCharacter) {
  EXPECT_EQ(plain(""), "");
  EXPECT_EQ(plain("   "), "");
  EXPECT_EQ(plain("  Smooths an image."), "Smooths an image.");
  EXPECT_EQ(plain("Smooths an image.\n"), "Smooths an image. ");
  EXPECT_EQ(plain("Smooths {an} image}"), "Smooths {an} image}");
  EXPECT_EQ(convert_comment_text("at most 5>", true, false), "at most 5 greater than ");
  // A view of part of a text ends where the view ends.
  std::string whole = "first part``rest''";
  EXPECT_EQ(convert_comment_text(std::string_view(whole).substr(0, 10), false, true),
            "first part");
  EXPECT_EQ(convert_comment_text(std::string_view(whole).substr(0, 12), false, true),
            "first part\\\"");
  // A NUL ends the text, as it ends a C string.
  EXPECT_EQ(plain(std::string("a\0b", 3)), "a");
}
