// Every definition-file error of the lexer, the grammar and the slot checks,
// one small input each: the run stops at the first error with the message,
// the file and the line, and status 1.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

struct ErrorCase {
  const char* name;
  const char* input;     // written to x.def
  const char* expected;  // standard error
  int status;
  const char* options = "";  // before x.def
};

// A declaration with one parameter of every kind, for parameter slots.
#define OP "op <- COp[A:B:C:D];\n"
#define PARAM_A OP "parameter A: input_object;\n"
#define PARAM_C OP "parameter A: input_object;\nparameter B: output_object;\nparameter C: input_control;\n"
#define AT(line, text) "vornc error: \"x.def\", line " #line ": " text ".\n"

const ErrorCase cases[] = {
    // Lexer.
    {"unknown_language", "op <- COp[:::];\nshort.japanese: x;\n", AT(2, "Unbekannte Sprache in op"), 1},
    {"unknown_language_list", "op <- COp[:::];\nchapter.trias: x;\n", AT(2, "Unbekannte Sprache in op"), 1},
    {"unknown_language_keywords", "op <- COp[:::];\nkeywords.c: x;\n", AT(2, "Unbekannte Sprache in op"), 1},
    {"unknown_compute_device", PARAM_A "  cd_type_list.gpu: byte;\n",
     AT(3, "Unbekanntes Compute Device in op"), 1},
    {"text_not_indented", "op <- COp[:::];\nabstract: first line\nsecond line;\n",
     AT(3, "text not indented properly; possibly missing ';'"), 1},
    // Grammar.
    {"declaration_expected", "42;\n", AT(1, "operator declaration expected"), 1},
    {"corrupt_library", "library vornix system_library\n",
     AT(1, "Corrupt library definition ('<-' expected)"), 1},
    {"corrupt_class", "class Foo shape_model\n", AT(1, "Corrupt class definition ('<-' expected)"), 1},
    {"corrupt_chapter_reference", "chapter_ref Filters en_US\n", AT(1, "Corrupt chapter reference"), 1},
    {"illegal_parameter_name", "op <- COp[Img:+:];\n",
     AT(1, "illegal parameter name in operator declaration: op"), 1},
    {"arrow_expected", "op COp[:::];\n", AT(1, "'<-' expected"), 1},
    {"library_description_text", "library v <- system_library\nshort.english.german: x;\n",
     AT(2, "description text expected"), 1},
    {"library_id", "library v <- system_library\nlibid 1234;\n", AT(2, "Library ID expected"), 1},
    {"major_version", "library v <- user_library\nversion_major: abc;\n", AT(2, "Major version expected"), 1},
    {"minor_version", "library v <- user_library\nversion_minor: abc;\n", AT(2, "Minor version expected"), 1},
    {"class_description_text", "class C <- shape_model\nshort.english.german: x;\n",
     AT(2, "description text expected"), 1},
    {"interface_id", "class C <- shape_model\niid abc;\n", AT(2, "Interface ID expected"), 1},
    {"class_id", "class C <- shape_model\nclsid abc;\n", AT(2, "Class ID expected"), 1},
    {"class_chunk", "class C <- shape_model\n: x\n",
     AT(2, "class description chunk\n (short description, iid, clsid) expected"), 1},
    {"class_descriptions_entry", "class_descriptions\n  : x;\n;\n", AT(2, "<class name>:<description> expected"), 1},
    {"chapters", OP "chapter: a b;\n", AT(2, "list of chapters expected"), 1},
    {"functionality", OP "functionality: a b;\n", AT(2, "functionality expected"), 1},
    {"module_name", OP "module: a b;\n", AT(2, "module name expected"), 1},
    {"module_names", OP "dynamic_modules: 1;\n", AT(2, "module name(s) expected"), 1},
    {"category_name", OP "category: a b;\n", AT(2, "category name expected"), 1},
    {"version", OP "new_in_version: 12 1;\n", AT(2, "version expected"), 1},
    {"feature_toggles", OP "feature_toggle: 'x';\n", AT(2, "list of feature toggles expected"), 1},
    {"alternatives", OP "alternatives: 1;\n", AT(2, "list of alternatives expected"), 1},
    {"successors", OP "successor: 1;\n", AT(2, "list of successors expected"), 1},
    {"predecessors", OP "predecessor: 1;\n", AT(2, "list of predecessors expected"), 1},
    {"see_also", OP "see_also: 1;\n", AT(2, "list of operator names expected"), 1},
    {"keywords", OP "keywords.english.german: x;\n", AT(2, "list of keywords expected"), 1},
    {"parameter_descriptions", OP "parameter_descriptions\nA Foo\n",
     AT(3, "parameter descriptions expected"), 1},
    {"parameter_description_entry", OP "parameter_descriptions\n  A: x;\n  : y;\n;\n",
     AT(4, "<parameter name>:<description> expected"), 1},
    {"flags", OP "flags: a b;\n", AT(2, "list of flags expected"), 1},
    {"process_exclusively_syntax", OP "parallelization\n  process_exclusively: 1;\n",
     AT(3, "process_exclusively: {true,false,none} expected"), 1},
    {"process_exclusively_value", OP "parallelization\n  process_exclusively: maybe;\n",
     AT(3, "process_exclusively: {true,false,none} expected"), 1},
    {"process_locally", OP "parallelization\n  process_locally: none;\n",
     AT(3, "process_locally: {true,false} expected"), 1},
    {"process_mutual", OP "parallelization\n  process_mutual: 1;\n",
     AT(3, "process_mutual: {true,false} expected"), 1},
    {"method", OP "parallelization\n  method: ;\n", AT(3, "parallelization method expected"), 1},
    {"interrupt_mode", OP "parallelization\n  interrupt_mode: a b;\n", AT(3, "interrupt mode expected"), 1},
    {"compute_devices", OP "parallelization\n  compute_devices: a b;\n", AT(3, "compute devices expected"), 1},
    {"region_postprocessing", OP "parallelization\n  region_postprocessing: 1;\n",
     AT(3, "method of region postprocessing expected"), 1},
    {"domain_split_syntax", OP "parallelization\n  domain_split: x;\n", AT(3, "domain_split: integer expected"), 1},
    {"domain_split_negative", OP "parallelization\n  domain_split: -1;\n",
     AT(3, "domain_split: positive integer expected"), 1},
    {"parameter_type", OP "parameter A: input;\n", AT(2, "type of parameter 'A' expected"), 1},
    {"parameter_name", OP "parameter : input_object;\n", AT(2, "parameter name 'A' expected"), 1},
    {"default_type", PARAM_A "  default_type: 1;\n", AT(3, "default type expected"), 1},
    {"types", PARAM_A "  type_list: 1;\n", AT(3, "list of types expected"), 1},
    {"sem_type", PARAM_A "  sem_type: a b;\n", AT(3, "semantical type expected"), 1},
    {"default_value", PARAM_A "  default_value: a b;\n", AT(3, "default value expected"), 1},
    {"values", PARAM_A "  values: a b;\n", AT(3, "list of values expected"), 1},
    {"value_list", PARAM_A "  value_list: a b;\n", AT(3, "list of values expected"), 1},
    {"mixed_type", PARAM_A "  mixed_type: 1;\n", AT(3, "true/false expected"), 1},
    {"modified", PARAM_A "  modified: 1;\n", AT(3, "true/false expected"), 1},
    {"multivalue", PARAM_A "  multivalue: 1;\n", AT(3, "true/false/optional expected"), 1},
    {"multiinstance", PARAM_A "  multiinstance: 1;\n", AT(3, "true/false/optional expected"), 1},
    {"multichannel", PARAM_A "  multichannel: 1;\n", AT(3, "true/false/optional expected"), 1},
    {"value_min", PARAM_A "  value_min: a b;\n", AT(3, "number expected"), 1},
    {"value_max", PARAM_A "  value_max: a b;\n", AT(3, "number expected"), 1},
    {"step_rec", PARAM_A "  step_rec: a;\n", AT(3, "number expected"), 1},
    {"step_min", PARAM_A "  step_min: a;\n", AT(3, "number expected"), 1},
    {"costs_weight", PARAM_A "  costs_weight: a;\n", AT(3, "number expected"), 1},
    {"value_function", PARAM_A "  value_function: 1;\n", AT(3, "function name expected"), 1},
    {"value_number", PARAM_A "  value_number: A +;\n", AT(3, "boolean expression expected"), 1},
    {"assertion", PARAM_A "  assertion: (A;\n", AT(3, "boolean expression expected"), 1},
    {"postprocessing", PARAM_A "  postprocessing: 1;\n", AT(3, "list of postprocessing options expected"), 1},
    {"file_ext", PARAM_A "  file_ext: a b;\n", AT(3, "list of file extensions expected"), 1},
    {"file_ext_descr", PARAM_A "  file_ext_descr: a b;\n",
     AT(3, "list of file extension descriptions expected"), 1},
    // Errors met after the declaration's or the parameter block's start,
    // whose names the error alternatives quote.
    {"text_without_colon_in_parameter", PARAM_A "  description.english ;\n",
     AT(3, "type of parameter 'A' expected"), 1},
    {"text_without_colon_after_declaration", "op <- COp[:::];\nshort ;]\n",
     AT(2, "illegal parameter name in operator declaration: op"), 1},
    {"type_flag_letter", "op <- COp[::A$x:];\n", AT(1, "type flag expected: 'x' is no type flag"), 1},
    {"type_flag_missing", "op <- COp[::A$1:];\n", AT(1, "type flag expected"), 1},
    {"empty_value", OP "chapter: , a;\n", AT(2, "empty value in value list"), 1},
    {"empty_keyword", OP "keywords: , a;\n", AT(2, "empty value in keyword list"), 1},
    {"splitting_list", "op <- COp[A:::];\nparallelization\n  method: split_tuple[A B];\n",
     AT(3, "illegal splitting list for split_tuple"), 1},
    {"splitting_specification", "op <- COp[A:::];\nparallelization\n  method: split_tuple 1;\n",
     AT(3, "illegal parameter splitting given for split_tuple"), 1},
    {"expression_operand", PARAM_A "  value_number: E > 0;\n", AT(3, "E not contained in the parameter list"), 1},
    {"chapter_locale", "chapter_ref: X <- fr_FR\n", AT(1, "Unsupported language 'fr_FR' for chapter\n"), 1},
    {"user_chapter_in_library_build", "chapter_ref: X <- user_chapter\n",
     AT(1, "Unsupported language 'user_chapter' for chapter\n"), 1, "-s"},
    {"block_locale", "op <- COp[:::];\nop <- fr_FR\n", AT(3, "Unsupported language 'fr_FR' for op\n"), 1},
    {"unknown_operator", "nosuch <- de_DE\nshort: x;\n",
     "vornc error: Language information for unknown operator nosuch\n", 255},
    // Operator-level slots.
    {"references_twice", OP "references: a;\nreferences: b;\n",
     AT(3, "'references' darf nur einmal pro Operator vorkommen"), 1},
    {"flags_twice", OP "flags: a;\nflags: b;\n", AT(3, "'flags' darf nur einmal pro Operator vorkommen"), 1},
    {"functionality_twice", OP "functionality: image;\nfunctionality: region;\n",
     AT(3, "'functionality' darf nur einmal pro Operator vorkommen"), 1},
    {"alternatives_twice", OP "alternatives: a;\nalternatives: b;\n",
     AT(3, "'alternatives' darf nur einmal pro Operator vorkommen"), 1},
    {"see_also_twice", OP "see_also: a;\nsee_also: b;\n",
     AT(3, "'see_also' darf nur einmal pro Operator vorkommen"), 1},
    {"successor_twice", OP "successor: a;\nsuccessor: b;\n",
     AT(3, "'successor' darf nur einmal pro Operator vorkommen"), 1},
    {"predecessor_twice", OP "predecessor: a;\npredecessor: b;\n",
     AT(3, "'predecessor' darf nur einmal pro Operator vorkommen"), 1},
    {"feature_toggle_twice", OP "feature_toggle: a;\nfeature_toggle: b;\n",
     AT(3, "'feature_toggle' darf nur einmal pro Operator vorkommen"), 1},
    {"module_twice_same", OP "module: foundation;\nmodule: foundation;\n",
     AT(3, "'module' darf nur einmal pro Operator vorkommen"), 1},
    {"module_unknown", OP "module: vision;\n", AT(2, "in operator 'op': module 'vision' not allowed"), 1},
    {"module_none_in_package", OP "module: none;\n", AT(2, "in operator 'op': module 'none' not allowed"), 1},
    {"dynamic_modules_twice", OP "dynamic_modules: matching;\ndynamic_modules: ocr_ocv;\n",
     AT(3, "'dynamic_modules' may only appear once per operator"), 1},
    {"dynamic_modules_empty", OP "dynamic_modules: ;\n", AT(2, "module name(s) expected XXX"), 1},
    {"dynamic_modules_unknown", OP "dynamic_modules: matching, vision;\n",
     AT(2, "in operator 'op': module 'vision' not allowed"), 1},
    {"category_twice", OP "category: other;\ncategory: other;\n",
     AT(3, "'category' may only appear once per operator"), 1},
    {"category_unknown", OP "category: misc;\n", AT(2, "unknown category 'misc' in operator op"), 1},
    {"version_major_too_small", OP "new_in_version: 11.0;\n", AT(2, "incorrect value for 'new_in_version'"), 1},
    {"version_not_a_number", OP "new_in_version: 12.x;\n", AT(2, "incorrect value for 'new_in_version'"), 1},
    {"functionality_empty_entry", OP "functionality: image,;\n",
     AT(2, "in operator 'op': functionality not given\n"), 1},
    {"functionality_unknown", OP "functionality: picture.read;\n",
     AT(2, "in operator 'op': slot 'functionality': parameter 'picture' not allowed"), 1},
    {"interrupt_mode_word", "op <- COp[A:::];\nparallelization\n  interrupt_mode: stop;\n",
     AT(3, "in operator 'op': slot 'interrupt_mode': parameter 'stop' not allowed"), 1},
    {"interrupt_mode_empty_entry", "op <- COp[A:::];\nparallelization\n  interrupt_mode: break,;\n",
     AT(3, "in operator 'op': slot 'interrupt_mode' is empty\n"), 1},
    {"compute_device_word", "op <- COp[A:::];\nparallelization\n  compute_devices: cuda;\n",
     AT(3, "in operator 'op': slot 'compute_devices': parameter 'cuda' not allowed"), 1},
    {"method_twice", "op <- COp[A:::];\nparallelization\n  method: split_domain;\n  method: none;\n",
     AT(4, "'method' may only be used once per operator"), 1},
    {"method_without_iconic_input", "op <- COp[:A::];\nparallelization\n  method: split_domain;\n",
     AT(3, "In operator \"op\" the parallelization method must not be 'split_domain' because there "
           "are no iconic input parameters!\n"), 1},
    {"region_postprocessing_twice",
     "op <- COp[A:::];\nparallelization\n  region_postprocessing: a;\n  region_postprocessing: b;\n",
     AT(4, "'region_postprocessing' may only be used once per operator"), 1},
    // Parameter blocks and parameter-level slots.
    {"too_many_parameters", "op <- COp[A:::];\nparameter A: input_object;\nparameter B: input_object;\n",
     AT(3, "too many parameters in operator op"), 1},
    {"wrong_parameter_name", OP "parameter B: output_object;\n",
     AT(2, "wrong parameter name in operator op: 'B' instead of 'A'"), 1},
    {"wrong_parameter_class", OP "parameter A: output_object;\n",
     AT(2, "wrong parameter class for A in operator op: output_object instead of input_object"), 1},
    {"default_type_twice", PARAM_C "  default_type: real;\n  default_type: real;\n",
     AT(6, "'default_type' may only be used once per parameter"), 1},
    {"default_type_word", PARAM_C "  default_type: float;\n",
     AT(5, "in operator 'op': slot 'default_type': parameter 'float' not allowed"), 1},
    {"type_list_twice", PARAM_A "  type_list: byte;\n  type_list: real;\n",
     AT(4, "'type_list' may only be used once per parameter"), 1},
    {"type_list_pixel_type_on_control", PARAM_C "  type_list: byte;\n",
     AT(5, "in operator 'op': slot 'type_list': parameter 'byte' not allowed"), 1},
    {"cd_type_list_twice", PARAM_A "  cd_type_list.opencl: byte;\n  cd_type_list.opencl: real;\n",
     AT(4, "'cd_type_list' may only be used once per parameter"), 1},
    {"cd_type_list_word", PARAM_A "  cd_type_list.opencl: float;\n",
     AT(3, "in operator 'op': slot 'cd_type_list': parameter 'float' not allowed"), 1},
    {"cd_value_list_twice", PARAM_A "  cd_value_list.object: 1;\n  cd_value_list.object: 2;\n",
     AT(4, "'cd_value_list' may only be used once per parameter"), 1},
    {"sem_type_twice", PARAM_A "  sem_type: image;\n  sem_type: image;\n",
     AT(4, "'sem_type' may only be used once per parameter"), 1},
    {"sem_type_unknown", PARAM_A "  sem_type: picture;\n",
     AT(3, "in operator 'op': slot 'sem_type': unknown object class 'picture'"), 1},
    {"sem_type_without_values", PARAM_A "  sem_type: any;\n",
     AT(3, "in operator 'op': slot 'sem_type': object class 'any' not allowed"), 1},
    {"sem_type_group_broken",
     "op <- COp[::R,C:];\nparameter R: input_control;\n  sem_type: rectangle2.center.y;\n"
     "parameter C: input_control;\n  sem_type: point.x;\n",
     AT(5, "in operator 'op': wrong 'sem_type' : 'point.x'; expected still 4 times 'rectangle2'"), 1},
    {"sem_type_group_incomplete",
     "op <- COp[::R$F,C$F:];\nparameter R: input_control;\n  sem_type: circle.center.y;\n"
     "parameter C: input_control;\n  sem_type: circle.center.x;\n",
     AT(6, "in operator 'op': wrong 'sem_type': 'circle' for the last parameter\n"
           "1 parameters with the same type are still missing"), 1},
    {"mixed_type_twice", PARAM_A "  mixed_type: true;\n  mixed_type: true;\n",
     AT(4, "'mixed_type' may only be used once per parameter"), 1},
    {"mixed_type_word", PARAM_A "  mixed_type: optional;\n",
     AT(3, "in operator 'op': slot 'mixed_type': parameter 'optional' not allowed"), 1},
    {"multivalue_twice", PARAM_A "  multivalue: true;\n  multivalue: true;\n",
     AT(4, "'multivalue' may only be used once per parameter"), 1},
    {"multivalue_word", PARAM_A "  multivalue: vector_2;\n",
     AT(3, "in operator 'op': slot 'multivalue': parameter 'vector_2' not allowed"), 1},
    {"multiinstance_twice", PARAM_A "  multiinstance: true;\n  multiinstance: true;\n",
     AT(4, "'multiinstance' may only be used once per parameter"), 1},
    {"modified_twice", PARAM_A "  modified: true;\n  modified: true;\n",
     AT(4, "'modified' may only be used once per parameter"), 1},
    {"modified_word", PARAM_A "  modified: optional;\n",
     AT(3, "in operator 'op': slot 'modified': parameter 'optional' not allowed"), 1},
    {"multichannel_twice", PARAM_A "  multichannel: true;\n  multichannel: true;\n",
     AT(4, "'multichannel' may only be used once per parameter"), 1},
    {"default_value_twice", PARAM_A "  default_value: 1;\n  default_value: 2;\n",
     AT(4, "'default_value' may only be used once per parameter"), 1},
    {"values_twice", PARAM_A "  values: 1;\n  values: 2;\n", AT(4, "'values' may only be used once per parameter"), 1},
    {"value_list_twice", PARAM_A "  value_list: 1;\n  value_list: 2;\n",
     AT(4, "'value_list' may only be used once per parameter"), 1},
    {"value_min_twice", PARAM_A "  value_min: 1;\n  value_min: 2;\n",
     AT(4, "'value_min' may only be used once per parameter"), 1},
    {"value_max_twice", PARAM_A "  value_max: 1;\n  value_max: 2;\n",
     AT(4, "'value_max' may only be used once per parameter"), 1},
    {"value_function_twice", PARAM_A "  value_function: lin;\n  value_function: log;\n",
     AT(4, "'value_function' may only be used once per parameter"), 1},
    {"value_function_word", PARAM_A "  value_function: cube;\n",
     AT(3, "in operator 'op': slot 'value_function': parameter 'cube' not allowed"), 1},
    {"value_number_twice", PARAM_A "  value_number: 1;\n  value_number: 2;\n",
     AT(4, "'value_number' may only be used once per parameter"), 1},
    {"step_rec_twice", PARAM_A "  step_rec: 1;\n  step_rec: 2;\n",
     AT(4, "'step_rec' may only be used once per parameter"), 1},
    {"step_min_twice", PARAM_A "  step_min: 1;\n  step_min: 2;\n",
     AT(4, "'step_min' may only be used once per parameter"), 1},
    {"assertion_twice", PARAM_A "  assertion: A > 1;\n  assertion: A > 2;\n",
     AT(4, "'assertion' may only be used once per parameter"), 1},
    {"postprocessing_twice", PARAM_A "  postprocessing: a;\n  postprocessing: b;\n",
     AT(4, "'postprocessing' may only be used once per parameter"), 1},
    {"file_ext_twice", PARAM_A "  file_ext: tif;\n  file_ext: png;\n",
     AT(4, "'file_Ext' may only be used once per parameter"), 1},
    // Declaration checks.
    {"input_multivalue_inconsistent", "op <- COp[::R$F:];\nparameter R: input_control;\n  multivalue: false;\n",
     AT(4, "parameter R: multivalue: false inconsistent with declaration op[R$F]\n"), 1},
    {"input_default_type_inconsistent", "op <- COp[::R$i:];\nparameter R: input_control;\n  default_type: real;\n",
     AT(4, "parameter R: default_type: real inconsistent with declaration op[R$i]\n"), 1},
    {"input_no_default_type", "op <- COp[::R:];\nparameter R: input_control;\n  multivalue: true;\n",
     AT(4, "no default_type for parameter 'R'\n"), 1},
    {"input_no_multivalue", "op <- COp[::R:];\nparameter R: input_control;\n  default_type: real;\n",
     AT(4, "no multivalue for parameter 'R'\n"), 1},
    {"output_multivalue_inconsistent", "op <- COp[:::R$I];\nparameter R: output_control;\n  multivalue: true;\n",
     AT(4, "parameter R: 'multivalue' true inconsistent with declaration R $I\n"), 1},
    {"output_default_type_inconsistent",
     "op <- COp[:::R$s];\nparameter R: output_control;\n  default_type: integer;\n",
     AT(4, "parameter R: 'default_type' integer inconsistent with declaration R $s\n"), 1},
    {"output_no_default_type", "op <- COp[:::R];\nparameter R: output_control;\n  multivalue: true;\n",
     AT(4, "no 'default_type' for parameter 'R'\n"), 1},
    {"output_no_multivalue", "op <- COp[:::R];\nparameter R: output_control;\n  default_type: real;\n",
     AT(4, "no 'multivalue' for parameter 'R'\n"), 1},
    // Warnings do not stop the run.
    {"no_sem_type_warning",
     "op <- COp[A:::];\nmodule: foundation;\nparameter A: input_object;\n  description: An image.;\n",
     "vornc warning: \"x.def\", line 5: no sem_type in operator 'op', parameter 'A'.\n", 0},
    {"class_without_information", "class_descriptions\n  image: An image.;\n;\n",
     "vornc warning: No class information for class 'image'\n", 0},
};

