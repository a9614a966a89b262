// The module model of the Python interface: Python names, parameter kinds,
// multiplicities and element types in both layouts, the failures of the
// parameter builder, the shortening of method names and the grouping into
// modules.
#include <gtest/gtest.h>

#include "gen/python/module_model.h"

namespace {

Parameter control(const std::string& name, const std::string& kind, const std::string& sem_type,
                  TextList type_list, const std::string& multivalue) {
  Parameter p;
  p.name = name;
  p.kind = kind;
  p.sem_type = sem_type;
  p.type_list = std::move(type_list);
  p.multivalue = multivalue;
  push_front(p.descriptions, "english", std::string("Some text."));
  return p;
}

const PyLayout flat{false};
const PyLayout classes{true};

TEST(PythonNames, SnakeCaseWordsAndKeywords) {
  EXPECT_EQ(python_name("MinGray"), "min_gray");
  EXPECT_EQ(python_name("ModelID"), "model_id");  // a run of capitals is one word
  EXPECT_EQ(python_name("Row1"), "row_1");
  EXPECT_EQ(python_name("HomMat2D"), "hom_mat_2d");
  EXPECT_EQ(python_name("YValues"), "yvalues");
  EXPECT_EQ(python_name("lambda"), "lambda_val");
  EXPECT_EQ(python_name("From"), "from_val");
  EXPECT_EQ(python_name("Global"), "global_val");
  EXPECT_EQ(python_name("String"), "string");  // no keyword
  EXPECT_EQ(python_name("Gen_Param"), "gen_param");
}

TEST(PythonParameters, KindsFollowTheHandleTypeTable) {
  PyParameter image =
      build_parameter("op", control("Image", "input_object", "image", {}, ""), flat);
  EXPECT_EQ(image.kind, PyKind::iconic_object);
  EXPECT_EQ(image.multiplicity, PyMultiplicity::single);
  EXPECT_EQ(image.element_type, "VObject");
  EXPECT_EQ(image.module, "vobject");
  EXPECT_TRUE(image.input);

  PyParameter in_class =
      build_parameter("op", control("Image", "input_object", "image", {}, ""), classes);
  EXPECT_EQ(in_class.element_type, "VImage");
  EXPECT_EQ(in_class.module, "vimage");

  PyParameter model = build_parameter(
      "op", control("ModelID", "output_control", "shape_model", {"handle"}, "true"), flat);
  EXPECT_EQ(model.kind, PyKind::handle);
  EXPECT_EQ(model.element_type, "VHandle");
  EXPECT_EQ(model.module, "vhandle");
  EXPECT_EQ(model.multiplicity, PyMultiplicity::sequence);
  EXPECT_FALSE(model.input);

  // The sem_type "handle" itself is a plain parameter.
  PyParameter handle =
      build_parameter("op", control("Handle", "input_control", "handle", {"handle"}, "f"), flat);
  EXPECT_EQ(handle.kind, PyKind::plain);
  EXPECT_EQ(handle.element_type, "VHandle");
  PyParameter handle_in_class =
      build_parameter("op", control("Handle", "input_control", "handle", {"handle"}, "f"), classes);
  EXPECT_EQ(handle_in_class.element_type, "VHandleBase");

  // Handle types without a class name are plain handles too: they have no
  // class module to live in.
  for (const char* no_class : {"thread_id", "dev_tool"}) {
    PyParameter p = build_parameter(
        "op", control("Id", "input_control", no_class, {"handle"}, "false"), classes);
    EXPECT_EQ(p.kind, PyKind::plain) << no_class;
    EXPECT_EQ(p.element_type, "VHandleBase") << no_class;
    EXPECT_EQ(p.module, "") << no_class;
  }
}

TEST(PythonParameters, SemanticTuplesOnlyInTheClassLayout) {
  Parameter pose = control("Pose", "input_control", "pose", {"real", "integer"}, "false");
  pose.edit_extras().multiinstance = "true";
  PyParameter plain = build_parameter("op", pose, flat);
  EXPECT_EQ(plain.kind, PyKind::plain);
  EXPECT_EQ(plain.multiplicity, PyMultiplicity::single);  // from multivalue
  EXPECT_EQ(plain.element_type, "Union[float, int]");

  PyParameter fixed = build_parameter("op", pose, classes);
  EXPECT_EQ(fixed.kind, PyKind::fixed_size_sem_tuple);
  EXPECT_EQ(fixed.multiplicity, PyMultiplicity::sequence);  // from multiinstance
  EXPECT_EQ(fixed.element_type, "VPose");
  EXPECT_EQ(fixed.fixed_size, 7);
  EXPECT_EQ(fixed.module, "vpose");

  Parameter function = control("Function", "output_control", "function_1d", {"real"}, "true");
  function.edit_extras().multiinstance = "optional";
  PyParameter sem_tuple = build_parameter("op", function, classes);
  EXPECT_EQ(sem_tuple.kind, PyKind::sem_tuple);
  EXPECT_EQ(sem_tuple.multiplicity, PyMultiplicity::maybe_sequence);
  // An output of several semantic tuples is handed over raw.
  EXPECT_TRUE(sem_tuple.raw_annotation);
  EXPECT_EQ(sem_tuple.element_type, "VTupleType");
}

TEST(PythonParameters, ElementTypesOfPlainParameters) {
  auto element = [](TextList types, const std::string& multivalue) {
    return build_parameter("op", control("P", "input_control", "real", types, multivalue), flat);
  };
  EXPECT_EQ(element({"integer"}, "false").element_type, "int");
  EXPECT_EQ(element({"string", "real"}, "false").element_type, "Union[str, float]");
  PyParameter any = element({"integer", "real", "string", "handle"}, "true");
  EXPECT_EQ(any.element_type, "VTupleElementType");
  EXPECT_FALSE(any.raw_annotation);
  PyParameter maybe = element({"real", "handle", "string", "integer"}, "optional");
  EXPECT_EQ(maybe.element_type, "VTupleType");
  EXPECT_TRUE(maybe.raw_annotation);

  testing::internal::CaptureStderr();
  PyParameter missing = element({}, "false");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "vornc warning: Missing type_list for op: op param: P\n");
  EXPECT_EQ(missing.element_type, "VTupleElementType");
}

