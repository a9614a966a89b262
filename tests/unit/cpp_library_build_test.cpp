// The library build of the C++ interface, run through vornc on a sample of
// handle, iconic, data and tuple classes: the output compiles against the
// stand-in runtime, and the members the sample was made for read as
// required (guarded self-loading method, stream operators, tuple legacy
// names, handle constructors). Also a class file that cannot be created.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class CppLibraryBuild : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vornc-cpp-library-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
  }
  void TearDown() override {
    std::string command = "rm -rf '" + directory_ + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
  }
  // Runs vornc -P -s over the sample in the scratch directory; returns the
  // exit status and keeps standard error.
  int run_vornc() {
    std::string tests = VORNC_TESTS_DIR;
    std::string command = "cd '" + directory_ + "' && '" + VORNC_BINARY + "' -P -s -r" + tests +
                          "/stand-ins/cpp/root " + tests +
                          "/stand-ins/cpp/library_sample.def 2> stderr.txt";
    int status = std::system(command.c_str());
    errors_ = read_file(directory_ + "/stderr.txt");
    std::remove((directory_ + "/stderr.txt").c_str());
    return status;
  }
  std::string file(const std::string& name) { return read_file(directory_ + "/" + name); }
  // Every name in the scratch directory, hidden ones too, one per line.
  std::string read_file_list() {
    std::string command = "ls -A '" + directory_ + "' > '" + directory_ + "/../listing.txt'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    std::string listing = read_file(directory_ + "/../listing.txt");
    std::remove((directory_ + "/../listing.txt").c_str());
    return listing;
  }

  std::string directory_;
  std::string errors_;
};

