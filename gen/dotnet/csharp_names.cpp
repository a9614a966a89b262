// The C# spelling of class-model types and parameter names.
#include "gen/dotnet/csharp_names.h"

#include <cctype>
#include <iterator>
#include <string_view>
#include <unordered_set>

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

std::string csharp_param_name(const std::string& name) {
  std::string result;
  bool after_underscore = false;
  for (char c : name) {
    if (c == '_') {
      after_underscore = true;
      continue;
    }
    result += after_underscore ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
    after_underscore = false;
  }
  bool keep_first = result.size() == 1 ||
                    (result.size() > 1 && std::isupper(static_cast<unsigned char>(result[1])));
  if (!result.empty() && !keep_first) {
    result[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(result[0])));
  }
  // The eight words that the interface has always renamed, then the rest of
  // the C# keywords: a parameter named "Event" or "Default" would otherwise
  // give a class that does not compile.
  static const char* const reserved[] = {
      "class",     "base",     "object",   "params",    "const",     "int",       "string",
      "char",      "abstract", "as",       "bool",      "break",     "byte",      "case",
      "catch",     "checked",  "continue", "decimal",   "default",   "delegate",  "do",
      "double",    "else",     "enum",     "event",     "explicit",  "extern",    "false",
      "finally",   "fixed",    "float",    "for",       "foreach",   "goto",      "if",
      "implicit",  "in",       "interface", "internal", "is",        "lock",      "long",
      "namespace", "new",      "null",     "operator",  "out",       "override",  "private",
      "protected", "public",   "readonly", "ref",       "return",    "sbyte",     "sealed",
      "short",     "sizeof",   "stackalloc", "static",  "struct",    "switch",    "this",
      "throw",     "true",     "try",      "typeof",    "uint",      "ulong",     "unchecked",
      "unsafe",    "ushort",   "using",    "virtual",   "void",      "volatile",  "while"};
  // Every parameter of every method asks: a hash set answers at once.
  static const std::unordered_set<std::string_view> reserved_words(std::begin(reserved),
                                                                   std::end(reserved));
  if (reserved_words.count(result) != 0) return result + "Val";
  return result;
}

bool is_handle_class_type(int type) { return type_kind(type) == kind_handle; }

bool is_data_class_type(int type) {
  int kind = type_kind(type);
  return kind == kind_variable_data || kind > 0;
}
