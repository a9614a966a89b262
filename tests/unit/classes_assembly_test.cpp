// Class assembly over small hand-built operator sets: which operators become
// constructors, destructors, methods and static methods, the array and
// string variants, return parameters and parameter types.
#include <gtest/gtest.h>

#include "classes/class_model.h"
#include "classes_test_ops.h"

namespace {

const unsigned cpp_bits = 0x1056;
const unsigned dotnet_bits = 0x56;
const unsigned com_bits = 0xFB0;

class ClassAssembly : public ::testing::Test {
 protected:
  void SetUp() override { reset_class_settings(); }

  ClassRecord build(const char* type, unsigned bits = cpp_bits) {
    ClassInterface iface = bits == com_bits ? class_interface_com : class_interface_cpp;
    return build_class(row(type), ops.list, false, bits, select_class_types(iface));
  }

  OpSet ops;
};

}  // namespace

TEST_F(ClassAssembly, HandleConstructorsByNameAndFixedLists) {
  ops.add(OpBuilder("create_shape_model")
              .par("io", "Template", "image")
              .par("ic", "NumLevels", "integer", {"integer"}, "false", "integer")
              .handle("oc", "ModelID", "shape_model")
              .functionality({"shape_model"}));
  ops.add(OpBuilder("open_window")
              .par("oo", "Logo", "image")
              .handle("oc", "WindowHandle", "window"));
  ops.add(OpBuilder("open_textwindow").handle("oc", "WindowHandle", "window"));
  ops.add(OpBuilder("read_region").par("oo", "Region", "region")
              .par("ic", "FileName", "filename", {"string"}, "false", "string"));
  ops.add(OpBuilder("gen_circle").par("oo", "Circle", "region")
              .par("ic", "Radius", "real", {"real"}, "false", "real"));
  // An input of the class is no constructor even with a creating name.
  ops.add(OpBuilder("create_from_model").handle("ic", "ModelID", "shape_model"));

  ClassRecord shape = build("shape_model");
  auto constructors = records_of(shape.constructors, "create_shape_model");
  ASSERT_EQ(constructors.size(), 2u);  // the scalar record and the array variant
  ASSERT_TRUE(constructors[0]->instance.has_value());
  EXPECT_EQ(constructors[0]->instance->name, "ModelID");
  EXPECT_TRUE(constructors[0]->instance->output);
  EXPECT_FALSE(constructors[0]->array_variant);
  EXPECT_TRUE(constructors[1]->array_variant);
  EXPECT_EQ(shape.constructors.size(), 2u);
  // Its functionality names the class, so it is also a method whose
  // instance is its output.
  auto methods = records_of(shape.methods, "create_shape_model");
  ASSERT_FALSE(methods.empty());
  ASSERT_TRUE(methods[0]->instance.has_value());
  EXPECT_TRUE(methods[0]->instance->output);

  ClassRecord window = build("window");
  ASSERT_EQ(window.constructors.size(), 2u);
  EXPECT_EQ(window.constructors[0].name, "open_window");
  EXPECT_EQ(window.constructors[1].name, "open_window");
  // A constructor returns no value: its other outputs stay parameters.
  EXPECT_FALSE(window.constructors[0].return_param.has_value());
  ASSERT_EQ(window.constructors[0].params.size(), 1u);
  EXPECT_EQ(window.constructors[0].params[0].name, "Logo");
  EXPECT_TRUE(window.constructors[0].params[0].output);

  ClassRecord region = build("region");
  ASSERT_EQ(region.constructors.size(), 1u);  // gen_circle only; read_region is not listed
  EXPECT_EQ(region.constructors[0].name, "gen_circle");
  EXPECT_EQ(region.constructors[0].proc_number, 4);
  EXPECT_FALSE(region.constructors[0].array_variant);
}