TEST(PythonParameters, DefaultsOnlyForClassLayoutInputs) {
  Parameter name = control("GenParamName", "input_control", "string", {"string"}, "false");
  EXPECT_EQ(build_parameter("op", name, classes).default_text, "''");
  EXPECT_EQ(build_parameter("op", name, flat).default_text, "");
  name.multivalue = "true";
  EXPECT_EQ(build_parameter("op", name, classes).default_text, "[]");
  Parameter value = control("GenParamValue", "input_control", "tuple", {"real"}, "true");
  EXPECT_EQ(build_parameter("op", value, classes).default_text, "[]");
  Parameter gen = control("GenParam", "input_control", "dict", {"handle"}, "false");
  EXPECT_EQ(build_parameter("op", gen, classes).default_text, "{}");
  value.kind = "output_control";
  EXPECT_EQ(build_parameter("op", value, classes).default_text, "");
}

TEST(PythonParameters, DocumentationAndWarnings) {
  Parameter p = control("Mult", "input_control", "real", {"real"}, "false");
  p.default_value = "1.0";
  p.assertion = {"Mult", "0", "\\GT"};
  push_front(p.descriptions, "german", std::string("Faktor."));
  PyParameter built = build_parameter("op", p, flat);
  EXPECT_EQ(built.description, "Some text.");  // the English entry, not the first
  EXPECT_EQ(built.value_suggestion, "1.0");
  EXPECT_EQ(built.assertion, "Mult > 0");

  p.descriptions.clear();
  testing::internal::CaptureStderr();
  built = build_parameter("my_op", p, flat);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "vornc warning: Missing documentation for op: my_op\n");
  EXPECT_EQ(built.description, "");
}

TEST(PythonParameters, FailuresNameTheParameter) {
  Parameter bad = control("Things", "input_control", "", {"integer"}, "true");
  EXPECT_THROW(build_parameter("op", bad, flat), PythonGenError);
  try {
    build_parameter("op", bad, flat);
  } catch (const PythonGenError& e) {
    EXPECT_STREQ(e.what(), "Invalid semtype: ");
  }

  Operator op;
  op.name = "count_things";
  op.info = std::make_unique<OperatorInfo>();
  op.info->params.push_back(bad);
  try {
    build_function(op, 0, flat);
    ADD_FAILURE() << "no failure";
  } catch (const PythonGenError& e) {
    EXPECT_STREQ(e.what(),
                 "Failed to preprocess param, op: count_things param: Things error: "
                 "Invalid semtype: ");
  }
}

