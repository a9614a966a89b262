// This writer emits the body of VProcIDs.cs, the table of procedure numbers
// that the library build's call bodies name: one constant per operator,
// numbered by its position in the sorted list.
#include "gen/dotnet/proc_ids.h"

#include "driver/name_style.h"
#include "driver/output.h"

void write_dotnet_proc_ids(Writer& out, const OperatorList& ops) {
  out.write("using System;\n\n");
  out.write("namespace VornixDotNet\n");
  out.write("{\n");
  out.write("  internal class VProcIDs\n");
  out.write("  {\n");
  for (size_t number = 0; number < ops.size(); ++number) {
    out.put("    public const int %s = %d;\n", name_style(ops[number]->name, style_upper).c_str(),
            static_cast<int>(number));
  }
  out.write("  }\n");
  out.write("}\n");
}
