// Splitting lists and the level data derived from multivalue and
// multichannel where a method gives no list.
#include <gtest/gtest.h>

#include "gen/table/table_writers.h"
#include "tests/unit/table_test_support.h"

namespace {

TEST(TableSplitList, CharactersSetMasksAndReference) {
  LevelData xs = parse_split_list("xS");
  EXPECT_EQ(xs.split_mask, 0x0003u);
  EXPECT_EQ(xs.tuple_mask, 0x0002u);
  EXPECT_EQ(xs.reference, 1);  // S takes the reference even when one is set

  LevelData s1 = parse_split_list("s1");
  EXPECT_EQ(s1.split_mask, 0x0001u);
  EXPECT_EQ(s1.tuple_mask, 0x0001u);
  EXPECT_EQ(s1.reference, 0);

  LevelData later = parse_split_list("nxs");  // first x or s is the reference
  EXPECT_EQ(later.split_mask, 0x0006u);
  EXPECT_EQ(later.tuple_mask, 0x0005u);
  EXPECT_EQ(later.reference, 1);

  LevelData none = parse_split_list("n1");  // no reference: position 0
  EXPECT_EQ(none.split_mask, 0u);
  EXPECT_EQ(none.tuple_mask, 0x0001u);
  EXPECT_EQ(none.reference, 0);
}

TEST(TableSplitList, PositionsPastSixteenHaveNoBitButCanBeTheReference) {
  std::string text(16, '1');
  text += "S";
  LevelData d = parse_split_list(text);
  EXPECT_EQ(d.split_mask, 0u);
  EXPECT_EQ(d.tuple_mask, 0u);
  EXPECT_EQ(d.reference, 16);
  EXPECT_EQ(parse_split_list(std::string(15, '1') + "s").split_mask, 0x8000u);
}

TEST(TableSplitList, TupleLevelFromMultivalue) {
  auto op = make_test_operator("t", 3, 0, 0, 0);
  test_param(*op, group_input_object, 0).multivalue = "true";
  test_param(*op, group_input_object, 1).multivalue = "false";
  test_param(*op, group_input_object, 2).multivalue = "optional";
  testing::internal::CaptureStderr();
  LevelData d = derive_tuple_level(*op);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(d.split_mask, 0x0005u);  // "s1x"
  EXPECT_EQ(d.tuple_mask, 0x0001u);
  EXPECT_EQ(d.reference, 0);
}

TEST(TableSplitList, UnknownMultivalueWarnsAndCountsAsFalse) {
  auto op = make_test_operator("t", 2, 0, 0, 0);
  test_param(*op, group_input_object, 1).multivalue = "true";
  testing::internal::CaptureStderr();
  LevelData d = derive_tuple_level(*op);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "vornc warning: \"test.def\", line: 7:  proc 't' is splittable on tuple level but "
            "multivalue for parameter 'in0' is unknown;assuming 'false'\n");
  EXPECT_EQ(d.split_mask, 0x0002u);
  EXPECT_EQ(d.reference, 1);
}

TEST(TableSplitList, UnknownMultichannelWarnsOnlyForImagesAndObjects) {
  auto op = make_test_operator("c", 3, 0, 0, 0);
  test_param(*op, group_input_object, 0).sem_type = "image";
  test_param(*op, group_input_object, 1).sem_type = "region";
  test_param(*op, group_input_object, 2).edit_extras().multichannel = "optional";
  testing::internal::CaptureStderr();
  LevelData d = derive_channel_level(*op);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "vornc warning: \"test.def\", line: 7:  proc 'c' is splittable on channel level but "
            "multichannel for parameter 'in0' is unknown; assuming 'false'\n");
  EXPECT_EQ(d.split_mask, 0x0004u);  // "11x"
  EXPECT_EQ(d.tuple_mask, 0u);
  EXPECT_EQ(d.reference, 2);
}

TEST(TableSplitList, SingleQuotesAndFlags) {
  EXPECT_EQ(without_single_quotes("'fast'"), "fast");
  EXPECT_EQ(without_single_quotes("''"), "");
  EXPECT_EQ(without_single_quotes("'"), "'");
  EXPECT_EQ(without_single_quotes("'a"), "'a");
  unsigned bit = 0;
  EXPECT_TRUE(look_up_flag("image_input", bit));
  EXPECT_EQ(bit, 1u);
  EXPECT_FALSE(look_up_flag("Image_input", bit));
}

}  // namespace
