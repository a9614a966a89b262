// Files of the library build beside the classes: the stream operators of
// serialisable classes in VIOStream.h and VTupleLegacy.hx, the short legacy
// names of the tuple methods.
#include "gen/cpp/library_files.h"

#include <cstdio>
#include <cstdlib>

#include "driver/diagnostics.h"
#include "driver/name_style.h"
#include "driver/output.h"
#include "gen/cpp/call_body.h"

// The stream operators of a class with serialize and deserialize members.
void write_stream_operators(Writer& streams, const ClassRecord& record) {
  const ClassMethod* serialize = record.serialize();
  const ClassMethod* deserialize = record.deserialize();
  if (serialize == nullptr || deserialize == nullptr) return;
  const char* name = record.class_name().c_str();
  std::string instance =
      serialize->instance ? name_style(serialize->instance->name, style_camel) : "obj";
  streams.put("  // Serialize a %s instance to a binary output stream\n", name);
  streams.put("  inline std::ostream& operator << (std::ostream& stream, const %s& %s)\n", name,
              instance.c_str());
  streams.write("  {\n");
  streams.put("    %s.%s().Serialize(stream);\n", instance.c_str(),
              name_style(serialize->name, style_camel).c_str());
  streams.write("    return stream;\n");
  streams.write("  }\n");
  streams.write("  \n");
  streams.put("  // Deserialize binary input stream to a %s\n", name);
  std::string method = name_style(deserialize->name, style_camel);
  if (deserialize->instance) {
    std::string target = name_style(deserialize->instance->name, style_camel);
    streams.put("  inline std::istream& operator >> (std::istream& stream, %s& %s)\n", name,
                target.c_str());
    streams.write("  {\n");
    streams.put("    %s.%s(VSerializedItem::Deserialize(stream));\n", target.c_str(),
                method.c_str());
  } else {
    std::string target = deserialize->return_param
                             ? name_style(deserialize->return_param->name, style_camel)
                             : std::string("obj");
    streams.put("  inline std::istream& operator >> (std::istream& stream, %s& %s)\n", name,
                target.c_str());
    streams.write("  {\n");
    streams.put("    %s = %s::%s(VSerializedItem::Deserialize(stream));\n", target.c_str(), name,
                method.c_str());
  }
  streams.write("    return stream;\n");
  streams.write("  }\n");
  streams.write("\n");
}

// VTupleLegacy.hx: short legacy names (Add) forwarding to the full tuple
// methods (TupleAdd).
void write_tuple_legacy_lines(Writer& out, const ClassRecord& tuple) {
  for (const ClassMethod& method : tuple.methods) {
    if (method.name.compare(0, 6, "tuple_") != 0) continue;
    std::string return_type =
        method.return_param ? param_type_name(*method.return_param) : std::string("void");
    out.write("  ");
    if (!method.instance) out.write("static ");
    out.put("%s %s(", return_type.c_str(), name_style(method.name.substr(6), style_camel).c_str());
    write_parameter_list(out, method.params);
    out.write(")");
    if (method.instance && !method.instance->output) out.write(" const");
    out.write(" {");
    if (method.return_param) out.write("return ");
    out.put("%s(", name_style(method.name, style_camel).c_str());
    const char* separator = "";
    for (const ClassParam& param : method.params) {
      out.put("%s%s", separator, param.name.c_str());
      separator = ", ";
    }
    out.write(");}\n");
  }
}

void write_tuple_legacy(const ClassRecord& tuple) {
  Writer out;
  write_tuple_legacy_lines(out, tuple);
  if (!save_output_file("VTupleLegacy.hx", out.text())) {
    report_error("could not open file VTupleLegacy.hx\n");
    fail(1);
  }
}