TEST(PythonFunctions, ShortenedNamesInClassModules) {
  EXPECT_EQ(shorten_function_name("find_shape_model", "shape_model"), "find");
  EXPECT_EQ(shorten_function_name("gen_contour_polygon_xld", "xld_cont"), "gen_polygon");
  EXPECT_EQ(shorten_function_name("get_y_value_funct_1d", "function_1d"), "get_y_value");
  EXPECT_EQ(shorten_function_name("read_bar_code", "barcode"), "read");
  // The first word of a name always stays.
  EXPECT_EQ(shorten_function_name("quat_compose", "quaternion"), "quat_compose");
  EXPECT_EQ(shorten_function_name("threshold", "image"), "threshold");
  // A shortened name that is a Python keyword would not compile.
  EXPECT_EQ(shorten_function_name("or_region", "region"), "or_region");
}

PyFunction function_with(std::vector<PyParameter> inputs, std::vector<PyParameter> outputs) {
  PyFunction f;
  f.name = "op";
  f.inputs = std::move(inputs);
  f.outputs = std::move(outputs);
  return f;
}

PyParameter typed(const std::string& name, PyKind kind, const std::string& module,
                  const std::string& sem_type) {
  PyParameter p;
  p.name = name;
  p.kind = kind;
  p.module = module;
  p.sem_type = sem_type;
  p.element_type = "V";
  return p;
}

TEST(PythonModules, GroupingByClassTypedParameters) {
  PyParameter plain = typed("x", PyKind::plain, "", "");
  PyParameter region = typed("region", PyKind::iconic_object, "vregion", "region");
  PyParameter model = typed("model", PyKind::handle, "vshape_model", "shape_model");

  std::vector<PyFunction> functions;
  functions.push_back(function_with({plain, model, region}, {}));  // method of vshape_model
  functions.back().name = "get_shape_model_contours";
  functions.push_back(function_with({plain}, {region}));  // free function of vregion
  functions.back().name = "gen_region_line";
  functions.push_back(function_with({plain}, {plain}));  // global
  std::vector<PyModule> modules = group_into_modules(functions, classes);
  ASSERT_EQ(modules.size(), 4u);
  EXPECT_EQ(modules[0].name, "global");
  EXPECT_EQ(modules[0].free_functions.size(), 1u);
  // VRegion derives from vobject.VObject: that module is written too.
  EXPECT_EQ(modules[1].name, "vobject");
  EXPECT_EQ(modules[1].class_name, "VObject");
  EXPECT_TRUE(modules[1].free_functions.empty() && modules[1].methods.empty());
  EXPECT_EQ(modules[2].name, "vregion");
  EXPECT_EQ(modules[2].kind, PyModuleKind::iconic_object_class);
  ASSERT_EQ(modules[2].free_functions.size(), 1u);
  EXPECT_EQ(modules[2].free_functions[0].name, "gen_line");
  EXPECT_EQ(modules[2].free_functions[0].instance, -1);
  EXPECT_EQ(modules[3].name, "vshape_model");
  EXPECT_EQ(modules[3].class_name, "VShapeModel");
  ASSERT_EQ(modules[3].methods.size(), 1u);
  EXPECT_EQ(modules[3].methods[0].instance, 1);
  EXPECT_EQ(modules[3].methods[0].name, "get_contours");

  std::vector<PyModule> one = group_into_modules(functions, flat);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].name, "operator_set");
  EXPECT_EQ(one[0].free_functions.size(), 3u);
  EXPECT_EQ(one[0].free_functions[0].name, "get_shape_model_contours");
  EXPECT_EQ(group_into_modules({}, flat).size(), 1u);
}

TEST(PythonModules, BaseClasses) {
  PyModule m;
  m.kind = PyModuleKind::iconic_object_class;
  m.class_name = "VObject";
  EXPECT_EQ(module_base_class(m), "VObjectBase");
  m.class_name = "VXLD";
  EXPECT_EQ(module_base_class(m), "vobject.VObject");
  m.class_name = "VXLDCont";
  EXPECT_EQ(module_base_class(m), "vxld.VXLD");
  m.class_name = "VImage";
  EXPECT_EQ(module_base_class(m), "vobject.VObject");
  m.kind = PyModuleKind::handle_class;
  EXPECT_EQ(module_base_class(m), "VHandleBase");
  m.kind = PyModuleKind::sem_tuple_class;
  EXPECT_EQ(module_base_class(m), "VSemTupleBase");
  m.kind = PyModuleKind::plain;
  EXPECT_THROW(module_base_class(m), PythonGenError);
}

