// Class files of the .NET interface over hand-built class records: heads,
// the members of each kind and the serialisation members.
#include <gtest/gtest.h>

#include <string>

#include "classes/class_model.h"
#include "classes/handle_types.h"
#include "driver/output.h"
#include "driver/settings.h"
#include "gen/dotnet/class_file.h"

namespace {

class DotnetClassFile : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = settings();
    init_handle_types("mylib");
    mutable_settings().generation_target = target_library;
    mutable_settings().warnings_suppressed = true;  // no snippets here
  }
  void TearDown() override { mutable_settings() = saved_; }

  static ClassParam param(const char* name, const char* type, bool output, int index) {
    ClassParam p;
    p.name = name;
    p.type = GiveClass(type, 0);
    p.pure_type = GiveClass("any", 0);
    p.output = output;
    p.index = index;
    return p;
  }
  static ClassRecord record(const char* type) {
    ClassRecord r;
    r.type = GiveClass(type, 0);
    return r;
  }
  // A serialize method (instance in, item out) and a deserialize method
  // (item in, instance out) for a class.
  static void add_serialisation(ClassRecord& r, const char* type, const char* suffix) {
    ClassMethod serialize;
    serialize.name = std::string("serialize_") + suffix;
    serialize.instance = param("Object", type, false, 0);
    serialize.return_param = param("Item", "serialized_item", true, 0);
    ClassMethod deserialize;
    deserialize.name = std::string("deserialize_") + suffix;
    deserialize.instance = param("Object", type, true, 0);
    deserialize.params = {param("Item", "serialized_item", false, 0)};
    r.methods = {serialize, deserialize};
    r.serialize_index = 0;
    r.deserialize_index = 1;
  }
  static std::string text(const ClassRecord& r, const ClassModel& model) {
    Writer out;
    write_dotnet_class(out, r, model, "/nonexistent/snippet.csop");
    return out.text();
  }
  static bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  }

  Settings saved_;
};

TEST_F(DotnetClassFile, FileNames) {
  mutable_settings().package_name = "mylib";
  EXPECT_EQ(dotnet_class_file_name(record("shape_model")), "VShapeModel.cs");
  EXPECT_EQ(dotnet_class_file_name(record("user")), "VDOTNETmylib.cs");
}

TEST_F(DotnetClassFile, OperatorConstructorWithoutParametersReplacesTheDefaultOne) {
  ClassModel model;
  ClassMethod create;
  create.name = "create_thing";
  create.instance = param("Handle", "shape_model", true, 0);
  for (const char* type : {"shape_model", "region", "hom_mat2d"}) {
    ClassRecord r = record(type);
    std::string plain = text(r, model);
    r.constructors = {create};
    r.constructors[0].instance->type = r.type;
    std::string replaced = text(r, model);
    std::string name = r.class_name();
    std::string default_line = r.type == GiveClass("region", 0)
                                   ? "    public VRegion():base(UNDEF, false) {}\n"
                               : r.type == GiveClass("hom_mat2d", 0)
                                   ? "    public VHomMat2D():base() {}\n"
                                   : "    public VShapeModel():base(UNDEF) {}\n";
    EXPECT_TRUE(has(plain, default_line)) << type;
    EXPECT_FALSE(has(replaced, default_line)) << type;
    EXPECT_TRUE(has(replaced, "    public " + name + "()\n")) << type;
  }
}

