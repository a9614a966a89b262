// The two files of one library-build class, written whole: the order of
// head, operator-based constructors (with their comment box and a
// Windows-only one), class snippets, operators (with their box) and the
// handle tail, and the members that the constructors take the place of.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "classes/class_model.h"
#include "classes/handle_types.h"
#include "driver/diagnostics.h"
#include "driver/output.h"
#include "driver/settings.h"
#include "gen/cpp/class_files.h"

namespace {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class CppClassFiles : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = settings();
    init_handle_types("mylib");
    char pattern[] = "/tmp/vornc-cpp-class-files-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    previous_ = here;
    ASSERT_EQ(chdir(directory_.c_str()), 0);
    mutable_settings().generation_target = target_library;
    // An empty installation root: the optional snippets are absent.
    mutable_settings().has_root_override = true;
    mutable_settings().root_override = directory_;
  }
  void TearDown() override {
    EXPECT_EQ(chdir(previous_.c_str()), 0);
    std::string command = "rm -rf '" + directory_ + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    mutable_settings() = saved_;
  }

  static ClassParam param(const char* name, const char* type, bool output, int index) {
    ClassParam p;
    p.name = name;
    p.type = GiveClass(type, 0);
    p.output = output;
    p.index = index;
    return p;
  }
  static ClassMethod member(const char* name, const char* summary, int number) {
    ClassMethod m;
    m.name = name;
    m.short_description = summary;
    m.proc_number = number;
    return m;
  }
  static std::string banner() {
    Writer out;
    write_banner(out, banner_cpp);
    return out.text();
  }

  Settings saved_;
  std::string directory_;
  std::string previous_;
};