TEST_F(CppLibraryBuild, SampleCompilesAndReadsAsRequired) {
  ASSERT_EQ(run_vornc(), 0) << errors_;
  EXPECT_EQ(errors_, "");
  std::string compile = "cd '" + directory_ + "' && bash '" + VORNC_TESTS_DIR +
                        "/stand-ins/cpp/compile_library.sh'";
  EXPECT_EQ(std::system(compile.c_str()), 0);

  // An output instance with a resource-owning return value: both are
  // loaded under a guard that clears them again.
  EXPECT_TRUE(contains(file("VRegion.cpp"),
                       "VRegion VRegion::GenTwoRegions(Vlong Size)\n"
                       "{\n"
                       "  Vproc_handle proc = VornixAPI::PreCall(VProcIDs::PI_GEN_TWO_REGIONS);\n\n"
                       "#ifdef VC_STATIC_VARIANT \n"
                       "  VSetSystem_4();\n"
                       "#endif\n\n"
                       "  VornixAPI::Store(proc,0,Size);\n"
                       "  VornixAPI::InitOutp(proc,1);\n"
                       "  VornixAPI::InitOutp(proc,2);\n"
                       "  VornixAPI::CallProcedure(proc);\n"
                       "  VRegion RegionB;\n"
                       "  try\n"
                       "  {\n"
                       "    VornixAPI::Load(proc,1,this);\n"
                       "    VornixAPI::Load(proc,2,&RegionB);\n"
                       "  }\n"
                       "  catch (...)\n"
                       "  {\n"
                       "    RegionB.Clear();\n"
                       "    this->Clear();\n"
                       "    throw;\n"
                       "  }\n"
                       "  VornixAPI::PostCall(proc);\n"
                       "  return RegionB;\n"
                       "}\n"));
  EXPECT_TRUE(contains(file("VRegion.h"), "  // Create two regions at once.\n"
                                          "  VRegion GenTwoRegions(Vlong Size);\n"));

  // A constructor taking one integer replaces the "from handle" one.
  std::string socket = file("VSocket.h");
  EXPECT_TRUE(contains(socket, "  // open_socket_port: Open a socket on a port.\n"
                               "  explicit VSocket(Vlong Port);\n"));
  EXPECT_FALSE(contains(socket, "explicit VSocket(Vlong handle);"));

  // Serialisation: Clone and the stream operators.
  EXPECT_TRUE(contains(file("VShapeModel.cpp"),
                       "VShapeModel VShapeModel::Clone() const\n{\n"
                       "  VSerializedItem item = SerializeShapeModel();\n"
                       "  VShapeModel     copy;\n"
                       "  copy.DeserializeShapeModel(item);\n"
                       "  return copy;\n}\n\n"));
  EXPECT_TRUE(contains(file("VIOStream.h"),
                       "  // Serialize a VShapeModel instance to a binary output stream\n"
                       "  inline std::ostream& operator << (std::ostream& stream, const VShapeModel& ModelID)\n"
                       "  {\n"
                       "    ModelID.SerializeShapeModel().Serialize(stream);\n"
                       "    return stream;\n"
                       "  }\n"
                       "  \n"
                       "  // Deserialize binary input stream to a VShapeModel\n"
                       "  inline std::istream& operator >> (std::istream& stream, VShapeModel& ModelID)\n"
                       "  {\n"
                       "    ModelID.DeserializeShapeModel(VSerializedItem::Deserialize(stream));\n"
                       "    return stream;\n"
                       "  }\n"
                       "\n"));

  // Short legacy names of the tuple methods.
  EXPECT_EQ(file("VTupleLegacy.hx"),
            "  static VTuple Add(const VTuple& S1, const VTuple& S2) {return TupleAdd(S1, S2);}\n"
            "  Vlong Length() const {return TupleLength();}\n");

  // The wide-string variant is for Windows only and stores unencoded.
  EXPECT_TRUE(contains(file("VWindow.h"), "#ifdef _WIN32\n  // Print text in a window.\n"
                                          "  void WriteString(const wchar_t* String) const;\n"
                                          "#endif\n"));
  std::string forwards = file("VornixCppForwards.h");
  EXPECT_EQ(forwards.back(), '}');
  EXPECT_TRUE(contains(forwards, "  class VPose;\n  class VPoseArray;\n"));
  EXPECT_TRUE(contains(forwards, "  class VFunction1D;\n"));
  EXPECT_FALSE(contains(forwards, "class VFunction1DArray;"));
  EXPECT_FALSE(contains(forwards, "class VTuple;\n  class VTupleArray"));
  EXPECT_TRUE(contains(file("VProcIDs.h"), "  static const int PI_CREATE_SHAPE_MODEL = 0;\n"));
}

TEST_F(CppLibraryBuild, AClassFileThatCannotBeCreatedFailsTheRunAndKeepsNothing) {
  // A folder in the way of one generated file; an older header of another
  // class stays as it was.
  ASSERT_EQ(mkdir((directory_ + "/VRegion.h").c_str(), 0755), 0);
  std::ofstream(directory_ + "/VTuple.h", std::ios::binary) << "earlier run\n";
  EXPECT_EQ(WEXITSTATUS(run_vornc()), 1);
  EXPECT_EQ(errors_, "vornc error: could not open file <VRegion.h>\n");
  EXPECT_EQ(file("VTuple.h"), "earlier run\n");
  std::string listing = read_file_list();
  EXPECT_EQ(listing, "VRegion.h\nVTuple.h\n");
}

TEST_F(CppLibraryBuild, ExamplePackageInterfaceCompiles) {
  std::string tests = VORNC_TESTS_DIR;
  std::string command = "cd '" + directory_ + "' && '" + VORNC_BINARY +
                        "' -W -P -u -pvxdemo " + tests + "/../examples/vxdemo/vxdemo.def && "
                        "g++ -std=c++17 -Wall -Werror -fsyntax-only -I. -I" + tests +
                        "/stand-ins/cpp VCPPvxdemo.cpp";
  EXPECT_EQ(std::system(command.c_str()), 0);
  EXPECT_TRUE(contains(file("VCPPvxdemo.cpp"), "extern \"C\" VUserImport int VvxdemoGetOffset();\n"));
}

}  // namespace
