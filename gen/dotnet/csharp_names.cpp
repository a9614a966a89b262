// The C# spelling of class-model types and parameter names.
#include "gen/dotnet/csharp_names.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "classes/handle_types.h"

std::string csharp_type_name(int type, bool array) {
  const WellKnownTypes& wk = well_known_types();
  std::string name;
  if (type == wk.integer) {
    name = "int";
  } else if (type == type_plain_integer) {
    name = "long";
  } else if (type == wk.string) {
    name = "string";
  } else if (type == wk.real) {
    name = "double";
  } else if (type == wk.pointer) {
    name = "IntPtr";
  } else {
    name = type_class_name(type);
  }
  if (array) name += "[]";
  return name;
}

std::string csharp_type_name(const ClassParam& param) {
  return csharp_type_name(param.type, param.array);
}

bool is_scalar_csharp_type(int type) { return csharp_value_suffix(type)[0] != '\0'; }

const char* csharp_value_suffix(int type) {
  const WellKnownTypes& wk = well_known_types();
  if (type == wk.integer) return "I";
  if (type == type_plain_integer) return "L";
  if (type == wk.real) return "D";
  if (type == wk.string) return "S";
  if (type == wk.pointer) return "IP";
  return "";
}

namespace {

// The program never changes the C locale, so upper and lower case are those
// of ASCII.
char ascii_upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool is_reserved_word(std::string_view word) {
  // The eight words that the interface has always renamed, then the rest of
  // the C# keywords: a parameter named "Event" or "Default" would otherwise
  // give a class that does not compile. Sorted, for the binary search.
  static const std::string_view reserved[] = {
      "abstract", "as",        "base",     "bool",      "break",     "byte",     "case",
      "catch",    "char",      "checked",  "class",     "const",     "continue", "decimal",
      "default",  "delegate",  "do",       "double",    "else",      "enum",     "event",
      "explicit", "extern",    "false",    "finally",   "fixed",     "float",    "for",
      "foreach",  "goto",      "if",       "implicit",  "in",        "int",      "interface",
      "internal", "is",        "lock",     "long",      "namespace", "new",      "null",
      "object",   "operator",  "out",      "override",  "params",    "private",  "protected",
      "public",   "readonly",  "ref",      "return",    "sbyte",     "sealed",   "short",
      "sizeof",   "stackalloc", "static",  "string",    "struct",    "switch",   "this",
      "throw",    "true",      "try",      "typeof",    "uint",      "ulong",    "unchecked",
      "unsafe",   "ushort",    "using",    "virtual",   "void",      "volatile", "while"};
  // Every parameter of every method asks; most names have a capital or a
  // digit inside and are no keyword.
  if (word.size() < 2 || word.size() > 10) return false;
  for (char c : word)
    if (c < 'a' || c > 'z') return false;
  return std::binary_search(std::begin(reserved), std::end(reserved), word);
}

}  // namespace

std::string csharp_param_name(const std::string& name) {
  std::string result;
  result.reserve(name.size() + 3);
  bool after_underscore = false;
  for (char c : name) {
    if (c == '_') {
      after_underscore = true;
      continue;
    }
    result += after_underscore ? ascii_upper(c) : c;
    after_underscore = false;
  }
  bool keep_first = result.size() == 1 || (result.size() > 1 && result[1] >= 'A' && result[1] <= 'Z');
  if (!result.empty() && !keep_first) result[0] = ascii_lower(result[0]);
  if (is_reserved_word(result)) result += "Val";
  return result;
}

bool is_handle_class_type(int type) { return type_kind(type) == kind_handle; }

bool is_data_class_type(int type) {
  int kind = type_kind(type);
  return kind == kind_variable_data || kind > 0;
}
