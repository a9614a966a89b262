// Heads and tails of generated C++ classes by kind, the type mapping, the
// procedure-number header and the snippet copier.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "classes/handle_types.h"
#include "def/operator_model.h"
#include "driver/output.h"
#include "driver/settings.h"
#include "gen/cpp/class_heads.h"
#include "gen/cpp/proc_ids.h"
#include "gen/cpp/snippets.h"
#include "gen/cpp/type_mapping.h"

namespace {

class CppHeads : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = settings();
    init_handle_types("mylib");
    mutable_settings().generation_target = target_library;
  }
  void TearDown() override { mutable_settings() = saved_; }

  static CppClassHead head_of(const char* sem_type) {
    CppClassHead head;
    head.type = GiveClass(sem_type, 0);
    head.kind = cpp_class_kind(head.type, false);
    head.name = type_class_name(head.type);
    head.base = cpp_base_class(head.type, head.kind);
    head.sem_type = sem_type;
    head.description = "A class.";
    return head;
  }
  static bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  }

  Settings saved_;
};

TEST_F(CppHeads, TypeMappingSpellsValueTypesAndClasses) {
  EXPECT_EQ(cpp_type_name(GiveClass("integer", 0)), "Vlong");
  EXPECT_EQ(cpp_type_name(type_plain_integer), "Vlong");
  EXPECT_EQ(cpp_type_name(GiveClass("string", 0)), "VString");
  EXPECT_EQ(cpp_type_name(type_narrow_string), "const char*");
  EXPECT_EQ(cpp_type_name(type_wide_string), "const wchar_t*");
  EXPECT_EQ(cpp_type_name(GiveClass("real", 0)), "double");
  EXPECT_EQ(cpp_type_name(GiveClass("pointer", 0)), "void*");
  EXPECT_EQ(cpp_type_name(GiveClass("image", 0), true), "VImageArray");
  EXPECT_EQ(cpp_type_name(GiveClass("shape_model", 0), true), "VShapeModelArray");
  EXPECT_TRUE(is_scalar_cpp_type(type_wide_string));
  EXPECT_TRUE(is_scalar_cpp_type(GiveClass("pointer", 0)));
  EXPECT_FALSE(is_scalar_cpp_type(GiveClass("tuple", 0)));
  EXPECT_FALSE(is_scalar_cpp_type(GiveClass("pose", 0)));
}

TEST_F(CppHeads, ClassKindsAndBases) {
  EXPECT_EQ(cpp_class_kind(GiveClass("xld_cont", 0), false), class_kind_iconic);
  EXPECT_EQ(cpp_base_class(GiveClass("xld_cont", 0), class_kind_iconic), "VXLD");
  EXPECT_EQ(cpp_base_class(GiveClass("object", 0), class_kind_iconic), "VObjectBase");
  EXPECT_EQ(cpp_class_kind(GiveClass("window", 0), false), class_kind_handle);
  EXPECT_EQ(cpp_base_class(GiveClass("window", 0), class_kind_handle), "VHandle");
  EXPECT_EQ(cpp_base_class(GiveClass("handle", 0), class_kind_handle), "VHandleBase");
  EXPECT_EQ(cpp_class_kind(GiveClass("function_1d", 0), false), class_kind_data);
  EXPECT_EQ(cpp_class_kind(GiveClass("pose", 0), false), class_kind_data);
  EXPECT_TRUE(has_fixed_size(GiveClass("pose", 0)));
  EXPECT_FALSE(has_fixed_size(GiveClass("function_1d", 0)));
  EXPECT_EQ(cpp_class_kind(GiveClass("tuple", 0), false), class_kind_tuple);
  EXPECT_EQ(cpp_class_kind(GiveClass("operator_set", 0), true), class_kind_free_functions);
  EXPECT_EQ(cpp_class_kind(GiveClass("system", 0), false), class_kind_other);
  EXPECT_EQ(cpp_base_class(GiveClass("system", 0), class_kind_other), "");
}

