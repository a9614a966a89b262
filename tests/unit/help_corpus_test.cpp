// The help files of the realistic corpus (tests/corpus), written by vornc -M
// in English and German: the run succeeds, the five files agree with each
// other (offsets, counts, operator names) and a few lines read as required.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class HelpCorpus : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vornc-help-corpus-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
  }
  void TearDown() override {
    std::string command = "rm -rf '" + directory_ + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
  }

  int run_vornc(const std::string& options, bool with_file_io = true) {
    std::string corpus = std::string(VORNC_TESTS_DIR) + "/corpus/";
    std::string files;
    for (const char* name : {"library", "filters", "regions", "shape_models", "xld", "file_io", "docs_de"}) {
      if (!with_file_io && std::string(name) == "file_io") continue;
      files += " '" + corpus + name + ".def'";
    }
    std::string command = "cd '" + directory_ + "' && '" + VORNC_BINARY + "' -M " + options + files +
                          " > stdout.txt 2> stderr.txt";
    int status = std::system(command.c_str());
    errors_ = read_file(directory_ + "/stderr.txt");
    return status;
  }

  std::string file(const std::string& name) { return read_file(directory_ + "/" + name); }

  // The five files of a locale agree with each other; returns the operator
  // names in list order.
  std::vector<std::string> check_consistency(const std::string& locale) {
    std::string ref = file("operators_" + locale + ".ref");
    std::string idx = file("operators_" + locale + ".idx");
    std::vector<std::string> sta = lines_of(file("operators_" + locale + ".sta"));
    std::vector<std::string> num = lines_of(file("operators_" + locale + ".num"));
    EXPECT_FALSE(ref.empty());
    EXPECT_EQ(ref.back(), '\f');
    std::vector<std::string> names;
    size_t at = 0;
    size_t previous = 0;
    while (at + 4 < idx.size()) {
      const unsigned char* bytes = reinterpret_cast<const unsigned char*>(idx.data() + at);
      size_t offset = (size_t(bytes[0]) << 24) | (size_t(bytes[1]) << 16) | (size_t(bytes[2]) << 8) | bytes[3];
      size_t end = idx.find('\n', at + 4);
      std::string name = idx.substr(at + 4, end - at - 4);
      at = end + 1;
      if (names.empty()) EXPECT_EQ(offset, 0u);
      EXPECT_GE(offset, previous);
      previous = offset;
      EXPECT_EQ(ref.compare(offset, name.size() + 1, name + "("), 0) << name;
      if (offset > 0) EXPECT_EQ(ref[offset - 1], '\n') << name;
      names.push_back(name);
    }
    EXPECT_EQ(at, idx.size());
    EXPECT_EQ(sta.size(), names.size());
    EXPECT_EQ(num.size(), names.size());
    for (size_t i = 0; i < names.size() && i < sta.size() && i < num.size(); ++i) {
      int counts[4] = {0, 0, 0, 0};
      std::istringstream(num[i]) >> counts[0] >> counts[1] >> counts[2] >> counts[3];
      std::string parameters = sta[i].substr(0, sta[i].find(':'));
      int listed = parameters.empty() ? 0 : 1;
      for (char c : parameters) listed += c == ',';
      EXPECT_EQ(listed, counts[0] + counts[1] + counts[2] + counts[3]) << names[i];
      // the signature lists the same names
      size_t signature = ref.find(names[i] + "(" + parameters + ")\n");
      EXPECT_NE(signature, std::string::npos) << names[i];
    }
    std::set<std::string> known(names.begin(), names.end());
    for (const std::string& line : lines_of(file("operators_" + locale + ".key"))) {
      size_t cr = line.find('\r');
      EXPECT_NE(cr, std::string::npos) << line;
      if (cr == std::string::npos) continue;
      std::istringstream users(line.substr(cr + 1));
      int count = 0;
      for (std::string user; users >> user; ++count) EXPECT_EQ(known.count(user), 1u) << user;
      EXPECT_GT(count, 0) << line;
      EXPECT_EQ(line.back(), ' ') << line;
    }
    return names;
  }

  std::string directory_;
  std::string errors_;
};

