// Errors and warnings of the class assembly: the exact messages and the
// exit statuses of ambiguous and missing members and of the constructor
// checks.
#include <gtest/gtest.h>

#include "classes/class_model.h"
#include "classes_test_ops.h"

namespace {

const unsigned cpp_bits = 0x1056;
const unsigned com_bits = 0xFB0;

class ClassErrors : public ::testing::Test {
 protected:
  void SetUp() override {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    reset_class_settings();
  }

  ClassRecord build(const char* type, unsigned bits = cpp_bits) {
    ClassInterface iface = bits == com_bits ? class_interface_com : class_interface_cpp;
    return build_class(row(type), ops.list, false, bits, select_class_types(iface));
  }

  std::string warnings_of_build(const char* type, unsigned bits = cpp_bits) {
    testing::internal::CaptureStderr();
    build(type, bits);
    return testing::internal::GetCapturedStderr();
  }

  OpSet ops;
};

}  // namespace

TEST_F(ClassErrors, AmbiguousDestructor) {
  ops.add(OpBuilder("clear_obj").par("io", "Objects", "object"));
  ops.add(OpBuilder("clear_all_obj").par("io", "Objects", "object"));
  EXPECT_EXIT(build("object"), ::testing::ExitedWithCode(1),
              "^vornc error: Ambiguous destructor for class VObject\n"
              "        Candidates are clear_obj and clear_all_obj\n"
              "Please adapt destructor logic in VorncClassGen.c!\n$");
  // Outside the library build the hint is not given.
  mutable_settings().generation_target = target_package;
  EXPECT_EXIT(build("object"), ::testing::ExitedWithCode(1),
              "^vornc error: Ambiguous destructor for class VObject\n"
              "        Candidates are clear_obj and clear_all_obj\n$");
}

TEST_F(ClassErrors, AmbiguousSerialisation) {
  ops.add(OpBuilder("serialize_dict").handle("ic", "DictHandle", "dict")
              .handle("oc", "Item", "serialized_item").functionality({"dict"}));
  ops.add(OpBuilder("serialize_dict_fast").handle("ic", "DictHandle", "dict")
              .handle("oc", "Item", "serialized_item").functionality({"dict"}));
  EXPECT_EXIT(build("dict"), ::testing::ExitedWithCode(1),
              "^vornc error: Ambiguous serialize operator for class VDict\n"
              "        Candidates are serialize_dict and serialize_dict_fast\n$");
}

TEST_F(ClassErrors, AmbiguousDeserialisation) {
  ops.add(OpBuilder("deserialize_dict").handle("ic", "Item", "serialized_item")
              .handle("oc", "DictHandle", "dict").functionality({"dict"}));
  ops.add(OpBuilder("deserialize_dict_fast").handle("ic", "Item", "serialized_item")
              .handle("oc", "DictHandle", "dict").functionality({"dict"}));
  EXPECT_EXIT(build("dict"), ::testing::ExitedWithCode(1),
              "^vornc error: Ambiguous deserialize operator for class VDict\n"
              "        Candidates are deserialize_dict and deserialize_dict_fast\n$");
}

TEST_F(ClassErrors, HalfASerialisationPair) {
  ops.add(OpBuilder("serialize_dict").handle("ic", "DictHandle", "dict")
              .handle("oc", "Item", "serialized_item").functionality({"dict"}));
  EXPECT_EXIT(build("dict"), ::testing::ExitedWithCode(1),
              "^vornc error: Missing deserialization operator for class VDict\n$");
  ops = OpSet();
  ops.add(OpBuilder("deserialize_dict").handle("ic", "Item", "serialized_item")
              .handle("oc", "DictHandle", "dict").functionality({"dict"}));
  EXPECT_EXIT(build("dict"), ::testing::ExitedWithCode(1),
              "^vornc error: Missing serialization operator for class VDict\n$");
}

TEST_F(ClassErrors, ConstructorChecks) {
  // Only several poses at once: no scalar form of the new instance.
  ops.add(OpBuilder("create_pose")
              .par("ic", "TransX", "real", {"real"}, "false", "real")
              .par("oc", "Pose", "pose", {"real", "integer"}, "true", "real", "true"));
  EXPECT_EXIT(build("pose"), ::testing::ExitedWithCode(255),
              "^vornc error: Constructor state is a forced array in create_pose\n$");
  // COM does not check.
  EXPECT_EQ(build("pose", com_bits).constructors.size(), 1u);

  // Another parameter with both forms asks for an array variant that a
  // single-pose instance cannot give.
  ops = OpSet();
  ops.add(OpBuilder("create_pose")
              .handle("ic", "ModelID", "shape_model", "optional")
              .par("oc", "Pose", "pose", {"real", "integer"}, "true", "real", "false"));
  EXPECT_EXIT(build("pose"), ::testing::ExitedWithCode(255),
              "^vornc error: create_pose used as stateless constructor\n$");
}

TEST_F(ClassErrors, MissingDestructorWithTheComBits) {
  ops.add(OpBuilder("create_bar_code_model").handle("oc", "BarCodeHandle", "barcode"));
  EXPECT_EQ(warnings_of_build("barcode", com_bits),
            "vornc warning: Missing destructor for class VBarCode\n");
  EXPECT_EQ(warnings_of_build("barcode", cpp_bits), "");
  // A data class is not reported.
  ops.add(OpBuilder("create_pose").par("oc", "Pose", "pose", {"real"}, "true", "real", "false"));
  EXPECT_EQ(warnings_of_build("pose", com_bits), "");

  // The library build of the whole library (more than 10 files) stops, but
  // not for an iconic class, whose objects are freed through VObject.
  for (int i = 0; i < 11; ++i) mutable_settings().def_files.push_back({"f.def", false});
  ops.add(OpBuilder("read_image").par("oo", "Image", "image").par("ic", "FileName", "filename"));
  EXPECT_EQ(warnings_of_build("image", com_bits), "");
  EXPECT_EQ(build("image", com_bits).constructors.size(), 1u);
  EXPECT_EXIT(build("barcode", com_bits), ::testing::ExitedWithCode(1),
              "^vornc error: Missing destructor for class VBarCode\n"
              "        Please adapt destructor logic in VorncClassGen.c!\n"
              "        [0-9]+\n$");
}

TEST_F(ClassErrors, WarningsAreGivenOncePerBuild) {
  ops.add(OpBuilder("set_window_param")
              .par("ic", "WindowHandle", "window", {"integer"}, "false", "integer")
              .par("ic", "Param", "string", {"string"}, "false", "string")
              .functionality({"window"})
              .no_summary());
  // The scalar record and the array variant both read the parameters; each
  // warning still comes once.
  std::string warnings = warnings_of_build("window");
  EXPECT_EQ(warnings,
            "vornc warning: No 'handle' in type list for parameter 'WindowHandle' "
            "(set_window_param), but sem_type 'window' seems to be a handle type\n"
            "vornc warning: Missing english summary for set_window_param\n");
  // -W silences them.
  mutable_settings().warnings_suppressed = true;
  EXPECT_EQ(warnings_of_build("window"), "");
}

TEST_F(ClassErrors, DevToolsNeedNoHandleInTheirTypeList) {
  ops.add(OpBuilder("dev_thing")
              .par("ic", "Tool", "dev_tool", {"integer"}, "false", "integer")
              .functionality({"window"}));
  EXPECT_EQ(warnings_of_build("window"), "");
}
