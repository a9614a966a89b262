// The manual in formats other than xml: after the XML files are written the
// stylesheet step turns them into pages and removes them, so that a run
// leaves only HTML pages (or LaTeX sources) in the working directory.
#include <gtest/gtest.h>

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

namespace {

const char* const sample_def = R"DEF(
fill_region <- CFillRegion[Region:RegionFilled::];
short.english: Fill the holes of a region.;
chapter.english: Regions;
module: foundation;
parameter Region: input_object;
  description.english: Region to fill.;
  sem_type: region;
parameter RegionFilled: output_object;
  description.english: Filled region.;
  sem_type: region;
)DEF";

class ManualFormats : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vornc-manual-formats-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
    std::ofstream(directory_ + "/sample.def") << sample_def;
  }
  void TearDown() override {
    std::string command = "rm -rf '" + directory_ + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
  }
  int run_vornc(const std::string& options) {
    std::string command = "cd '" + directory_ + "' && '" + VORNC_BINARY + "' -W " + options +
                          " sample.def 2> /dev/null";
    return std::system(command.c_str());
  }
  std::set<std::string> files() {
    std::set<std::string> names;
    DIR* dir = opendir(directory_.c_str());
    while (dirent* entry = readdir(dir)) {
      std::string name = entry->d_name;
      if (name != "." && name != ".." && name != "sample.def") names.insert(name);
    }
    closedir(dir);
    return names;
  }
  static bool any_ending(const std::set<std::string>& names, const std::string& ending) {
    for (const std::string& name : names)
      if (name.size() > ending.size() && name.compare(name.size() - ending.size(), ending.size(),
                                                      ending) == 0)
        return true;
    return false;
  }

  std::string directory_;
};

TEST_F(ManualFormats, HtmlLeavesOnlyPages) {
  ASSERT_EQ(run_vornc("-Rhtml -pdemo"), 0);
  std::set<std::string> names = files();
  EXPECT_TRUE(names.count("index.html"));
  EXPECT_TRUE(names.count("fill_region.html"));
  EXPECT_TRUE(names.count("index_classes.html"));
  EXPECT_FALSE(any_ending(names, ".xml"));
  EXPECT_FALSE(any_ending(names, ".xsl"));
}

TEST_F(ManualFormats, LatexForTheCInterfaceHasNoClassIndex) {
  ASSERT_EQ(run_vornc("-Rlatex:c -pdemo"), 0);
  std::set<std::string> names = files();
  EXPECT_TRUE(names.count("index.tex"));
  EXPECT_TRUE(names.count("fill_region.tex"));
  EXPECT_FALSE(names.count("index_classes.tex"));
  EXPECT_FALSE(any_ending(names, ".xml"));
}

TEST_F(ManualFormats, XmlKeepsTheFilesAndExtractsNoStylesheet) {
  ASSERT_EQ(run_vornc("-Rxml -pdemo"), 0);
  std::set<std::string> expected = {"user_index.xml", "fill_region.xml", "classes.xml",
                                    "class_list.xml"};
  EXPECT_EQ(files(), expected);
}

}  // namespace
