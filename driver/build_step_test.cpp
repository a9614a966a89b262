#include "driver/build_step.h"

#include <gtest/gtest.h>

#include "driver/settings.h"

TEST(Depfile, EscapesBlanksHashesAndDollarsAsMakeAndNinjaReadThem) {
  EXPECT_EQ(depfile_escaped("plain/name.def"), "plain/name.def");
  EXPECT_EQ(depfile_escaped("a b#c$d"), "a\\ b\\#c$$d");
  EXPECT_EQ(depfile_text({"VCUser.h", "VCUser.c"}, {"ops.def", "my list.txt"}),
            "VCUser.h \\\n  VCUser.c: \\\n  ops.def \\\n  my\\ list.txt\n");
  // A run without files (-m) has no rule to write.
  EXPECT_EQ(depfile_text({}, {"ops.def"}), "");
  EXPECT_EQ(depfile_text({"V.c"}, {}), "V.c:\n");
}

TEST(Depfile, NamesAreSeenFromTheFolderVorncStartedIn) {
  Settings& s = mutable_settings();
  s.start_folder_prefix = "";
  EXPECT_EQ(name_from_start_folder("VUser.c"), "VUser.c");
  s.start_folder_prefix = "out/c/";
  EXPECT_EQ(name_from_start_folder("VUser.c"), "out/c/VUser.c");
  EXPECT_EQ(name_from_start_folder("/abs/ops.def"), "/abs/ops.def");
  s.start_folder_prefix = "";
}