TEST_F(ClassAssembly, DestructorsOfNonHandleClassesAndWithTheComBits) {
  ops.add(OpBuilder("clear_obj").par("io", "Objects", "object").functionality({"object"}));
  ops.add(OpBuilder("clear_obj_twice").par("io", "Objects", "object")
              .par("ic", "Times", "integer", {"integer"}, "false", "integer")
              .functionality({"object"}));
  ops.add(OpBuilder("open_window").handle("oc", "WindowHandle", "window"));
  ops.add(OpBuilder("close_window").handle("ic", "WindowHandle", "window")
              .functionality({"window"}));
  ops.add(OpBuilder("clear_window").handle("ic", "WindowHandle", "window")
              .functionality({"window"}));

  ClassRecord object = build("object");
  ASSERT_TRUE(object.destructor.has_value());
  EXPECT_EQ(object.destructor->name, "clear_obj");
  ASSERT_TRUE(object.destructor->instance.has_value());
  EXPECT_EQ(object.destructor->instance->name, "Objects");
  // The destructor is no method; the operator with a second parameter is.
  EXPECT_TRUE(records_of(object.methods, "clear_obj").empty());
  EXPECT_FALSE(records_of(object.methods, "clear_obj_twice").empty());

  // Handle classes have destructors only with the COM bits; there the
  // fixed name wins over the close/clear rule.
  EXPECT_FALSE(build("window").destructor.has_value());
  ClassRecord com_window = build("window", com_bits);
  ASSERT_TRUE(com_window.destructor.has_value());
  EXPECT_EQ(com_window.destructor->name, "close_window");
  EXPECT_TRUE(records_of(com_window.methods, "close_window").empty());
  EXPECT_FALSE(records_of(com_window.methods, "clear_window").empty());
}

TEST_F(ClassAssembly, DeactivateComputeDeviceIsDestructorAndMethod) {
  ops.add(OpBuilder("deactivate_compute_device")
              .handle("ic", "DeviceHandle", "compute_device")
              .functionality({"compute_device"}));
  ClassRecord device = build("compute_device", com_bits);
  ASSERT_TRUE(device.destructor.has_value());
  EXPECT_EQ(records_of(device.methods, "deactivate_compute_device").size(), 1u);
}

TEST_F(ClassAssembly, StaticMethodsAndTheMiscClass) {
  ops.add(OpBuilder("get_shape_model_count")
              .par("oc", "Count", "integer", {"integer"}, "false", "integer")
              .functionality({"shape_model"}));
  ops.add(OpBuilder("wait_seconds").par("ic", "Seconds", "real", {"real"}, "false", "real"));
  ClassRecord shape = build("shape_model");
  ASSERT_EQ(shape.methods.size(), 1u);  // no instance: no array variant either
  const ClassMethod& count = shape.methods[0];
  EXPECT_FALSE(count.instance.has_value());
  ASSERT_TRUE(count.return_param.has_value());
  EXPECT_EQ(count.return_param->name, "Count");
  EXPECT_TRUE(count.params.empty());

  // Without a functionality list an operator belongs to the class "any".
  ClassRecord misc = build("any");
  ASSERT_EQ(misc.methods.size(), 1u);
  EXPECT_EQ(misc.methods[0].name, "wait_seconds");
  EXPECT_FALSE(misc.methods[0].instance.has_value());
}

