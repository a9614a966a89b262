#include "driver/input_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::string scratch_folder() {
  char dir_template[] = "/tmp/vornc-input-files-XXXXXX";
  return mkdtemp(dir_template);
}

// "<name>.def" comes first, but a folder of that name is passed over for
// the name itself; only when nothing opens is the folder reported.
TEST(InputFiles, DefinitionFileNamesPassOverFolders) {
  std::string dir = scratch_folder();
  ASSERT_EQ(mkdir((dir + "/ops.def").c_str(), 0755), 0);
  std::string path;
  EXPECT_EQ(open_definition_file(dir + "/ops", path), nullptr);
  EXPECT_EQ(errno, EISDIR);
  EXPECT_EQ(path, dir + "/ops.def");

  std::ofstream(dir + "/ops") << "x";
  std::FILE* file = open_definition_file(dir + "/ops", path);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(path, dir + "/ops");
  std::fclose(file);

  EXPECT_EQ(open_definition_file(dir + "/none", path), nullptr);
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(path, dir + "/none");

  EXPECT_EQ(open_input_file(dir), nullptr);
  EXPECT_EQ(errno, EISDIR);
  std::system(("rm -rf " + dir).c_str());
}

}  // namespace
