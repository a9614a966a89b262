// This writer emits the members of a generated class: constructors,
// methods and the operator set's free functions with their parameter lists,
// and the call body behind each of them. A call body fetches the procedure
// handle, stores the inputs, initialises the outputs, calls the operator
// and loads the outputs back; when an output that owns resources has been
// loaded and a later load fails, the loaded outputs are cleared again.
#include "gen/cpp/call_body.h"

#include "driver/comment_text.h"
#include "driver/name_style.h"
#include "driver/output.h"
#include "driver/settings.h"
#include "gen/cpp/type_mapping.h"

std::string plain_comment(std::string_view text) {
  return convert_comment_text(text, false, false);
}

std::string param_type_name(const ClassParam& param) {
  return cpp_type_name(param.type, param.array);
}

void write_parameter_list(Writer& out, const std::vector<ClassParam>& params) {
  const char* separator = "";
  for (const ClassParam& param : params) {
    out.write(separator);
    std::string type = param_type_name(param);
    if (param.output) {
      out.put("%s* %s", type.c_str(), param.name.c_str());
    } else if (is_scalar_cpp_type(param.type)) {
      out.put("%s %s", type.c_str(), param.name.c_str());
    } else {
      out.put("const %s& %s", type.c_str(), param.name.c_str());
    }
    separator = ", ";
  }
}

namespace {

bool library_build() { return settings().generation_target == target_library; }

const char* encoding(bool encoded) { return encoded ? "Enc" : ""; }

void write_procedure_handle(Writer& source, const ClassMethod& method) {
  if (library_build()) {
    source.put("  Vproc_handle proc = VornixAPI::PreCall(VProcIDs::PI_%s);\n\n",
               name_style(method.name, style_upper).c_str());
    source.write("#ifdef VC_STATIC_VARIANT \n");  // a blank before the line end, as required
    source.put("  VSetSystem_%d();\n", method.proc_number);
    source.write("#endif\n\n");
  } else {
    source.put("  Vproc_handle proc = PreCallUser(%d);\n", method.proc_number);
  }
}

void write_stores(Writer& source, const ClassMethod& method, const char* indent) {
  if (method.instance && !method.instance->output) {
    source.put("%s  VornixAPI::Store%s(proc,%d,*this);\n", indent,
               encoding(method.instance->encoded), method.instance->slot());
  }
  for (const ClassParam& param : method.params) {
    if (param.output) continue;
    // An iconic array travels by its keys like any iconic value; a keep-alive
    // tuple named after its number would clash with that of a control
    // array of the same number.
    if (param.array && !param.iconic) {
      source.put("%s  VTuple TmpKeepAlive%d = VornixAPI::StoreKA(proc,%d,%s);\n", indent,
                 param.slot(), param.slot(), param.name.c_str());
    } else {
      // The wide-string variant passes its strings unencoded.
      source.put("%s  VornixAPI::Store%s(proc,%d,%s);\n", indent,
                 encoding(param.encoded && !method.windows_only), param.slot(),
                 param.name.c_str());
    }
  }
}

void write_output_inits(Writer& source, const ClassMethod& method, const char* indent) {
  if (method.instance && method.instance->output) {
    source.put("%s  VornixAPI::InitOutp(proc,%d);\n", indent, method.instance->slot());
  }
  if (method.return_param) {
    source.put("%s  VornixAPI::InitOutp(proc,%d);\n", indent, method.return_param->slot());
  }
  for (const ClassParam& param : method.params) {
    if (param.output) source.put("%s  VornixAPI::InitOutp(proc,%d);\n", indent, param.slot());
  }
}

// The loads need a guard when an output that owns resources is loaded
// before another output: a failing later load must not leak the earlier one.
bool loads_need_guard(const ClassMethod& method) {
  int outputs = 0;
  bool owning_seen = false;
  bool guard = false;
  auto load = [&](bool owning) {
    if (owning_seen) guard = true;
    if (owning) owning_seen = true;
    ++outputs;
  };
  if (method.instance && method.instance->output) load(true);
  if (method.return_param) load(!is_scalar_cpp_type(method.return_param->type));
  for (const ClassParam& param : method.params) {
    if (param.output) load(!is_scalar_cpp_type(param.type));
  }
  return guard;
}

void write_loads(Writer& source, const ClassMethod& method, const char* indent) {
  bool guarded = loads_need_guard(method);
  const char* load_indent = guarded ? "    " : "  ";
  if (guarded) {
    source.put("%s  try\n", indent);
    source.put("%s  {\n", indent);
  }
  if (method.instance && method.instance->output) {
    source.put("%s%sVornixAPI::Load(proc,%d,this);\n", indent, load_indent,
               method.instance->slot());
  }
  if (method.return_param) {
    const ClassParam& ret = *method.return_param;
    source.put("%s%sVornixAPI::Load%s(proc,%d,&%s);\n", indent, load_indent,
               encoding(ret.encoded), ret.slot(), ret.name.c_str());
  }
  for (const ClassParam& param : method.params) {
    if (!param.output) continue;
    source.put("%s%sVornixAPI::Load%s(proc,%d,%s);\n", indent, load_indent,
               encoding(param.encoded), param.slot(), param.name.c_str());
  }
  if (!guarded) return;
  source.put("%s  }\n", indent);
  source.put("%s  catch (...)\n", indent);
  source.put("%s  {\n", indent);
  for (const ClassParam& param : method.params) {
    if (!param.output || is_scalar_cpp_type(param.type)) continue;
    source.put("%s    if (%s)\n", indent, param.name.c_str());
    source.put("%s      %s->Clear();\n", indent, param.name.c_str());
  }
  if (method.return_param && !is_scalar_cpp_type(method.return_param->type)) {
    source.put("%s    %s.Clear();\n", indent, method.return_param->name.c_str());
  }
  if (method.instance && method.instance->output) source.put("%s    this->Clear();\n", indent);
  source.put("%s    throw;\n", indent);
  source.put("%s  }\n", indent);
}

}  // namespace