TEST_F(ClassAssembly, ArrayVariantsOfHandleAndDataClassMethods) {
  ops.add(OpBuilder("find_shape_model")
              .par("io", "Image", "image")
              .handle("ic", "ModelID", "shape_model")
              .par("oc", "Row", "point.y", {"real"}, "true", "real")
              .par("oc", "Column", "point.x", {"real"}, "true", "real")
              .functionality({"shape_model"}));
  ops.add(OpBuilder("pose_invert")
              .par("ic", "Pose", "pose", {"real", "integer"}, "true", "real", "optional")
              .par("oc", "PoseInvert", "pose", {"real", "integer"}, "true", "real", "optional")
              .functionality({"pose"}));
  ops.add(OpBuilder("pose_average")
              .par("ic", "Poses", "pose", {"real", "integer"}, "true", "real", "true")
              .par("oc", "PoseMean", "pose", {"real", "integer"}, "true", "real", "false")
              .functionality({"pose"}));

  ClassRecord shape = build("shape_model");
  auto find = records_of(shape.methods, "find_shape_model");
  ASSERT_EQ(find.size(), 2u);
  EXPECT_FALSE(find[0]->array_variant);
  ASSERT_TRUE(find[0]->instance.has_value());
  EXPECT_FALSE(find[0]->instance->array);
  EXPECT_FALSE(find[0]->instance->output);
  EXPECT_EQ(find[0]->params.size(), 3u);  // Image, Row, Column
  // Row is followed by Column: no return value.
  EXPECT_FALSE(find[0]->return_param.has_value());
  // The array variant is static and takes the handles as an array.
  EXPECT_TRUE(find[1]->array_variant);
  EXPECT_FALSE(find[1]->instance.has_value());
  ASSERT_EQ(find[1]->params.size(), 4u);
  EXPECT_EQ(find[1]->params[1].name, "ModelID");
  EXPECT_TRUE(find[1]->params[1].array);
  EXPECT_TRUE(find[1]->params[1].from_instance);
  EXPECT_EQ(find[1]->params[1].type, row("shape_model"));

  ClassRecord pose = build("pose");
  auto invert = records_of(pose.methods, "pose_invert");
  ASSERT_EQ(invert.size(), 2u);
  ASSERT_TRUE(invert[0]->return_param.has_value());
  EXPECT_FALSE(invert[0]->return_param->array);
  EXPECT_TRUE(invert[1]->return_param->array);
  EXPECT_TRUE(invert[1]->params[0].array);
  // An instance that is always several poses has no scalar form: the first
  // record is static, and nothing differs for a second one.
  auto average = records_of(pose.methods, "pose_average");
  ASSERT_EQ(average.size(), 1u);
  EXPECT_FALSE(average[0]->instance.has_value());
  ASSERT_EQ(average[0]->params.size(), 1u);
  EXPECT_TRUE(average[0]->params[0].array);
  EXPECT_FALSE(average[0]->return_param->array);

  // No array variants without bit 0x02 (COM).
  EXPECT_EQ(records_of(build("shape_model", com_bits).methods, "find_shape_model").size(), 1u);
}

TEST_F(ClassAssembly, ReturnParameters) {
  ops.add(OpBuilder("threshold")
              .par("io", "Image", "image")
              .par("oo", "Region", "region")
              .par("ic", "MinGray", "number", {"real", "integer"}, "optional", "real")
              .functionality({"image"}));
  ops.add(OpBuilder("get_image_size")
              .par("io", "Image", "image")
              .par("oc", "Width", "extent.x", {"integer"}, "optional", "integer")
              .par("oc", "Height", "extent.y", {"integer"}, "optional", "integer")
              .functionality({"image"}));
  ops.add(OpBuilder("complex_value")
              .par("io", "Image", "image")
              .par("oc", "Real", "real", {"real"}, "false", "real")
              .par("oc", "Imag", "real", {"real"}, "false", "real")
              .functionality({"image", "any"}));
  ops.add(OpBuilder("read_image_modify")
              .par("oo", "Image", "image")
              .par("oc", "Info", "string", {"string"}, "false", "string")
              .functionality({"image"}));

  ClassRecord image = build("image");
  const ClassMethod* threshold = records_of(image.methods, "threshold").front();
  ASSERT_TRUE(threshold->return_param.has_value());
  EXPECT_EQ(threshold->return_param->name, "Region");
  EXPECT_EQ(threshold->return_param->type, row("region"));
  ASSERT_EQ(threshold->params.size(), 1u);
  EXPECT_EQ(threshold->params[0].name, "MinGray");

  EXPECT_FALSE(records_of(image.methods, "get_image_size").front()->return_param.has_value());
  // Real/Imag keeps its return value only in the class "any".
  EXPECT_FALSE(records_of(image.methods, "complex_value").front()->return_param.has_value());
  ClassRecord misc = build("any");
  ASSERT_TRUE(records_of(misc.methods, "complex_value").front()->return_param.has_value());

  // An output instance still leaves the next output as return value.
  const ClassMethod* modify = records_of(image.methods, "read_image_modify").front();
  ASSERT_TRUE(modify->instance.has_value());
  EXPECT_TRUE(modify->instance->output);
  ASSERT_TRUE(modify->return_param.has_value());
  EXPECT_EQ(modify->return_param->name, "Info");

  // Without bit 0x04 the pair rule does not apply.
  ClassRecord com_image = build("image", com_bits);
  EXPECT_TRUE(records_of(com_image.methods, "get_image_size").front()->return_param.has_value());
}

