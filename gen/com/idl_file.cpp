// The interface definition file ("VornixX.idl" or "<package>X.idl"): the
// imports, forward declarations, one dual interface per class with its
// fixed members and methods (dispatch ids counted from 0 in written order),
// and the library block with one coclass per class.
#include <string>

#include "classes/handle_types.h"
#include "driver/comment_text.h"
#include "driver/name_style.h"
#include "driver/settings.h"
#include "gen/com/com_writers.h"

namespace {

std::string help_text(std::string_view text) {
  return convert_comment_text(text, false, true);
}

void write_head(Writer& out, const ComBuild& build, const ClassModel& model) {
  out.write("#include <olectl.h>\n");
  out.write("import \"VIntDef.h\";\n");
  out.write("import \"oaidl.idl\";\n");
  out.write("import \"ocidl.idl\";\n\n");
  if (build.package) out.write("import \"VornixXimport.idl\";\n\n");
  out.write("//Forward declarations of interfaces\n");
  for (const ClassRecord& record : model.classes)
    out.put("interface I%s;\n", com_name(record).c_str());
  out.write("\n");
  // The hand-written interfaces (IVObjectX, IHandleAccess) that a package
  // imports are part of the library build's own definitions.
  if (!build.package) out.write("#include \"vornixx_include.idl\"\n\n");
}

/// Cast support, handle property or error bases, by class kind.
void write_fixed_members(Writer& out, const ClassRecord& record, int& dispatch_id) {
  if (is_iconic_class(record.type)) {
    out.put("  [id(%d), helpstring(\"Supply base class casting mechanism.\")]\n", dispatch_id++);
    out.write("  HRESULT Cast([in] IVObjectX *Source);\n\n");
  }
  if (is_handle_class(record.type)) {
    out.put("  [propget, id(%d), helpstring(\"Get the encapsulated handle of the class.\")]\n",
            dispatch_id++);
    out.put("  HRESULT %s([out, retval] VARIANT * ClassHandle);\n\n",
            handle_property_name(record.type));
  }
  if (record.type == well_known_types().system) {
    out.put("  [propget, id(%d), helpstring(\"Base error number for COM interface errors\")]\n",
            dispatch_id++);
    out.write("        HRESULT ErrorBaseCOM([out, retval] long *val);\n\n");
    out.put("  [propget, id(%d), helpstring(\"Base error number for VORNIX errors\")]\n",
            dispatch_id++);
    out.write("        HRESULT ErrorBaseVornix([out, retval] long *val);\n\n");
  }
}

void write_idl_parameter(Writer& out, const ClassParam& param, bool retval) {
  const std::string& type = com_param_type(param.type);
  std::string name = com_param_name(param.name);
  if (param.output) {
    out.put("    [out%s] %s* %s", retval ? ",retval" : "", type.c_str(), name.c_str());
    return;
  }
  std::string default_value = idl_default_value(param);
  if (default_value.empty()) {
    out.put("    [in] %s %s", type.c_str(), name.c_str());
  } else {
    out.put("    [in,defaultvalue(%s)] %s %s", default_value.c_str(), type.c_str(), name.c_str());
  }
}

void write_idl_method(Writer& out, const ClassMethod& method, int dispatch_id) {
  out.put("  [id(%d), helpstring(\"%s\")]\n", dispatch_id,
          help_text(method.short_description).c_str());
  out.put("  HRESULT %s\n", name_style(method.name, style_camel).c_str());
  out.write("  (\n");
  const char* separator = "";
  for (const ClassParam& param : method.params) {
    out.write(separator);
    write_idl_parameter(out, param, false);
    separator = ",\n";
  }
  if (method.return_param) {
    out.write(separator);
    write_idl_parameter(out, *method.return_param, true);
  }
  out.write("\n  );\n\n");
}

void write_coclass(Writer& out, const ClassRecord& record) {
  std::string name = com_name(record);
  out.write("    [\n");
  out.put("        uuid(%s),\n", class_ids(record).class_id.value_or("").c_str());
  out.put("        helpstring(\"%s Class\")\n", name.c_str());
  out.write("    ]\n");
  out.put("    coclass %s\n", name.c_str());
  out.write("    {\n");
  out.put("        [default] interface I%s;\n", name.c_str());
  if (record.xld_family) out.write("        interface IVXLDX;\n");
  if (is_iconic_class(record.type)) out.write("        interface IVObjectX;\n");
  if (is_handle_class(record.type)) out.write("        interface IHandleAccess;\n");
  out.write("    };\n\n");
}

void write_library_block(Writer& out, const ComBuild& build, const ClassModel& model) {
  out.write("[\n");
  out.put("    uuid(%s),\n", build.library_id.c_str());
  if (build.package) {
    out.put("    helpstring(\"%s\"),\n", build.description.c_str());
  } else {
    out.put("    helpstring(\"Vornix/COM library V%s\"),\n", vornc_version);
  }
  out.put("    version(%s.%s)\n", build.version_major.c_str(), build.version_minor.c_str());
  out.write("]\n");
  out.put("library %s\n", build.library_name.c_str());
  out.write("{\n");
  out.write("    importlib(\"stdole32.tlb\");\n");
  out.write("    importlib(\"stdole2.tlb\");\n\n");
  // The coclasses of the two hand-written controls.
  if (!build.package) out.write("#include \"vornixx_include_lib.idl\"\n\n");
  for (const ClassRecord& record : model.classes) write_coclass(out, record);
  out.write("};\n");
}

}  // namespace

void write_idl_interface(Writer& out, const ClassRecord& record) {
  out.write("[\n");
  out.write("  object,\n");
  out.put("      uuid(%s),\n", class_ids(record).interface_id.value_or("").c_str());
  out.write("      dual,\n");
  out.put("      helpstring(\"%s\"),\n", help_text(record.description).c_str());
  out.write("      pointer_default(unique)\n");
  out.write("]\n");
  out.put("interface I%s : IDispatch\n", com_name(record).c_str());
  out.write("{\n");
  int dispatch_id = 0;
  bool fixed_written = false;
  for (const ClassMethod& method : record.methods) {
    // Members of operators up to version 12.0 keep their dispatch ids ahead
    // of the fixed members, which came later.
    if (!fixed_written && !new_up_to_version_12(*method.op)) {
      write_fixed_members(out, record, dispatch_id);
      fixed_written = true;
    }
    write_idl_method(out, method, dispatch_id++);
  }
  if (!fixed_written) write_fixed_members(out, record, dispatch_id);
  out.write("};\n\n");
}

void write_idl(Writer& out, const ComBuild& build, const ClassModel& model) {
  write_head(out, build, model);
  for (const ClassRecord& record : model.classes) write_idl_interface(out, record);
  write_library_block(out, build, model);
}
