// This writer emits VErrorDef.cs, the error and message codes of the
// library as C# constants, from the error-definition file that the build
// names with -error-def-path. Only the V_ERR... and V_MSG... macros are
// taken; each keeps the C comment that follows its value as documentation.
#include "gen/dotnet/error_definitions.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "driver/diagnostics.h"
#include "driver/output.h"
#include "driver/settings.h"

namespace {

bool is_separator(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The token that starts at or after pos; pos is left behind it. With
// same_line the token must stand on the current line (else it is empty and
// pos stays at the line end).
std::string next_token(const std::string& text, size_t& pos, bool same_line) {
  while (pos < text.size() && is_separator(text[pos])) {
    if (same_line && (text[pos] == '\n' || text[pos] == '\r')) return "";
    ++pos;
  }
  size_t start = pos;
  while (pos < text.size() && !is_separator(text[pos])) ++pos;
  return text.substr(start, pos - start);
}

// The comment that belongs to the entry whose value ends at pos: the first
// "/*" after it, unless the next "#define" comes first (then that entry's
// comment is not taken over and this one has none).
std::string entry_comment(const std::string& text, size_t& pos) {
  size_t open = text.find("/*", pos);
  size_t next_define = text.find("#define", pos);
  if (open == std::string::npos || (next_define != std::string::npos && next_define < open)) {
    return "";
  }
  size_t close = text.find("*/", open + 2);
  size_t end = close == std::string::npos ? text.size() : close;
  std::string comment;
  for (size_t i = open + 2; i < end; ++i) {
    char c = text[i];
    if (c == '\n' || c == '\r') continue;
    if (c == ' ' && (comment.empty() || comment.back() == ' ')) continue;
    comment += c;
  }
  pos = close == std::string::npos ? text.size() : close + 2;
  return comment;
}

// The value goes unchanged into C# ("public const int %s = %s;") and Python
// ("%s = %s"): it must be an integer literal that both read, and that fits
// an int: an optional "-", then "0", digits without a leading zero, or
// "0x" with hexadecimal digits; in parentheses or not.
bool is_integer_value(std::string value) {
  if (value.size() > 2 && value.front() == '(' && value.back() == ')')
    value = value.substr(1, value.size() - 2);
  size_t pos = !value.empty() && value[0] == '-' ? 1 : 0;
  bool hex = value.compare(pos, 2, "0x") == 0 || value.compare(pos, 2, "0X") == 0;
  if (hex) pos += 2;
  if (pos == value.size()) return false;
  if (!hex && value[pos] == '0' && pos + 1 != value.size()) return false;
  long long magnitude = 0;
  for (; pos < value.size(); ++pos) {
    int c = static_cast<unsigned char>(value[pos]);
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (hex && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return false;
    magnitude = magnitude * (hex ? 16 : 10) + digit;
    if (magnitude > 2147483648LL) return false;
  }
  return magnitude < 2147483648LL || value[0] == '-';
}

}  // namespace

std::vector<ErrorDefinition> read_error_definitions(const std::string& text) {
  std::vector<ErrorDefinition> entries;
  size_t pos = 0;
  while ((pos = text.find("#define", pos)) != std::string::npos) {
    size_t define = pos;
    pos += std::strlen("#define");
    std::string name = next_token(text, pos, false);
    if (name.compare(0, 5, "V_ERR") != 0 && name.compare(0, 5, "V_MSG") != 0) continue;
    ErrorDefinition entry;
    entry.name = name;
    // A macro without a value on its line (an include guard such as
    // V_ERRDEF_H) is no constant; the next line's "#define" must not be
    // taken for its value.
    entry.value = next_token(text, pos, true);
    if (entry.value.empty()) continue;
    if (!is_integer_value(entry.value)) {
      int line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + define, '\n'));
      report_error("\"%s\", line %d: value of %s is not an integer: '%s'.\n",
                   settings().error_def_path.c_str(), line, name.c_str(), entry.value.c_str());
      std::exit(1);
    }
    entry.comment = entry_comment(text, pos);
    entries.push_back(entry);
  }
  return entries;
}

std::string xml_escape(const std::string& text, bool quote) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '&':
        escaped += "&amp;";
        break;
      case '"':
        escaped += quote ? "&quot;" : "\"";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

void write_error_def_class(Writer& out, const std::vector<ErrorDefinition>& entries) {
  out.write("using System;\n\n");
  out.write("namespace VornixDotNet\n");
  out.write("{\n");
  out.write("  public class VErrorDef\n");
  out.write("  {\n");
  for (const ErrorDefinition& entry : entries) {
    out.write("    /// <summary>");
    out.write(xml_escape(entry.comment, false));
    out.write("</summary>\n");
    out.put("    public const int %s = %s;\n\n", entry.name.c_str(), entry.value.c_str());
  }
  out.write("  }\n");
  out.write("}\n");
}