TEST(PythonFunctions, ParametersDoNotHideNamesOfTheBody) {
  Operator op;
  op.name = "wait_thread";
  op.info = std::make_unique<OperatorInfo>();
  op.info->params.push_back(control("Proc", "input_control", "integer", {"integer"}, "false"));
  op.info->params.push_back(control("ProcVal", "input_control", "integer", {"integer"}, "false"));
  op.info->params.push_back(control("Self", "input_control", "integer", {"integer"}, "false"));
  op.info->params.push_back(control("Vregion", "input_control", "integer", {"integer"}, "false"));
  op.info->params.push_back(control("Region", "output_object", "region", {}, ""));
  PyFunction f = build_function(op, 0, classes);
  ASSERT_EQ(f.inputs.size(), 4u);
  // proc_val is taken already; vregion is the module of the returned class.
  EXPECT_EQ(f.inputs[0].name, "proc_val_val");
  EXPECT_EQ(f.inputs[1].name, "proc_val");
  EXPECT_EQ(f.inputs[2].name, "self_val");
  EXPECT_EQ(f.inputs[3].name, "vregion_val");
  EXPECT_EQ(build_function(op, 0, flat).inputs[3].name, "vregion");
}

PyFunction named(const std::string& name, std::vector<PyParameter> inputs,
                 std::vector<PyParameter> outputs) {
  PyFunction f = function_with(std::move(inputs), std::move(outputs));
  f.name = name;
  f.operator_name = name;
  return f;
}

const PyModule* find_module(const std::vector<PyModule>& modules, const std::string& name) {
  for (const PyModule& m : modules)
    if (m.name == name) return &m;
  return nullptr;
}

TEST(PythonModules, DefaultsOnlyWhereEveryLaterParameterHasOne) {
  PyParameter model = typed("model", PyKind::handle, "vshape_model", "shape_model");
  PyParameter name = typed("gen_param_name", PyKind::plain, "", "");
  name.default_text = "''";
  PyParameter value = typed("gen_param_value", PyKind::plain, "", "");
  value.default_text = "[]";
  PyParameter index = typed("index", PyKind::plain, "", "");
  std::vector<PyFunction> functions;
  // The instance stands between the defaults and does not count.
  functions.push_back(named("get_shape_model_param", {name, model, value, index}, {}));
  functions.push_back(named("set_shape_model_param", {name, model, value}, {}));
  std::vector<PyModule> modules = group_into_modules(functions, classes);
  const PyModule* m = find_module(modules, "vshape_model");
  ASSERT_NE(m, nullptr);
  ASSERT_EQ(m->methods.size(), 2u);
  EXPECT_EQ(m->methods[0].inputs[0].default_text, "");
  EXPECT_EQ(m->methods[0].inputs[2].default_text, "");
  EXPECT_EQ(m->methods[1].inputs[0].default_text, "''");
  EXPECT_EQ(m->methods[1].inputs[2].default_text, "[]");
}

TEST(PythonModules, EveryModuleUsedOrDerivedFromIsWritten) {
  PyParameter cont = typed("contour", PyKind::iconic_object, "vxld_cont", "xld_cont");
  PyParameter pose = typed("pose", PyKind::fixed_size_sem_tuple, "vpose", "pose");
  PyParameter image = typed("image", PyKind::iconic_object, "vimage", "image");
  std::vector<PyFunction> functions;
  functions.push_back(named("gen_contour_polygon_xld", {}, {cont}));
  functions.push_back(named("hom_mat3d_identity", {}, {pose, image}));
  std::vector<std::string> names;
  for (const PyModule& m : group_into_modules(functions, classes)) names.push_back(m.name);
  // vxld_cont derives from vxld, vxld from vobject; vpose uses vimage.
  EXPECT_EQ(names, (std::vector<std::string>{"global", "vimage", "vobject", "vpose", "vxld",
                                             "vxld_cont"}));
  std::vector<PyModule> modules = group_into_modules(functions, classes);
  EXPECT_EQ(find_module(modules, "vxld")->class_name, "VXLD");
  EXPECT_EQ(find_module(modules, "vxld")->kind, PyModuleKind::iconic_object_class);
  // vobject, written for its subclasses only, has no imports to bind.
  EXPECT_EQ(find_module(modules, "vobject")->imports_bound_by, "");
  EXPECT_EQ(find_module(modules, "vxld")->binds_imports_of, "");
}