TEST_F(ClassAssembly, ParameterTypesIndicesAndEncoding) {
  ops.add(OpBuilder("sample")
              .par("io", "Image", "image")
              .par("io", "Other", "xld_cont")
              .par("oo", "Region", "untyped_object")
              .par("ic", "Scale", "real", {"real"}, "false", "real")
              .par("ic", "Rows", "point.y", {"real"}, "optional", "real")
              .par("ic", "Mode", "string", {"string"}, "false", "string")
              .par("ic", "Names", "filename", {"string"}, "true", "string")
              .par("ic", "Values", "number", {"real", "integer"}, "false", "real")
              .par("ic", "Buffer", "pointer", {"integer"}, "false", "integer")
              .par("ic", "CamPar", "campar", {"real", "integer"}, "true", "real")
              .par("oc", "Count", "integer", {"integer"}, "false", "integer")
              .functionality({"image"}));
  ClassRecord image = build("image");
  const ClassMethod& sample = image.methods.front();
  ASSERT_TRUE(sample.instance.has_value());
  EXPECT_EQ(sample.instance->slot(), 1);  // iconic parameters count from 1
  // The first output is the return value; no class for untyped_object in
  // the C++ list makes it a plain object.
  ASSERT_TRUE(sample.return_param.has_value());
  EXPECT_EQ(sample.return_param->name, "Region");
  EXPECT_EQ(sample.return_param->type, row("object"));
  EXPECT_EQ(sample.return_param->slot(), 1);
  ASSERT_EQ(sample.params.size(), 9u);
  const std::vector<ClassParam>& p = sample.params;
  EXPECT_EQ(p[0].name, "Other");
  EXPECT_EQ(p[0].type, row("xld_cont"));
  EXPECT_EQ(p[0].index, 1);
  EXPECT_EQ(p[0].slot(), 2);
  EXPECT_EQ(p[1].type, row("real"));
  EXPECT_EQ(p[1].pure_type, row("real"));
  EXPECT_EQ(p[1].slot(), 0);
  EXPECT_EQ(p[2].type, row("tuple"));
  EXPECT_EQ(p[2].pure_type, row("real"));
  EXPECT_EQ(p[3].type, row("string"));
  EXPECT_TRUE(p[3].encoded);
  EXPECT_EQ(p[4].type, row("tuple"));
  EXPECT_EQ(p[4].pure_type, row("any"));
  EXPECT_TRUE(p[4].encoded);
  EXPECT_EQ(p[5].type, row("tuple"));  // two value types
  EXPECT_FALSE(p[5].encoded);
  EXPECT_EQ(p[6].type, row("pointer"));
  EXPECT_EQ(p[6].pure_type, row("pointer"));
  EXPECT_EQ(p[7].type, row("campar"));
  EXPECT_EQ(p[7].index, 6);
  EXPECT_EQ(p[8].name, "Count");
  EXPECT_TRUE(p[8].output);
  EXPECT_EQ(p[8].slot(), 0);

  // The COM list has no "object": iconic parameters without a class become
  // "untyped_object"; campar becomes a tuple.
  ClassRecord com_image = build("image", com_bits);
  const ClassMethod& com_sample = com_image.methods.front();
  EXPECT_EQ(com_sample.return_param->type, row("untyped_object"));
  EXPECT_EQ(com_sample.params[7].type, row("tuple"));
}

