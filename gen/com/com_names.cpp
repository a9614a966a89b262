// Names, type spellings and class kinds of the COM interface.
#include "gen/com/com_names.h"

#include <cctype>
#include <vector>

#include "classes/handle_types.h"
#include "driver/settings.h"

const char* const library_type_library_id = "8e3b1f40-5c2d-4a7e-9b61-0d4c7a2e5f18";
const char* const window_control_class_id = "8e3b1f41-5c2d-4a7e-9b61-0d4c7a2e5f18";
const char* const window_stack_class_id = "8e3b1f42-5c2d-4a7e-9b61-0d4c7a2e5f18";

namespace {

bool is_long_type(int type) {
  const WellKnownTypes& known = well_known_types();
  return type == type_plain_integer || type == known.integer || type == known.pointer;
}

bool is_string_type(int type) {
  const WellKnownTypes& known = well_known_types();
  return type == type_narrow_string || type == type_wide_string || type == known.string ||
         type == known.filename;
}

}  // namespace

std::string com_name(int type) {
  if (is_long_type(type)) return "Vlong";
  if (is_string_type(type)) return "BSTR";
  if (type == well_known_types().real) return "double";
  return type_class_name(type) + "X";
}

std::string com_name(const ClassRecord& record) { return com_name(record.type); }

std::string class_file_base(const ClassRecord& record, const ComBuild& build) {
  if (build.package) return "V" + settings().package_name + "X";
  return com_name(record);
}

bool has_com_class(int type) {
  const WellKnownTypes& known = well_known_types();
  if (type < 0) return false;
  if (type == known.tuple || type == known.untyped_object) return true;
  if (type == known.object || type == known.handle) return false;
  return type_has_class(type);
}

namespace {

std::string make_com_param_type(int type) {
  const WellKnownTypes& known = well_known_types();
  if (type == known.tuple) return "VARIANT";
  if (has_com_class(type) || type == known.object || type == known.untyped_object)
    return "I" + com_name(type) + "*";
  return com_name(type);
}

}  // namespace

const std::string& com_param_type(int type) {
  // Every parameter of every method asks: the spellings are made once, for
  // the plain types and every row of the handle-type table.
  constexpr int first = type_wide_string;
  static const std::vector<std::string> spelled = [] {
    std::vector<std::string> all;
    for (int t = first; t <= handle_type_rows; ++t) all.push_back(make_com_param_type(t));
    return all;
  }();
  if (type >= first && type <= handle_type_rows) return spelled[static_cast<size_t>(type - first)];
  thread_local std::string other;
  other = make_com_param_type(type);
  return other;
}

std::string com_param_name(const std::string& name) {
  if (name.size() < 8 || name[0] != 'H' ||
      (name.compare(0, 8, "HomMat2D") != 0 && name.compare(0, 8, "HomMat3D") != 0))
    return name;
  std::string spelled = name;
  spelled[7] = 'd';
  return spelled;
}

std::string idl_default_value(const ClassParam& param) {
  std::string_view value = param.default_value;
  if (value.empty() || value[0] == '[') return "";
  if (com_param_type(param.type).back() == '*') return "";
  if (value.size() < 2 || value.front() != '\'' || value.back() != '\'') return std::string(value);
  std::string quoted = "\"";
  for (size_t i = 1; i + 1 < value.size(); ++i) {
    if (value[i] == '"') quoted += '\\';
    quoted += value[i];
  }
  return quoted + "\"";
}

bool is_iconic_class(int type) { return type >= 0 && type_kind(type) == kind_iconic; }

bool is_handle_class(int type) { return type >= 0 && type_kind(type) == kind_handle; }

const char* handle_property_name(int type) {
  return type == well_known_types().window ? "VornixID" : "Handle";
}

bool has_plain_constructor(const ClassRecord& record) {
  const WellKnownTypes& known = well_known_types();
  int type = record.type;
  return type == known.campar || type == known.pose || type == known.any ||
         type == known.system || type == known.info || type == known.tuple ||
         type == known.operator_set || type == known.user;
}

ComStoreKind com_store_kind(int type) {
  if (type == well_known_types().tuple) return store_tuple;
  if (is_long_type(type)) return store_long;
  if (is_string_type(type)) return store_bstr;
  if (type == well_known_types().real) return store_double;
  return is_iconic_class(type) ? store_object : store_tool;
}

bool new_up_to_version_12(const Operator& op) {
  return static_cast<unsigned>(op.info->new_in_version) <= 0x0c000000u;
}

std::string upper_case_guid(const std::string& guid) {
  std::string upper = guid;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}
