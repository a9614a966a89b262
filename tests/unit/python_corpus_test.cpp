// The Python interface of the realistic corpus (tests/corpus), written by
// vornc -Y in the flat and in the class layout: the run succeeds, the
// expected modules appear, every module byte-compiles and imports with the
// stand-in runtime, and a few functions read as the definitions ask.
#include <gtest/gtest.h>

#include <stdlib.h>

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

class PythonCorpus : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vornc-python-corpus-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
    std::ofstream errors(directory_ + "/errors.h");
    errors << "#define V_MSG_TRUE 2 /* TRUE */\n#define V_ERR_WIPV1 1201 /* Wrong type */\n";
  }
  void TearDown() override {
    std::string command = "rm -rf '" + directory_ + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
  }

  int run_vornc(const std::string& options) {
    std::string corpus = std::string(VORNC_TESTS_DIR) + "/corpus/";
    std::string files;
    for (const char* name :
         {"library", "filters", "regions", "shape_models", "xld", "file_io", "docs_de"}) {
      files += " '" + corpus + name + ".def'";
    }
    std::string command = "cd '" + directory_ + "' && '" + VORNC_BINARY + "' -Y " + options +
                          " -error-def-path errors.h" + files + " > stdout.txt 2> stderr.txt";
    int status = std::system(command.c_str());
    errors_ = read_file(directory_ + "/stderr.txt");
    return status;
  }

  // Byte-compiles and imports every generated module as a package with the
  // stand-in runtime; returns the shell status. The corpus has no operator
  // with an object parameter, so its class layout has no vobject.py of its
  // own: the stand-in of the flat layout takes that module's place.
  int import_all() {
    std::string tests = VORNC_TESTS_DIR;
    std::string command = "cd '" + directory_ + "' && rm -f stdout.txt stderr.txt errors.h && " +
                          "TESTS='" + tests + "' bash -c '" +
                          ". \"$TESTS/stand-ins/python/load_package.sh\" && " +
                          "load_package pkg flat && cd pkg && " +
                          "python3 -c \"import importlib, pathlib; " +
                          "[importlib.import_module(\\\"vornix.\\\" + p.stem) " +
                          "for p in pathlib.Path(\\\"vornix\\\").glob(\\\"*.py\\\")]\"'";
    return std::system(command.c_str());
  }

  std::string file(const std::string& name) { return read_file(directory_ + "/" + name); }

  std::string directory_;
  std::string errors_;
};

TEST_F(PythonCorpus, FlatLayout) {
  ASSERT_EQ(run_vornc(""), 0) << errors_;
  EXPECT_TRUE(contains(errors_, "vornc warning: Extension packages not supported for Python"));
  std::string ops = file("operator_set.py");
  EXPECT_TRUE(contains(ops, "def abs_diff_image(image_1: VObject, image_2: VObject, "
                            "mult: VTupleElementType) -> VObject:\n"));
  EXPECT_TRUE(contains(ops, "Assertion: Mult > 0 && Mult <= 1000\n"));
  // zoom_region has a feature toggle and no -D: not in the interface.
  EXPECT_FALSE(contains(ops, "def zoom_region("));
  std::string errors = file("errors.py");
  EXPECT_EQ(errors.substr(errors.size() - 19), "\nV_ERR_WIPV1 = 1201");  // no final line break
  EXPECT_EQ(import_all(), 0);
}

TEST_F(PythonCorpus, ClassLayout) {
  ASSERT_EQ(run_vornc("-z -W"), 0) << errors_;
  EXPECT_EQ(errors_, "");
  std::string image = file("vimage.py");
  EXPECT_TRUE(contains(image, "class VImage(vobject.VObject):\n"));
  // The module's own class goes by its name: the module has no name vimage.
  EXPECT_TRUE(contains(image, "    def abs_diff(self, image_2: 'VImage', "
                              "mult: VTupleElementType) -> 'VImage':\n"));
  EXPECT_TRUE(contains(image, "        image_1 (self) : 'VImage'\n"));
  std::string model = file("vshape_model.py");
  EXPECT_TRUE(contains(model, "register_handle_class('shape_model', VShapeModel)\n"));
  EXPECT_TRUE(contains(model, "    def clear(self) -> None:\n"));
  EXPECT_FALSE(file("global.py").empty());
  EXPECT_EQ(import_all(), 0);
}

}  // namespace