TEST_F(HelpCorpus, EnglishHelpFiles) {
  ASSERT_EQ(run_vornc(""), 0) << errors_;
  EXPECT_EQ(errors_, "");
  std::vector<std::string> names = check_consistency("en_US");
  EXPECT_EQ(names.size(), 17u);
  std::string ref = file("operators_en_US.ref");
  EXPECT_TRUE(contains(ref, "\nassertion=Mult > 0 && Mult <= 1000\n"));
  EXPECT_TRUE(contains(ref, "\nvalue_number=MaskHeight - 1 >= 0 && ~ (MaskHeight % 2 == 0)\n"));
  EXPECT_TRUE(contains(ref, "\nvalue_number=length(Score) == number(Row)\n"));
  EXPECT_TRUE(contains(ref, "\nassertion=High > 0 && (High >= Low || - High < 0)\n"));
  EXPECT_TRUE(contains(ref, "\nfile_ext_descr=TIFF\rTIFF\rPNG\rJPEG\rBMP\n"));
  EXPECT_TRUE(contains(ref, "\nexample.c++=VImage diff = image1.AbsDiffImage(image2, 1.0);\n"));
  EXPECT_TRUE(contains(ref, "\nshort.ascii=Calculate the absolute difference of two images.\n"));
  EXPECT_TRUE(contains(ref, "\nkeywords=absolute difference\rimage subtraction\rarithmetic\n"));
  EXPECT_TRUE(contains(file("operators_en_US.sta"),
                       "Image1,Image2,ImageAbsDiff,Mult:filters,arithmetic:Filters,Arithmetic:\n"));
  EXPECT_TRUE(contains(file("operators_en_US.key"), "absolute difference\rabs_diff_image \n"));
  // "Shape" is no chapter of the table: it stays beside the names the table gives
  EXPECT_TRUE(contains(file("operators_en_US.sta"), "\nModelID:matching,shape:Matching,Shape:\n"));
}

TEST_F(HelpCorpus, GermanHelpFiles) {
  ASSERT_EQ(run_vornc("-lde_DE"), 0) << errors_;
  EXPECT_EQ(errors_, "");
  check_consistency("de_DE");
  std::string ref = file("operators_de_DE.ref");
  EXPECT_TRUE(contains(ref, "\nshort.ascii=Berechnen der absoluten Differenz zweier Bilder.\n"));
  EXPECT_TRUE(contains(ref, "\ndescription.ascii=Eingabebild 1.\n"));
  EXPECT_TRUE(contains(file("operators_de_DE.sta"), ":filters,arithmetic:Filter,Arithmetik:\n"));
  EXPECT_TRUE(contains(file("operators_de_DE.key"), "Bildsubtraktion\rabs_diff_image \n"));
}

TEST_F(HelpCorpus, LibraryBuildWarnsAndWritesAllTheSame) {
  // file_io.def holds a user chapter, which a library build refuses
  ASSERT_EQ(run_vornc("-s", false), 0) << errors_;
  EXPECT_TRUE(contains(errors_, "vornc warning: No functionality operator_set for threshold!\n"));
  check_consistency("en_US");
}

TEST_F(HelpCorpus, KeywordIndexBeyondTenThousandKeywords) {
  // two operators share 10,050 distinct keywords
  std::string keywords;
  for (int i = 0; i < 10050; ++i) keywords += (i > 0 ? ", kw" : "kw") + std::to_string(100000 + i);
  std::ofstream def(directory_ + "/many.def", std::ios::binary);
  for (const char* name : {"first_op", "second_op"})
    def << name << " <- CMany[:::];\nshort.english: Many keywords.;\nmodule: foundation;\n"
        << "keywords.english: " << keywords << ";\n\n";
  def.close();
  std::string command = "cd '" + directory_ + "' && '" + VORNC_BINARY + "' -M many.def 2> stderr.txt";
  ASSERT_EQ(std::system(command.c_str()), 0) << file("stderr.txt");
  std::vector<std::string> lines = lines_of(file("operators_en_US.key"));
  ASSERT_EQ(lines.size(), 10050u);
  EXPECT_EQ(lines.front(), "kw100000\rsecond_op first_op ");
  EXPECT_EQ(lines.back(), "kw110049\rsecond_op first_op ");
}

}  // namespace
