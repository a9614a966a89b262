// C# spelling of the .NET interface: type names and parameter names.
#include <gtest/gtest.h>

#include "classes/handle_types.h"
#include "gen/dotnet/csharp_names.h"

namespace {

class DotnetNames : public testing::Test {
 protected:
  void SetUp() override { init_handle_types("mylib"); }
  static int row(const char* name) { return GiveClass(name, 0); }
};

TEST_F(DotnetNames, ValueTypesClassesAndArrays) {
  EXPECT_EQ(csharp_type_name(row("integer")), "int");
  EXPECT_EQ(csharp_type_name(type_plain_integer), "long");
  EXPECT_EQ(csharp_type_name(row("string")), "string");
  EXPECT_EQ(csharp_type_name(row("real")), "double");
  EXPECT_EQ(csharp_type_name(row("pointer")), "IntPtr");
  EXPECT_EQ(csharp_type_name(row("tuple")), "VTuple");
  EXPECT_EQ(csharp_type_name(row("shape_model"), true), "VShapeModel[]");
  EXPECT_EQ(csharp_type_name(row("pose"), true), "VPose[]");
  EXPECT_STREQ(csharp_value_suffix(row("integer")), "I");
  EXPECT_STREQ(csharp_value_suffix(type_plain_integer), "L");
  EXPECT_STREQ(csharp_value_suffix(row("real")), "D");
  EXPECT_STREQ(csharp_value_suffix(row("string")), "S");
  EXPECT_STREQ(csharp_value_suffix(row("pointer")), "IP");
  EXPECT_FALSE(is_scalar_csharp_type(row("tuple")));
  EXPECT_FALSE(is_scalar_csharp_type(row("image")));
}

TEST_F(DotnetNames, ParameterNamesInLowerCamelCase) {
  EXPECT_EQ(csharp_param_name("ModelID"), "modelID");
  EXPECT_EQ(csharp_param_name("row_begin"), "rowBegin");
  EXPECT_EQ(csharp_param_name("Row_begin_x"), "rowBeginX");
  EXPECT_EQ(csharp_param_name("_Offset"), "offset");
  // One letter, or an upper-case second letter: the first letter stays.
  EXPECT_EQ(csharp_param_name("A"), "A");
  EXPECT_EQ(csharp_param_name("XLD"), "XLD");
  EXPECT_EQ(csharp_param_name("HomMat2D"), "homMat2D");
  EXPECT_EQ(csharp_param_name("S1"), "s1");
}

TEST_F(DotnetNames, CSharpWordsGetVal) {
  EXPECT_EQ(csharp_param_name("Class"), "classVal");
  EXPECT_EQ(csharp_param_name("String"), "stringVal");
  EXPECT_EQ(csharp_param_name("string"), "stringVal");
  EXPECT_EQ(csharp_param_name("Object"), "objectVal");
  EXPECT_EQ(csharp_param_name("Base"), "baseVal");
  EXPECT_EQ(csharp_param_name("Params"), "paramsVal");
  EXPECT_EQ(csharp_param_name("Const"), "constVal");
  EXPECT_EQ(csharp_param_name("Int"), "intVal");
  EXPECT_EQ(csharp_param_name("Char"), "charVal");
  // Every other C# keyword as well, or the class would not compile.
  EXPECT_EQ(csharp_param_name("Event"), "eventVal");
  EXPECT_EQ(csharp_param_name("Default"), "defaultVal");
  EXPECT_EQ(csharp_param_name("Lock"), "lockVal");
  EXPECT_EQ(csharp_param_name("In"), "inVal");
  // Only whole words.
  EXPECT_EQ(csharp_param_name("Classes"), "classes");
  EXPECT_EQ(csharp_param_name("String_value"), "stringValue");
}

TEST_F(DotnetNames, KindsOfClasses) {
  EXPECT_TRUE(is_handle_class_type(row("shape_model")));
  EXPECT_FALSE(is_handle_class_type(row("pose")));
  EXPECT_TRUE(is_data_class_type(row("pose")));
  EXPECT_TRUE(is_data_class_type(row("function_1d")));
  EXPECT_FALSE(is_data_class_type(row("tuple")));
  EXPECT_FALSE(is_data_class_type(row("image")));
}

}  // namespace