std::string run_vornc(const ErrorCase& c, int& status) {
  char dir_template[] = "/tmp/vornc-def-errors-XXXXXX";
  std::string dir = mkdtemp(dir_template);
  std::ofstream(dir + "/x.def", std::ios::binary) << c.input;
  std::string command = "cd " + dir + " && " + VORNC_BINARY + " -m " + c.options +
                        " x.def 2>&1 >/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  int raw = pclose(pipe);
  status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::system(("rm -rf " + dir).c_str());
  return output;
}

TEST(DefinitionErrors, EveryMessageWithFileAndLine) {
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.name);
    int status = 0;
    std::string stderr_text = run_vornc(c, status);
    EXPECT_EQ(stderr_text, c.expected);
    EXPECT_EQ(status, c.status);
  }
}

// The parser's stack is bounded: an expression nested ten thousand levels
// deep is reported at its line instead of the generic syntax-error text.
TEST(DefinitionErrors, NestingTooDeep) {
  std::string input = PARAM_A "  value_number: " + std::string(12000, '(') + "A" +
                      std::string(12000, ')') + ";\n";
  ErrorCase c{"nesting", input.c_str(), AT(3, "nesting too deep"), 1};
  int status = 0;
  EXPECT_EQ(run_vornc(c, status), c.expected);
  EXPECT_EQ(status, 1);
}

