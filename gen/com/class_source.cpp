// The ATL class source of one class ("<COM name>.cpp", in an extension
// package "V<package>X.cpp"): includes, a package's offset resolver, the
// handle access or plain constructor and destructor, casting, error-info
// support, the fixed properties and one method per class-model method,
// each marshalling its call through the library's COM call interface.
#include "classes/handle_types.h"
#include "driver/name_style.h"
#include "driver/settings.h"
#include "gen/com/com_writers.h"

namespace {

void write_includes(Writer& out, const ComBuild& build, const ClassRecord& record) {
  out.write("#include <atlbase.h>\n");
  out.write("extern CComModule _Module;\n");
  out.write("#include <atlcom.h>\n\n");
  out.write("#include \"resource.h\"\n\n");
  if (build.package) {
    out.write("#include \"Vornix.h\"\n");
  } else {
    out.write("#include \"vlib/base/VornixInternal.h\"\n");
    out.write("#include \"vlib/base/CORELI.h\"\n");
  }
  out.put("#include \"%s.h\"\n", build.project.c_str());
  out.write("#include \"VornixCOM.h\"\n");
  out.put("#include \"%s.h\"\n", class_file_base(record, build).c_str());
}

/// Adds the package's operator numbers to the offset of its operator set,
/// which the library knows once the package is loaded.
void write_offset_resolver(Writer& out) {
  const char* package = settings().package_name.c_str();
  out.put("extern \"C\" VUserImport int V%sGetOffset();\n", package);
  out.write("\n");
  out.write("int offset = -1;\n");
  out.write("\n");
  out.write("Verror VcomPreCallUser(int proc_index_local, Vproc_handle *proc_handle)\n");
  out.write("{\n");
  out.write("  Vproc_handle ph;\n");
  out.write("  if (offset < 0)\n");
  out.write("  {\n");
  out.write("    /* First use of this extension package, query my offset */\n");
  out.put("    offset = V%sGetOffset();\n", package);
  out.write("    if (offset < 0)\n");
  out.write("    {\n");
  out.write("      /* VORNIX library not initialized (extension package as first usage). */\n");
  out.write("      /* Trigger initialization by touching system operator and try again. */\n");
  out.write("      VcomPreCall(0,&ph);\n");
  out.write("      VcomPostCall(ph,V_MSG_OK);\n");
  out.put("      offset = V%sGetOffset();\n", package);
  out.write("      if (offset < 0)\n");
  out.write("      {\n");
  out.write("        /* Ok, so something is *really* wrong */\n");
  out.write("        *proc_handle = NULL;\n");
  out.write("        return V_ERR_UEXTNI;\n");
  out.write("      }\n");
  out.write("    }\n");
  out.write("  }\n");
  out.write("  return VcomPreCall(offset + proc_index_local, proc_handle);\n");
  out.write("}\n\n");
}

void write_fixed_members(Writer& out, const ComBuild& build, const ClassRecord& record) {
  std::string name = com_name(record);
  const char* cls = name.c_str();
  if (has_plain_constructor(record)) {
    out.put("%s::%s() {}\n", cls, cls);
    out.put("%s::~%s() {}\n", cls, cls);
    out.write("\n");
  } else {
    int destructor = record.destructor ? record.destructor->proc_number : -1;
    out.put("VCOM_HANDLE_ACCESS_IMPL_%s(%s,%d)\n\n", is_iconic_class(record.type) ? "OBJ" : "TOOL",
            cls, destructor);
  }
  if (is_iconic_class(record.type))
    out.put("STDMETHODIMP %s::Cast(IVObjectX *Source) {VCOM_CAST_IMPL(%d);}\n\n", cls,
            build.copy_obj);

  out.put("STDMETHODIMP %s::InterfaceSupportsErrorInfo(REFIID riid)\n", cls);
  out.write("{\n");
  out.put("  if (InlineIsEqualGUID(riid, IID_I%s))\n", cls);
  out.write("    return S_OK;\n");
  if (record.xld_family) {
    out.write("  if (InlineIsEqualGUID(riid, IID_IVXLDX))\n");
    out.write("    return S_OK;\n");
  }
  if (is_iconic_class(record.type)) {
    out.write("  if (InlineIsEqualGUID(riid, IID_IVObjectX))\n");
    out.write("    return S_OK;\n");
  }
  out.write("  return S_FALSE;\n");
  out.write("}\n\n");

  if (is_handle_class(record.type)) {
    out.put("STDMETHODIMP %s::get_%s(VARIANT * ClassHandle)\n", cls,
            handle_property_name(record.type));
    out.write("{\n");
    out.write("  TUPLECONVERT(handle, ClassHandle, \"ClassHandle\");\n");
    out.write("  return S_OK;\n");
    out.write("}\n\n");
  }
  if (record.type == well_known_types().system) {
    out.write("STDMETHODIMP VSystemX::get_ErrorBaseCOM(long *val)\n");
    out.write("{\n");
    out.write("  *val = VORNIXX_COMINT_ERR_BASE;\n");
    out.write("  return S_OK;\n");
    out.write("}\n\n");
    out.write("STDMETHODIMP VSystemX::get_ErrorBaseVornix(long *val)\n");
    out.write("{\n");
    out.write("  *val = VORNIXX_ERR_BASE;\n");
    out.write("  return S_OK;\n");
    out.write("}\n\n");
  }
}

const char* value_letters(ComStoreKind kind) {
  switch (kind) {
    case store_long:
      return "L";
    case store_double:
      return "D";
    case store_bstr:
      return "BSTR";
    default:
      return "V";
  }
}

void write_input_store(Writer& out, const ClassParam& param) {
  std::string name = com_param_name(param.name);
  ComStoreKind kind = com_store_kind(param.type);
  out.write("  if (!VIsError(errorStatus))\n");
  switch (kind) {
    case store_object:
    case store_tool:
      out.write("  {\n");
      out.put("    VCOMSTOREI%s(%d,%s);\n", kind == store_object ? "O" : "TOOL", param.slot(),
              name.c_str());
      out.write("  }\n");
      break;
    case store_tuple:
      out.put("    errorStatus = VcomStoreICV(ph,%d,%s);\n", param.slot(), name.c_str());
      break;
    default:
      out.put("    errorStatus = VcomStoreIC%s(ph,%d,%s);\n", value_letters(kind), param.slot(),
              name.c_str());
      break;
  }
}

void write_output_store(Writer& out, const ClassParam& param) {
  std::string name = com_param_name(param.name);
  ComStoreKind kind = com_store_kind(param.type);
  switch (kind) {
    case store_object:
      out.put("  VCOMSTOREOO(%d,%s,%s);\n", param.slot(), name.c_str(),
              com_name(param.type).c_str());
      break;
    case store_tool:
      out.put("  VCOMSTOREOTOOL(%d,%s,%s);\n", param.slot(), name.c_str(),
              com_name(param.type).c_str());
      break;
    case store_tuple:
      out.put("  errorStatus = VcomStoreOCV(ph,%d,%s,errorStatus);\n", param.slot(), name.c_str());
      break;
    default:
      out.put("  errorStatus = VcomStoreOC%s(ph,%d,%s,errorStatus);\n", value_letters(kind),
              param.slot(), name.c_str());
      break;
  }
}

}  // namespace

