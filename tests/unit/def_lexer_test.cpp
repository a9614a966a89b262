// Tokens of the definition lexer, state by state, and the screening of
// texts, tuples and keywords.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "def/def_lexer.h"
#include "def/screening.h"
#include "def_parser.hpp"
#include "driver/diagnostics.h"

int yylex();

namespace {

struct Token {
  int code;
  std::string text;
  bool operator==(const Token& other) const { return code == other.code && text == other.text; }
};

std::ostream& operator<<(std::ostream& out, const Token& t) {
  return out << "{" << t.code << ", \"" << t.text << "\"}";
}

bool has_value(int code) {
  switch (code) {
    case IDENTIFIER: case GUID_TOKEN: case FUNCTIONID: case LANGUAGE: case NUMBER:
    case TEXTLINES: case STRING: case QSTRING: case TUPLE: case KEYWORD: case OBJIN:
    case OBJOUT: case CNTRLIN: case CNTRLOUT: case CDKIND:
      return true;
  }
  return false;
}

std::vector<Token> lex(const std::string& source) {
  lex_from_string(source);
  std::vector<Token> tokens;
  for (int code = yylex(); code != 0; code = yylex()) {
    std::string text;
    if (has_value(code)) {
      text = *yylval.text;
      delete yylval.text;
    }
    tokens.push_back({code, text});
  }
  return tokens;
}

TEST(DefinitionLexer, KeywordsOnlyAtTheBeginningOfALine) {
  EXPECT_EQ(lex("short.german: text;"),
            (std::vector<Token>{{SHORTDESCRIPTION, ""}, {'.', ""}, {LANGUAGE, "german"},
                                {':', ""}, {TEXTLINES, "text"}, {';', ""}}));
  EXPECT_EQ(lex("  short x").front(), (Token{IDENTIFIER, "short"}));
  EXPECT_EQ(lex("shortx").front(), (Token{IDENTIFIER, "shortx"}));
  EXPECT_EQ(lex("Short").front(), (Token{IDENTIFIER, "Short"}));
  EXPECT_EQ(lex("a\nmodule: foundation;"),
            (std::vector<Token>{{IDENTIFIER, "a"}, {MODULE_ID, ""}, {':', ""},
                                {IDENTIFIER, "foundation"}, {';', ""}}));
  // Parameter-level keywords count anywhere.
  EXPECT_EQ(lex("  sem_type: point.y;"),
            (std::vector<Token>{{SEMTYPE, ""}, {':', ""}, {STRING, "point.y"}, {';', ""}}));
}

TEST(DefinitionLexer, DeclarationTokens) {
  EXPECT_EQ(lex("threshold <- CThreshold[Image:Region:MinGray$F:]"),
            (std::vector<Token>{{IDENTIFIER, "threshold"}, {ARROW, ""}, {IDENTIFIER, "CThreshold"},
                                {'[', ""}, {IDENTIFIER, "Image"}, {':', ""}, {IDENTIFIER, "Region"},
                                {':', ""}, {IDENTIFIER, "MinGray"}, {'$', ""}, {IDENTIFIER, "F"},
                                {':', ""}, {']', ""}}));
  EXPECT_EQ(lex("iid {12345678-1234-abcd-1234-123456789abc}")[2],
            (Token{GUID_TOKEN, "12345678-1234-abcd-1234-123456789abc"}));
  EXPECT_EQ(lex("x: output_control;")[2], (Token{CNTRLOUT, "output_control"}));
  EXPECT_EQ(lex("\xEF\xBB\xBF" "a").front(), (Token{UTF8_MARKER, ""}));
  EXPECT_EQ(lex("\xEF\xBB\xBF" "library v")[1], (Token{LIBRARY, ""}));
}

TEST(DefinitionLexer, LanguageTagsOfTexts) {
  EXPECT_EQ(lex("example.c++: x;")[2], (Token{LANGUAGE, "c++"}));
  EXPECT_EQ(lex("example.vb.net: x;")[2], (Token{LANGUAGE, "vb.net"}));
  // One blank or a newline starts the text; a longer run of blanks is skipped.
  EXPECT_EQ(lex("short text;")[1], (Token{TEXTLINES, "text"}));
  EXPECT_EQ(lex("short.english\n  first\n  second;")[3], (Token{TEXTLINES, "first\nsecond"}));
  EXPECT_EXIT(lex("short.japanese: x;"), ::testing::ExitedWithCode(1), "Unbekannte Sprache in");
  EXPECT_EXIT(lex("short.englishx: x;"), ::testing::ExitedWithCode(1), "Unbekannte Sprache in");
  EXPECT_EXIT(lex("chapter.trias: x;"), ::testing::ExitedWithCode(1), "Unbekannte Sprache in");
}

TEST(DefinitionLexer, TextsEndAtTheFirstUnescapedSemicolon) {
  EXPECT_EQ(lex("abstract: a\\;b; x")[2], (Token{TEXTLINES, "a;b"}));
  // Any ";" with a backslash right before it belongs to the text, also after
  // a backslash pair; screening then turns only that "\\;" into ";".
  EXPECT_EQ(lex("abstract: a\\\\;b; x")[2], (Token{TEXTLINES, "a\\;b"}));
  EXPECT_EQ(lex("parameter_descriptions\n  A: x\\\\;y;\n;")[3], (Token{TEXTLINES, "x\\;y"}));
  EXPECT_EQ(lex("abstract: a\\")[2], (Token{TEXTLINES, "a\\"}));
  EXPECT_EQ(lex("abstract: \\OpRef{a} and\r\n    indented;")[2],
            (Token{TEXTLINES, "\\OpRef{a} and\n  indented"}));
  EXPECT_EXIT(lex("abstract: a\nb;"), ::testing::ExitedWithCode(1),
              "text not indented properly; possibly missing ';'");
}

TEST(DefinitionLexer, ValueLists) {
  EXPECT_EQ(lex("values: abc, -1.5e-3, .5, +3, 'a b', [1, 2], x.y, 5a;"),
            (std::vector<Token>{{VALUES, ""}, {':', ""}, {IDENTIFIER, "abc"}, {',', ""},
                                {NUMBER, "-1.5e-3"}, {',', ""}, {NUMBER, ".5"}, {',', ""},
                                {NUMBER, "+3"}, {',', ""}, {QSTRING, "'a b'"}, {',', ""},
                                {TUPLE, "[1, 2]"}, {',', ""}, {STRING, "x.y"}, {',', ""},
                                {STRING, "5a"}, {';', ""}}));
  EXPECT_EQ(lex("chapter_ref: A <- en_US"),
            (std::vector<Token>{{CHAPTER_REF, ""}, {':', ""}, {IDENTIFIER, "A"}, {ARROW, ""},
                                {IDENTIFIER, "en_US"}}));
  // "/*" followed by more characters is a value, not a comment.
  EXPECT_EQ(lex("flags: /*x;")[2], (Token{STRING, "/*x"}));
}

TEST(DefinitionLexer, CommentEndsTheStateItBeganIn) {
  // The comment leaves the value list: "b" after it is read in INITIAL,
  // where "values" is a keyword again.
  EXPECT_EQ(lex("flags: a /* c\n */ values"),
            (std::vector<Token>{{FLAGS, ""}, {':', ""}, {IDENTIFIER, "a"}, {VALUES, ""}}));
  EXPECT_EQ(def_position().line, 2);
}

TEST(DefinitionLexer, SplitMethods) {
  EXPECT_EQ(lex("method: split_domain[xS], none;"),
            (std::vector<Token>{{PAR_METHOD, ""}, {':', ""}, {IDENTIFIER, "split_domain"},
                                {'[', ""}, {IDENTIFIER, "xS"}, {']', ""}, {',', ""},
                                {IDENTIFIER, "none"}, {';', ""}}));
}

TEST(DefinitionLexer, KeywordLists) {
  EXPECT_EQ(lex("keywords.english:  gray   value\n  threshold, , x;"),
            (std::vector<Token>{{KEYWORDS, ""}, {'.', ""}, {LANGUAGE, "english"}, {':', ""},
                                {KEYWORD, "gray value threshold"}, {',', ""}, {',', ""},
                                {KEYWORD, "x"}, {';', ""}}));
}

TEST(DefinitionLexer, DeviceKinds) {
  EXPECT_EQ(lex("cd_type_list.opencl: byte;"),
            (std::vector<Token>{{CD_TYPES, ""}, {'.', ""}, {CDKIND, "opencl"}, {':', ""},
                                {IDENTIFIER, "byte"}, {';', ""}}));
  EXPECT_EXIT(lex("cd_value_list.cuda: 1;"), ::testing::ExitedWithCode(1),
              "Unbekanntes Compute Device in");
}

TEST(DefinitionLexer, ExpressionsHaveNoSignedNumbers) {
  EXPECT_EQ(lex("value_number: Width-1 >= odd(x) && !(a != -2);"),
            (std::vector<Token>{{VALUENUMBER, ""}, {':', ""}, {IDENTIFIER, "Width"}, {'-', ""},
                                {NUMBER, "1"}, {GE, ""}, {FUNCTIONID, "odd"}, {'(', ""},
                                {IDENTIFIER, "x"}, {')', ""}, {AND, ""}, {NOT, ""}, {'(', ""},
                                {IDENTIFIER, "a"}, {NEQ, ""}, {'-', ""}, {NUMBER, "2"},
                                {')', ""}, {';', ""}}));
}

TEST(DefinitionLexer, DescriptionEntries) {
  EXPECT_EQ(lex("parameter_descriptions\n  Image: An\n    image.;\n;"),
            (std::vector<Token>{{PARAM_DESCRIPTIONS, ""}, {IDENTIFIER, "Image"}, {':', ""},
                                {TEXTLINES, "An\n  image."}, {';', ""}, {';', ""}}));
  EXPECT_EQ(def_position().line, 4);
}

TEST(DefinitionLexer, LinesAndLineStartsBetweenTokens) {
  // Quoted values may span lines; blank lines and indentation between
  // tokens are skipped with their line ends counted.
  EXPECT_EQ(lex("values: 'a\n b',\n   c;\n \t\nparameter"),
            (std::vector<Token>{{VALUES, ""}, {':', ""}, {QSTRING, "'a\n b'"}, {',', ""},
                                {IDENTIFIER, "c"}, {';', ""}, {PARAMETER, ""}}));
  EXPECT_EQ(def_position().line, 5);
  // Only a keyword right at a line start is one; an indented one is a name.
  EXPECT_EQ(lex("x\n  parameter\n\nparameter"),
            (std::vector<Token>{{IDENTIFIER, "x"}, {IDENTIFIER, "parameter"}, {PARAMETER, ""}}));
  // After a text the scanner goes on right behind it, at a line start when
  // the text ended a line.
  EXPECT_EQ(lex("short: a\n  b\n;parameter\nshort: c\n;\nparameter"),
            (std::vector<Token>{{SHORTDESCRIPTION, ""}, {':', ""}, {TEXTLINES, "a\nb\n"},
                                {';', ""}, {IDENTIFIER, "parameter"}, {SHORTDESCRIPTION, ""},
                                {':', ""}, {TEXTLINES, "c\n"}, {';', ""}, {PARAMETER, ""}}));
  EXPECT_EQ(def_position().line, 6);
}

TEST(DefinitionLexer, UnfinishedLongerTokensGiveBackTheShorterOne) {
  // A GUID that starts with a digit and breaks off is a single character;
  // a complete one is still one token, and more dashes do not extend it.
  EXPECT_EQ(lex("12ab-34 x"),
            (std::vector<Token>{{'1', ""}, {'2', ""}, {IDENTIFIER, "ab-34"}, {IDENTIFIER, "x"}}));
  EXPECT_EQ(lex("1a-2b-3c-4d-5e-6"),
            (std::vector<Token>{{GUID_TOKEN, "1a-2b-3c-4d-5e"}, {'-', ""}, {'6', ""}}));
  EXPECT_EQ(lex("parameter_descriptions\n 9-a: x;\n;").at(1), (Token{'9', ""}));
  // An exponent without digits is not part of the number.
  EXPECT_EQ(lex("assertion: 2.5e+ 1e 3E5;"),
            (std::vector<Token>{{ASSERTION, ""}, {':', ""}, {NUMBER, "2.5"}, {IDENTIFIER, "e"},
                                {'+', ""}, {NUMBER, "1"}, {IDENTIFIER, "e"}, {NUMBER, "3E5"},
                                {';', ""}}));
  // An unclosed quote or tuple is an unquoted value up to its first blank.
  EXPECT_EQ(lex("flags: 'a b', 'c d;"),
            (std::vector<Token>{{FLAGS, ""}, {':', ""}, {QSTRING, "'a b'"}, {',', ""},
                                {STRING, "'c"}, {IDENTIFIER, "d"}, {';', ""}}));
  EXPECT_EQ(lex("flags: [a b], [c d;"),
            (std::vector<Token>{{FLAGS, ""}, {':', ""}, {TUPLE, "[a b]"}, {',', ""},
                                {STRING, "[c"}, {IDENTIFIER, "d"}, {';', ""}}));
  EXPECT_EQ(lex("parallelization\n  method: 'a[b c;"),
            (std::vector<Token>{{PARALLELINFO, ""}, {PAR_METHOD, ""}, {':', ""}, {STRING, "'a"},
                                {'[', ""}, {IDENTIFIER, "b"}, {IDENTIFIER, "c"}, {';', ""}}));
  // Two bytes of the UTF-8 mark are the first byte as a character.
  EXPECT_EQ(lex("\xEF\xBBx").front(), (Token{0xEF, ""}));
  EXPECT_EQ(lex("short.vb.net: x;").at(2), (Token{LANGUAGE, "vb.net"}));
}

TEST(Screening, KeywordsAndLineCounting) {
  def_position().line = 1;
  EXPECT_EQ(screen_token(screen_keyword, " a \n\tb  ", 8), "a b");
  EXPECT_EQ(def_position().line, 2);
  EXPECT_EQ(screen_token(screen_text, "\n   x\n   y", 10), " x\n y");
  EXPECT_EQ(def_position().line, 4);
  EXPECT_EQ(screen_token(screen_text, "a\n\n  b", 6), "a\n\nb");
  // "\;" is a ";" wherever it stands and carriage returns go; a backslash
  // before anything else stays.
  def_position().line = 1;
  EXPECT_EQ(screen_token(screen_text, "a\\;b\r\n  \\x\\\\;\r", 14), "a;b\n\\x\\;");
  EXPECT_EQ(def_position().line, 2);
}

}  // namespace
