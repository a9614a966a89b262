// The C++ interface's members over hand-built class records: parameter
// lists, call bodies (stores, inits, guarded and unguarded loads, the legacy
// form), method and constructor declarations.
#include <gtest/gtest.h>

#include <string>

#include "classes/class_model.h"
#include "classes/handle_types.h"
#include "driver/output.h"
#include "driver/settings.h"
#include "gen/cpp/call_body.h"
#include "gen/cpp/type_mapping.h"
#include "classes_test_ops.h"

namespace {

class CppMembers : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = settings();
    init_handle_types("mylib");
    mutable_settings().generation_target = target_package;
    mutable_settings().package_name = "mylib";
  }
  void TearDown() override { mutable_settings() = saved_; }

  static ClassParam param(const char* name, const char* type, bool output, int index,
                          bool iconic = false) {
    ClassParam p;
    p.name = name;
    p.type = GiveClass(type, 0);
    p.output = output;
    p.index = index;
    p.iconic = iconic;
    return p;
  }
  static ClassMethod method(const char* name, int proc_number) {
    ClassMethod m;
    m.name = name;
    m.short_description = "Does something.";
    m.proc_number = proc_number;
    return m;
  }
  static std::string body(const ClassMethod& m, bool legacy = false) {
    Writer out;
    write_call_body(out, m, legacy);
    return out.text();
  }

  Settings saved_;
};

TEST_F(CppMembers, ParameterListSpellsOutputsScalarsAndReferences) {
  ClassParam models = param("ModelIDs", "shape_model", false, 0);
  models.array = true;
  ClassParam narrow = param("Name", "string", false, 1);
  narrow.type = type_narrow_string;
  Writer out;
  write_parameter_list(out, {param("Region", "region", true, 0, true),
                             param("Number", "integer", false, 0),
                             param("Values", "tuple", false, 1), models, narrow,
                             param("Grayval", "real", true, 1)});
  EXPECT_EQ(out.text(),
            "VRegion* Region, Vlong Number, const VTuple& Values, "
            "const VShapeModelArray& ModelIDs, const char* Name, double* Grayval");
}

TEST_F(CppMembers, PackageBodyStoresInstanceAndInputsAndLoadsScalarOutputsUnguarded) {
  ClassMethod m = method("get_value", 7);
  m.instance = param("ModelID", "shape_model", false, 0);
  m.params = {param("Image", "image", false, 0, true), param("Name", "string", false, 1),
              param("Value", "real", true, 0), param("Count", "integer", true, 1)};
  m.params[1].encoded = true;
  EXPECT_EQ(body(m),
            "{\n"
            "  Vproc_handle proc = PreCallUser(7);\n"
            "  VornixAPI::Store(proc,0,*this);\n"
            "  VornixAPI::Store(proc,1,Image);\n"
            "  VornixAPI::StoreEnc(proc,1,Name);\n"
            "  VornixAPI::InitOutp(proc,0);\n"
            "  VornixAPI::InitOutp(proc,1);\n"
            "  VornixAPI::CallProcedure(proc);\n"
            "  VornixAPI::Load(proc,0,Value);\n"
            "  VornixAPI::Load(proc,1,Count);\n"
            "  VornixAPI::PostCall(proc);\n"
            "}\n");
}

