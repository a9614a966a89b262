#include "gen/expression_printer.h"

#include <gtest/gtest.h>

namespace {

std::string printed(std::vector<std::string> postfix) { return print_expression(postfix); }

}  // namespace

TEST(HelpExpression, PrintsEveryOperatorWordInInfix) {
  EXPECT_EQ(printed({"A", "B", "\\OR"}), "A || B");
  EXPECT_EQ(printed({"A", "B", "\\AND"}), "A && B");
  EXPECT_EQ(printed({"A", "B", "\\EQ"}), "A == B");
  EXPECT_EQ(printed({"A", "B", "\\NEQ"}), "A != B");
  EXPECT_EQ(printed({"A", "B", "\\GE"}), "A >= B");
  EXPECT_EQ(printed({"A", "B", "\\GT"}), "A > B");
  EXPECT_EQ(printed({"A", "B", "\\LE"}), "A <= B");
  EXPECT_EQ(printed({"A", "B", "\\LT"}), "A < B");
  EXPECT_EQ(printed({"A", "B", "\\ADD"}), "A + B");
  EXPECT_EQ(printed({"A", "B", "\\SUB"}), "A - B");
  EXPECT_EQ(printed({"A", "B", "\\MUL"}), "A * B");
  EXPECT_EQ(printed({"A", "B", "\\DIV"}), "A / B");
  EXPECT_EQ(printed({"A", "B", "\\MOD"}), "A % B");
  EXPECT_EQ(printed({"A", "\\NOT"}), "~ A");
  EXPECT_EQ(printed({"A", "\\NEG"}), "- A");
  EXPECT_EQ(printed({"7"}), "7");
}

TEST(HelpExpression, FunctionsWrapTheirArgument) {
  for (const char* name : {"length", "number", "height", "width", "ld", "odd", "even"})
    EXPECT_EQ(printed({"Row", name}), std::string(name) + "(Row)");
  EXPECT_EQ(printed({"Score", "length", "Row", "number", "\\EQ"}), "length(Score) == number(Row)");
  // an argument needs no parentheses of its own
  EXPECT_EQ(printed({"A", "1", "\\ADD", "ld"}), "ld(A + 1)");
}

TEST(HelpExpression, ExpressionsWrittenWithoutParenthesesPrintPlainly) {
  // a + b * c and a - b - c as the grammar stores them
  EXPECT_EQ(printed({"a", "b", "c", "\\MUL", "\\ADD"}), "a + b * c");
  EXPECT_EQ(printed({"a", "b", "\\SUB", "c", "\\SUB"}), "a - b - c");
  EXPECT_EQ(printed({"Mult", "0", "\\GT", "Mult", "1000", "\\LE", "\\AND"}),
            "Mult > 0 && Mult <= 1000");
  EXPECT_EQ(printed({"A", "B", "C", "\\AND", "\\OR"}), "A || B && C");
  EXPECT_EQ(printed({"A", "\\NEG", "0", "\\LT"}), "- A < 0");
  EXPECT_EQ(printed({"A", "\\NEG", "\\NEG"}), "- - A");
}

TEST(HelpExpression, ParenthesesKeepTheMeaningOfLooserOperands) {
  // (a + b) * c
  EXPECT_EQ(printed({"a", "b", "\\ADD", "c", "\\MUL"}), "(a + b) * c");
  // a - (b - c) and a / (b * c): the right operand of a left-associative operator
  EXPECT_EQ(printed({"a", "b", "c", "\\SUB", "\\SUB"}), "a - (b - c)");
  EXPECT_EQ(printed({"a", "b", "c", "\\MUL", "\\DIV"}), "a / (b * c)");
  // (A || B) && C
  EXPECT_EQ(printed({"A", "B", "\\OR", "C", "\\AND"}), "(A || B) && C");
  // !(H % 2 == 0) and -(a + b)
  EXPECT_EQ(printed({"H", "2", "\\MOD", "0", "\\EQ", "\\NOT"}), "~ (H % 2 == 0)");
  EXPECT_EQ(printed({"a", "b", "\\ADD", "\\NEG"}), "- (a + b)");
  // High > 0 && (High >= Low || -High < 0)
  EXPECT_EQ(printed({"High", "0", "\\GT", "High", "Low", "\\GE", "High", "\\NEG", "0", "\\LT",
                     "\\OR", "\\AND"}),
            "High > 0 && (High >= Low || - High < 0)");
}

TEST(HelpExpression, IncompleteListsDoNotBreakThePrinter) {
  EXPECT_EQ(printed({}), "");
  EXPECT_EQ(printed({"\\ADD"}), " + ");
  EXPECT_EQ(printed({"A", "\\NOT", "\\NOT", "length"}), "length(~ ~ A)");
  EXPECT_EQ(printed({"A", "B"}), "A B");
}

TEST(HelpExpression, OnlyTheExactWordsAreOperatorsOrFunctions) {
  // without the backslash, with a letter more or less, or in other case, a
  // word is an operand
  EXPECT_EQ(printed({"A", "B", "OR"}), "A B OR");
  EXPECT_EQ(printed({"A", "\\XOR"}), "A \\XOR");
  EXPECT_EQ(printed({"A", "B", "\\ANDX"}), "A B \\ANDX");
  EXPECT_EQ(printed({"A", "\\NO"}), "A \\NO");
  EXPECT_EQ(printed({"A", "\\not"}), "A \\not");
  EXPECT_EQ(printed({"Row", "lengths"}), "Row lengths");
  EXPECT_EQ(printed({"Row", "Width"}), "Row Width");
  EXPECT_EQ(printed({"\\", ""}), "\\ ");
}

// A flat sum of 100,000 terms and a nesting 100,000 deep print in time
// proportional to their length (copying the printed left operand at every
// operator took minutes) and without deep recursion.
TEST(HelpExpression, LongAndDeepExpressions) {
  const size_t terms = 100000;
  std::vector<std::string> flat{"A"};
  for (size_t i = 1; i < terms; ++i) {
    flat.push_back("A");
    flat.push_back("\\ADD");
  }
  std::string sum = printed(flat);
  ASSERT_EQ(sum.size(), terms * 4 - 3);
  EXPECT_EQ(sum.substr(0, 9), "A + A + A");
  EXPECT_EQ(sum.substr(sum.size() - 5), "A + A");

  // a - (a - (a - ... (a - a)...)): the right operands, innermost last
  std::vector<std::string> nested(terms, "a");
  nested.insert(nested.end(), terms - 1, "\\SUB");
  std::string difference = printed(nested);
  ASSERT_EQ(difference.size(), terms * 4 - 3 + 2 * (terms - 2));
  EXPECT_EQ(difference.substr(0, 10), "a - (a - (");
  EXPECT_EQ(difference.substr(difference.size() - (terms - 2) - 6, 8), "(a - a))");
}
