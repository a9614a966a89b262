#include "driver/name_style.h"

#include <gtest/gtest.h>

TEST(NameStyle, ConvertsByStyle) {
  EXPECT_EQ(name_style("Gen_Image", style_lower), "gen_image");
  EXPECT_EQ(name_style("gen_image", style_upper), "GEN_IMAGE");
  EXPECT_EQ(name_style("gen_image_const", style_camel), "GenImageConst");
  EXPECT_EQ(name_style("gen_image_const", style_lower_camel), "genImageConst");
  EXPECT_EQ(name_style("XLD_cont", style_lower_camel), "XLDCont");
  EXPECT_EQ(name_style("affine_trans_point_3d", style_camel_digits), "AffineTransPoint3D");
}

TEST(NameStyle, UnderscoresAtTheEdges) {
  EXPECT_EQ(name_style("_foo_", style_camel), "Foo");
  EXPECT_EQ(name_style("_foo", style_lower_camel), "foo");
  EXPECT_EQ(name_style("", style_camel), "");
  EXPECT_EQ(name_style("", style_lower_camel), "");
}

TEST(NameStyle, DigitWords) {
  // Only words that begin with 1 to 3 and go on raise their second character.
  EXPECT_EQ(name_style("affine_trans_point_3d", style_camel), "AffineTransPoint3d");
  EXPECT_EQ(name_style("hom_mat2d_to_affine_par", style_camel_digits), "HomMat2dToAffinePar");
  EXPECT_EQ(name_style("project_3d_point", style_camel_digits), "Project3DPoint");
  EXPECT_EQ(name_style("gen_4d_thing", style_camel_digits), "Gen4dThing");
  EXPECT_EQ(name_style("point_3", style_camel_digits), "Point3");
  EXPECT_EQ(name_style("a_1_b", style_camel_digits), "A1B");
}
