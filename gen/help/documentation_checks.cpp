// Completeness checks of the library's own documentation: each gap is a
// warning and the help files are written all the same.
#include "gen/help/documentation_checks.h"

#include <algorithm>
#include <cctype>

#include "driver/diagnostics.h"
#include "driver/settings.h"

namespace {

bool contains(const TextList& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

bool made_of(const std::string& text, const char* characters) {
  return text.find_first_not_of(characters) == std::string::npos;
}

void check_value_literals(const Operator& op, const Parameter& param, const TextList& literals) {
  for (const std::string& literal : literals) {
    if (literal.empty()) continue;  // an empty value has no type to check
    const char* type = value_literal_type(literal);
    if (contains(param.type_list, type)) continue;
    if (!param.type_list.empty())
      report_warning(
          "Encountered value literal '%s' of unsupported type '%s'\n"
          "         for parameter '%s' in operator '%s'! Check 'type_list'\n"
          "         for this parameter.\n",
          literal.c_str(), type, param.name.c_str(), op.name.c_str());
    else
      report_warning(
          "Encountered value literal '%s' of unsupported type '%s'\n"
          "         for parameter '%s' in operator '%s'!\n"
          "         %s has to be defined in 'type_list'.\n",
          literal.c_str(), type, param.name.c_str(), op.name.c_str(), type);
  }
}

}  // namespace

const char* value_literal_type(const std::string& literal) {
  if (made_of(literal, "0123456789-")) return "integer";
  if (made_of(literal, "0123456789.-e")) return "real";
  return "string";
}

void check_operator_documentation(const Operator& op) {
  if (!contains(op.info->functionality, "operator_set"))
    report_warning("No functionality operator_set for %s!\n", op.name.c_str());
}

void check_parameter_documentation(const Operator& op, const Parameter& param) {
  const char* name = param.name.c_str();
  const char* op_name = op.name.c_str();
  bool control = param.group == group_input_control || param.group == group_output_control;
  if (!param.name.empty() && std::islower(static_cast<unsigned char>(param.name[0])))
    report_warning("Non-capitalized parameter name '%s' (%s)\n", name, op_name);
  const std::string& language = settings().doc_language;
  bool described = std::any_of(param.descriptions.begin(), param.descriptions.end(),
                               [&](const Tagged<std::string>& d) { return d.language == language; });
  if (!described)
    report_warning("No %s description for parameter '%s' (%s)\n", language.c_str(), name, op_name);
  if (control && param.default_type.empty())
    report_warning("No '%s' for parameter %s of %s!\n", "default_type", name, op_name);
  if (param.sem_type.empty())
    report_warning("No '%s' for parameter %s of %s!\n", "sem_type", name, op_name);
  if (control && param.multivalue.empty())
    report_warning("No '%s' for parameter %s of %s!\n", "multivalue", name, op_name);
  if (!param.default_value.empty()) {
    if (param.kind.compare(0, 7, "output_") == 0)
      report_warning("'default_value' for output parameter %s of %s!\n", name, op_name);
    else if (!control)
      report_warning("'default_value' for iconic parameter %s of %s!\n", name, op_name);
  }
  if (control) {
    if (param.type_list.empty())
      report_warning("No 'type_list' for control parameter %s of %s!\n", name, op_name);
    else if (!param.default_type.empty() && !contains(param.type_list, param.default_type))
      report_warning("default_type %s not in 'type_list' for control parameter %s of %s!\n",
                     param.default_type.c_str(), name, op_name);
    const std::string& multichannel = param.extras().multichannel;
    if (!multichannel.empty() && multichannel != "false")
      report_warning("'multi_channel' for control parameter %s of %s!\n", name, op_name);
  }
  check_value_literals(op, param, param.values);
  check_value_literals(op, param, param.value_list);
}
