// Parameter names in the manual's syntax elements: each interface spells a
// parameter as its generator declares it (COM "HomMat2d", .NET lower
// CamelCase, Python snake case).
#include <cctype>

#include "doc/manual_writers.h"
#include "doc/manual_xml.h"
#include "doc/markup_conversion.h"
#include "gen/com/com_names.h"
#include "gen/dotnet/csharp_names.h"

namespace {

bool is_python_keyword(const std::string& name) {
  static const char* const keywords[] = {
      "False", "None",     "True",  "and",    "as",     "assert", "async",   "await",    "break",
      "class", "continue", "def",   "del",    "elif",   "else",   "except",  "finally",  "for",
      "from",  "global",   "if",    "import", "in",     "is",     "lambda",  "nonlocal", "not",
      "or",    "pass",     "raise", "return", "try",    "while",  "with",    "yield"};
  for (const char* keyword : keywords)
    if (name == keyword) return true;
  return false;
}

}  // namespace

void write_spelled_syntax(Writer& out, int interface_number, const std::string& text) {
  out.put("    <syntax interface=\"%s\">", manual_interface_name(interface_number));
  write_escaped_xml(out, text);
  out.write("</syntax>\n");
}

void write_parameter_syntax(Writer& out, const std::string& name) {
  write_spelled_syntax(out, manual_vdevelop, name);
  write_spelled_syntax(out, manual_c, name);
  write_spelled_syntax(out, manual_cpp, name);
  write_spelled_syntax(out, manual_com, com_param_name(name));
  write_spelled_syntax(out, manual_dotnet, csharp_param_name(name));
  write_spelled_syntax(out, manual_python, python_parameter_name(name));
}

std::string python_parameter_name(const std::string& name) {
  std::string result;
  bool previous_upper_or_digit = false;
  for (char c : name) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '_') {
      if (!result.empty() && result.back() != '_') result += '_';
      previous_upper_or_digit = false;
      continue;
    }
    bool upper_or_digit = std::isupper(u) || std::isdigit(u);
    // A word begins at an upper-case letter or digit; a run of them stays
    // one word.
    if (upper_or_digit && !previous_upper_or_digit && !result.empty() && result.back() != '_')
      result += '_';
    result += static_cast<char>(std::tolower(u));
    previous_upper_or_digit = upper_or_digit;
  }
  if (is_python_keyword(result)) result += "_val";
  return result;
}
