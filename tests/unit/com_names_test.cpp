// The COM interface's names and spellings: COM names of classes and plain
// types, parameter types, the HomMat parameter names, IDL defaults, store
// kinds and the version rule of the fixed members.
#include <gtest/gtest.h>

#include "classes/handle_types.h"
#include "driver/settings.h"
#include "gen/com/com_names.h"

namespace {

class ComNames : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = settings();
    init_handle_types("mylib");
  }
  void TearDown() override { mutable_settings() = saved_; }

  static int row(const char* name) { return GiveClass(name, 0); }
  static ClassParam input(const char* type, const char* default_value) {
    ClassParam p;
    p.type = row(type);
    p.default_value = default_value;
    return p;
  }

  Settings saved_;
};

TEST_F(ComNames, ClassesAppendXAndPlainTypesKeepTheirComSpelling) {
  EXPECT_EQ(com_name(row("shape_model")), "VShapeModelX");
  EXPECT_EQ(com_name(row("any")), "VMiscX");
  EXPECT_EQ(com_name(row("user")), "VMylibX");
  EXPECT_EQ(com_name(row("integer")), "Vlong");
  EXPECT_EQ(com_name(row("pointer")), "Vlong");
  EXPECT_EQ(com_name(type_plain_integer), "Vlong");
  EXPECT_EQ(com_name(row("string")), "BSTR");
  EXPECT_EQ(com_name(type_wide_string), "BSTR");
  EXPECT_EQ(com_name(row("real")), "double");
}

TEST_F(ComNames, ParameterTypesAreVariantsInterfacePointersOrValues) {
  EXPECT_EQ(com_param_type(row("tuple")), "VARIANT");
  EXPECT_EQ(com_param_type(row("region")), "IVRegionX*");
  EXPECT_EQ(com_param_type(row("hom_mat2d")), "IVHomMat2DX*");
  // Left out of the list, but still spelled as interfaces.
  EXPECT_EQ(com_param_type(row("object")), "IVObjectX*");
  EXPECT_EQ(com_param_type(row("untyped_object")), "IVUntypedObjectX*");
  EXPECT_EQ(com_param_type(row("integer")), "Vlong");
  EXPECT_EQ(com_param_type(row("string")), "BSTR");
  EXPECT_EQ(com_param_type(row("real")), "double");
  // "handle" has a class but no COM class: its bare COM name stands.
  EXPECT_EQ(com_param_type(row("handle")), "VHandleX");
}

TEST_F(ComNames, HomMatNamesGetALowerCaseD) {
  EXPECT_EQ(com_param_name("HomMat2D"), "HomMat2d");
  EXPECT_EQ(com_param_name("HomMat3DCompose"), "HomMat3dCompose");
  EXPECT_EQ(com_param_name("HomMat2"), "HomMat2");
  EXPECT_EQ(com_param_name("MyHomMat2D"), "MyHomMat2D");
  EXPECT_EQ(com_param_name("HomMat1D"), "HomMat1D");
}

TEST_F(ComNames, DefaultsThatIdlCanState) {
  EXPECT_EQ(idl_default_value(input("real", "1.0")), "1.0");
  EXPECT_EQ(idl_default_value(input("string", "'canny'")), "\"canny\"");
  EXPECT_EQ(idl_default_value(input("tuple", "'say \"hi\"'")), "\"say \\\"hi\\\"\"");
  EXPECT_EQ(idl_default_value(input("tuple", "[0,1,2]")), "");
  EXPECT_EQ(idl_default_value(input("region", "0")), "");
  EXPECT_EQ(idl_default_value(input("integer", "")), "");
  EXPECT_EQ(idl_default_value(input("string", "'")), "'");
}

TEST_F(ComNames, StoreKindsFollowTheParameterType) {
  EXPECT_EQ(com_store_kind(row("integer")), store_long);
  EXPECT_EQ(com_store_kind(row("pointer")), store_long);
  EXPECT_EQ(com_store_kind(row("real")), store_double);
  EXPECT_EQ(com_store_kind(type_narrow_string), store_bstr);
  EXPECT_EQ(com_store_kind(row("tuple")), store_tuple);
  EXPECT_EQ(com_store_kind(row("xld_cont")), store_object);
  EXPECT_EQ(com_store_kind(row("untyped_object")), store_object);
  EXPECT_EQ(com_store_kind(row("shape_model")), store_tool);
  EXPECT_EQ(com_store_kind(row("pose")), store_tool);
}

TEST_F(ComNames, ClassKindsAndFixedMembers) {
  EXPECT_TRUE(is_iconic_class(row("xld_poly")));
  EXPECT_FALSE(is_iconic_class(row("function_1d")));
  EXPECT_TRUE(is_handle_class(row("window")));
  EXPECT_FALSE(is_handle_class(row("pose")));
  EXPECT_STREQ(handle_property_name(row("window")), "VornixID");
  EXPECT_STREQ(handle_property_name(row("shape_model")), "Handle");
  ClassRecord pose;
  pose.type = row("pose");
  ClassRecord measure;
  measure.type = row("measure");
  ClassRecord package;
  package.type = row("user");
  EXPECT_TRUE(has_plain_constructor(pose));
  EXPECT_TRUE(has_plain_constructor(package));
  EXPECT_FALSE(has_plain_constructor(measure));
}

TEST_F(ComNames, VersionTwelveIsTheLastOneBeforeTheFixedMembers) {
  Operator op;
  op.info = std::make_unique<OperatorInfo>();
  op.info->new_in_version = 0x0c000000;
  EXPECT_TRUE(new_up_to_version_12(op));
  op.info->new_in_version = 0x0b050000;
  EXPECT_TRUE(new_up_to_version_12(op));
  op.info->new_in_version = 0x0c000100;  // 12.0.1
  EXPECT_FALSE(new_up_to_version_12(op));
  op.info->new_in_version = -1;  // not given
  EXPECT_FALSE(new_up_to_version_12(op));
}

TEST_F(ComNames, PackageClassFilesAreNamedAfterThePackage) {
  mutable_settings().package_name = "mylib";
  ClassRecord package;
  package.type = row("user");
  ComBuild build;
  build.package = true;
  EXPECT_EQ(class_file_base(package, build), "VmylibX");
  build.package = false;
  EXPECT_EQ(class_file_base(package, build), "VMylibX");
  EXPECT_EQ(upper_case_guid("4a1c0d2e-6b3f"), "4A1C0D2E-6B3F");
}

}  // namespace
