// Parameter names in the manual's syntax elements: each interface spells a
// parameter as its generator declares it (COM "HomMat2d", .NET lower
// CamelCase, Python snake case).
#include <cstring>

#include "gen/manual/manual_writers.h"
#include "gen/manual/manual_xml.h"
#include "gen/manual/markup_conversion.h"
#include "gen/com/com_names.h"
#include "gen/dotnet/csharp_names.h"
#include "gen/python/module_model.h"

void write_spelled_syntax(Writer& out, int interface_number, const std::string& text) {
  out.put("    <syntax interface=\"%s\">%s</syntax>\n", manual_interface_name(interface_number),
          Escaped(text).c_str());
}

namespace {
// Blank as XPath's normalize-space() sees it.
bool blank(const char* text) { return text[std::strspn(text, " \t\r\n")] == '\0'; }
}  // namespace

void write_spelling_group(Writer& out, const std::vector<Spelling>& group, const char* picked_for) {
  if (picked_for != nullptr) {
    const Spelling* picked = nullptr;
    for (const Spelling& spelling : group) {
      if (std::strcmp(manual_interface_name(spelling.interface_number), picked_for) != 0) continue;
      picked = &spelling;
      break;
    }
    for (const Spelling& spelling : group) {
      if (picked != nullptr) break;
      if (spelling.interface_number == manual_vdevelop) picked = &spelling;
    }
    if (picked == nullptr && !group.empty()) picked = &group.front();
    // A blank spelling leaves the others: a reader may test whether the
    // text around it is empty.
    if (picked != nullptr && !blank(Escaped(picked->text).c_str())) {
      write_spelled_syntax(out, picked->interface_number, picked->text);
      return;
    }
  }
  for (const Spelling& spelling : group) write_spelled_syntax(out, spelling.interface_number, spelling.text);
}

void write_parameter_syntax(Writer& out, const std::string& name, const char* picked_for) {
  if (picked_for == nullptr) {  // the common case, without building the group
    write_spelled_syntax(out, manual_vdevelop, name);
    write_spelled_syntax(out, manual_c, name);
    write_spelled_syntax(out, manual_cpp, name);
    write_spelled_syntax(out, manual_com, com_param_name(name));
    write_spelled_syntax(out, manual_dotnet, csharp_param_name(name));
    write_spelled_syntax(out, manual_python, python_parameter_name(name));
    return;
  }
  write_spelling_group(out,
                       {{manual_vdevelop, name},
                        {manual_c, name},
                        {manual_cpp, name},
                        {manual_com, com_param_name(name)},
                        {manual_dotnet, csharp_param_name(name)},
                        {manual_python, python_parameter_name(name)}},
                       picked_for);
}

std::string python_parameter_name(const std::string& name) { return python_name(name); }