TEST(PythonModules, TheBaseOfAClassWithSubclassesHasItsImportsBoundByThatClass) {
  PyParameter object = typed("object", PyKind::iconic_object, "vobject", "object");
  PyParameter region = typed("region", PyKind::iconic_object, "vregion", "region");
  PyParameter cont = typed("contour", PyKind::iconic_object, "vxld_cont", "xld_cont");
  PyParameter image = typed("image", PyKind::iconic_object, "vimage", "image");
  std::vector<PyFunction> functions;
  functions.push_back(named("obj_to_region", {object}, {region}));
  functions.push_back(named("image_to_region", {image}, {region}));
  std::vector<PyModule> without_subclasses = group_into_modules(functions, classes);
  // No class below VObject has subclasses: every module binds its own.
  for (const PyModule& m : without_subclasses) {
    EXPECT_EQ(m.imports_bound_by, "") << m.name;
    EXPECT_EQ(m.binds_imports_of, "") << m.name;
  }

  functions.push_back(named("gen_contour_region_xld", {region}, {cont}));
  std::vector<PyModule> modules = group_into_modules(functions, classes);
  // vobject's end would load vregion, vregion's vxld_cont, before VXLD
  // exists when vxld is imported first: vxld binds them at its end.
  EXPECT_EQ(find_module(modules, "vobject")->imports_bound_by, "vxld");
  EXPECT_EQ(find_module(modules, "vxld")->binds_imports_of, "vobject");
  for (const char* name : {"vimage", "vregion", "vxld", "vxld_cont"}) {
    EXPECT_EQ(find_module(modules, name)->imports_bound_by, "") << name;
  }
  std::map<std::string, std::string> used = used_class_modules(*find_module(modules, "vobject"));
  EXPECT_EQ(used, (std::map<std::string, std::string>{{"vregion", ""}}));
}

TEST(PythonModules, CollidingShortNamesKeepTheirFullNames) {
  PyParameter cont = typed("contours", PyKind::iconic_object, "vxld_cont", "xld_cont");
  PyParameter xld = typed("xld", PyKind::iconic_object, "vxld", "xld");
  PyParameter region = typed("region", PyKind::iconic_object, "vregion", "region");
  std::vector<PyFunction> functions;
  functions.push_back(named("convex_hull_ps", {cont}, {}));
  functions.push_back(named("convex_hull_ps_xld", {cont}, {}));
  functions.push_back(named("top_hat_region", {region}, {}));
  functions.push_back(named("top_hat", {region}, {}));
  functions.push_back(named("length_xld", {xld}, {}));
  functions.push_back(named("length_contour_xld", {cont}, {}));  // VXLD has length
  functions.push_back(named("gen_region_line", {}, {region}));
  functions.push_back(named("gen_line_region", {}, {region}));
  functions.push_back(named("get_region_area", {region}, {}));
  std::vector<PyModule> modules = group_into_modules(functions, classes);
  auto names = [](const std::vector<PyFunction>& list) {
    std::vector<std::string> result;
    for (const PyFunction& f : list) result.push_back(f.name);
    return result;
  };
  EXPECT_EQ(names(find_module(modules, "vxld_cont")->methods),
            (std::vector<std::string>{"convex_hull_ps", "convex_hull_ps_xld",
                                      "length_contour_xld"}));
  EXPECT_EQ(names(find_module(modules, "vxld")->methods), (std::vector<std::string>{"length"}));
  EXPECT_EQ(names(find_module(modules, "vregion")->methods),
            (std::vector<std::string>{"top_hat_region", "top_hat", "get_area"}));
  EXPECT_EQ(names(find_module(modules, "vregion")->free_functions),
            (std::vector<std::string>{"gen_region_line", "gen_line_region"}));
}

TEST(PythonModules, AMethodNamedLikeAnInheritedOneLeavesItItsFullName) {
  PyParameter object = typed("objects", PyKind::iconic_object, "vobject", "object");
  PyParameter xld = typed("xld", PyKind::iconic_object, "vxld", "xld");
  PyParameter cont = typed("contours", PyKind::iconic_object, "vxld_cont", "xld_cont");
  PyParameter region = typed("region", PyKind::iconic_object, "vregion", "region");
  std::vector<PyFunction> functions;
  functions.push_back(named("area_obj", {object}, {}));
  functions.push_back(named("area", {region}, {}));  // VObject's area_obj shortens to area
  functions.push_back(named("count_obj", {object}, {}));
  functions.push_back(named("count_xld", {xld}, {}));
  functions.push_back(named("count", {cont}, {}));  // two levels below VObject
  std::vector<PyModule> modules = group_into_modules(functions, classes);
  auto names = [&](const char* module) {
    std::vector<std::string> result;
    for (const PyFunction& f : find_module(modules, module)->methods) result.push_back(f.name);
    return result;
  };
  EXPECT_EQ(names("vregion"), (std::vector<std::string>{"area"}));
  EXPECT_EQ(names("vxld_cont"), (std::vector<std::string>{"count"}));
  // Every inherited method that the full name would hide takes its own.
  EXPECT_EQ(names("vobject"), (std::vector<std::string>{"area_obj", "count_obj"}));
  EXPECT_EQ(names("vxld"), (std::vector<std::string>{"count_xld"}));
}

}  // namespace
