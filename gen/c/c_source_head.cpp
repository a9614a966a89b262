// Head of the C interface source: the includes of the generation target,
// then in the library build the static-variant include and the two
// functions that fetch and give back the thread-specific procedure handle of
// independent operators, in an extension package the resolver that adds the
// package's operator-set offset to its local operator numbers.
#include "driver/settings.h"
#include "gen/c/c_writers.h"

namespace {

void write_includes(Writer& out, bool library) {
  if (!library) {
    out.write("#ifndef __APPLE__\n");
    out.write("#  include \"VornixC.h\"\n");
    out.write("#else\n");
    out.write("#  ifndef VC_LARGE_IMAGES\n");
    out.write("#    include <VORNIXC/VornixC.h>\n");
    out.write("#  else\n");
    out.write("#    include <VORNIXCxl/VornixC.h>\n");
    out.write("#  endif\n");
    out.write("#endif\n\n");
  } else {
    out.write("#include \"vlib/base/VornixInternal.h\"\n");
    out.write("#include \"vlib/base/CORE0.h\"\n");
    out.write("#include \"vlib/base/CORELI.h\"\n");
    out.write("#include \"VornixC.h\"\n");
  }
  out.write("\n");
}

void write_core_interface_include(Writer& out) {
  if (settings().omit_static_guards) {
    out.write("#include \"vlib/CoreInterface.h\"\n\n");
    return;
  }
  out.write("#ifdef VC_STATIC_VARIANT \n");  // a blank before the line end, as required
  out.write("#include \"vlib/CoreInterface.h\"\n");
  out.write("#endif /* VC_STATIC_VARIANT */\n\n");
}

void write_thread_specific_handle_functions(Writer& out) {
  out.write("static Vproc_handle VcGetTSVProc(int op_id)\n");
  out.write("{\n");
  out.write("  Vophandle_  ph;\n");
  out.write("  Verror      err;\n");
  out.write("  \n");
  out.write("  err = VGetRecVProc(op_id, (void*)&ph);\n");
  out.write("  if( V_MSG_OK!= err)\n");
  out.write("  {\n");
  out.write("    VcException( op_id, err);\n");
  out.write("  }\n");
  out.write("  return ph;\n");
  out.write("}\n\n");
  out.write("static Verror VcPutTSVProc(Vophandle_ ph)\n");
  out.write("{\n");
  out.write("  return VPutRecVProcErr(ph, V_MSG_OK);\n");
  out.write("}\n\n");
}

// The offset is the operator-set id that the package's VXPkgInit (written
// by the operator table generator) stores and V<package>GetOffset returns.
void write_offset_resolver(Writer& out) {
  const char* package = settings().package_name.c_str();
  out.put("extern VUserImport int V%sGetOffset();\n\n", package);
  out.write("int offset = -1;\n\n");
  out.write("Verror VcPreCallUser(int proc_index_local, ");
  out.write("Vproc_handle *proc_handle)\n");
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
  out.write("      VcPreCall(0,&ph);\n");
  out.write("      VcPostCall(ph,V_MSG_OK);\n");
  out.put("      offset = V%sGetOffset();\n", package);
  out.write("      if (offset < 0)\n");
  out.write("      {\n");
  out.write("        /* Ok, so something is *really* wrong */\n");
  out.write("        *proc_handle = NULL;\n");
  out.write("        return V_ERR_UEXTNI;\n");
  out.write("      }\n");
  out.write("    }\n");
  out.write("  }\n");
  out.write("  return VcPreCall(offset + proc_index_local, proc_handle);\n");
  out.write("}\n\n");
}

}  // namespace

void write_c_source_head(Writer& out) {
  bool library = settings().generation_target == target_library;
  write_includes(out, library);
  if (library) {
    write_core_interface_include(out);
    write_thread_specific_handle_functions(out);
  } else {
    write_offset_resolver(out);
  }
}