TEST_F(CppClassFiles, HandleClassWithConstructorsAndAMethod) {
  ClassRecord record;
  record.type = GiveClass("shape_model", 0);
  record.description = "Shape \\OpRef{models}.";
  // One integer input: takes the place of the "from handle" constructor.
  ClassMethod create = member("create_shape_model", "Prepare a model.", 3);
  create.instance = param("ModelID", "shape_model", true, 0);
  create.params = {param("Levels", "integer", false, 0)};
  // No parameters: takes the place of the uninitialised instance.
  ClassMethod empty = member("create_empty_shape_model", "Make an empty model.", 4);
  empty.instance = param("ModelID", "shape_model", true, 0);
  empty.windows_only = true;
  record.constructors = {create, empty};
  ClassMethod levels = member("get_levels", "Get the levels.", 5);
  levels.instance = param("ModelID", "shape_model", false, 0);
  levels.return_param = param("Levels", "integer", true, 0);
  record.methods = {levels};

  testing::internal::CaptureStderr();
  write_class_files(record, false);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

  const std::string stars77(77, '*');
  const std::string stars75(75, '*');
  std::string header = read_file("VShapeModel.h");
  std::string expected_header =
      banner() +
      "#ifndef VCPP_VSHAPEMODEL\n"
      "#define VCPP_VSHAPEMODEL\n\n"
      "namespace VornixCpp\n"
      "{\n\n"
      "// Shape models.\n"
      "class LIntExport VShapeModel : public VHandle\n"
      "{\n\n"
      "public:\n\n"
      "  // Copy constructor\n"
      "  VShapeModel(const VShapeModel& source) : VHandle(source) {}\n\n"
      "#if __cplusplus >= 201103\n"
      "  // C++11 deprecates declaration of an implicit default assignment operator if\n"
      "  // the class has a custom copy constructor.\n"
      "  VShapeModel& operator=(const VShapeModel&) = default;\n"
      "#endif\n\n"
      "  // Copy constructor\n"
      "  VShapeModel(const VHandle& handle);\n\n"
      "  bool operator==(const VHandle& obj) const\n"
      "  {\n"
      "    return VHandleBase::operator==(obj);\n"
      "  }\n\n"
      "  bool operator!=(const VHandle& obj) const\n"
      "  {\n"
      "    return VHandleBase::operator!=(obj);\n"
      "  }\n\n"
      "protected:\n\n"
      "  // Verify matching semantic type ('shape_model')!\n"
      "  virtual void AssertType(Vphandle handle) const;\n\n"
      "public:\n\n"
      "\n\n"
      "/" + stars77 + "\n"
      " * Operator-based class constructors\n"
      " " + stars77 + "/\n"
      "  // create_shape_model: Prepare a model.\n"
      "  explicit VShapeModel(Vlong Levels);\n"
      "\n"
      "#ifdef _WIN32\n"
      "  // create_empty_shape_model: Make an empty model.\n"
      "  explicit VShapeModel();\n"
      "#endif\n"
      "\n"
      "\n"
      "\n\n"
      "  /" + stars75 + "\n"
      "   * Operators" + std::string(63, ' ') + "*\n"
      "   " + stars75 + "/\n"
      "  // Get the levels.\n"
      "  Vlong GetLevels() const;\n"
      "\n"
      "};\n\n"
      "// forward declarations and types for internal array implementation\n\n";
  EXPECT_EQ(header.substr(0, expected_header.size()), expected_header);
  const std::string header_end = "   VShapeModelArrayPtr *mArrayPtr;\n};\n\n}\n\n#endif\n";
  ASSERT_GE(header.size(), header_end.size());
  EXPECT_EQ(header.substr(header.size() - header_end.size()), header_end);

  const std::string prologue =
      "  Vproc_handle proc = VornixAPI::PreCall(VProcIDs::PI_%s);\n\n"
      "#ifdef VC_STATIC_VARIANT \n"
      "  VSetSystem_%d();\n"
      "#endif\n\n";
  std::string source = read_file("VShapeModel.cpp");
  std::string expected_source =
      banner() +
      "#include \"vornixcpp/VornixCpp.h\"\n"
      "#include \"VornixCppInternal.h\"\n\n"
      "#ifdef VC_STATIC_VARIANT \n"
      "#include \"vlib/CoreInterface.h\"\n"
      "#endif /* VC_STATIC_VARIANT */\n\n"
      "#include \"VHandleBaseInternal.h\"\n"
      "using namespace VornixCpp;\n\n"
      "// Manage handle for sem_type shape_model\n"
      "VShapeModel::VShapeModel(const VHandle& handle) : VHandle(handle)\n"
      "{\n"
      "  VHandleBase::AssertType();}\n\n"
      "void VShapeModel::AssertType(Vphandle handle) const\n"
      "{\n"
      "  VornixAPI::AssertHandleType(handle,\"shape_model\");\n"
      "}\n\n"
      "VShapeModel::VShapeModel(Vlong Levels)\n"
      "{\n" +
      format_text(prologue.c_str(), "CREATE_SHAPE_MODEL", 3) +
      "  VornixAPI::Store(proc,0,Levels);\n"
      "  VornixAPI::InitOutp(proc,0);\n"
      "  VornixAPI::CallProcedure(proc);\n"
      "  VornixAPI::Load(proc,0,this);\n"
      "  VornixAPI::PostCall(proc);\n"
      "}\n"
      "\n"
      "#ifdef _WIN32\n"
      "VShapeModel::VShapeModel()\n"
      "{\n" +
      format_text(prologue.c_str(), "CREATE_EMPTY_SHAPE_MODEL", 4) +
      "  VornixAPI::InitOutp(proc,0);\n"
      "  VornixAPI::CallProcedure(proc);\n"
      "  VornixAPI::Load(proc,0,this);\n"
      "  VornixAPI::PostCall(proc);\n"
      "}\n"
      "#endif\n"
      "\n"
      "\n"
      "\n\n"
      "Vlong VShapeModel::GetLevels() const\n"
      "{\n" +
      format_text(prologue.c_str(), "GET_LEVELS", 5) +
      "  VornixAPI::Store(proc,0,*this);\n"
      "  VornixAPI::InitOutp(proc,0);\n"
      "  VornixAPI::CallProcedure(proc);\n"
      "  Vlong Levels;\n"
      "  VornixAPI::Load(proc,0,&Levels);\n"
      "  VornixAPI::PostCall(proc);\n"
      "  return Levels;\n"
      "}\n"
      "\n"
      "VShapeModelArray::VShapeModelArray()\n";
  EXPECT_EQ(source.substr(0, expected_source.size()), expected_source);
}

TEST_F(CppClassFiles, PresentOptionalSnippetIsReportedNotSpliced) {
  std::string include = directory_ + "/source/interfaces/CPP/include/snippets";
  std::string command = "mkdir -p '" + include + "' && printf 'SPLICED' > '" + include +
                        "/VShapeModel.hop'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  ClassRecord record;
  record.type = GiveClass("shape_model", 0);
  mutable_settings().warnings_suppressed = false;
  testing::internal::CaptureStderr();
  write_class_files(record, false);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "vornc warning: Unused snippet " + include + "/VShapeModel.hop\n");
  EXPECT_EQ(read_file("VShapeModel.h").find("SPLICED"), std::string::npos);
}

}  // namespace
