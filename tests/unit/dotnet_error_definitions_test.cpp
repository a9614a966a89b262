// Error definitions of the .NET interface: scanning the error-definition
// text and writing VErrorDef.cs.
#include <gtest/gtest.h>

#include "driver/output.h"
#include "gen/dotnet/error_definitions.h"

namespace {

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
