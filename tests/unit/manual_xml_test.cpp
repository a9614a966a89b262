// The reference manual's small rules: the semantic type text of a
// parameter, the Python spelling of parameter names and types, the
// result-state substitution, the C type of the single-value signature, and
// the parameter syntax elements.
#include <gtest/gtest.h>

#include "classes/handle_types.h"
#include "gen/manual/manual_writers.h"
#include "gen/manual/manual_xml.h"
#include "driver/settings.h"

namespace {

Parameter control(const std::string& sem_type, const std::string& multivalue,
                  std::vector<std::string> type_list = {}) {
  Parameter param;
  param.group = group_input_control;
  param.kind = param_kind_text(group_input_control);
  param.name = "Value";
  param.sem_type = sem_type;
  param.multivalue = multivalue;
  param.type_list = std::move(type_list);
  return param;
}

class ManualRules : public testing::Test {
 protected:
  void SetUp() override {
    mutable_settings().warnings_suppressed = false;
    init_handle_types("demo");
  }
};

TEST_F(ManualRules, SemanticTypeTextCombinesChannelTypeAndMultiplicity) {
  EXPECT_EQ(semantic_type_text(control("number", "vector_1")), "number-vector{1}");
  EXPECT_EQ(semantic_type_text(control("number", "vector")), "number-vector");
  EXPECT_EQ(semantic_type_text(control("number", "true")), "number-array");
  EXPECT_EQ(semantic_type_text(control("number", "optional")), "number(-array)");
  EXPECT_EQ(semantic_type_text(control("number", "false")), "number");

  Parameter image = control("image", "");
  image.edit_extras().multichannel = "true";
  EXPECT_EQ(semantic_type_text(image), "multichannel-image");
  image.edit_extras().multichannel = "false";
  EXPECT_EQ(semantic_type_text(image), "singlechannelimage");  // no hyphen
  image.edit_extras().multichannel = "optional";
  EXPECT_EQ(semantic_type_text(image), "(multichannel-)image");
}

TEST_F(ManualRules, HandleTypesTakeTheirMultiplicityFromMultiinstance) {
  Parameter handle = control("shape_model", "false");
  handle.edit_extras().multiinstance = "true";
  EXPECT_EQ(semantic_type_text(handle), "shape_model-array");
  // A multivalue that begins with v still decides.
  handle.multivalue = "vector";
  EXPECT_EQ(semantic_type_text(handle), "shape_model-vector");
  // Other types ignore multiinstance.
  Parameter number = control("number", "false");
  number.edit_extras().multiinstance = "true";
  EXPECT_EQ(semantic_type_text(number), "number");
}

TEST_F(ManualRules, PythonNamesAreSnakeCaseWithoutKeywords) {
  EXPECT_EQ(python_parameter_name("MinGray"), "min_gray");
  EXPECT_EQ(python_parameter_name("ModelID"), "model_id");
  EXPECT_EQ(python_parameter_name("Image1"), "image_1");
  EXPECT_EQ(python_parameter_name("HomMat2D"), "hom_mat_2d");
  EXPECT_EQ(python_parameter_name("Row_1"), "row_1");
  EXPECT_EQ(python_parameter_name("Lambda"), "lambda_val");
  EXPECT_EQ(python_parameter_name("From"), "from_val");
}

TEST_F(ManualRules, PythonAnnotationsFollowKindMultiplicityAndTypeList) {
  EXPECT_EQ(python_annotation(control("number", "false", {"real"})), "float");
  EXPECT_EQ(python_annotation(control("number", "true", {"integer", "real"})),
            "Sequence[Union[int, float]]");
  EXPECT_EQ(python_annotation(control("string", "optional", {"string"})), "MaybeSequence[str]");
  // Without a type list, or with all four types, the element type is open.
  EXPECT_EQ(python_annotation(control("number", "false")), "VTupleElementType");
  EXPECT_EQ(python_annotation(control("number", "true", {"integer", "real", "string", "handle"})),
            "Sequence[VTupleElementType]");
  EXPECT_EQ(python_annotation(control("number", "optional")), "VTupleType");
  // Handles (but not the generic handle type) and iconic objects.
  EXPECT_EQ(python_annotation(control("shape_model", "false", {"handle"})), "VHandle");
  EXPECT_EQ(python_annotation(control("handle", "false", {"handle"})), "VHandle");
  Parameter image = control("image", "true");
  image.group = group_input_object;
  EXPECT_EQ(python_annotation(image), "VObject");
}

TEST_F(ManualRules, ResultStatesAreReplacedAsWholeWords) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(substitute_result_states("TRUE or FAIL"), "2 (V_MSG_TRUE) or 5 (V_MSG_FAIL)");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Substitution discovered. Change: 'TRUE' in:\nTRUE or FAIL\n"
            "Substitution discovered. Change: 'FAIL' in:\nTRUE or FAIL\n");
  // Parts of longer words and the states' own names stay as they are.
  testing::internal::CaptureStderr();
  EXPECT_EQ(substitute_result_states("FAILED, V_MSG_TRUE, VOIDS"), "FAILED, V_MSG_TRUE, VOIDS");
  EXPECT_EQ(substitute_result_states("VOID."), "4 (V_MSG_VOID).");
  EXPECT_EQ(substitute_result_states("(FALSE)"), "(3 (V_MSG_FALSE))");
  testing::internal::GetCapturedStderr();
}

