// The shared rules of the C interface: encoding suffix, simple-mode rule and
// the simple-mode C types.
#include "gen/c/c_rules.h"

#include <cctype>

#include "classes/handle_types.h"

namespace {

bool contains(const TextList& list, const char* word) {
  for (const std::string& entry : list)
    if (entry == word) return true;
  return false;
}

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

}  // namespace

const char* encoding_suffix(const Parameter& param, bool require_string_default) {
  if (!contains(param.type_list, "string")) return "";
  if (require_string_default && param.default_type != "string") return "";
  // Looked up by name as the sem_type slot is checked: a "." and what follows
  // do not count.
  const std::string& row = type_name(GiveClass(param.sem_type.c_str(), 0));
  if (row == "string" || row == "filename" || row == "attribute" || row == "tuple") return "Enc";
  return "";
}

bool simple_mode_allowed(const Operator& op) {
  const OperatorInfo* info = op.info.get();
  if (info == nullptr) return true;
  // The packed version is compared unsigned, so that a major version of 128
  // or more (the sign bit) still counts as later than 18.11.
  if (info->has_handle_parameter && info->new_in_version != -1 &&
      static_cast<unsigned>(info->new_in_version) >= simple_mode_handle_version)
    return false;
  if (!info->control_multivalue.empty() && info->control_multivalue[0] == 't') return false;
  return true;
}

const char* simple_mode_c_type(char type_flag, bool output) {
  switch (lower(type_flag)) {
    case 'f':
      return output ? "double *" : "double ";
    case 's':
      return output ? "char *" : "const char *";
    default:
      return output ? "Vlong *" : "Vlong ";
  }
}

char simple_mode_store_letter(char type_flag) {
  switch (lower(type_flag)) {
    case 'f':
      return 'D';
    case 's':
      return 'S';
    default:
      return 'L';
  }
}
