// Writes one operator of the library build's operator table: assignments
// into VProcInfo[j] and VProcCall[j] for the counts, names, category, flags,
// procedure, module mask, interrupt mode and parallelisation.
#include "driver/diagnostics.h"
#include "driver/settings.h"
#include "gen/table/table_writers.h"

namespace {

// Module "none" (32) counts as every module of the 32-bit mask.
constexpr int module_none = 32;
// Category written for an operator of module "none" without a category.
constexpr int category_other = 11;

int category_number(const OperatorInfo& info) {
  if (info.category != -1) return info.category;
  if (info.module == module_none) return category_other;
  return info.module;
}

void write_flags(Writer& out, int j, const Operator& op) {
  unsigned bits = 0;
  for (const std::string& flag : op.info->flags) {
    unsigned bit = 0;
    if (look_up_flag(flag, bit)) {
      bits |= bit;
    } else {
      report_warning("\"%s\": In operator \"%s\" the flag \"%s\" is unknown and will be ignored!\n",
                     op.info->def_file.c_str(), op.name.c_str(), flag.c_str());
    }
  }
  out.put("  VProcInfo[%d].flags = %u;\n", j, bits);
}

void write_procedure(Writer& out, int j, const Operator& op) {
  if (settings().omit_static_guards) {
    out.put("  VProcCall[%d].Proc = NULL;\n", j);
    return;
  }
  out.write("#ifdef VC_STATIC_VARIANT\n");
  out.put("  VProcCall[%d].Proc = NULL;\n", j);
  out.write("#else\n");
  out.put("  VProcCall[%d].Proc = %s;\n", j, op.function.c_str());
  out.write("#endif /* VC_STATIC_VARIANT */\n");
}

void write_module_mask(Writer& out, int j, int module) {
  if (module == -1)
    out.put("  VProcCall[%d].ModuleMask = 1ul;\n", j);
  else if (module == module_none)
    out.put("  VProcCall[%d].ModuleMask = 0x%lxUL;\n", j, 0xfffffffful);
  else if (module >= 0 && module < 32)
    out.put("  VProcCall[%d].ModuleMask = %luul;\n", j, 1ul << module);
}

}  // namespace

void write_table_form_operator(Writer& out, int j, const Operator& op) {
  const OperatorInfo& info = *op.info;
  if (op.counts[group_input_control] > 0)
    out.put("  VProcInfo[%d].ParameterType[0] = \"%s\";\n", j,
            op.input_control_flags.value_or("").c_str());
  if (op.counts[group_output_control] > 0)
    out.put("  VProcInfo[%d].ParameterType[1] = \"%s\";\n", j,
            op.output_control_flags.value_or("").c_str());
  out.put("  VProcInfo[%d].NumInpObjPar = %ld;\n", j, static_cast<long>(op.counts[0]));
  out.put("  VProcInfo[%d].NumOutpObjPar = %ld;\n", j, static_cast<long>(op.counts[1]));
  out.put("  VProcInfo[%d].NumInpCtrlPar = %ld;\n", j, static_cast<long>(op.counts[2]));
  out.put("  VProcInfo[%d].NumOutpCtrlPar = %ld;\n", j, static_cast<long>(op.counts[3]));
  write_extended_parameter_info(out, j, op);
  out.put("  VProcInfo[%d].category = (VOperatorCategoryEnum)%d;\n", j, category_number(info));
  if (!info.flags.empty()) write_flags(out, j, op);
  out.put("  VProcInfo[%d].LogicalName = \"%s\";\n", j, op.name.c_str());
  out.put("  VProcInfo[%d].PhysicalName = \"%s\";\n", j, op.function.c_str());
  write_procedure(out, j, op);
  write_module_mask(out, j, info.module);
  out.put("  VProcInfo[%d].interrupt_mode = %d;\n", j, static_cast<int>(info.par.interrupt_mode));
  write_parallelisation_lines(out, table_form, j, op);
  out.write("\n");
}

bool look_up_flag(const std::string& name, unsigned& bit) {
  if (name == "image_input") {
    bit = 1;
    return true;
  }
  return false;
}
