// The C++ spelling of class-model type ids, the kinds of generated
// classes, and the void form of free functions.
#include "gen/cpp/type_mapping.h"

#include <cstddef>
#include <cstdint>

#include "classes/handle_types.h"

std::string cpp_type_name(int type, bool array) {
  const WellKnownTypes& wk = well_known_types();
  std::string name;
  if (type == wk.integer || type == type_plain_integer) {
    name = "Vlong";
  } else if (type == wk.string) {
    name = "VString";
  } else if (type == type_narrow_string) {
    name = "const char*";
  } else if (type == type_wide_string) {
    name = "const wchar_t*";
  } else if (type == wk.real) {
    name = "double";
  } else if (type == wk.pointer) {
    name = "void*";
  } else {
    name = type_class_name(type);
  }
  if (array) name += "Array";
  return name;
}

bool is_scalar_cpp_type(int type) {
  const WellKnownTypes& wk = well_known_types();
  return type == wk.integer || type == type_plain_integer || type == wk.string ||
         type == type_narrow_string || type == type_wide_string || type == wk.real ||
         type == wk.pointer;
}

CppClassKind cpp_class_kind(int type, bool free_functions) {
  const WellKnownTypes& wk = well_known_types();
  if (free_functions) return class_kind_free_functions;
  if (type == wk.tuple) return class_kind_tuple;
  int kind = type_kind(type);
  if (kind == kind_handle) return class_kind_handle;
  if (kind == kind_variable_data || kind > 0) return class_kind_data;
  if (derived_from(type, wk.object)) return class_kind_iconic;
  return class_kind_other;
}

std::string cpp_base_class(int type, CppClassKind kind) {
  const WellKnownTypes& wk = well_known_types();
  switch (kind) {
    case class_kind_iconic:
      if (type == wk.object) return "VObjectBase";
      return type_base_class_name(type);
    case class_kind_handle:
      return type == wk.handle ? "VHandleBase" : "VHandle";
    case class_kind_data:
      return "VDataBase";
    default:
      return "";
  }
}

bool has_fixed_size(int type) { return type_kind(type) > 0; }

ClassMethod cpp_void_function(const ClassMethod& method) {
  ClassMethod declared = method;
  if (!declared.return_param) return declared;
  const ClassParam& result = *declared.return_param;
  // Records without their source parameters (made by hand) keep the
  // returned output last.
  auto position = [&method](const ClassParam& param) -> std::ptrdiff_t {
    if (method.op == nullptr || method.op->info == nullptr || param.param == nullptr)
      return PTRDIFF_MAX;
    return param.param - method.op->info->params.data();
  };
  auto at = declared.params.begin();
  while (at != declared.params.end() && position(*at) <= position(result)) ++at;
  declared.params.insert(at, result);
  declared.return_param.reset();
  return declared;
}