// A documentation text of 24 MB is read in one pass: rescanning the text
// under way at every input refill would take minutes. The line counter
// still counts every line of it.
TEST(DefinitionErrors, LineAfterAVeryLongText) {
  const int text_lines = 300000;
  std::string input = "op <- COp[:::];\nabstract: start\n";
  std::string line = "  " + std::string(76, 'x') + "\n";
  input.reserve(input.size() + line.size() * text_lines + 32);
  for (int i = 0; i < text_lines; ++i) input += line;
  input += "  end;\nmodule: a b;\n";
  std::string expected = "vornc error: \"x.def\", line " + std::to_string(text_lines + 4) +
                         ": module name expected.\n";
  ErrorCase c{"long_text", input.c_str(), expected.c_str(), 1};
  int status = 0;
  EXPECT_EQ(run_vornc(c, status), expected);
  EXPECT_EQ(status, 1);
}

// -d turns on the grammar's own state-by-state trace on standard error.
TEST(DefinitionErrors, ParserTraceOnStandardError) {
  ErrorCase c{"trace", "op <- COp[:::];\nmodule: foundation;\n", "", 0, "-d"};
  int status = 0;
  std::string trace = run_vornc(c, status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(trace.rfind("Starting parse\nEntering state 0\n", 0), 0u);
  EXPECT_NE(trace.find("Shifting token IDENTIFIER ("), std::string::npos);
  EXPECT_NE(trace.find("Now at end of input.\n"), std::string::npos);
}

}  // namespace
