// Writes one operator of an extension package's operator table: one
// VXPkgSetOpInfo call per property, each checked with VCkP. The package
// form carries no category, flags, interrupt mode or extended parameter
// information.
#include "gen/table/table_writers.h"

namespace {

// What a package registers for module "none", which has no bit of its own:
// every module, as the library build does.
constexpr unsigned long all_modules_mask = 0xfffffffful;

void write_module(Writer& out, int j, int module) {
  if (module == -1)
    out.put("  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_module,1ul));\n", j);
  else if (module >= 0 && module < 32)
    out.put("  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_module,%luul));\n", j, 1ul << module);
  else
    out.put("  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_module,%luul));\n", j, all_modules_mask);
}

}  // namespace

void write_package_form_operator(Writer& out, int j, const Operator& op) {
  if (op.counts[group_input_control] > 0)
    out.put("  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_ParameterType,0,\"%s\"));\n", j,
            op.input_control_flags.value_or("").c_str());
  if (op.counts[group_output_control] > 0)
    out.put("  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_ParameterType,1,\"%s\"));\n", j,
            op.output_control_flags.value_or("").c_str());
  out.put("  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_NumInpObjPar,%ld));\n", j,
          static_cast<long>(op.counts[0]));
  out.put("  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_NumOutpObjPar,%ld));\n", j,
          static_cast<long>(op.counts[1]));
  out.put("  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_NumInpCtrlPar,%ld));\n", j,
          static_cast<long>(op.counts[2]));
  out.put("  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_NumOutpCtrlPar,%ld));\n", j,
          static_cast<long>(op.counts[3]));
  out.put("  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_LogicalName,\"%s\"));\n", j, op.name.c_str());
  out.put("  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_PhysicalName,\"%s\"));\n", j, op.function.c_str());
  out.put("  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_procedure,%s));\n", j, op.function.c_str());
  write_module(out, j, op.info->module);
  write_parallelisation_lines(out, package_form, j, op);
  out.write("\n");
}