TEST_F(ClassAssembly, StringVariantsForCpp) {
  ops.add(OpBuilder("set_shape_model_param")
              .handle("ic", "ModelID", "shape_model")
              .par("ic", "GenParamName", "string", {"string"}, "false", "string")
              .par("ic", "GenParamValue", "number", {"string", "real", "integer"}, "false",
                   "string")
              .functionality({"shape_model"}));
  ClassRecord shape = build("shape_model");
  auto records = records_of(shape.methods, "set_shape_model_param");
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0]->params[0].type, row("string"));
  EXPECT_EQ(records[0]->params[1].type, row("tuple"));
  EXPECT_TRUE(records[1]->narrow_string_variant);
  EXPECT_FALSE(records[1]->windows_only);
  EXPECT_EQ(records[1]->params[0].type, type_narrow_string);
  EXPECT_EQ(records[1]->params[1].type, type_narrow_string);
  EXPECT_TRUE(records[2]->windows_only);
  EXPECT_EQ(records[2]->params[0].type, type_wide_string);
  EXPECT_EQ(records[2]->params[1].type, type_wide_string);
  EXPECT_TRUE(records[3]->array_variant);
  EXPECT_EQ(records[3]->params[1].type, row("string"));

  // Not for .NET.
  EXPECT_EQ(records_of(build("shape_model", dotnet_bits).methods, "set_shape_model_param").size(),
            2u);
}

TEST_F(ClassAssembly, ObjectMethodsNeedASecondParameterOfTheClass) {
  ops.add(OpBuilder("union2")
              .par("io", "Region1", "region")
              .par("io", "Region2", "region")
              .par("oo", "RegionUnion", "region")
              .functionality({"object"}));
  ops.add(OpBuilder("count_obj")
              .par("io", "Objects", "object")
              .par("oc", "Number", "integer", {"integer"}, "false", "integer")
              .functionality({"object"}));
  ClassRecord region = build("region");
  auto union2 = records_of(region.methods, "union2");
  ASSERT_FALSE(union2.empty());
  EXPECT_EQ(union2[0]->instance->name, "Region1");
  // "object" is the direct base of VRegion: the member hides VObject's.
  EXPECT_TRUE(union2[0]->hiding);
  EXPECT_TRUE(union2[0]->names_class);
  EXPECT_TRUE(records_of(region.methods, "count_obj").empty());
  EXPECT_FALSE(records_of(build("object").methods, "count_obj").empty());

  // COM takes every "object" operator into every iconic class.
  ClassRecord com_region = build("region", com_bits);
  auto com_count = records_of(com_region.methods, "count_obj");
  ASSERT_EQ(com_count.size(), 1u);
  EXPECT_FALSE(com_count[0]->instance.has_value());
}

TEST_F(ClassAssembly, ComStaticTupleCamparAndPose) {
  ops.add(OpBuilder("tuple_add")
              .par("ic", "T1", "tuple", {"integer", "real"}, "true", "real")
              .par("ic", "T2", "tuple", {"integer", "real"}, "true", "real")
              .par("oc", "Sum", "number", {"integer", "real"}, "true", "real")
              .functionality({"tuple"}));
  ops.add(OpBuilder("tuple_is_number")
              .par("ic", "T", "tuple", {"integer", "real", "string"}, "false", "real")
              .par("oc", "IsNumber", "integer", {"integer"}, "false", "integer")
              .functionality({"tuple"}));
  ops.add(OpBuilder("pose_to_hom_mat3d")
              .par("ic", "Pose", "pose", {"real", "integer"}, "true", "real", "false")
              .par("oc", "HomMat3D", "hom_mat3d", {"real"}, "true", "real", "false")
              .functionality({"pose"}));

  ClassRecord cpp_tuple = build("tuple");
  ASSERT_TRUE(records_of(cpp_tuple.methods, "tuple_add").front()->instance.has_value());
  // A single-valued tuple instance is dropped in every interface.
  EXPECT_FALSE(records_of(cpp_tuple.methods, "tuple_is_number").front()->instance.has_value());

  ClassRecord com_tuple = build("tuple", com_bits);
  const ClassMethod* add = records_of(com_tuple.methods, "tuple_add").front();
  EXPECT_FALSE(add->instance.has_value());
  ASSERT_EQ(add->params.size(), 2u);
  EXPECT_TRUE(add->params[0].from_instance);
  EXPECT_EQ(add->return_param->name, "Sum");

  ClassRecord com_pose = build("pose", com_bits);
  const ClassMethod* to_mat = records_of(com_pose.methods, "pose_to_hom_mat3d").front();
  EXPECT_FALSE(to_mat->instance.has_value());
  EXPECT_EQ(to_mat->params[0].type, row("tuple"));
  ClassRecord cpp_pose = build("pose");
  const ClassMethod* cpp_to_mat = records_of(cpp_pose.methods, "pose_to_hom_mat3d").front();
  ASSERT_TRUE(cpp_to_mat->instance.has_value());
  EXPECT_EQ(cpp_to_mat->instance->type, row("pose"));
}