void write_call_body(Writer& source, const ClassMethod& method, bool legacy) {
  const char* indent = legacy ? "  " : "";
  source.write("{\n");
  write_procedure_handle(source, method);
  if (legacy) {
    source.write("  try\n");
    source.write("  {\n");
  }
  write_stores(source, method, indent);
  write_output_inits(source, method, indent);
  source.write("  VornixAPI::CallProcedure(proc);\n");
  if (method.return_param) {
    source.put("%s  %s %s;\n", indent, param_type_name(*method.return_param).c_str(),
               method.return_param->name.c_str());
  }
  write_loads(source, method, indent);
  if (legacy) {
    source.put("%s  VornixAPI::PostCall(proc);\n", indent);
    source.put("%s  return V_MSG_OK;\n", indent);
    source.write("  }\n");
    source.write("  catch (VException& exc)\n");
    source.write("  {\n");
    source.write("    exc.React(proc);\n");
    source.write("    return exc.ErrorCode();\n");
    source.write("  }\n");
  } else {
    source.write("  VornixAPI::PostCall(proc);\n");
  }
  if (method.return_param) source.put("  return %s;\n", method.return_param->name.c_str());
  source.write("}\n");
}

void write_constructor(Writer& header, Writer& source, const ClassRecord& record,
                       const ClassMethod& constructor) {
  const char* name = record.class_name().c_str();
  if (constructor.windows_only) {
    header.write("#ifdef _WIN32\n");
    source.write("#ifdef _WIN32\n");
  }
  header.put("  // %s: %s\n", constructor.name.c_str(),
             plain_comment(constructor.short_description).c_str());
  header.write("  ");
  if (record.per_member_export) header.write("LIntExport ");
  header.put("explicit %s(", name);
  write_parameter_list(header, constructor.params);
  header.write(");\n");
  source.put("%s::%s(", name, name);
  write_parameter_list(source, constructor.params);
  source.write(")\n");
  write_call_body(source, constructor, false);
  if (constructor.windows_only) {
    header.write("#endif\n");
    source.write("#endif\n");
  }
  header.write("\n");
  source.write("\n");
}

void write_method(Writer& header, Writer& source, const ClassRecord& record,
                  const ClassMethod& method, bool legacy) {
  // Free functions return no value: their returned output goes back into
  // the parameter list.
  if (record.free_functions && method.return_param) {
    write_method(header, source, record, cpp_void_function(method), legacy);
    return;
  }
  const char* export_word = library_build() ? "LIntExport" : "VUserExport";
  std::string camel = name_style(method.name, style_camel);
  if (method.windows_only) {
    header.write("#ifdef _WIN32\n");
    source.write("#ifdef _WIN32\n");
  }
  bool constant = false;
  if (record.free_functions && legacy) {
    header.put("%s Verror %s(", export_word, method.name.c_str());
    source.put("%s Verror VornixCpp::%s(", export_word, method.name.c_str());
  } else if (record.free_functions) {
    header.put("// %s\n", plain_comment(method.short_description).c_str());
    header.put("%s void %s(", export_word, camel.c_str());
    source.put("#ifdef %s\n# error An existing macro name conflicts with %s\n#endif\n",
               camel.c_str(), camel.c_str());
    source.put("%s void VornixCpp::%s(", export_word, camel.c_str());
  } else {
    std::string return_type =
        method.return_param ? param_type_name(*method.return_param) : std::string("void");
    header.put("  // %s\n", plain_comment(method.short_description).c_str());
    header.write("  ");
    if (!method.instance) header.write("static ");
    if (record.per_member_export) header.write("LIntExport ");
    header.put("%s %s(", return_type.c_str(), camel.c_str());
    source.put("%s %s::%s(", return_type.c_str(), record.class_name().c_str(), camel.c_str());
    constant = method.instance && !method.instance->output;
  }
  write_parameter_list(header, method.params);
  write_parameter_list(source, method.params);
  header.write(")");
  source.write(")");
  if (constant) {
    header.write(" const");
    source.write(" const");
  }
  header.write(";\n");
  source.write("\n");
  write_call_body(source, method, legacy);
  if (method.windows_only) {
    header.write("#endif\n");
    source.write("#endif\n");
  }
  header.write("\n");
  source.write("\n");
}