TEST_F(ManualRules, SingleValueCTypesFollowTheTypeFlags) {
  Operator op;
  op.name = "op";
  op.info = std::make_unique<OperatorInfo>();
  op.info->params = {control("number", "false"), control("string", "false")};
  op.info->params.push_back(control("number", "false"));
  op.info->params.back().group = group_output_control;
  op.counts[group_input_control] = 2;
  op.counts[group_output_control] = 1;
  op.input_control_flags = "fs";
  op.output_control_flags = "i";
  EXPECT_EQ(c_single_value_type(op, op.info->params[0]), "double");
  EXPECT_EQ(c_single_value_type(op, op.info->params[1]), "const char *");
  EXPECT_EQ(c_single_value_type(op, op.info->params[2]), "Vlong *");
}

TEST_F(ManualRules, ParameterSyntaxSpellsTheNamePerInterface) {
  Writer out;
  write_parameter_syntax(out, "HomMat2DIdentity");
  EXPECT_EQ(out.text(),
            "    <syntax interface=\"vdevelop\">HomMat2DIdentity</syntax>\n"
            "    <syntax interface=\"c\">HomMat2DIdentity</syntax>\n"
            "    <syntax interface=\"cpp\">HomMat2DIdentity</syntax>\n"
            "    <syntax interface=\"com\">HomMat2dIdentity</syntax>\n"
            "    <syntax interface=\"dotnet\">homMat2DIdentity</syntax>\n"
            // a run of capitals and digits stays one word
            "    <syntax interface=\"python\">hom_mat_2didentity</syntax>\n");
}

// A reader that picks one spelling gets the one the stylesheets'
// syntax_text would pick, and every spelling where that one is blank.
TEST_F(ManualRules, PickedSpellingIsTheOneSyntaxTextWouldChoose) {
  Writer wanted;
  write_parameter_syntax(wanted, "HomMat2DIdentity", "python");
  EXPECT_EQ(wanted.text(), "    <syntax interface=\"python\">hom_mat_2didentity</syntax>\n");
  Writer vdevelop;
  write_parameter_syntax(vdevelop, "HomMat2DIdentity", "vdevelop");
  EXPECT_EQ(vdevelop.text(), "    <syntax interface=\"vdevelop\">HomMat2DIdentity</syntax>\n");
  // no spelling for the interface: the vdevelop one, else the first
  Writer fallback;
  write_spelling_group(fallback, {{manual_c, "Vtuple"}, {manual_vdevelop, "tuple"}}, "com");
  EXPECT_EQ(fallback.text(), "    <syntax interface=\"vdevelop\">tuple</syntax>\n");
  Writer first;
  write_spelling_group(first, {{manual_c, "Vtuple"}, {manual_cpp, "VTuple"}}, "vdevelop");
  EXPECT_EQ(first.text(), "    <syntax interface=\"c\">Vtuple</syntax>\n");
  Writer blank;
  write_spelling_group(blank, {{manual_vdevelop, " "}, {manual_c, "x"}}, "vdevelop");
  EXPECT_EQ(blank.text(),
            "    <syntax interface=\"vdevelop\"> </syntax>\n"
            "    <syntax interface=\"c\">x</syntax>\n");
  Writer all;
  write_spelling_group(all, {{manual_vdevelop, "a"}, {manual_c, "b"}}, nullptr);
  EXPECT_EQ(all.text(),
            "    <syntax interface=\"vdevelop\">a</syntax>\n"
            "    <syntax interface=\"c\">b</syntax>\n");
}

TEST_F(ManualRules, ChapterPathsCutLongTextsAndNameKnownChapters) {
  mutable_settings().doc_language = "german";
  Operator op;
  op.name = "op";
  op.info = std::make_unique<OperatorInfo>();
  std::string long_id = "Chapter" + std::string(253, 'x');
  op.info->chapters.push_back({"english", {"Tools", long_id}});
  testing::internal::CaptureStderr();
  std::vector<ChapterLevel> path = chapter_path(op);
  std::string errors = testing::internal::GetCapturedStderr();
  mutable_settings().doc_language = "english";
  ASSERT_EQ(path.size(), 2u);
  EXPECT_EQ(path[0].id, "Tools");
  EXPECT_EQ(path[0].name, "Werkzeuge");
  // The table does not know the second identifier: it is its own name.
  EXPECT_EQ(path[1].id, long_id.substr(0, 255));
  EXPECT_EQ(path[1].name, long_id.substr(0, 255));
  EXPECT_EQ(errors, "vornc warning: Chapter id is too long '" + long_id + "'\n" +
                        "vornc warning: Chapter name is too long '" + long_id + "'\n");
}

TEST_F(ManualRules, ChapterSortKeysIgnoreCaseAndAccents) {
  EXPECT_EQ(chapter_sort_key("Zebra"), "zebra");
  EXPECT_EQ(chapter_sort_key("\xC3\x84rger \xC3\xA9t\xC3\xA9"), "arger ete");  // Ärger été
  EXPECT_EQ(chapter_sort_key("Stra\xC3\x9F" "e"), "strasse");
  EXPECT_EQ(chapter_sort_key("\"Arger"), "arger");  // the umlaut convention
  EXPECT_EQ(chapter_sort_key("a\xC3\x97" "b"), "ab");  // a multiplication sign has no letter
  EXPECT_EQ(chapter_sort_key("\xE3\x83\x95"), "\xE3\x83\x95");  // other scripts as they are
  EXPECT_LT(chapter_sort_key("\xC3\x84pfel"), chapter_sort_key("Birnen"));
}

}  // namespace