TEST_F(ClassAssembly, SerialisationPair) {
  ops.add(OpBuilder("serialize_shape_model")
              .handle("ic", "ModelID", "shape_model")
              .handle("oc", "SerializedItemHandle", "serialized_item")
              .functionality({"shape_model"}));
  ops.add(OpBuilder("deserialize_shape_model")
              .handle("ic", "SerializedItemHandle", "serialized_item")
              .handle("oc", "ModelID", "shape_model")
              .functionality({"shape_model"}));
  ClassRecord shape = build("shape_model");
  ASSERT_NE(shape.serialize(), nullptr);
  ASSERT_NE(shape.deserialize(), nullptr);
  EXPECT_EQ(shape.serialize()->name, "serialize_shape_model");
  EXPECT_FALSE(shape.serialize()->array_variant);
  EXPECT_EQ(shape.deserialize()->name, "deserialize_shape_model");
  // The serialize operator stays a method; serialized_item gets no pair.
  EXPECT_EQ(records_of(shape.methods, "serialize_shape_model").size(), 2u);
  ClassRecord item = build("serialized_item");
  EXPECT_EQ(item.serialize(), nullptr);
  EXPECT_TRUE(item.per_member_export);
}

TEST_F(ClassAssembly, LibraryListsAndFlags) {
  ops.add(OpBuilder("wait_seconds").par("ic", "Seconds", "real", {"real"}, "false", "real"));
  auto cpp = build_class_model(ops.list, class_interface_cpp);
  EXPECT_EQ(cpp->bits, 0x1056u);
  EXPECT_NE(cpp->find(row("object")), nullptr);
  EXPECT_NE(cpp->find(row("tuple")), nullptr);
  EXPECT_EQ(cpp->find(row("untyped_object")), nullptr);
  EXPECT_EQ(cpp->find(row("user")), nullptr);
  for (size_t i = 1; i < cpp->classes.size(); ++i)
    EXPECT_LT(cpp->classes[i - 1].type, cpp->classes[i].type);
  const ClassRecord* set = cpp->find(row("operator_set"));
  ASSERT_NE(set, nullptr);
  EXPECT_TRUE(set->free_functions);
  ASSERT_EQ(set->methods.size(), 1u);
  EXPECT_FALSE(set->methods[0].instance.has_value());
  EXPECT_EQ(cpp->find(row("xld_cont"))->base_type, row("xld"));
  EXPECT_TRUE(cpp->find(row("xld_cont"))->xld_family);
  EXPECT_FALSE(cpp->find(row("xld"))->xld_family);
  EXPECT_EQ(cpp->find(row("image"))->class_name(), "VImage");

  auto com = build_class_model(ops.list, class_interface_com);
  EXPECT_EQ(com->find(row("object")), nullptr);
  EXPECT_EQ(com->find(row("handle")), nullptr);
  EXPECT_NE(com->find(row("untyped_object")), nullptr);
}

