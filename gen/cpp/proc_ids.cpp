// This writer emits VProcIDs.h, the table of procedure numbers that the
// library build's call bodies name: one constant per operator, numbered by
// the operator's position in the sorted list.
#include "gen/cpp/proc_ids.h"

#include "driver/name_style.h"
#include "driver/output.h"

void write_proc_ids(Writer& out, const OperatorList& ops) {
  out.write("#ifndef VCPP_PROC_IDS_H\n");
  out.write("#define VCPP_PROC_IDS_H\n\n");
  out.write("namespace VornixCpp\n");
  out.write("{\n\n");
  out.write("class VProcIDs\n");
  out.write("{\n");
  out.write("public:\n");
  for (size_t number = 0; number < ops.size(); ++number) {
    out.put("  static const int PI_%s = %d;\n", name_style(ops[number]->name, style_upper).c_str(),
            static_cast<int>(number));
  }
  out.write("};\n");
  out.write("}\n");
  out.write("#endif\n");
}
