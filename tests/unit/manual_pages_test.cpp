// The operator files of a manual with many operators (-Rxml), which are
// written ahead on worker threads: every file holds its own operator, and
// the warnings that the pages raise come once each, in the order in which
// the files are written, before the class files' warning.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int operator_count = 60;

std::string operator_name(int number) { return "probe_" + std::to_string(number); }

// Each operator's description lacks a figure prefix, which is warned about
// with the text after the command: the operator's own number. Every third
// description is long, so that its file takes much longer to write than
// the next ones and the threads finish their files out of order.
std::string definitions() {
  std::string long_text;
  for (int line = 0; line < 4000; ++line)
    long_text += "  A \\textbf{long} text of $x$ and \\ParRef{Value}.\n";
  std::string text;
  for (int number = 0; number < operator_count; ++number) {
    std::string name = operator_name(number);
    text += name + " <- CProbe" + std::to_string(number) + "[::Value:];\n";
    text += "short: Probe " + std::to_string(number) + ".;\n";
    text += "abstract: Probes.\n" + (number % 3 == 0 ? long_text : "") +
            "  \\begin{Figure}page " + std::to_string(number) + ".;\n";
    text += "chapter: Probes;\n";
    text += "module: foundation;\n";
    text += "parameter Value: input_control;\n";
    text += "  description: A value of \\ParRef{Value}.;\n";
    text += "  sem_type: number;\n  type_list: integer;\n  default_type: integer;\n";
    text += "  multivalue: false;\n\n";
  }
  return text;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class ManualPages : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vornc-manual-pages-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
    std::ofstream(directory_ + "/probes.def") << definitions();
  }
  void TearDown() override {
    std::string command = "rm -rf '" + directory_ + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
  }
  int run_vornc(const std::string& options) {
    std::string command = "cd '" + directory_ + "' && '" + VORNC_BINARY + "' " + options +
                          " probes.def > stdout.txt 2> stderr.txt";
    int status = std::system(command.c_str());
    output_ = read_file(directory_ + "/stdout.txt");
    errors_ = read_file(directory_ + "/stderr.txt");
    std::remove((directory_ + "/stderr.txt").c_str());
    std::remove((directory_ + "/stdout.txt").c_str());
    return status;
  }

  std::string directory_;
  std::string output_, errors_;
};

TEST_F(ManualPages, EveryFileHoldsItsOperatorAndWarningsComeInFileOrder) {
  ASSERT_EQ(run_vornc("--list-outputs -W -Rxml -pprobes"), 0) << errors_;
  std::istringstream listed(output_);
  std::vector<std::string> files;
  for (std::string name; std::getline(listed, name);) files.push_back(name);
  ASSERT_EQ(files.size(), operator_count + 3u);  // with user_index.xml and the class files

  ASSERT_EQ(run_vornc("-Rxml -pprobes"), 0) << errors_;
  std::string expected_warnings;
  int pages = 0;
  for (const std::string& file : files) {
    if (file.compare(0, 6, "probe_") != 0) continue;
    std::string name = file.substr(0, file.size() - 4);
    std::string number = name.substr(6);
    std::string text = read_file(directory_ + "/" + file);
    EXPECT_NE(text.find("<operator id=\"" + name + "\""), std::string::npos) << name;
    EXPECT_NE(text.find("Probe " + number + ".</summary>"), std::string::npos) << name;
    expected_warnings +=
        "vornc warning: Missing prefix in figure at \\begin{Figure}page " + number + ". ...\n";
    ++pages;
  }
  EXPECT_EQ(pages, operator_count);
  expected_warnings += "vornc warning: No class description for class VProbes\n";
  EXPECT_EQ(errors_, expected_warnings);

  ASSERT_EQ(run_vornc("-W -Rxml -pprobes"), 0);
  EXPECT_EQ(errors_, "");
}

}  // namespace
