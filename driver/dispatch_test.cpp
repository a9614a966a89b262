#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "def/operator_model.h"
#include "driver/generators.h"
#include "driver/settings.h"

namespace {

// A model with records added in declaration order (the list runs newest
// first).
struct TestModel {
  Model m;
  Operator* add(const std::string& name, int version = -1, std::vector<std::string> toggles = {}) {
    auto op = std::make_unique<Operator>();
    op->name = name;
    op->function = "C" + name;
    std::vector<DeclaredParam> none[4];
    op->info = make_operator_info(none);
    op->info->new_in_version = version;
    op->info->feature_toggles = std::move(toggles);
    Operator* raw = op.get();
    m.storage.push_back(std::move(op));
    m.add_front(raw);
    return raw;
  }
};

std::vector<std::string> names(const OperatorList& ops) {
  std::vector<std::string> result;
  for (const Operator* op : ops) result.push_back(op->name);
  return result;
}

constexpr int v(int major, int minor) { return (major << 24) | (minor << 16); }

}  // namespace

TEST(Dispatch, PackageBuildKeepsListOrderAndSetsStarEntriesAside) {
  mutable_settings() = Settings();
  TestModel t;
  t.add("first");
  t.add("*");
  t.add("skipped")->skip = true;
  Operator* skipped_star = t.add("*");
  skipped_star->skip = true;
  t.add("toggled", -1, {"beta"});
  t.add("last");
  OperatorList ops = select_operators(t.m);
  EXPECT_EQ(names(ops), (std::vector<std::string>{"last", "first"}));
  ASSERT_EQ(t.m.star_entries.size(), 1u);
  EXPECT_NE(t.m.star_entries[0], skipped_star);
  EXPECT_EQ(ops[0]->fixed_number, -1);
}

TEST(Dispatch, FeatureTogglesNeedOneEnabledToggle) {
  mutable_settings() = Settings();
  mutable_settings().feature_toggles = {"beta", "gamma"};
  TestModel t;
  t.add("plain");
  t.add("beta_only", -1, {"beta"});
  t.add("alpha_or_gamma", -1, {"alpha", "gamma"});
  t.add("alpha_only", -1, {"alpha"});
  t.add("case_differs", -1, {"Beta"});
  EXPECT_EQ(names(select_operators(t.m)),
            (std::vector<std::string>{"alpha_or_gamma", "beta_only", "plain"}));
}

TEST(Dispatch, LibraryBuildNumbersAndSorts) {
  mutable_settings() = Settings();
  mutable_settings().generation_target = target_library;
  mutable_settings().generator_mode = mode_operator_table;
  TestModel t;
  t.add("new_b", v(23, 5));
  t.add("abs_diff_image");
  t.add("new_a", v(23, 5));
  t.add("older", v(13, 0));
  t.add("zoom_region", v(99, 0));
  t.add("newest", static_cast<int>(0x80000000u));  // compared as unsigned: last
  OperatorList ops = select_operators(t.m);
  EXPECT_EQ(names(ops), (std::vector<std::string>{"zoom_region", "abs_diff_image", "older", "new_a",
                                                  "new_b", "newest"}));
  EXPECT_EQ(ops[0]->fixed_number, 493);
  EXPECT_EQ(ops[1]->fixed_number, 1622);
  EXPECT_EQ(ops[2]->fixed_number, -1);
}

TEST(Dispatch, OnlyNumberedModesOfALibraryBuildSort) {
  mutable_settings() = Settings();
  mutable_settings().generation_target = target_library;
  mutable_settings().generator_mode = mode_module_list;
  TestModel t;
  t.add("zoom_region");
  t.add("unversioned");  // no new_in_version needed outside the numbered modes
  EXPECT_EQ(names(select_operators(t.m)), (std::vector<std::string>{"unversioned", "zoom_region"}));
}

TEST(DispatchDeath, LibraryOperatorWithoutNumberOrVersion) {
  mutable_settings() = Settings();
  mutable_settings().generation_target = target_library;
  mutable_settings().generator_mode = mode_c;
  TestModel t;
  t.add("zoom_region");
  t.add("brand_new");
  EXPECT_EXIT(select_operators(t.m), ::testing::ExitedWithCode(255),
              "vornc error: brand_new has no new_in_version field\n");
}
