// Writes CoreInterface.h of the library build: the prototypes of all
// implementing functions and, for the static variant, of the VSetSystem_<j>
// functions that install one operator each.
#include "gen/table/table_writers.h"

void write_core_interface(Writer& out, const OperatorList& ops) {
  out.write("#ifndef COREINTERFACE_H\n");
  out.write("#define COREINTERFACE_H\n\n");
  out.write("#if defined(__cplusplus)\n");
  out.write("extern \"C\" {\n#endif\n\n");
  for (const Operator* op : ops) out.put("Verror %s(Vproc_handle proc_id);\n", op->function.c_str());
  out.write("\n#if defined VC_STATIC_VARIANT\n");
  for (size_t j = 0; j < ops.size(); ++j)
    out.put("extern VLibExport void VSetSystem_%d(void);\n", static_cast<int>(j));
  out.write("#endif\n");
  out.write("\n\n#if defined(__cplusplus)\n");
  out.write("}\n#endif\n\n#endif\n");
}