TEST_F(CppMembers, OutputInstanceWithResourceReturnIsGuardedAndCleared) {
  ClassMethod m = method("read_thing", 3);
  m.instance = param("Region", "region", true, 0, true);
  m.return_param = param("Image", "image", true, 1, true);
  m.params = {param("FileName", "string", false, 0), param("Other", "region", true, 2, true),
              param("Count", "integer", true, 0)};
  EXPECT_EQ(body(m),
            "{\n"
            "  Vproc_handle proc = PreCallUser(3);\n"
            "  VornixAPI::Store(proc,0,FileName);\n"
            "  VornixAPI::InitOutp(proc,1);\n"
            "  VornixAPI::InitOutp(proc,2);\n"
            "  VornixAPI::InitOutp(proc,3);\n"
            "  VornixAPI::InitOutp(proc,0);\n"
            "  VornixAPI::CallProcedure(proc);\n"
            "  VImage Image;\n"
            "  try\n"
            "  {\n"
            "    VornixAPI::Load(proc,1,this);\n"
            "    VornixAPI::Load(proc,2,&Image);\n"
            "    VornixAPI::Load(proc,3,Other);\n"
            "    VornixAPI::Load(proc,0,Count);\n"
            "  }\n"
            "  catch (...)\n"
            "  {\n"
            "    if (Other)\n"
            "      Other->Clear();\n"
            "    Image.Clear();\n"
            "    this->Clear();\n"
            "    throw;\n"
            "  }\n"
            "  VornixAPI::PostCall(proc);\n"
            "  return Image;\n"
            "}\n");
}

TEST_F(CppMembers, GuardOnlyWhenAnOutputFollowsAResourceOwningOne) {
  // A single resource-owning output, loaded last: nothing to clean up.
  ClassMethod last = method("m", 0);
  last.params = {param("Count", "integer", true, 0), param("Image", "image", true, 0, true)};
  EXPECT_EQ(body(last).find("try"), std::string::npos);
  // Only scalar outputs: never guarded.
  ClassMethod scalars = method("m", 0);
  scalars.return_param = param("A", "real", true, 0);
  scalars.params = {param("B", "integer", true, 1), param("C", "string", true, 2)};
  EXPECT_EQ(body(scalars).find("try"), std::string::npos);
  // A resource-owning return value followed by a scalar output: guarded.
  ClassMethod owning = method("m", 0);
  owning.return_param = param("T", "tuple", true, 0);
  owning.params = {param("B", "integer", true, 1)};
  std::string text = body(owning);
  EXPECT_NE(text.find("    VornixAPI::Load(proc,0,&T);\n"), std::string::npos);
  EXPECT_NE(text.find("    T.Clear();\n"), std::string::npos);
  EXPECT_EQ(text.find("B->Clear"), std::string::npos);
}

TEST_F(CppMembers, ArrayInputsAreKeptAliveAndEncodedLoads) {
  ClassMethod m = method("m", 2);
  ClassParam models = param("ModelIDs", "shape_model", false, 1);
  models.array = true;
  ClassParam name = param("Name", "string", true, 0);
  name.encoded = true;
  m.params = {param("Image", "image", false, 0, true), models, name};
  std::string text = body(m);
  EXPECT_NE(text.find("  VTuple TmpKeepAlive1 = VornixAPI::StoreKA(proc,1,ModelIDs);\n"),
            std::string::npos);
  EXPECT_NE(text.find("  VornixAPI::LoadEnc(proc,0,Name);\n"), std::string::npos);

  // An iconic array (number 1) beside a control array of the same number:
  // the iconic one is stored by its keys, so only one keep-alive tuple
  // TmpKeepAlive1 is declared.
  ClassMethod both = method("m", 2);
  ClassParam images = param("Images", "image", false, 0, true);
  images.array = true;
  both.params = {images, param("Count", "integer", false, 0), models};
  text = body(both);
  EXPECT_NE(text.find("  VornixAPI::Store(proc,1,Images);\n"
                      "  VornixAPI::Store(proc,0,Count);\n"
                      "  VTuple TmpKeepAlive1 = VornixAPI::StoreKA(proc,1,ModelIDs);\n"),
            std::string::npos)
      << text;
}

