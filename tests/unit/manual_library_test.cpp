// The reference manual of a library build (-s -Rxml), run through vornc on a
// small shape-model sample in German: the contents file is index.xml with
// the maker as author, chapters are nested and indented by depth, the class
// interfaces list the shape model's constructor, destructor and methods, and
// every file is well-formed XML. The full class files of a library build
// (every class of the handle-type table) are too long for a golden case.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const char* const sample_def = R"DEF(
chapter_ref Matching, ShapeBased, Tools <- en_US
short: Tools around shape models.;
abstract: Helpers for \OpRef{create_shape_model}.;

create_shape_model <- CCreateShapeModel[Template::NumLevels:ModelID];
short: Prepare a shape model.;
short.german: Ein Formmodell vorbereiten.;
chapter: Matching, ShapeBased, Tools;
module: matching;
functionality: shape_model;
parameter Template: input_object;
  description: Template image.;
  sem_type: image;
parameter NumLevels: input_control;
  description: Number of levels.;
  sem_type: integer;
  type_list: integer;
  default_type: integer;
  multivalue: false;
parameter ModelID: output_control;
  description: Model handle.;
  sem_type: shape_model;
  type_list: handle;
  default_type: handle;
  multivalue: false;

find_shape_model <- CFindShapeModel[Image::ModelID:Score];
short: Find a shape model.;
chapter: Matching, ShapeBased;
module: matching;
functionality: shape_model;
parameter Image: input_object;
  description: Search image.;
  sem_type: image;
parameter ModelID: input_control;
  description: Model handle.;
  sem_type: shape_model;
  type_list: handle;
  default_type: handle;
  multivalue: false;
parameter Score: output_control;
  description: Score.;
  sem_type: real;
  type_list: real;
  default_type: real;
  multivalue: true;

clear_shape_model <- CClearShapeModel[::ModelID:];
short: Free a shape model.;
short.german: Formmodell freigeben.;
chapter: Matching, ShapeBased;
module: matching;
functionality: shape_model;
parameter ModelID: input_control;
  description: Model handle.;
  sem_type: shape_model;
  type_list: handle;
  default_type: handle;
  multivalue: false;
)DEF";

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

class ManualLibraryBuild : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vornc-manual-library-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
    std::ofstream(directory_ + "/sample.def") << sample_def;
  }
  void TearDown() override {
    std::string command = "rm -rf '" + directory_ + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
  }
  int run_vornc(const std::string& options) {
    std::string command = "cd '" + directory_ + "' && '" + VORNC_BINARY + "' " + options +
                          " sample.def 2> stderr.txt";
    int status = std::system(command.c_str());
    errors_ = read_file(directory_ + "/stderr.txt");
    std::remove((directory_ + "/stderr.txt").c_str());
    return status;
  }
  std::string file(const std::string& name) { return read_file(directory_ + "/" + name); }

  std::string directory_;
  std::string errors_;
};

TEST_F(ManualLibraryBuild, ContentsNamesTheMakerAndNestsChapters) {
  ASSERT_EQ(run_vornc("-s -Rxml -lgerman"), 0) << errors_;
  EXPECT_FALSE(exists(directory_ + "/user_index.xml"));
  std::string toc = file("index.xml");
  EXPECT_NE(toc.find("<toc>\n  <document version=\"23.05.0.0\" language=\"de_DE\" copyright=\"\" "
                     "author=\"Talvik Software GmbH\" url=\"https://www.talvik-software.example\" "
                     "system=\"true\" architecture=\"\"/>\n"),
            std::string::npos);
  // German chapter names; the third level is indented by six blanks and
  // carries the chapter entry's description.
  EXPECT_NE(toc.find("  <chapter id=\"matching\" name=\"Matching\">\n"
                     "    <chapter id=\"shapebased\" name=\"Formbasiert\">\n"),
            std::string::npos);
  EXPECT_NE(toc.find("      <chapter id=\"tools\" name=\"Werkzeuge\">\n"
                     "        <description>\n"),
            std::string::npos);
  EXPECT_NE(toc.find("      </chapter>\n    </chapter>\n  </chapter>\n</toc>\n"), std::string::npos);
  // Operators of a chapter in ascending name order, with the German summary
  // where there is one, else the English one.
  size_t clear = toc.find("<operator id=\"clear_shape_model\">");
  size_t find = toc.find("<operator id=\"find_shape_model\">");
  ASSERT_NE(clear, std::string::npos);
  ASSERT_NE(find, std::string::npos);
  EXPECT_LT(clear, find);
  EXPECT_NE(toc.find("<summary>Formmodell freigeben.</summary>"), std::string::npos);
  EXPECT_NE(toc.find("<summary>Find a shape model.</summary>"), std::string::npos);
  // The library build reports summaries missing in the run's language: in
  // the contents and in the operator file.
  std::string missing =
      "vornc warning: Missing german operator or parameter summary for operator find_shape_model\n";
  size_t first = errors_.find(missing);
  ASSERT_NE(first, std::string::npos) << errors_;
  EXPECT_NE(errors_.find(missing, first + 1), std::string::npos);
  EXPECT_EQ(errors_.find("for operator clear_shape_model"), std::string::npos);
}

