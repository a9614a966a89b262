// Members of the .NET interface over hand-built class records: call bodies
// (disposal of a modified instance, buffered arrays, pinned tuples, loads by
// kind and pure type, splits), signatures and documentation comments.
#include <gtest/gtest.h>

#include <string>

#include "classes/class_model.h"
#include "classes/handle_types.h"
#include "driver/output.h"
#include "driver/settings.h"
#include "gen/dotnet/members.h"

namespace {

class DotnetMembers : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = settings();
    init_handle_types("mylib");
    mutable_settings().generation_target = target_package;
    mutable_settings().package_name = "mylib";
    mutable_settings().warnings_suppressed = false;
  }
  void TearDown() override { mutable_settings() = saved_; }

  static ClassParam param(const char* name, const char* type, bool output, int index,
                          bool iconic = false) {
    ClassParam p;
    p.name = name;
    p.type = GiveClass(type, 0);
    p.pure_type = GiveClass("any", 0);
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
  static DotnetClassInfo info(const char* name, const char* kind) {
    DotnetClassInfo i;
    i.name = name;
    std::string k = kind;
    i.tuple = k == "tuple";
    i.iconic = k == "iconic";
    i.handle = k == "handle";
    i.data = k == "data";
    return i;
  }
  static std::string body(const DotnetClassInfo& i, const ClassMethod& m,
                          bool constructor = false) {
    Writer out;
    write_dotnet_call_body(out, i, m, constructor);
    return out.text();
  }

  Settings saved_;
};

const char* const dispose_lines =
    "      // This operator modifies the state of this instance, so the\n"
    "      // old resource needs to be disposed. This could imply an operator\n"
    "      // call and so must be done prior to precall (this is safe, because\n"
    "      // the object state is *never* used for *both* input and output).\n"
    "      Dispose();\n"
    "\n";

TEST_F(DotnetMembers, ModifiedHandleInstanceIsDisposedBeforeTheProcedureHandle) {
  ClassMethod m = method("read_shape_model", 4);
  m.instance = param("ModelID", "shape_model", true, 0);
  m.params = {param("FileName", "string", false, 0)};
  EXPECT_EQ(body(info("VShapeModel", "handle"), m),
            std::string("    {\n") + dispose_lines +
                "      IntPtr proc = PreCallUser(4);\n"
                "      VornixAPI.StoreS(proc, 0, fileName);\n"
                "      VornixAPI.InitOCT(proc, 0);\n"
                "      Verror err = VornixAPI.CallProcedure(proc);\n"
                "      err = Load(proc, 0, err);\n"
                "      VornixAPI.PostCall(proc, err);\n"
                "      GC.KeepAlive(this);\n"
                "    }\n");
  // The same record as a constructor, and in a data class: nothing to
  // dispose.
  EXPECT_EQ(body(info("VShapeModel", "handle"), m, true).find("Dispose"), std::string::npos);
  ClassMethod pose = method("create_pose", 1);
  pose.instance = param("Pose", "pose", true, 0);
  EXPECT_EQ(body(info("VPose", "data"), pose).find("Dispose"), std::string::npos);
  // An iconic instance is disposed as well.
  ClassMethod region = method("threshold", 2);
  region.instance = param("Region", "region", true, 0, true);
  EXPECT_NE(body(info("VRegion", "iconic"), region).find(dispose_lines), std::string::npos);
}

TEST_F(DotnetMembers, LibraryBuildStoresByTypeAndKeepsInputsAlive) {
  mutable_settings().generation_target = target_library;
  ClassMethod m = method("paint_region", 9);
  m.instance = param("Image", "image", false, 0, true);
  ClassParam plain = param("Count", "integer", false, 4);
  plain.type = type_plain_integer;
  m.params = {param("Region", "region", false, 1, true), param("Width", "integer", false, 0),
              param("Scale", "real", false, 1),          param("Mode", "string", false, 2),
              param("Buffer", "pointer", false, 3),      plain,
              param("Window", "window", false, 5),       param("Values", "tuple", false, 6)};
  EXPECT_EQ(body(info("VImage", "iconic"), m),
            "    {\n"
            "      IntPtr proc = VornixAPI.PreCall(VProcIDs.PAINT_REGION);\n"
            "      Store(proc, 1);\n"
            "      VornixAPI.Store(proc, 2, region);\n"
            "      VornixAPI.StoreI(proc, 0, width);\n"
            "      VornixAPI.StoreD(proc, 1, scale);\n"
            "      VornixAPI.StoreS(proc, 2, mode);\n"
            "      VornixAPI.StoreIP(proc, 3, buffer);\n"
            "      VornixAPI.StoreL(proc, 4, count);\n"
            "      VornixAPI.Store(proc, 5, window);\n"
            "      VornixAPI.Store(proc, 6, values);\n"
            "      Verror err = VornixAPI.CallProcedure(proc);\n"
            "      VornixAPI.UnpinTuple(values);\n"
            "      VornixAPI.PostCall(proc, err);\n"
            "      GC.KeepAlive(this);\n"
            "      GC.KeepAlive(region);\n"
            "      GC.KeepAlive(window);\n"
            "    }\n");
}