TEST_F(CppHeads, HandleHeaderHead) {
  CppClassHead head = head_of("shape_model");
  Writer header, source;
  write_header_head(header, head);
  write_kind_members(header, source, head);
  const std::string& h = header.text();
  EXPECT_TRUE(has(h, " * Usage: Interface to C++\n"));
  EXPECT_TRUE(has(h,
                  "#ifndef VCPP_VSHAPEMODEL\n#define VCPP_VSHAPEMODEL\n\nnamespace VornixCpp\n{\n\n"
                  "// A class.\nclass LIntExport VShapeModel : public VHandle\n{\n\npublic:\n\n"
                  "  // Create an uninitialized instance\n  VShapeModel():VHandle() {}\n\n"
                  "  // Copy constructor\n"
                  "  VShapeModel(const VShapeModel& source) : VHandle(source) {}\n\n"
                  "#if __cplusplus >= 201103\n"));
  EXPECT_TRUE(has(h, "  VShapeModel& operator=(const VShapeModel&) = default;\n#endif\n\n"
                     "  // Copy constructor\n  VShapeModel(const VHandle& handle);\n\n"
                     "  // Create VShapeModel from handle, taking ownership\n"
                     "  explicit VShapeModel(Vlong handle);\n\n"
                     "  bool operator==(const VHandle& obj) const\n"));
  EXPECT_TRUE(has(h, "    return VHandleBase::operator!=(obj);\n  }\n\nprotected:\n\n"
                     "  // Verify matching semantic type ('shape_model')!\n"
                     "  virtual void AssertType(Vphandle handle) const;\n\npublic:\n\n"));
  EXPECT_FALSE(has(h, "Constructor from VTuple"));
  EXPECT_EQ(source.text(),
            "// Manage handle for sem_type shape_model\n"
            "VShapeModel::VShapeModel(const VHandle& handle) : VHandle(handle)\n"
            "{\n  VHandleBase::AssertType();}\n\n"
            "VShapeModel::VShapeModel(Vlong handle) : VHandle(handle)\n"
            "{\n  VHandleBase::AssertType();\n}\n\n"
            "void VShapeModel::AssertType(Vphandle handle) const\n"
            "{\n  VornixAPI::AssertHandleType(handle,\"shape_model\");\n}\n\n");
}

TEST_F(CppHeads, ConstructorsThatTakeTheirPlace) {
  CppClassHead head = head_of("window");
  head.has_parameterless_constructor = true;
  head.has_handle_value_constructor = true;
  Writer header, source;
  write_header_head(header, head);
  write_kind_members(header, source, head);
  EXPECT_FALSE(has(header.text(), "Create an uninitialized instance"));
  EXPECT_FALSE(has(header.text(), "explicit VWindow(Vlong handle)"));
  EXPECT_FALSE(has(source.text(), "VWindow::VWindow(Vlong handle)"));
}

TEST_F(CppHeads, GenericHandleAndPerMemberExport) {
  CppClassHead head = head_of("handle");
  head.per_member_export = true;
  Writer header, source;
  write_header_head(header, head);
  write_kind_members(header, source, head);
  write_class_tail(header, source, head);
  const std::string& h = header.text();
  EXPECT_TRUE(has(h, "#if defined(_WIN32)\nclass VHandle : public VHandleBase\n#else\n"
                     "class LIntExport VHandle : public VHandleBase\n#endif\n"));
  EXPECT_TRUE(has(h, "  LIntExport inline VHandle():VHandleBase() {}\n\n"));
  EXPECT_TRUE(has(h, "  LIntExport ~VHandle();\n\n"));
  EXPECT_TRUE(has(h, "  friend class VTupleElement;\n"));
  EXPECT_FALSE(has(h, "VHandle(const VHandle& handle);"));
  EXPECT_TRUE(has(h, "  LIntExport inline VHandle(const Vphandle handle, bool copy): "
                     "VHandleBase(handle,copy) {}\n\n"));
  EXPECT_TRUE(has(h, "#if defined(VCPP_LEGACY_HANDLE_API)\n  typedef VHandle VToolBase;\n"));
  EXPECT_TRUE(has(h, "   VHandleArrayPtr *mArrayPtr;\n"));
  const std::string& s = source.text();
  EXPECT_TRUE(has(s, "VHandle::VHandle(Vlong handle) : VHandleBase(handle)\n"));
  EXPECT_TRUE(has(s, "LIntExport VHandle::~VHandle()\n{\n}\n\n"));
  EXPECT_TRUE(has(s, "  UNUSED(handle);\n  // No check required for generic handle\n}\n\n"));
  // The array class's last definition ends without a blank line.
  const std::string end = "  return VTuple();\n}\n";
  EXPECT_EQ(s.substr(s.size() - end.size()), end);
}

