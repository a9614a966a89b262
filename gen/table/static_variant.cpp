// Writes the static-variant section of the library build: one function per
// operator that installs its procedure, and one that installs them all.
// Static linking keeps only the operators whose VSetSystem_<j> is called.
#include "gen/table/table_writers.h"

void write_static_variant_section(Writer& out, const OperatorList& ops) {
  const int count = static_cast<int>(ops.size());
  out.write("#if defined VC_STATIC_VARIANT\n");
  for (int j = 0; j < count; ++j)
    out.put("void VSetSystem_%d(void) { VProcCall[%d].Proc = %s;}\n", j, j,
            ops[j]->function.c_str());
  out.write("\n");
  out.write("/* init VProcCall list of all operators. this is not done\n");
  out.write("   automatically for VC_STATIC_VARIANT as this would force\n");
  out.write("   the linker to include all operator's symbols even when\n");
  out.write("   only few operators are used. */\n");
  out.write("void VSetSystem_All(void)\n");
  out.write("{\n");
  for (int j = 0; j < count; ++j)
    out.put("  VProcCall[%d].Proc = %s;\n", j, ops[j]->function.c_str());
  out.write("}\n\n");
  out.write("#endif /* VC_STATIC_VARIANT */\n");
  out.write("/******************************/\n\n");
}