TEST_F(DotnetMembers, ArraysOfHandleAndDataObjectsPassThroughTuples) {
  ClassMethod m = method("compose_poses", 3);
  m.instance = param("Pose", "pose", false, 0);
  ClassParam models = param("ModelIDs", "shape_model", false, 1);
  models.array = true;
  ClassParam poses = param("Poses", "pose", false, 2);
  poses.array = true;
  m.params = {models, poses, param("Other", "pose", false, 3)};
  ClassParam result = param("Result", "pose", true, 0);
  result.array = true;
  m.return_param = result;
  EXPECT_EQ(body(info("VPose", "data"), m),
            "    {\n"
            "      VTuple modelIDsBuffer = VShapeModel.ConcatArray(modelIDs);\n"
            "      VTuple posesBuffer = VPose.ConcatArray(poses);\n"
            "      IntPtr proc = PreCallUser(3);\n"
            "      Store(proc, 0);\n"
            "      VornixAPI.Store(proc, 1, modelIDsBuffer);\n"
            "      VornixAPI.Store(proc, 2, posesBuffer);\n"
            "      VornixAPI.Store(proc, 3, other);\n"
            "      VornixAPI.InitOCT(proc, 0);\n"
            "      Verror err = VornixAPI.CallProcedure(proc);\n"
            "      UnpinTuple();\n"
            "      VornixAPI.UnpinTuple(modelIDsBuffer);\n"
            "      VornixAPI.UnpinTuple(posesBuffer);\n"
            "      VornixAPI.UnpinTuple(other);\n"
            "      VPose[] result;\n"
            "      VTuple resultBuffer;\n"
            "      err = VTuple.LoadNew(proc, 0, err, out resultBuffer);\n"
            "      VornixAPI.PostCall(proc, err);\n"
            "      result = VPose.SplitArray(resultBuffer);\n"
            "      GC.KeepAlive(this);\n"
            "      GC.KeepAlive(modelIDs);\n"
            "      return result;\n"
            "    }\n");
}

TEST_F(DotnetMembers, LoadsByKindAndPureType) {
  ClassMethod m = method("get_values", 0);
  m.return_param = param("Count", "integer", true, 0);
  ClassParam reals = param("Reals", "tuple", true, 1);
  reals.pure_type = GiveClass("real", 0);
  ClassParam integers = param("Integers", "tuple", true, 2);
  integers.pure_type = GiveClass("integer", 0);
  ClassParam pointers = param("Pointers", "tuple", true, 3);
  pointers.pure_type = GiveClass("pointer", 0);
  ClassParam models = param("ModelIDs", "shape_model", true, 4);
  models.array = true;
  m.params = {reals, integers, pointers, models, param("Image", "image", true, 0, true)};
  testing::internal::CaptureStderr();
  std::string text = body(info("VMylib", "free"), m);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "vornc warning: Encountered invalid query for pure ID 107\n");
  EXPECT_NE(text.find("      int count;\n"
                      "      err = VornixAPI.LoadI(proc, 0, err, out count);\n"
                      "      err = VTuple.LoadNew(proc, 1, VTupleType.DOUBLE, err, out reals);\n"
                      "      err = VTuple.LoadNew(proc, 2, VTupleType.INTEGER, err, out integers);\n"
                      "      err = VTuple.LoadNew(proc, 3, VTupleType.MIXED, err, out pointers);\n"
                      "      err = VShapeModel.LoadNew(proc, 4, err, out modelIDs);\n"
                      "      err = VImage.LoadNew(proc, 1, err, out image);\n"
                      "      VornixAPI.PostCall(proc, err);\n"
                      "      return count;\n"),
            std::string::npos)
      << text;
  // Output slots in the order instance, return value, parameters.
  EXPECT_NE(text.find("      VornixAPI.InitOCT(proc, 0);\n"
                      "      VornixAPI.InitOCT(proc, 1);\n"
                      "      VornixAPI.InitOCT(proc, 2);\n"
                      "      VornixAPI.InitOCT(proc, 3);\n"
                      "      VornixAPI.InitOCT(proc, 4);\n"
                      "      VornixAPI.InitOCT(proc, 1);\n"
                      "      Verror err"),
            std::string::npos);
}