void write_method_parameters(Writer& out, const ClassMethod& method) {
  const char* separator = "";
  auto write_one = [&](const ClassParam& param) {
    out.put("%s    %s%s %s", separator, com_param_type(param.type).c_str(),
            param.output ? "*" : "", com_param_name(param.name).c_str());
    separator = ",\n";
  };
  for (const ClassParam& param : method.params) write_one(param);
  if (method.return_param) write_one(*method.return_param);
}

void write_method_body(Writer& out, const ComBuild& build, const ClassRecord& record,
                       const ClassMethod& method) {
  const std::optional<ClassParam>& instance = method.instance;
  bool iconic = is_iconic_class(record.type);
  out.put("STDMETHODIMP %s::%s(\n", com_name(record).c_str(),
          name_style(method.name, style_camel).c_str());
  write_method_parameters(out, method);
  out.write(")\n");
  out.write("{\n");
  if (instance && instance->output) {
    out.write("\n  // Instance is output parameter, clear it first\n");
    out.write("  HandleCleanUp(true);\n\n");
  }
  out.write("  Vproc_handle ph;\n");
  out.put("  Verror errorStatus = VcomPreCall%s(%d,&ph);\n\n", build.package ? "User" : "",
          method.proc_number);
  if (instance && !instance->output) {
    out.write("  // Store instance as input parameter\n");
    out.write("  if (!VIsError(errorStatus))\n");
    if (iconic) {
      out.put("    errorStatus = VcomStoreIO(ph,%d,handle);\n", instance->slot());
    } else {
      out.put("    errorStatus = VcomStoreICTOOL(ph,%d,handle);\n", instance->slot());
    }
  }
  for (const ClassParam& param : method.params)
    if (!param.output) write_input_store(out, param);
  out.write("  if (!VIsError(errorStatus))\n");
  out.write("    errorStatus = VcomCall(ph);\n");
  out.write("  if (!VIsError(errorStatus))\n");
  out.write("  {\n");
  if (instance && instance->output) {
    out.write("  // Modify instance from output parameter\n");
    if (iconic) {
      out.put("    errorStatus = VcomStoreOO(ph,%d,&handle,errorStatus);\n", instance->slot());
    } else {
      out.put("    errorStatus = VcomStoreOCTOOL(ph,%d,&handle,errorStatus);\n", instance->slot());
    }
  }
  out.write("  }\n");
  for (const ClassParam& param : method.params)
    if (param.output) write_output_store(out, param);
  if (method.return_param) write_output_store(out, *method.return_param);
  out.write("  errorStatus = VcomPostCall(ph,errorStatus);\n\n");
  out.write("  return errorStatus == V_MSG_TRUE ? S_OK :\n");
  out.write(
      "    this->Error(VMessage_COMInt(errorStatus), GUID_NULL, VORNIXX_ERR_BASE + errorStatus);\n");
  out.write("}\n\n");
}

void write_class_source(Writer& out, const ComBuild& build, const ClassRecord& record) {
  write_includes(out, build, record);
  if (build.package) write_offset_resolver(out);
  write_fixed_members(out, build, record);
  for (const ClassMethod& method : record.methods) write_method_body(out, build, record, method);
}