TEST_F(CppHeads, IconicClassMembersAndTail) {
  CppClassHead head = head_of("image");
  Writer header, source;
  write_kind_members(header, source, head);
  write_class_tail(header, source, head);
  EXPECT_EQ(header.text(),
            "  // Copy constructor\n  VImage(const VObject& object);\n\n"
            "  // Create VImage from object id. For copy=false takes\n"
            "  // over management of input key. Type of key must match!\n"
            "  explicit VImage(Vkey key, bool copy=true);\n\n"
            "  // Access of object tuple element\n"
            "  const VImage operator [] (Vlong index) const;\n\n"
            "private:\n\n"
            "  // Verify matching semantic type ('image')!\n"
            "  void AssertObjectClass();\n\n"
            // The array class that methods on several images take and return,
            // in the form of a data array class without a fixed size.
            "};\n\n"
            "class LIntExport VImageArray : public VObjectBaseArray\n"
            "{\n"
            "public:\n"
            "  VImageArray();\n"
            "  VImageArray(VImage* classes, Vlong length);\n"
            "  /* Define a default constructor to prevent compilers that support\n"
            "   * C++11 R-Value References v3.0 declaring an implicite move\n"
            "   * assignment/constructor. */\n"
            "  ~VImageArray() {}\n"
            "protected:\n"
            "  virtual void CreateArray(Vlong length);\n");
  EXPECT_EQ(source.text(),
            "VImage::VImage(const VObject& object) : VObject(object)\n"
            "{\n  AssertObjectClass();\n}\n\n"
            "VImage::VImage(Vkey key, bool copy):VObject(key,copy)\n"
            "{\n  AssertObjectClass();\n}\n\n"
            "const VImage VImage::operator [] (Vlong index) const\n"
            "{\n  return VImage(VornixAPI::SelectObject(mKey,index),true);\n}\n\n"
            "void VImage::AssertObjectClass()\n"
            "{\n  VornixAPI::AssertObjectClass(mKey,\"image\");\n}\n\n"
            "VImageArray::VImageArray()\n{\n}\n\n"
            "VImageArray::VImageArray(VImage* classes, Vlong length)\n"
            "{\n  InitFromArray(classes,length);\n}\n\n"
            "void VImageArray::CreateArray(Vlong length)\n"
            "{\n  try\n  {\n    mArray  = new VImage[length];\n    mLength = length;\n  }\n"
            "  catch (std::bad_alloc&)\n  {\n"
            "    VException(\"VImage array creation\",\"Out of memory\").ThrowInstance();\n  }\n}\n");

  CppClassHead object = head_of("object");
  Writer h2, s2;
  write_kind_members(h2, s2, object);
  write_class_tail(h2, s2, object);
  EXPECT_FALSE(has(h2.text(), "VObject(const VObject& object)"));
  EXPECT_TRUE(has(s2.text(), "VObject::VObject(Vkey key, bool copy):VObjectBase(key,copy)\n"));
  EXPECT_TRUE(has(s2.text(), "  // No check required for generic object\n"));
}

TEST_F(CppHeads, DataClassesAndTheirArrays) {
  CppClassHead pose = head_of("pose");
  Writer header, source;
  write_header_head(header, pose);
  write_class_tail(header, source, pose);
  EXPECT_TRUE(has(header.text(), "  // Constructor from VTuple\n"
                                 "  explicit VPose(const VTuple& tuple) : VDataBase(tuple) {}\n\n"));
  EXPECT_TRUE(has(header.text(), "};\n\nclass LIntExport VPoseArray : public VDataArray\n{\n"
                                 "public:\n  VPoseArray();\n  VPoseArray(VPose* classes, Vlong length);\n"));
  EXPECT_TRUE(has(source.text(), "    mArray  = new VPose[length];\n"));
  EXPECT_TRUE(has(source.text(), "VException(\"VPose array creation\",\"Out of memory\")"));
  EXPECT_TRUE(has(source.text(), "}\nint VPoseArray::GetFixedSize() const\n{\n  return 7;\n}\n"));

  CppClassHead function = head_of("function_1d");
  Writer h2, s2;
  write_header_head(h2, function);
  write_class_tail(h2, s2, function);
  EXPECT_FALSE(has(h2.text(), "Constructor from VTuple"));
  EXPECT_FALSE(has(h2.text(), "Array"));
  EXPECT_EQ(s2.text(), "");
}

