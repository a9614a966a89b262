// The parameter record's rarely set slots: empty until edited, copied with
// the parameter, kept through moves.
#include "def/operator_model.h"

#include <gtest/gtest.h>

namespace {

Parameter with_extras() {
  Parameter p;
  p.name = "Size";
  p.sem_type = "number";
  p.edit_extras().step_rec = "2";
  p.edit_extras().postprocessing = {"tuple_add"};
  p.edit_extras().costs_weight = 3;
  return p;
}

}  // namespace

TEST(ParameterExtras, UnsetUntilEdited) {
  Parameter p;
  EXPECT_TRUE(p.extras().step_rec.empty());
  EXPECT_TRUE(p.extras().file_ext_descr.empty());
  EXPECT_EQ(p.extras().costs_weight, 0);
  p.edit_extras().multichannel = "true";
  EXPECT_EQ(p.extras().multichannel, "true");
  EXPECT_TRUE(p.extras().step_rec.empty());
  // The empty extras every other parameter reads are not changed.
  EXPECT_TRUE(Parameter().extras().multichannel.empty());
}

TEST(ParameterExtras, CopiesCarryTheirOwnExtras) {
  Parameter original = with_extras();
  Parameter copy = original;
  EXPECT_EQ(copy.name, "Size");
  EXPECT_EQ(copy.extras().step_rec, "2");
  EXPECT_EQ(copy.extras().postprocessing, TextList{"tuple_add"});
  EXPECT_EQ(copy.extras().costs_weight, 3);
  copy.edit_extras().step_rec = "5";
  EXPECT_EQ(original.extras().step_rec, "2");

  Parameter assigned;
  assigned.edit_extras().modified = "true";
  assigned = original;
  EXPECT_EQ(assigned.extras().step_rec, "2");
  EXPECT_TRUE(assigned.extras().modified.empty());
  assigned.edit_extras().costs_weight = 9;
  EXPECT_EQ(original.extras().costs_weight, 3);

  // A copy of a parameter without extras has none either.
  Parameter plain;
  Parameter plain_copy = plain;
  plain_copy.edit_extras().step_min = "1";
  EXPECT_TRUE(plain.extras().step_min.empty());
}

TEST(ParameterExtras, MovesKeepThem) {
  Parameter moved = with_extras();
  Parameter target(std::move(moved));
  EXPECT_EQ(target.extras().step_rec, "2");
  std::vector<Parameter> params;
  params.push_back(std::move(target));
  params.reserve(8);  // moves them once more
  EXPECT_EQ(params[0].extras().postprocessing, TextList{"tuple_add"});
}