TEST_F(DotnetClassFile, SerialisableHeadAndMembers) {
  ClassModel model;
  ClassRecord r = record("shape_model");
  add_serialisation(r, "shape_model", "shape_model");
  std::string t = text(r, model);
  // "using System.IO;" has no line break of its own.
  EXPECT_TRUE(has(t, "using System.Runtime.Serialization;\n"
                     "using System.IO;\n"
                     "using Verror = System.Int32;\n"));
  EXPECT_TRUE(has(t, "  [Serializable()]\n"
                     "  public class VShapeModel:VHandle, ISerializable, ICloneable\n  {\n\n"));
  EXPECT_TRUE(has(t, "      VSerializedItem block = SerializeShapeModel();\n"));
  EXPECT_TRUE(has(t, "      DeserializeShapeModel(item);\n"));
  EXPECT_TRUE(has(t, "    public virtual void Serialize(Stream stream)\n"));
  EXPECT_TRUE(has(t, "    public static VShapeModel Deserialize(Stream stream)\n"));
  EXPECT_TRUE(has(t, "      deserialized.DeserializeShapeModel(item);\n"));
  EXPECT_TRUE(has(t, "    public VShapeModel Clone()\n"));
  EXPECT_TRUE(has(t, "      VShapeModel     copy  = new VShapeModel();\n"));
  // The serialisation members stand between the kind members and the methods.
  EXPECT_LT(t.find("ISerializable.GetObjectData"), t.find("public VSerializedItem SerializeShapeModel()"));
  EXPECT_LT(t.find("out VShapeModel[] obj"), t.find("ISerializable.GetObjectData"));
}

TEST_F(DotnetClassFile, SerialisationMembersOfADerivedClassReplaceTheBaseOnes) {
  ClassModel model;
  ClassRecord object = record("object");
  add_serialisation(object, "object", "object");
  ClassRecord image = record("image");
  image.base_type = object.type;
  add_serialisation(image, "image", "image");
  model.classes = {object, image};
  std::string t = text(model.classes[1], model);
  EXPECT_TRUE(has(t, "  public class VImage:VObject, ISerializable, ICloneable\n"));
  EXPECT_TRUE(has(t, "    public override void Serialize(Stream stream)\n"));
  EXPECT_TRUE(has(t, "    public new static VImage Deserialize(Stream stream)\n"));
  EXPECT_TRUE(has(t, "    public new VImage Clone()\n"));
  // A serialize member marked as hiding hides instead of overriding.
  model.classes[1].methods[0].hiding = true;
  EXPECT_TRUE(has(text(model.classes[1], model), "    public new void Serialize(Stream stream)\n"));
  // The base class itself declares the virtual member.
  EXPECT_TRUE(has(text(model.classes[0], model), "    public virtual void Serialize(Stream stream)\n"));
}

TEST_F(DotnetClassFile, TupleClassIsPartialAndTakesOverDeserialisedData) {
  ClassModel model;
  ClassRecord r = record("tuple");
  add_serialisation(r, "tuple", "tuple");
  // A deserialize member that loads its own instance fills this itself.
  EXPECT_TRUE(has(text(r, model), "      VSerializedItem item = new VSerializedItem(data);\n"
                                  "      DeserializeTuple(item);\n"));
  // One that returns the tuple (static) hands over its data.
  ClassMethod& deserialize = r.methods[1];
  deserialize.return_param = *deserialize.instance;
  deserialize.instance.reset();
  std::string t = text(r, model);
  EXPECT_TRUE(has(t, "  public partial class VTuple: ISerializable, ICloneable\n  {\n\n"));
  EXPECT_TRUE(has(t, "      VTuple deserialized = DeserializeTuple(item);\n"
                     "      this.data = deserialized.data;\n"
                     "      item.Dispose();\n"));
  EXPECT_FALSE(has(t, "AssertSemType"));
  EXPECT_FALSE(has(t, "LoadNew(IntPtr"));
}

TEST_F(DotnetClassFile, XldFamilyIsSerializableWithoutSerialisationMembers) {
  ClassModel model;
  ClassRecord r = record("xld_cont");
  r.base_type = GiveClass("xld", 0);
  r.xld_family = true;
  r.description = "Contours <sub-pixel>.";
  std::string t = text(r, model);
  EXPECT_TRUE(has(t, "  /// <summary>Contours  less than sub-pixel greater than .</summary>\n"
                     "  [Serializable()]\n"
                     "  public class VXLDCont:VXLD\n"));
  EXPECT_FALSE(has(t, "ISerializable"));
  EXPECT_TRUE(has(t, "      VornixAPI.AssertObjectClass(key,\"xld_cont\");\n"));
  EXPECT_EQ(t.substr(t.size() - 6), "  }\n}\n");
}

}  // namespace
