// Parameter names in the manual's syntax elements: each interface spells a
// parameter as its generator declares it (COM "HomMat2d", .NET lower
// CamelCase, Python snake case).
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

void write_parameter_syntax(Writer& out, const std::string& name) {
  write_spelled_syntax(out, manual_vdevelop, name);
  write_spelled_syntax(out, manual_c, name);
  write_spelled_syntax(out, manual_cpp, name);
  write_spelled_syntax(out, manual_com, com_param_name(name));
  write_spelled_syntax(out, manual_dotnet, csharp_param_name(name));
  write_spelled_syntax(out, manual_python, python_parameter_name(name));
}

std::string python_parameter_name(const std::string& name) { return python_name(name); }