TEST_F(CppHeads, FreeFunctionHeadAndGuards) {
  CppClassHead head;
  head.type = GiveClass("operator_set", 0);
  head.kind = class_kind_free_functions;
  head.name = "VOperatorSet";
  head.legacy = true;
  Writer header;
  write_header_head(header, head);
  std::string h = header.text();
  EXPECT_EQ(h.substr(h.find("#ifndef")),
            "#ifndef VCPP_VOPERATORSET_LEGACY\n#define VCPP_VOPERATORSET_LEGACY\n\n"
            "namespace VornixCpp\n{\n\n");
}

TEST_F(CppHeads, SourcePrologues) {
  Writer library;
  write_source_prologue(library, true);
  std::string l = library.text();
  EXPECT_EQ(l.substr(l.find("#include")),
            "#include \"vornixcpp/VornixCpp.h\"\n#include \"VornixCppInternal.h\"\n\n"
            "#ifdef VC_STATIC_VARIANT \n#include \"vlib/CoreInterface.h\"\n"
            "#endif /* VC_STATIC_VARIANT */\n\n#include \"VHandleBaseInternal.h\"\n"
            "using namespace VornixCpp;\n\n");
  mutable_settings().generation_target = target_package;
  mutable_settings().package_name = "mylib";
  Writer package;
  write_source_prologue(package, true);
  const std::string& p = package.text();
  EXPECT_FALSE(has(p, "VHandleBaseInternal"));
  EXPECT_TRUE(has(p, "#include \"VCPPmylib.h\"\n\nextern \"C\" VUserImport int VmylibGetOffset();\n\n"
                     "int offset = -1;\n\nusing namespace VornixCpp;\n\n"
                     "Vproc_handle PreCallUser(int proc_index_local)\n"));
  EXPECT_TRUE(has(p, "        VOperatorException::Throw(proc_index_local,V_ERR_UEXTNI);\n"));
  EXPECT_TRUE(has(p, "  return VornixAPI::PreCall(offset + proc_index_local);\n}\n\n"));
}

TEST_F(CppHeads, ProcedureNumbersFollowTheList) {
  Operator a, b;
  a.name = "abs_image";
  b.name = "gen_image_const";
  Writer out;
  write_proc_ids(out, OperatorList{&a, &b});
  EXPECT_EQ(out.text(),
            "#ifndef VCPP_PROC_IDS_H\n#define VCPP_PROC_IDS_H\n\nnamespace VornixCpp\n{\n\n"
            "class VProcIDs\n{\npublic:\n"
            "  static const int PI_ABS_IMAGE = 0;\n"
            "  static const int PI_GEN_IMAGE_CONST = 1;\n"
            "};\n}\n#endif\n");
}

TEST(CppSnippets, RequiredAreCopiedOptionalAreOnlyReported) {
  char directory[] = "/tmp/vornc-snippets-XXXXXX";
  ASSERT_NE(mkdtemp(directory), nullptr);
  std::string present = std::string(directory) + "/present.hop";
  std::string absent = std::string(directory) + "/absent.hop";
  std::FILE* file = std::fopen(present.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fputs("line one\r\n\0", file);
  std::fclose(file);

  Writer out;
  testing::internal::CaptureStderr();
  copy_snippet(out, present, true);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(out.text(), "line one\r\n");

  testing::internal::CaptureStderr();
  copy_snippet(out, present, false);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "vornc warning: Unused snippet " + present + "\n");
  testing::internal::CaptureStderr();
  copy_snippet(out, absent, true);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "vornc warning: Missing snippet " + absent + "\n");
  testing::internal::CaptureStderr();
  copy_snippet(out, absent, false);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(out.text(), "line one\r\n");

  std::remove(present.c_str());
  rmdir(directory);
}

TEST(CppSnippets, PathsBelowTheInstallationRoot) {
  Settings saved = settings();
  mutable_settings().has_root_override = true;
  mutable_settings().root_override = "/opt/vx";
  EXPECT_EQ(cpp_header_snippet_path("VImage.h"),
            "/opt/vx/source/interfaces/CPP/include/snippets/VImage.hop");
  EXPECT_EQ(cpp_source_snippet_path("VImage.cpp"),
            "/opt/vx/source/interfaces/CPP/source/snippets/VImage.cppop");
  mutable_settings() = saved;
  init_handle_types("mylib");
  EXPECT_TRUE(class_snippets_required(GiveClass("drawing_object", 0)));
  EXPECT_TRUE(class_snippets_required(GiveClass("function_1d", 0)));
  EXPECT_FALSE(class_snippets_required(GiveClass("shape_model", 0)));
  EXPECT_FALSE(class_snippets_required(GiveClass("tuple", 0)));
}

}  // namespace