TEST_F(CppMembers, WindowsOnlyVariantIsFramedAndNeverStoresEncoded) {
  ClassRecord record;
  record.type = GiveClass("image", 0);
  ClassMethod m = method("write_text", 4);
  m.instance = param("Image", "image", false, 0, true);
  ClassParam text = param("String", "string", false, 0);
  text.type = type_wide_string;
  text.encoded = true;
  m.params = {text};
  m.windows_only = true;
  Writer header, source;
  write_method(header, source, record, m, false);
  EXPECT_EQ(header.text(),
            "#ifdef _WIN32\n"
            "  // Does something.\n"
            "  void WriteText(const wchar_t* String) const;\n"
            "#endif\n"
            "\n");
  EXPECT_EQ(source.text(),
            "#ifdef _WIN32\n"
            "void VImage::WriteText(const wchar_t* String) const\n"
            "{\n"
            "  Vproc_handle proc = PreCallUser(4);\n"
            "  VornixAPI::Store(proc,1,*this);\n"
            "  VornixAPI::Store(proc,0,String);\n"
            "  VornixAPI::CallProcedure(proc);\n"
            "  VornixAPI::PostCall(proc);\n"
            "}\n"
            "#endif\n"
            "\n");
  // The narrow variant of the same method does use the encoded store.
  m.windows_only = false;
  m.params[0].type = type_narrow_string;
  EXPECT_NE(body(m).find("StoreEnc(proc,0,String)"), std::string::npos);
}

TEST_F(CppMembers, LibraryBuildNamesTheProcedureAndLegacyFormCatches) {
  mutable_settings().generation_target = target_library;
  ClassMethod m = method("gen_thing", 12);
  m.params = {param("Width", "integer", false, 0), param("Thing", "image", true, 0, true)};
  EXPECT_EQ(body(m, true),
            "{\n"
            "  Vproc_handle proc = VornixAPI::PreCall(VProcIDs::PI_GEN_THING);\n\n"
            "#ifdef VC_STATIC_VARIANT \n"
            "  VSetSystem_12();\n"
            "#endif\n\n"
            "  try\n"
            "  {\n"
            "    VornixAPI::Store(proc,0,Width);\n"
            "    VornixAPI::InitOutp(proc,1);\n"
            "  VornixAPI::CallProcedure(proc);\n"
            "    VornixAPI::Load(proc,1,Thing);\n"
            "    VornixAPI::PostCall(proc);\n"
            "    return V_MSG_OK;\n"
            "  }\n"
            "  catch (VException& exc)\n"
            "  {\n"
            "    exc.React(proc);\n"
            "    return exc.ErrorCode();\n"
            "  }\n"
            "}\n");
}

TEST_F(CppMembers, MethodDeclarationsByClassKind) {
  ClassRecord handle;
  handle.type = GiveClass("serialized_item", 0);
  handle.per_member_export = true;
  ClassMethod m = method("get_size", 5);
  m.instance = param("Item", "serialized_item", false, 0);
  m.return_param = param("Size", "integer", true, 0);
  Writer header, source;
  write_method(header, source, handle, m, false);
  EXPECT_EQ(header.text(), "  // Does something.\n  LIntExport Vlong GetSize() const;\n\n");
  EXPECT_EQ(source.text().substr(0, 40), "Vlong VSerializedItem::GetSize() const\n{");

  // Without instance: static; with an output instance: not const.
  ClassRecord image;
  image.type = GiveClass("image", 0);
  ClassMethod s = method("count_things", 1);
  Writer h2, s2;
  write_method(h2, s2, image, s, false);
  EXPECT_EQ(h2.text(), "  // Does something.\n  static void CountThings();\n\n");
  ClassMethod o = method("read_image_into", 1);
  o.instance = param("Image", "image", true, 0, true);
  Writer h3, s3;
  write_method(h3, s3, image, o, false);
  EXPECT_EQ(h3.text(), "  // Does something.\n  void ReadImageInto();\n\n");
}

TEST_F(CppMembers, FreeFunctionsGuardTheirNameAndLegacyKeepsSnakeCase) {
  ClassRecord set;
  set.type = GiveClass("user", 0);
  set.free_functions = true;
  ClassMethod m = method("my_op", 0);
  m.params = {param("A", "integer", false, 0)};
  Writer header, source;
  write_method(header, source, set, m, false);
  EXPECT_EQ(header.text(), "// Does something.\nVUserExport void MyOp(Vlong A);\n\n");
  EXPECT_EQ(source.text().substr(0, 114),
            "#ifdef MyOp\n# error An existing macro name conflicts with MyOp\n#endif\n"
            "VUserExport void VornixCpp::MyOp(Vlong A)\n{\n");

  mutable_settings().generation_target = target_library;
  set.type = GiveClass("operator_set", 0);
  Writer h2, s2;
  write_method(h2, s2, set, m, true);
  EXPECT_EQ(h2.text(), "LIntExport Verror my_op(Vlong A);\n\n");
  EXPECT_EQ(s2.text().substr(0, 47), "LIntExport Verror VornixCpp::my_op(Vlong A)\n{\n ");
}

