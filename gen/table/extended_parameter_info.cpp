// Writes the extended parameter information of the library build: for
// operators that read a handle and return values (get_* and a few others),
// the names of the output parameters and the value lists of the input
// control parameters, so that tools can offer them without running the
// operator.
#include "gen/table/table_writers.h"

namespace {

bool has_type(const Parameter& p, const char* type) {
  for (const std::string& t : p.type_list)
    if (t == type) return true;
  return false;
}

bool wants_extended_info(const Operator& op) {
  if (op.counts[group_input_control] < 1) return false;
  if (op.counts[group_output_object] + op.counts[group_output_control] <= 0) return false;
  if (!has_type(op.param(group_input_control, 0), "handle")) return false;
  return op.name.compare(0, 4, "get_") == 0 || op.name == "query_lut" ||
         op.name == "inspect_lexicon" || op.name == "info_framegrabber";
}

// A value as the text of a C string literal. Values are free text in the
// definition files; a double quote or backslash in one would otherwise end
// the literal early or start an escape.
std::string c_string_text(const std::string& value) {
  std::string text;
  for (char c : value) {
    if (c == '"' || c == '\\') text += '\\';
    text += c;
  }
  return text;
}

}  // namespace

std::string without_single_quotes(const std::string& value) {
  if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'')
    return value.substr(1, value.size() - 2);
  return value;
}

void write_extended_parameter_info(Writer& out, int j, const Operator& op) {
  if (!wants_extended_info(op)) {
    out.put("  VProcInfo[%d].parameterInfoExt = NULL;\n", j);
    return;
  }
  const int inputs = op.counts[group_input_control];
  const int outputs = op.counts[group_output_object] + op.counts[group_output_control];

  out.put("  static const char *out_par_names_%d[%ld] = {\n", j, static_cast<long>(outputs));
  for (int i = 0; i < op.counts[group_output_object]; ++i)
    out.put("      \"%s\",\n", op.param(group_output_object, i).name.c_str());
  for (int i = 0; i < op.counts[group_output_control]; ++i)
    out.put("      \"%s\",\n", op.param(group_output_control, i).name.c_str());
  out.write("      };\n");

  for (int i = 0; i < inputs; ++i) {
    const Parameter& p = op.param(group_input_control, i);
    out.put("  static const char *in_par_values_%d_%d[] = { /* %s */\n", j, i, p.name.c_str());
    for (const std::string& value : p.values)
      out.put("      \"%s\",\n", c_string_text(value).c_str());
    for (const std::string& value : p.value_list)
      if (!value.empty())
        out.put("      \"%s\",\n", c_string_text(without_single_quotes(value)).c_str());
    out.write("      NULL };\n");
  }

  out.put("  static const char **in_par_values_%d[%d] = {\n", j, inputs);
  for (int i = 0; i < inputs; ++i) out.put("    in_par_values_%d_%d,\n", j, i);
  out.write("    };\n");

  out.put("  static const VOperatorParamInfoExt param_info_%d = {\n", j);
  if (inputs > 0)
    out.put("    \"%s\", \n", op.param(group_input_control, 0).sem_type.c_str());
  else
    out.write("    NULL,\n");
  out.put("    out_par_names_%d,\n", j);
  out.put("    in_par_values_%d\n", j);
  out.write("    };\n");
  out.put("  VProcInfo[%d].parameterInfoExt = &param_info_%d;\n", j, j);
}
