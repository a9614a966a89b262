// The writers of the Python interface: line wrapping of docstrings,
// annotations, the length limit of one-line signatures, call bodies,
// docstring rules and errors.py.
#include <gtest/gtest.h>

#include "gen/python/python_writers.h"

namespace {

const PyLayout flat{false};
const PyLayout classes{true};

PyParameter param(const std::string& name, const std::string& type,
                  PyMultiplicity multiplicity = PyMultiplicity::single) {
  PyParameter p;
  p.name = name;
  p.element_type = type;
  p.multiplicity = multiplicity;
  p.description = "Text.";
  return p;
}

TEST(PythonWrap, BreaksAtBlanksAndLineBreaks) {
  // 71 characters fit on a line of width 70; the 72nd moves the last word.
  std::string fits(71, 'a');
  EXPECT_EQ(wrap_lines(fits, 70), std::vector<std::string>{fits});
  std::string text = std::string(60, 'a') + " " + std::string(20, 'b');
  EXPECT_EQ(wrap_lines(text, 70),
            (std::vector<std::string>{std::string(60, 'a'), std::string(20, 'b')}));
  // No blank in the window: cut after width + 1 characters.
  std::string word(100, 'c');
  EXPECT_EQ(wrap_lines(word, 70),
            (std::vector<std::string>{std::string(71, 'c'), std::string(29, 'c')}));
  // Line breaks end lines, leading blanks go, an empty line stays empty.
  EXPECT_EQ(wrap_lines("first  \n   second\n\nthird", 70),
            (std::vector<std::string>{"first", "second", "", "third"}));
  EXPECT_TRUE(wrap_lines("", 70).empty());
  EXPECT_TRUE(wrap_lines("   ", 70).empty());
}

TEST(PythonAnnotations, WrappersAndForwardReferences) {
  EXPECT_EQ(annotation_text(param("a", "int"), flat), "int");
  EXPECT_EQ(annotation_text(param("a", "int", PyMultiplicity::sequence), flat), "Sequence[int]");
  EXPECT_EQ(annotation_text(param("a", "int", PyMultiplicity::maybe_sequence), flat),
            "MaybeSequence[int]");
  PyParameter optional = param("a", "str");
  optional.optional = true;
  EXPECT_EQ(annotation_text(optional, flat), "Optional[str]");
  PyParameter raw = param("a", "VTupleType", PyMultiplicity::maybe_sequence);
  raw.raw_annotation = true;
  EXPECT_EQ(annotation_text(raw, flat), "VTupleType");

  PyParameter image = param("image", "VImage", PyMultiplicity::sequence);
  image.kind = PyKind::iconic_object;
  image.module = "vimage";
  EXPECT_EQ(annotation_text(image, classes), "Sequence['vimage.VImage']");
  image.element_type = "VObject";
  EXPECT_EQ(annotation_text(image, flat), "Sequence[VObject]");

  // Inside its own module a class goes by its name: the module has no name
  // of itself to resolve.
  image.element_type = "VImage";
  EXPECT_EQ(annotation_text(image, classes, "vimage"), "Sequence['VImage']");
  EXPECT_EQ(annotation_text(image, classes, "vregion"), "Sequence['vimage.VImage']");
}

TEST(PythonSignature, OneLineUpToTheEstimateOf79) {
  PyFunction f;
  f.name = "op";
  // Per parameter: name, type and default lengths plus 4; here 10 + 61 + 4.
  f.inputs = {param(std::string(10, 'a'), std::string(61, 't'))};
  f.inputs.push_back(param("b", ""));  // 1 + 0 + 4: estimate 80
  Writer wrapped;
  write_signature(wrapped, f, "", flat);
  EXPECT_EQ(wrapped.text(), "def op(\n    aaaaaaaaaa: " + std::string(61, 't') +
                                ",\n    b: \n) -> None:\n");

  f.inputs.back().name = "";  // estimate 79
  Writer one_line;
  write_signature(one_line, f, "", flat);
  EXPECT_EQ(one_line.text(), "def op(aaaaaaaaaa: " + std::string(61, 't') + ", : ) -> None:\n");
}

TEST(PythonSignature, MethodsDefaultsAndReturns) {
  PyFunction f;
  f.name = "set_param";
  f.instance = 0;
  f.inputs = {param("model", "VShapeModel"), param("gen_param_name", "str")};
  f.inputs[1].default_text = "''";
  Writer out;
  write_signature(out, f, "    ", flat);
  EXPECT_EQ(out.text(), "    def set_param(self, gen_param_name: str = '') -> None:\n");

  f.inputs.resize(1);
  f.outputs = {param("a", "int"), param("b", "float", PyMultiplicity::sequence)};
  Writer tuple;
  write_signature(tuple, f, "    ", flat);
  EXPECT_EQ(tuple.text(), "    def set_param(self) -> Tuple[int, Sequence[float]]:\n");

  // The multi-line form of a method keeps self on its own line.
  f.inputs.push_back(param(std::string(40, 'x'), std::string(40, 'y')));
  f.outputs.resize(1);
  Writer long_method;
  write_signature(long_method, f, "    ", flat);
  EXPECT_EQ(long_method.text(), "    def set_param(\n        self,\n        " +
                                    std::string(40, 'x') + ": " + std::string(40, 'y') +
                                    "\n    ) -> int:\n");
}

TEST(PythonBody, InputNumbersAndOutputValues) {
  PyFunction f;
  f.name = "paint";
  f.proc_number = 42;
  PyParameter region = param("region", "VObject");
  region.kind = PyKind::iconic_object;
  PyParameter pose = param("pose", "VPose", PyMultiplicity::sequence);
  pose.kind = PyKind::fixed_size_sem_tuple;
  pose.module = "vpose";
  f.inputs = {param("value", "int"), region, pose, region};
  f.inputs[3].name = "image";
  f.outputs = {region, param("count", "int")};
  Writer out;
  write_inputs(out, f, "    ");
  EXPECT_EQ(out.text(),
            "        proc.set_input_tuple(0, value)\n"
            "        proc.set_input_object(1, region)\n"
            "        proc.set_input_tuple(1, sem_tuples_to_sequence(pose))\n"
            "        proc.set_input_object(2, image)\n");

  Writer outputs;
  write_outputs(outputs, f, "", "operator_set", flat);
  EXPECT_EQ(outputs.text(),
            "    proc.init_oct(0)\n"
            "    proc.execute()\n"
            "    return (\n"
            "        VObject(proc.get_output_object_key(1)),  # region\n"
            "        proc.get_output_tuple_s(0)   # count\n"
            "    )  # type: ignore\n");

  f.outputs = {pose};
  Writer fixed;
  write_outputs(fixed, f, "", "vimage", classes);
  EXPECT_EQ(fixed.text(),
            "    proc.init_oct(0)\n"
            "    proc.execute()\n"
            "    pose = VPose_from_raw_m(proc.get_output_tuple_m(0))\n"
            "    return pose  # type: ignore\n");

  f.outputs = {param("maybe", "int", PyMultiplicity::maybe_sequence)};
  Writer failing;
  EXPECT_THROW(write_outputs(failing, f, "", "operator_set", flat), PythonGenError);
}

TEST(PythonBody, ClassValuesOutsideAndInsideTheirModule) {
  PyFunction f;
  PyParameter region = param("region", "VRegion");
  region.kind = PyKind::iconic_object;
  region.module = "vregion";
  f.outputs = {region};
  Writer other;
  write_outputs(other, f, "", "vimage", classes);
  EXPECT_NE(other.text().find("region = vregion.VRegion(proc.get_output_object_key(1))\n"),
            std::string::npos);
  Writer own;
  write_outputs(own, f, "", "vregion", classes);
  EXPECT_NE(own.text().find("region = VRegion(proc.get_output_object_key(1))\n"),
            std::string::npos);
}

TEST(PythonDocstring, SkippedWhenAnInputIsUndocumented) {
  PyFunction f;
  f.short_description = "Short.";
  f.inputs = {param("a", "int"), param("b", "int")};
  f.inputs[1].description.clear();
  Writer none;
  write_docstring(none, f, "    ", flat);
  EXPECT_EQ(none.text(), "");

  f.inputs.resize(1);
  f.outputs = {param("c", "float")};
  f.see_also = {"x", "y"};
  f.warnings = "Careful.";
  Writer out;
  write_docstring(out, f, "    ", flat);
  EXPECT_EQ(out.text(),
            "    \"\"\"\n"
            "    Short.\n"
            "\n"
            "    Parameters\n"
            "    ----------\n"
            "\n"
            "    a : int\n"
            "    Text.\n"
            "\n"
            "    Returns\n"
            "    -------\n"
            "\n"
            "    c : float\n"
            "    Text.\n"
            "\n"
            "    See Also\n"
            "    --------\n"
            "    x, y\n"
            "\n"
            "    Warnings\n"
            "    --------\n"
            "    Careful.\n"
            "    \"\"\"\n");
}

TEST(PythonDocstring, BackslashesAndTripleQuotesStayInsideTheString) {
  PyFunction f;
  f.short_description = "Uses \\Vornix and \\NEG with \"\"\"quotes\"\"\".";
  Writer out;
  write_docstring(out, f, "", flat);
  EXPECT_EQ(out.text(),
            "\"\"\"\nUses \\\\Vornix and \\\\NEG with \\\"\\\"\\\"quotes\\\"\\\"\\\".\n\"\"\"\n");
}

TEST(PythonErrors, ConstantsWithoutFinalLineBreak) {
  Writer out;
  write_errors_module(out, {{"V_ERR_A", "1", "First error"}, {"V_MSG_B", "2", ""}});
  EXPECT_EQ(out.text(),
            "# Note: According to the PEP8, constants are usually defined\n"
            "# on a module level and written in all capital letters with\n"
            "# underscores separating words.\n"
            "\n"
            "# Above is a convention, it doesn't actually prevent reassignment.\n"
            "\n"
            "\n#: First error\nV_ERR_A = 1"
            "\n#: \nV_MSG_B = 2");
}

TEST(PythonBody, SemanticTuplesPassedOneAtATimeAsSequencesOfOne) {
  PyParameter function = param("function", "VFunction1D", PyMultiplicity::sequence);
  function.kind = PyKind::sem_tuple;
  function.module = "vfunction_1d";
  PyFunction f;
  f.inputs = {function, param("size", "int"), function, function};
  f.inputs[2].name = "others";
  f.inputs[3].name = "maybe";
  f.inputs[3].multiplicity = PyMultiplicity::maybe_sequence;
  f.instance = 0;
  Writer out;
  write_inputs(out, f, "");
  EXPECT_EQ(out.text(),
            "    proc.set_input_tuple(0, sem_tuples_to_sequence([self]))\n"
            "    proc.set_input_tuple(1, size)\n"
            "    proc.set_input_tuple(2, sem_tuples_to_sequence(others))\n"
            "    proc.set_input_tuple(3, sem_tuples_to_sequence(\n"
            "        maybe if isinstance(maybe, Sequence) else [maybe]))\n");
}

TEST(PythonBody, HandleOutputsInTheirClass) {
  PyParameter model = param("model_id", "VShapeModel");
  model.kind = PyKind::handle;
  model.module = "vshape_model";
  PyFunction f;
  f.outputs = {model};
  Writer single;
  write_outputs(single, f, "", "vimage", classes);
  EXPECT_NE(single.text().find(
                "    model_id = vshape_model.VShapeModel(proc.get_output_tuple_s(0))\n"),
            std::string::npos);
  f.outputs[0].multiplicity = PyMultiplicity::sequence;
  Writer own;
  write_outputs(own, f, "", "vshape_model", classes);
  EXPECT_NE(own.text().find("    model_id = [VShapeModel(handle) for handle in "
                            "proc.get_output_tuple_m(0)]\n"),
            std::string::npos);
  // A plain handle comes as the runtime returns it.
  f.outputs = {param("handle", "VHandleBase")};
  Writer plain;
  write_outputs(plain, f, "", "global", classes);
  EXPECT_NE(plain.text().find("    handle = proc.get_output_tuple_s(0)\n"), std::string::npos);
}

PyModule module_with(const std::string& sem_type, const std::string& class_name,
                     std::vector<PyFunction> methods) {
  PyModule m;
  m.name = "v" + sem_type;
  m.sem_type = sem_type;
  m.class_name = class_name;
  m.kind = PyModuleKind::iconic_object_class;
  m.methods = std::move(methods);
  return m;
}

TEST(PythonModule, OnlyTheBaseModuleIsImportedBeforeTheClass) {
  PyParameter region = param("region", "VRegion");
  region.kind = PyKind::iconic_object;
  region.module = "vregion";
  PyParameter cont = param("contours", "VXLDCont");
  cont.kind = PyKind::iconic_object;
  cont.module = "vxld_cont";
  PyParameter pose = param("pose", "VPose");
  pose.kind = PyKind::fixed_size_sem_tuple;
  pose.module = "vpose";
  PyFunction f;
  f.name = "gen_contour";
  f.proc_number = 7;
  f.instance = 0;
  f.inputs = {region, pose};
  f.outputs = {cont};
  Writer out;
  write_module(out, module_with("region", "VRegion", {f}), classes);
  const std::string& text = out.text();
  size_t base = text.find("from . import vobject\n");
  size_t class_line = text.find("\n\nclass VRegion(vobject.VObject):\n");
  ASSERT_NE(base, std::string::npos);
  ASSERT_NE(class_line, std::string::npos);
  EXPECT_LT(base, class_line);
  // The other modules follow the class, at the end of the module.
  std::string end = "        return contours  # type: ignore\n\n"
                    "\nfrom . import vpose\nfrom .vpose import VPose_from_raw_s, VPose_from_raw_m\n"
                    "from . import vxld_cont\n";
  ASSERT_GE(text.size(), end.size());
  EXPECT_EQ(text.substr(text.size() - end.size()), end);
  EXPECT_EQ(text.find("TYPE_CHECKING"), std::string::npos);

  // A module whose imports another module binds: the type checker learns
  // them at the top, a function binds them as module names, and the module
  // ends by importing the module that calls it.
  PyModule object = module_with("object", "VObject", {f});
  object.methods[0].inputs[0].module = "vobject";
  object.imports_bound_by = "vxld";
  Writer deferred;
  write_module(deferred, object, classes);
  EXPECT_NE(deferred.text().find("from typing import TYPE_CHECKING\nif TYPE_CHECKING:\n"
                                 "    from . import vpose\n    from . import vxld_cont\n"
                                 "\n\nclass VObject(VObjectBase):\n"),
            std::string::npos);
  std::string deferred_end =
      "        return contours  # type: ignore\n\n"
      "\ndef _import_class_modules() -> None:\n"
      "    \"\"\"Binds the class modules used here; the end of vxld calls it.\"\"\"\n"
      "    global vpose, VPose_from_raw_s, VPose_from_raw_m, vxld_cont\n"
      "    from . import vpose\n    from .vpose import VPose_from_raw_s, VPose_from_raw_m\n"
      "    from . import vxld_cont\n"
      "\n\nfrom . import vxld\n";
  ASSERT_GE(deferred.text().size(), deferred_end.size());
  EXPECT_EQ(deferred.text().substr(deferred.text().size() - deferred_end.size()), deferred_end);
  // The bodies use the module names, as everywhere.
  EXPECT_NE(deferred.text().find("            contours = vxld_cont.VXLDCont("), std::string::npos);

  // The module that binds them calls that function after its own imports.
  PyModule xld = module_with("xld", "VXLD", {f});
  xld.binds_imports_of = "vobject";
  Writer binding;
  write_module(binding, xld, classes);
  std::string binding_end = "\nfrom . import vpose\nfrom .vpose import VPose_from_raw_s, "
                            "VPose_from_raw_m\nfrom . import vregion\nfrom . import vxld_cont\n"
                            "vobject._import_class_modules()\n";
  ASSERT_GE(binding.text().size(), binding_end.size());
  EXPECT_EQ(binding.text().substr(binding.text().size() - binding_end.size()), binding_end);
}

}  // namespace