TEST_F(CppMembers, FreeFunctionPassesItsReturnedOutputAtItsDeclarationPosition) {
  // The class model returns Region (the first output); C++ declares the
  // free function void and passes Region as a pointer where it is declared.
  reset_class_settings(target_package);
  mutable_settings().package_name = "mylib";
  OpSet ops;
  ops.add(OpBuilder("fill_gaps")
              .par("io", "Image", "image")
              .par("oo", "Region", "region")
              .par("ic", "Level", "integer", {"integer"}, "false", "integer")
              .par("oc", "Count", "integer", {"integer"}, "false", "integer"));
  auto model = build_class_model(ops.list, class_interface_cpp);
  const ClassRecord& package = model->classes.front();
  const ClassMethod& fill = package.methods.front();
  ASSERT_TRUE(fill.return_param.has_value());

  ClassMethod declared = cpp_void_function(fill);
  EXPECT_FALSE(declared.return_param.has_value());
  ASSERT_EQ(declared.params.size(), 4u);
  EXPECT_EQ(declared.params[1].name, "Region");

  Writer header, source;
  write_method(header, source, package, fill, false);
  EXPECT_EQ(header.text(),
            "// Summary of fill_gaps.\n"
            "VUserExport void FillGaps(const VObject& Image, VObject* Region, Vlong Level, "
            "Vlong* Count);\n\n");
  EXPECT_NE(source.text().find("  VornixAPI::InitOutp(proc,1);\n"
                               "  VornixAPI::InitOutp(proc,0);\n"
                               "  VornixAPI::CallProcedure(proc);\n"
                               "  try\n"
                               "  {\n"
                               "    VornixAPI::Load(proc,1,Region);\n"
                               "    VornixAPI::Load(proc,0,Count);\n"),
            std::string::npos)
      << source.text();
  EXPECT_EQ(source.text().find("return"), std::string::npos);

  // A record made without its source parameters keeps the value last.
  ClassMethod loose = method("loose", 1);
  loose.params = {param("A", "integer", false, 0)};
  loose.return_param = param("B", "real", true, 0);
  ClassMethod void_form = cpp_void_function(loose);
  ASSERT_EQ(void_form.params.size(), 2u);
  EXPECT_EQ(void_form.params[1].name, "B");
}

TEST_F(CppMembers, ConstructorLoadsItself) {
  ClassRecord record;
  record.type = GiveClass("shape_model", 0);
  ClassMethod c = method("create_shape_model", 9);
  c.short_description = "Prepare a \\OpRef{shape} model.";
  c.instance = param("ModelID", "shape_model", true, 0);
  c.params = {param("Template", "image", false, 0, true), param("Levels", "integer", false, 0)};
  Writer header, source;
  write_constructor(header, source, record, c);
  EXPECT_EQ(header.text(),
            "  // create_shape_model: Prepare a shape model.\n"
            "  explicit VShapeModel(const VImage& Template, Vlong Levels);\n\n");
  EXPECT_EQ(source.text(),
            "VShapeModel::VShapeModel(const VImage& Template, Vlong Levels)\n"
            "{\n"
            "  Vproc_handle proc = PreCallUser(9);\n"
            "  VornixAPI::Store(proc,1,Template);\n"
            "  VornixAPI::Store(proc,0,Levels);\n"
            "  VornixAPI::InitOutp(proc,0);\n"
            "  VornixAPI::CallProcedure(proc);\n"
            "  VornixAPI::Load(proc,0,this);\n"
            "  VornixAPI::PostCall(proc);\n"
            "}\n"
            "\n");
}

}  // namespace