TEST_F(ManualLibraryBuild, OperatorFilesCarryTheClassSignatures) {
  ASSERT_EQ(run_vornc("-s -Rxml"), 0) << errors_;
  std::string create = file("create_shape_model.xml");
  EXPECT_NE(create.find("<operator id=\"create_shape_model\" interface=\"all\" "
                        "creates_handle_type=\"true\">\n"),
            std::string::npos);
  EXPECT_NE(create.find("<chapter id=\"matching\" name=\"Matching\" level=\"1\"/>\n"
                        "<chapter id=\"shapebased\" name=\"Shape-Based\" level=\"2\"/>\n"
                        "<chapter id=\"tools\" name=\"Tools\" level=\"3\"/>\n"),
            std::string::npos);
  EXPECT_NE(create.find("<signature type=\"constructor\" class_name=\"VShapeModel\" "
                        "class_id=\"VShapeModel\" id=\"create_shape_model\" "
                        "name=\"CreateShapeModel\">\n"),
            std::string::npos);
  // The C interface has no single-value form for an operator with a handle.
  EXPECT_NE(create.find("<signatures interface=\"c\">\n"
                        "<signature id=\"create_shape_model\" name=\"T_create_shape_model\">\n"),
            std::string::npos);

  std::string find = file("find_shape_model.xml");
  // A method on an input instance is const in C++; the instance is no
  // parameter of the member, the first output is its return value.
  EXPECT_NE(find.find("<signature type=\"method\" class_name=\"VShapeModel\" "
                      "class_id=\"VShapeModel\" id=\"find_shape_model\" name=\"FindShapeModel\" "
                      "const=\"true\">\n"
                      "  <parameters>\n"
                      "    <parameter id=\"Image\" name=\"Image\" type=\"VImage\" mode=\"input\"/>\n"
                      "  </parameters>\n"
                      "  <returns type=\"VTuple\"/>\n"
                      "</signature>\n"),
            std::string::npos);
  // The array variant is static and takes the instances as an array.
  EXPECT_NE(find.find("name=\"FindShapeModel\" static=\"true\">\n"
                      "  <parameters>\n"
                      "    <parameter id=\"Image\" name=\"Image\" type=\"VImage\" mode=\"input\"/>\n"
                      "    <parameter id=\"ModelID\" name=\"ModelID\" type=\"VShapeModelArray\" "
                      "mode=\"input\"/>\n"),
            std::string::npos);
  EXPECT_NE(find.find("<signature type=\"method\" class_name=\"VShapeModelX\" "
                      "class_id=\"VShapeModel\" id =\"find_shape_model\" name=\"FindShapeModel\">\n"),
            std::string::npos);
  EXPECT_NE(find.find("    <parameter id=\"Image\" name=\"image\" type=\"VImage\" mode=\"input\"/>\n"),
            std::string::npos);
}

TEST_F(ManualLibraryBuild, ClassFilesListTheShapeModelMembers) {
  ASSERT_EQ(run_vornc("-s -Rxml"), 0) << errors_;
  std::string classes = file("classes.xml");
  EXPECT_NE(classes.find("  <class id=\"VShapeModel\">\n"
                         "    <syntax interface=\"cpp\">\n"
                         "    <name>VShapeModel</name>\n"
                         "    <description>&lt;no description&gt;</description>\n"
                         "    <members>\n"
                         "      <member_group type=\"constructors\">\n"
                         "        <signature type=\"constructor\" class_name=\"VShapeModel\" "
                         "class_id=\"VShapeModel\" id=\"create_shape_model\" "
                         "name=\"CreateShapeModel\">\n"
                         "          <summary>Prepare a shape model.</summary>\n"
                         "        </signature>\n"
                         "      </member_group>\n"),
            std::string::npos);
  EXPECT_NE(classes.find("      <member_group type=\"destructor\">\n"
                         "        <signature type=\"destructor\" class_name=\"VShapeModelX\" "
                         "class_id=\"VShapeModel\" id=\"clear_shape_model\" "
                         "name=\"ClearShapeModel\">\n"),
            std::string::npos);
  EXPECT_NE(classes.find("    <syntax interface=\"dotnet\">\n    <name>VShapeModel</name>\n"),
            std::string::npos);
  EXPECT_NE(classes.find("  <class id=\"VShapeModelArray\">\n"), std::string::npos);
  // Iconic classes name their base class as each interface spells it.
  EXPECT_NE(classes.find("    <name>VImage</name>\n"
                         "    <description>&lt;no description&gt;</description>\n"
                         "    <base id=\"VObject\" name=\"VObject\"/>\n"),
            std::string::npos);
  EXPECT_NE(classes.find("    <name>VImageX</name>\n"
                         "    <description>&lt;no description&gt;</description>\n"
                         "    <base id=\"VObject\" name=\"VObjectX\"/>\n"),
            std::string::npos);
  EXPECT_NE(errors_.find("vornc warning: No class description for class VShapeModel\n"),
            std::string::npos);

  std::string list = file("class_list.xml");
  EXPECT_NE(list.find("  <class id=\"VShapeModel\">\n"
                      "    <syntax interface=\"cpp\"/>\n"
                      "    <syntax interface=\"com\"/>\n"
                      "    <syntax interface=\"dotnet\"/>\n"
                      "  </class>\n"),
            std::string::npos);

  std::string check = "cd '" + directory_ + "' && xmllint --noout *.xml";
  EXPECT_EQ(std::system(check.c_str()), 0);
}

}  // namespace
