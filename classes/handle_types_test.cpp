#include "classes/handle_types.h"

#include <gtest/gtest.h>

class HandleTypes : public ::testing::Test {
 protected:
  void SetUp() override { init_handle_types("my_lib"); }
};

TEST_F(HandleTypes, LooksUpByNameCutAtThePoint) {
  EXPECT_EQ(GiveClass("shape_model", 0), 6);
  EXPECT_EQ(GiveClass("shape_model.any.suffix", 0), 6);
  EXPECT_EQ(GiveClass("shape", 0), -1);
  EXPECT_EQ(GiveClass("", 0), -1);
  EXPECT_EQ(GiveClass(nullptr, 0), -1);
  EXPECT_EQ(GiveClass(".shape_model", 0), -1);
  EXPECT_EQ(GiveClass("filename.read", 0), GiveClass("filename", 0));
  EXPECT_EQ(class_id_exact("filename.read"), -1);
  EXPECT_EQ(class_id_exact("filename"), GiveClass("filename", 0));
}

TEST_F(HandleTypes, LooksUpByClassName) {
  EXPECT_EQ(GiveClass("VXLDCont", 1), GiveClass("xld_cont", 0));
  // The first row with that class name wins: "point" comes before "real".
  EXPECT_EQ(GiveClass("double", 1), GiveClass("point", 0));
  EXPECT_EQ(class_id_by_name_or_class("VShapeModel"), 6);
  EXPECT_EQ(class_id_by_name_or_class("shape_model"), 6);
}

TEST_F(HandleTypes, DefaultsMissingNamesToAny) {
  EXPECT_EQ(class_id_or_any(nullptr), GiveClass("any", 0));
  EXPECT_EQ(class_id_or_any(""), -1);
  EXPECT_EQ(class_id_or_any("image"), GiveClass("image", 0));
}

TEST_F(HandleTypes, RowsCarryTheirColumns) {
  EXPECT_EQ(type_row_names().size(), 141u);
  EXPECT_EQ(type_row_names().front(), "operator_set");
  EXPECT_EQ(type_row_names().back(), "thread_id");
  int rectangle2 = GiveClass("rectangle2", 0);
  EXPECT_EQ(type_value_count(rectangle2), 5);
  EXPECT_EQ(type_class_name(rectangle2), "double");
  EXPECT_EQ(type_kind(GiveClass("pose", 0)), 7);
  EXPECT_EQ(type_kind(GiveClass("hom_mat3d", 0)), 12);
  EXPECT_EQ(type_kind(GiveClass("campar", 0)), kind_variable_data);
  EXPECT_EQ(type_kind(GiveClass("untyped_object", 0)), kind_iconic);
  EXPECT_FALSE(type_has_class(GiveClass("untyped_object", 0)));
  EXPECT_EQ(type_value_count(GiveClass("operator_set", 0)), 0);
  EXPECT_EQ(type_value_count(GiveClass("user", 0)), 0);
  EXPECT_EQ(type_class_name(GiveClass("string", 0)), "char *");
  EXPECT_EQ(type_base_class_name(GiveClass("xld_poly", 0)), "VXLD");
  EXPECT_EQ(type_class_name(GiveClass("exception", 0)), "");
  int handles = 0;
  for (int row = 0; row < handle_type_rows; ++row)
    if (type_kind(row) == kind_handle && type_has_class(row)) ++handles;
  EXPECT_EQ(handles, 81);
}

TEST_F(HandleTypes, AccessorsAcceptNoneAndTheClosingRow) {
  for (int id : {-1, handle_type_rows}) {
    EXPECT_EQ(type_name(id), "");
    EXPECT_EQ(type_class_name(id), "");
    EXPECT_EQ(type_value_count(id), 0);
    EXPECT_FALSE(type_has_class(id));
    EXPECT_EQ(type_kind(id), 0);
    EXPECT_EQ(type_class_info(id), nullptr);
  }
  EXPECT_EQ(type_name(500), "");
  set_type_class_info(-1, nullptr);  // ignored
}

TEST_F(HandleTypes, DerivesAlongBaseClasses) {
  int xld_cont = GiveClass("xld_cont", 0);
  EXPECT_TRUE(derived_from(xld_cont, GiveClass("object", 0)));
  EXPECT_TRUE(derived_from(xld_cont, GiveClass("xld", 0)));
  EXPECT_FALSE(derived_from(xld_cont, GiveClass("image", 0)));
  for (int row = 0; row < handle_type_rows; ++row) EXPECT_TRUE(derived_from(row, row));
  EXPECT_FALSE(derived_from(-1, -1));
}

TEST_F(HandleTypes, WellKnownIdsAndThePackageClass) {
  const WellKnownTypes& w = well_known_types();
  EXPECT_EQ(w.shape_model, 6);
  EXPECT_EQ(type_name(w.xld_ext_para), "xld_ext_para");
  EXPECT_EQ(type_name(w.dl_pruning), "dl_pruning");
  EXPECT_EQ(type_class_name(w.user), "VMyLib");
  EXPECT_EQ(package_class_name("vxdemo"), "VVxdemo");
  EXPECT_EQ(package_class_name("my__lib_"), "VMyLib");
  init_handle_types("");
  EXPECT_EQ(type_class_name(w.user), "VUser");
}

TEST(HandleTypesDeath, UnknownLookupModeIsAProgramFault) {
  EXPECT_EXIT(GiveClass("image", 2), ::testing::ExitedWithCode(1),
              "vornc error: internal error in GiveClass\n");
}