TEST_F(DotnetMembers, MethodSignatures) {
  ClassMethod m = method("select_obj", 5);
  m.instance = param("Objects", "region", false, 0, true);
  m.hiding = true;
  m.return_param = param("ObjectSelected", "region", true, 0, true);
  m.params = {param("Index", "tuple", false, 0)};
  Writer out;
  write_dotnet_method(out, info("VRegion", "iconic"), m);
  EXPECT_EQ(out.text().substr(out.text().find("    public")),
            "    public new VRegion SelectObj(VTuple index)\n"
            "    {\n"
            "      IntPtr proc = PreCallUser(5);\n"
            "      Store(proc, 1);\n"
            "      VornixAPI.Store(proc, 0, index);\n"
            "      VornixAPI.InitOCT(proc, 1);\n"
            "      Verror err = VornixAPI.CallProcedure(proc);\n"
            "      VornixAPI.UnpinTuple(index);\n"
            "      VRegion objectSelected;\n"
            "      err = VRegion.LoadNew(proc, 1, err, out objectSelected);\n"
            "      VornixAPI.PostCall(proc, err);\n"
            "      GC.KeepAlive(this);\n"
            "      return objectSelected;\n"
            "    }\n");

  // The tuple class's arithmetic helpers are private and end in "Op";
  // other tuple methods are public.
  ClassMethod length = method("tuple_length", 1);
  length.params = {param("Tuple", "tuple", false, 0)};
  length.return_param = param("Length", "integer", true, 0);
  Writer tuple_out;
  write_dotnet_method(tuple_out, info("VTuple", "tuple"), length);
  EXPECT_NE(tuple_out.text().find("    private static int TupleLengthOp(VTuple tuple)\n"),
            std::string::npos);
  length.name = "tuple_sort";
  Writer sort_out;
  write_dotnet_method(sort_out, info("VTuple", "tuple"), length);
  EXPECT_NE(sort_out.text().find("    public static int TupleSort(VTuple tuple)\n"),
            std::string::npos);
  length.name = "tuple_length";
  Writer other_out;
  write_dotnet_method(other_out, info("VMisc", "other"), length);
  EXPECT_NE(other_out.text().find("    public static int TupleLength(VTuple tuple)\n"),
            std::string::npos);
}

TEST_F(DotnetMembers, DocumentationComments) {
  ClassMethod m = method("find_thing", 0);
  m.short_description = "Find things <fast>.";
  m.instance = param("ModelID", "shape_model", false, 0);
  m.instance->description = "Model.";
  ClassParam tolerance = param("Tolerance", "real", false, 0);
  tolerance.description = "Tolerance (<= 1).";
  tolerance.default_value = "0.5";
  ClassParam found = param("Found", "integer", true, 0);
  found.description = "Number found.";
  m.params = {tolerance};
  m.return_param = found;
  Writer out;
  write_member_doc(out, m);
  EXPECT_EQ(out.text(),
            "    /// <summary>\n"
            "    ///   Find things  less than fast greater than .\n"
            "    ///   Instance represents: Model.\n"
            "    /// </summary>\n"
            "    /// <param name=\"tolerance\">Tolerance ( less than = 1). Default: 0.5</param>\n"
            "    /// <returns>Number found.</returns>\n");
  m.instance.reset();
  Writer plain;
  write_member_doc(plain, m);
  EXPECT_EQ(plain.text().substr(0, plain.text().find('\n') + 1),
            "    /// <summary>Find things  less than fast greater than .</summary>\n");
}

// The run's table of converted documentation texts gives the members the
// same comments as converting each text anew; a shorter text at the place
// of a longer one is converted on its own.
TEST_F(DotnetMembers, DocumentationTextsConvertedOnceGiveTheSameComments) {
  std::string summary = "Find things <fast>.";
  ClassMethod m = method("find_thing", 0);
  m.short_description = summary;
  ClassParam tolerance = param("Tolerance", "real", false, 0);
  tolerance.description = summary;
  m.params = {tolerance};
  DotnetClassInfo shared = info("VShapeModel", "handle");
  DotnetDocTexts table;
  shared.doc_texts = &table;
  Writer alone, first, again;
  write_dotnet_method(alone, info("VShapeModel", "handle"), m);
  write_dotnet_method(first, shared, m);
  write_dotnet_method(again, shared, m);
  EXPECT_EQ(first.text(), alone.text());
  EXPECT_EQ(again.text(), alone.text());
  EXPECT_EQ(table.get(summary), "Find things  less than fast greater than .");
  EXPECT_EQ(table.get(std::string_view(summary).substr(0, 13)), "Find things  less than ");
  EXPECT_EQ(table.get(summary), "Find things  less than fast greater than .");
}

TEST_F(DotnetMembers, ConstructorsAreNamedAfterTheirClass) {
  ClassMethod m = method("create_shape_model", 2);
  m.instance = param("ModelID", "shape_model", true, 0);
  m.instance->description = "Handle.";
  m.params = {param("Template", "image", false, 0, true), param("Angles", "tuple", true, 0)};
  Writer out;
  write_dotnet_constructor(out, info("VShapeModel", "handle"), m);
  const std::string& text = out.text();
  EXPECT_EQ(text.substr(0, text.find("    {\n")),
            "    /// <summary>\n"
            "    ///   Does something.\n"
            "    ///   Modified instance represents: Handle.\n"
            "    /// </summary>\n"
            "    /// <param name=\"template\"></param>\n"
            "    /// <param name=\"angles\"></param>\n"
            "    // Constructor mapped to create_shape_model\n"
            "    public VShapeModel(VImage template, out VTuple angles)\n");
  EXPECT_EQ(text.substr(text.size() - 7), "    }\n\n");
}

}  // namespace