TEST_F(ClassAssembly, PackageHasOneFreeFunctionClass) {
  reset_class_settings(target_package);
  ops.add(OpBuilder("my_filter")
              .par("io", "Image", "image")
              .par("oo", "Filtered", "image")
              .par("ic", "Mode", "string", {"string", "integer"}, "false", "string")
              .functionality({"image"}));
  ops.add(OpBuilder("my_count")
              .handle("ic", "ModelID", "shape_model")
              .par("oc", "Count", "integer", {"integer"}, "false", "integer"));

  auto model = build_class_model(ops.list, class_interface_cpp);
  ASSERT_EQ(model->classes.size(), 1u);
  const ClassRecord& pkg = model->classes[0];
  EXPECT_EQ(pkg.type, row("user"));
  EXPECT_EQ(pkg.class_name(), "VDemo");
  EXPECT_TRUE(pkg.free_functions);
  EXPECT_TRUE(pkg.constructors.empty());
  EXPECT_FALSE(pkg.destructor.has_value());
  for (const ClassMethod& method : pkg.methods) {
    EXPECT_FALSE(method.instance.has_value()) << method.name;
    EXPECT_FALSE(method.array_variant) << method.name;
  }
  // A free function returns its first output as any method does; the
  // package build has no VImage in its list, so iconic parameters are
  // plain objects.
  auto filter = records_of(pkg.methods, "my_filter");
  ASSERT_EQ(filter.size(), 3u);  // with the two string variants
  ASSERT_EQ(filter[0]->params.size(), 2u);
  EXPECT_EQ(filter[0]->params[0].type, row("object"));
  EXPECT_EQ(filter[0]->params[1].name, "Mode");
  for (const ClassMethod* record : filter) {
    ASSERT_TRUE(record->return_param.has_value());
    EXPECT_EQ(record->return_param->name, "Filtered");
    EXPECT_EQ(record->return_param->type, row("object"));
  }
  const ClassMethod* count = records_of(pkg.methods, "my_count").front();
  EXPECT_EQ(count->proc_number, 1);
  ASSERT_TRUE(count->return_param.has_value());
  EXPECT_EQ(count->return_param->name, "Count");
  EXPECT_EQ(count->return_param->type, row("integer"));
  EXPECT_EQ(count->params.size(), 1u);

  // With -us each operator is one plain free function, returning the same
  // value.
  mutable_settings().package_free_functions = true;
  auto plain = build_class_model(ops.list, class_interface_cpp);
  const ClassRecord& pkg_us = plain->classes[0];
  ASSERT_EQ(pkg_us.methods.size(), 2u);
  EXPECT_EQ(pkg_us.methods[0].name, "my_filter");
  EXPECT_EQ(pkg_us.methods[0].params.size(), 2u);
  ASSERT_TRUE(pkg_us.methods[0].return_param.has_value());
  EXPECT_EQ(pkg_us.methods[0].return_param->name, "Filtered");
  EXPECT_EQ(pkg_us.methods[1].name, "my_count");
  ASSERT_TRUE(pkg_us.methods[1].return_param.has_value());
  EXPECT_EQ(pkg_us.methods[1].return_param->name, "Count");
}

TEST_F(ClassAssembly, FreeFunctionsFollowThePairRule) {
  // The operator set follows the same return rules as any class: a
  // Row/Column pair returns nothing in C++ and .NET, but does in COM.
  ops.add(OpBuilder("get_center")
              .par("ic", "Handle", "integer", {"integer"}, "false", "integer")
              .par("oc", "Row", "real", {"real"}, "false", "real")
              .par("oc", "Column", "real", {"real"}, "false", "real"));
  auto cpp = build_class_model(ops.list, class_interface_cpp);
  const ClassMethod& center = cpp->find(row("operator_set"))->methods.front();
  EXPECT_FALSE(center.return_param.has_value());
  EXPECT_EQ(center.params.size(), 3u);
  auto com = build_class_model(ops.list, class_interface_com);
  const ClassMethod& com_center = com->find(row("operator_set"))->methods.front();
  ASSERT_TRUE(com_center.return_param.has_value());
  EXPECT_EQ(com_center.return_param->name, "Row");
}

