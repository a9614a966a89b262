// Writes the head of the operator-table source: the includes of the
// library build or of an extension package, and in a package one prototype
// per implementing function.
#include "gen/table/table_writers.h"

void write_source_head(Writer& out, TableForm form, const OperatorList& ops) {
  if (form == package_form) {
    out.write("#ifndef V_BUILD_WITH_VLIBXPI\n");
    out.write("#  ifndef __APPLE__\n");
    out.write("#    include \"Vornix.h\"\n");
    out.write("#    include \"VCtype.h\"\n");
    out.write("#  else\n");
    out.write("#    ifndef VC_LARGE_IMAGES\n");
    out.write("#      include <VORNIX/Vornix.h>\n");
    out.write("#      include <VORNIX/VCtype.h>\n");
    out.write("#    else\n");
    out.write("#      include <VORNIXxl/Vornix.h>\n");
    out.write("#      include <VORNIXxl/VCtype.h>\n");
    out.write("#    endif\n");
    out.write("#  endif\n");
    out.write("#else\n");
    out.write("#  include \"VlibXpi.h\"\n");
    out.write("#endif\n");
    for (const Operator* op : ops)
      out.put("Verror %s(Vproc_handle proc_id);\n", op->function.c_str());
  } else {
    out.write("#include \"vlib/base/VornixInternal.h\"\n");
    out.write("#include \"VVersNum.h\"\n");
    out.write("#include \"vlib/base/VCTypeInternal.h\"\n");
    out.write("#include \"vlib/CoreInterface.h\"\n");
  }
  out.write("\n\n");
}
