// Syntax elements of the reference manual: an operator, parameter or value
// spelled once per language interface ("<syntax interface=...>...</syntax>").
#include <cstring>

#include "def/operator_model.h"
#include "gen/manual/markup_conversion.h"
#include "driver/name_style.h"

const int manual_interfaces[6] = {manual_vdevelop, manual_c,      manual_cpp,
                                  manual_com,      manual_dotnet, manual_python};

namespace {
bool camel_case_interface(int interface_number) {
  return interface_number == manual_cpp || interface_number == manual_com ||
         interface_number == manual_dotnet;
}

// The rest of a call as the other interfaces write it: apostrophes become
// double quotes and the colons between argument groups become commas;
// a colon inside a quoted string is part of the string and stays.
std::string call_rest_for_interface(std::string_view suffix, int interface_number) {
  std::string result(suffix);
  if (interface_number == manual_vdevelop) return result;
  bool quoted = false;
  for (char& c : result) {
    if (c == '\'' || c == '"') {
      c = '"';
      quoted = !quoted;
    } else if (c == ':' && !quoted) {
      c = ',';
    }
  }
  return result;
}

// Code inside a syntax element: entity-escaped, and with "\_" for each
// underscore where the text is read as LaTeX.
void write_code(Writer& out, std::string_view code, int mode) {
  bool latex = mode == markup_latex || mode == markup_formula;
  if (!latex || code.find('_') == std::string_view::npos) {
    write_escaped_xml(out, code);
    return;
  }
  std::string text;
  for (char c : code) {
    if (c == '_') text += '\\';
    text += c;
  }
  write_escaped_xml(out, text);
}

// One syntax element: the name as the interface spells it and the rest of
// a call after it.
void write_syntax_code(Writer& out, int interface_number, std::string_view name,
                       std::string_view suffix, int mode) {
  out.put("    <syntax interface=\"%s\">", manual_interface_name(interface_number));
  write_code(out, name, mode);
  if (!suffix.empty()) write_code(out, call_rest_for_interface(suffix, interface_number), mode);
  out.write("</syntax>\n");
}
}  // namespace

const char* manual_interface_name(int interface_number) {
  switch (interface_number) {
    case manual_vdevelop:
      return "vdevelop";
    case manual_c:
      return "c";
    case manual_cpp:
      return "cpp";
    case manual_com:
      return "com";
    case manual_dotnet:
      return "dotnet";
    case manual_python:
      return "python";
    default:
      return "all";
  }
}

void write_syntax_element(Writer& out, int interface_number, std::string_view name, int mode,
                          std::string_view suffix) {
  if (camel_case_interface(interface_number))
    write_syntax_code(out, interface_number, name_style(name, style_camel), suffix, mode);
  else
    write_syntax_code(out, interface_number, name, suffix, mode);
}

void write_operator_syntax(Writer& out, std::string_view name, int mode, std::string_view suffix,
                           const char* picked_for) {
  const auto& known = model().by_name;
  auto found = known.find(std::string(name));
  if (found != known.end() && found->second->function == "Internal") {
    write_syntax_element(out, manual_vdevelop, name, mode, suffix);
    return;
  }
  if (picked_for != nullptr && name.find_first_not_of(" \t\r\n") != std::string_view::npos) {
    int picked = manual_vdevelop;
    for (int interface_number : manual_interfaces)
      if (std::strcmp(manual_interface_name(interface_number), picked_for) == 0) picked = interface_number;
    write_syntax_element(out, picked, name, mode, suffix);
    return;
  }
  // The three CamelCase interfaces spell the name alike.
  const std::string camel = name_style(name, style_camel);
  for (int interface_number : manual_interfaces)
    write_syntax_code(out, interface_number, camel_case_interface(interface_number) ? camel : name,
                      suffix, mode);
}

void write_value_syntax(Writer& out, std::string_view value, int mode) {
  std::string quoted(value);  // the other interfaces quote with double quotes
  for (char& c : quoted)
    if (c == '\'') c = '"';
  for (int interface_number : manual_interfaces)
    write_syntax_code(out, interface_number, interface_number == manual_vdevelop ? value : quoted,
                      {}, mode);
}