TEST_F(ClassAssembly, ArrayFormsOnlyWhereAnArrayClassExists) {
  // A fixed-size data class may stand for several values (VHomMat2DArray);
  // a data class of variable size has no array class, so its
  // multiinstance asks for nothing.
  ops.add(OpBuilder("fit_measure")
              .handle("ic", "MeasureHandle", "measure")
              .par("ic", "CamParam", "campar", {"real"}, "true", "real", "optional")
              .par("ic", "HomMat2D", "hom_mat2d", {"real"}, "true", "real", "optional")
              .functionality({"measure"}));
  ops.add(OpBuilder("fit_camera")
              .handle("ic", "MeasureHandle", "measure")
              .par("ic", "CamParam", "campar", {"real"}, "true", "real", "optional")
              .functionality({"campar"}));
  ClassRecord measure = build("measure");
  auto fit = records_of(measure.methods, "fit_measure");
  ASSERT_EQ(fit.size(), 2u);
  // The array variant: the instance in its array form, then the others.
  ASSERT_EQ(fit[1]->params.size(), 3u);
  EXPECT_TRUE(fit[1]->params[0].from_instance);
  EXPECT_FALSE(fit[1]->params[1].array);  // CamParam
  EXPECT_TRUE(fit[1]->params[2].array);   // HomMat2D
  ClassRecord campar = build("campar");
  auto camera = records_of(campar.methods, "fit_camera");
  ASSERT_EQ(camera.size(), 1u);
  ASSERT_TRUE(camera[0]->instance.has_value());
  EXPECT_EQ(camera[0]->instance->name, "CamParam");
}

TEST_F(ClassAssembly, AReturnedValueAloneMakesNoArrayVariant) {
  // Records that differ only in their return type cannot be overloaded.
  ops.add(OpBuilder("get_transform")
              .par("ic", "Level", "integer", {"integer"}, "false", "integer")
              .par("oc", "HomMat2D", "hom_mat2d", {"real"}, "true", "real", "optional")
              .functionality({"region"}));
  ops.add(OpBuilder("apply_transform")
              .par("ic", "HomMat2DIn", "hom_mat2d", {"real"}, "true", "real", "optional")
              .par("oc", "HomMat2D", "hom_mat2d", {"real"}, "true", "real", "optional")
              .functionality({"region"}));
  ClassRecord region = build("region");
  auto get = records_of(region.methods, "get_transform");
  ASSERT_EQ(get.size(), 1u);
  ASSERT_TRUE(get[0]->return_param.has_value());
  EXPECT_FALSE(get[0]->return_param->array);
  auto apply = records_of(region.methods, "apply_transform");
  ASSERT_EQ(apply.size(), 2u);
  EXPECT_TRUE(apply[1]->params[0].array);
  EXPECT_TRUE(apply[1]->return_param->array);
}

TEST_F(ClassAssembly, ArrayVariantsOnlyWhereTheClassOrItsBaseIsNamed) {
  // Both XLD operators reach xld_cont through the second-parameter rule;
  // only the one naming its direct base (xld) gets the array variant.
  ops.add(OpBuilder("union_xld")
              .par("io", "Contours1", "xld_cont", {}, "optional")
              .par("io", "Contours2", "xld_cont", {}, "optional")
              .par("oo", "ContoursUnion", "xld_cont", {}, "optional")
              .functionality({"xld"}));
  ops.add(OpBuilder("concat_any")
              .par("io", "Objects1", "xld_cont", {}, "optional")
              .par("io", "Objects2", "xld_cont", {}, "optional")
              .par("oo", "ObjectsConcat", "xld_cont", {}, "optional")
              .functionality({"object"}));
  ClassRecord cont = build("xld_cont");
  auto union_xld = records_of(cont.methods, "union_xld");
  ASSERT_EQ(union_xld.size(), 2u);
  EXPECT_TRUE(union_xld[0]->hiding);
  EXPECT_TRUE(union_xld[1]->array_variant);
  EXPECT_TRUE(union_xld[1]->params[0].array);
  EXPECT_TRUE(union_xld[1]->params[0].from_instance);
  auto concat = records_of(cont.methods, "concat_any");
  ASSERT_EQ(concat.size(), 1u);
  EXPECT_FALSE(concat[0]->names_class);
  EXPECT_FALSE(concat[0]->hiding);
  ASSERT_TRUE(concat[0]->instance.has_value());
  EXPECT_FALSE(concat[0]->instance->array);
}
