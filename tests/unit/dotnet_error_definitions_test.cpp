// Error definitions of the .NET interface: scanning the error-definition
// text and writing VErrorDef.cs.
#include <gtest/gtest.h>

#include "driver/output.h"
#include "driver/settings.h"
#include "gen/dotnet/error_definitions.h"

namespace {

std::string regex_quoted(const std::string& text) {
  std::string quoted;
  for (char c : text) {
    if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) quoted += '\\';
    quoted += c;
  }
  return quoted;
}

TEST(DotnetErrorDefinitions, KeepsOnlyLibraryCodesInFileOrder) {
  std::vector<ErrorDefinition> entries = read_error_definitions(
      "#define V_MSG_OK 2 /* No error */\n"
      "#define H_ERR_OTHER 5 /* other library */\n"
      "#define VERR_X 6 /* no underscore */\n"
      "#define\tV_ERR_TAB\t(1201)\t/*Tabs*/\n");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "V_MSG_OK");
  EXPECT_EQ(entries[0].value, "2");
  EXPECT_EQ(entries[0].comment, "No error ");
  EXPECT_EQ(entries[1].name, "V_ERR_TAB");
  EXPECT_EQ(entries[1].value, "(1201)");
  EXPECT_EQ(entries[1].comment, "Tabs");
}

TEST(DotnetErrorDefinitions, CommentOnOneLineWithSingleBlanks) {
  std::vector<ErrorDefinition> entries = read_error_definitions(
      "#define V_ERR_WIPV1 1201 /*   Wrong type of\n"
      "                            control   parameter 1 */\n");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].comment, "Wrong type of control parameter 1 ");
}

TEST(DotnetErrorDefinitions, MacrosWithoutValueOrCommentTakeNothingFromTheNextLine) {
  std::vector<ErrorDefinition> entries = read_error_definitions(
      "#ifndef V_ERRDEF_H\n"
      "#define V_ERRDEF_H\n"
      "#define V_ERR_A 1\n"
      "#define V_ERR_B 2 /* B */\n"
      "#define V_ERR_C 3 /* never closed");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "V_ERR_A");
  EXPECT_EQ(entries[0].comment, "");
  EXPECT_EQ(entries[1].name, "V_ERR_B");
  EXPECT_EQ(entries[1].comment, "B ");
  EXPECT_EQ(entries[2].comment, "never closed");
  EXPECT_TRUE(read_error_definitions("").empty());
  EXPECT_TRUE(read_error_definitions("#define V_ERR_LAST").empty());
}

// The value is written unchanged into C# and Python code: anything but an
// integer literal that fits an int stops the run at its line.
TEST(DotnetErrorDefinitions, ValuesMustBeIntegers) {
  mutable_settings().error_def_path = "errors.h";
  std::vector<ErrorDefinition> entries = read_error_definitions(
      "#define V_ERR_A 0\n#define V_ERR_B -5\n#define V_ERR_C 0x7fffFFFF\n"
      "#define V_ERR_D (-2147483648)\n#define V_ERR_E 2147483647\n");
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[3].value, "(-2147483648)");
  const char* bad[] = {"12a", "1.5", "\"text\"", "012", "-", "0x", "2147483648", "0x80000000",
                       "(1", "1+1", "V_ERR_A"};
  for (const char* value : bad) {
    std::string text = std::string("/* codes */\n#define V_ERR_OK 1\n#define V_ERR_BAD ") + value +
                       " /* bad */\n";
    EXPECT_EXIT(read_error_definitions(text), ::testing::ExitedWithCode(1),
                "^" + regex_quoted(std::string("vornc error: \"errors.h\", line 3: value of "
                                               "V_ERR_BAD is not an integer: '") +
                                   value + "'.\n") + "$")
        << value;
  }
  // Names that are not kept are not checked.
  EXPECT_TRUE(read_error_definitions("#define OTHER_VALUE 1.5\n").empty());
}

TEST(DotnetErrorDefinitions, XmlEscape) {
  EXPECT_EQ(xml_escape("a<b> & \"c\"", false), "a&lt;b&gt; &amp; \"c\"");
  EXPECT_EQ(xml_escape("\"c\"", true), "&quot;c&quot;");
}

TEST(DotnetErrorDefinitions, ErrorDefClass) {
  Writer out;
  write_error_def_class(out, {{"V_MSG_OK", "2", "No error"}, {"V_ERR_X", "7", "a<b"}});
  EXPECT_EQ(out.text(),
            "using System;\n\n"
            "namespace VornixDotNet\n"
            "{\n"
            "  public class VErrorDef\n"
            "  {\n"
            "    /// <summary>No error</summary>\n"
            "    public const int V_MSG_OK = 2;\n\n"
            "    /// <summary>a&lt;b</summary>\n"
            "    public const int V_ERR_X = 7;\n\n"
            "  }\n"
            "}\n");
}

}  // namespace
