// The wrappers of the C interface source. Each hands its parameters to the
// library's call mechanism by operator number (the operator's position in
// the whole list): first one tuple-mode wrapper per operator, then one
// simple-mode wrapper per operator that the simple-mode rule allows. In the
// library build every wrapper also installs the operator's procedure, and
// independent operators take the thread-specific path.
#include <string>

#include "driver/settings.h"
#include "gen/c/c_rules.h"
#include "gen/c/c_writers.h"

namespace {

struct Target {
  bool library;
  bool omit_static_guards;  // -o
};

Target current_target() {
  return {settings().generation_target == target_library, settings().omit_static_guards};
}

const std::vector<DeclaredParam>& names(const Operator& op, int group) {
  return op.declared[group];
}

const Parameter& control_param(const Operator& op, int group, int k) { return op.param(group, k); }

// Independent operators of the library build use the thread-specific
// procedure handle instead of VcPreCall/VcPostCall.
bool thread_specific(const Operator& op, const Target& target) {
  return target.library && op.info != nullptr && op.info->par.exclusively_none;
}

// Library build only: the procedure of operator n is set before the call.
void write_procedure_installation(Writer& out, const Operator& op, int n, const Target& target) {
  if (!target.library) return;
  if (target.omit_static_guards) {
    out.put("  VProcCall[%d].Proc = %s;\n", n, op.function.c_str());
    return;
  }
  out.write("#ifdef VC_STATIC_VARIANT \n");  // a blank before the line end, as required
  out.put("  VSetSystem_%d();\n", n);
  out.write("#endif /* VC_STATIC_VARIANT */\n\n");
}

// Store letter of a simple-mode store call: D, S with the encoding suffix
// (default type "string" required), or L.
std::string store_letter(const Operator& op, int group, int k) {
  char letter = simple_mode_store_letter(control_type_flag(op, group, k));
  std::string text(1, letter);
  if (letter == 'S') text += encoding_suffix(control_param(op, group, k), true);
  return text;
}

void write_thread_specific_tuple_body(Writer& out, const Operator& op, int n,
                                      const Target& target) {
  out.put("  ph = VcGetTSVProc(%d);\n", n);
  write_procedure_installation(out, op, n, target);
  int k = 0;
  for (const DeclaredParam& p : names(op, group_input_control)) {
    out.put("  if (err == V_MSG_OK) err = VcStoreICT%s(ph,%d,&%s);\n",
            encoding_suffix(control_param(op, group_input_control, k), false), k, p.name.c_str());
    ++k;
  }
  out.write("  if (err == V_MSG_OK)\n  {\n");
  k = 0;
  for (const DeclaredParam& p : names(op, group_output_control))
    out.put("    CLIInitOCT(ph,%d,%s);\n", k++, p.name.c_str());
  out.write("    err = CCallVProc(ph);\n");
  out.write("  }\n");
  k = 0;
  for (const DeclaredParam& p : names(op, group_output_control)) {
    out.put("  err = VcStoreOCT%s(ph,%d,%s,err);\n",
            encoding_suffix(control_param(op, group_output_control, k), false), k, p.name.c_str());
    ++k;
  }
  out.write("  return VIsMessage(err)? VcPutTSVProc(ph): VcErrorHandling(ph,err);\n");
}

void write_tuple_body(Writer& out, const Operator& op, int n, const Target& target) {
  out.put("  err = VcPreCall%s(%d,&ph);\n", target.library ? "" : "User", n);
  write_procedure_installation(out, op, n, target);
  int i = 1;  // iconic parameters are numbered from 1
  for (const DeclaredParam& p : names(op, group_input_object))
    out.put("  if (err == V_MSG_OK) err = VcStoreIO(ph,%d,%s);\n", i++, p.name.c_str());
  int k = 0;
  for (const DeclaredParam& p : names(op, group_input_control)) {
    out.put("  if (err == V_MSG_OK) err = VcStoreICT%s(ph,%d,&%s);\n",
            encoding_suffix(control_param(op, group_input_control, k), false), k, p.name.c_str());
    ++k;
  }
  out.write("  if (err == V_MSG_OK)\n  {\n");
  k = 0;
  for (const DeclaredParam& p : names(op, group_output_control)) {
    if (target.library)
      out.put("    CLIInitOCT(ph,%d,%s);\n", k, p.name.c_str());
    else
      out.put("    VcInitOCT(ph,%d,%s);\n", k, p.name.c_str());
    ++k;
  }
  out.write(target.library ? "    err = CCallVProc(ph);\n" : "    err = VcCall(ph);\n");
  out.write("  }\n");
  i = 1;
  for (const DeclaredParam& p : names(op, group_output_object))
    out.put("  err = VcStoreOO(ph,%d,%s,err);\n", i++, p.name.c_str());
  k = 0;
  for (const DeclaredParam& p : names(op, group_output_control)) {
    out.put("  err = VcStoreOCT%s(ph,%d,%s,err);\n",
            encoding_suffix(control_param(op, group_output_control, k), false), k, p.name.c_str());
    ++k;
  }
  out.write("  return VcPostCall(ph,err);\n");
}

void write_tuple_wrapper(Writer& out, const Operator& op, int n, const Target& target) {
  out.put(target.library ? "Verror T_%s(" : "VUserExport Verror T_%s(", op.name.c_str());
  write_tuple_parameters(out, op);
  out.write(")\n");
  out.write("{\n");
  out.write("  Vproc_handle ph;\n");
  out.write("  Verror err = V_MSG_OK;\n\n");
  if (thread_specific(op, target))
    write_thread_specific_tuple_body(out, op, n, target);
  else
    write_tuple_body(out, op, n, target);
  out.write("}\n\n");
}

void write_thread_specific_simple_body(Writer& out, const Operator& op, int n,
                                       const Target& target) {
  out.put("  ph = VcGetTSVProc(%d);\n", n);
  write_procedure_installation(out, op, n, target);
  int k = 0;
  for (const DeclaredParam& p : names(op, group_input_control)) {
    out.put("    VcStoreIC%s(ph,%d,%s);\n", store_letter(op, group_input_control, k).c_str(), k,
            p.name.c_str());
    ++k;
  }
  // the init calls never take the encoding suffix
  for (k = 0; k < static_cast<int>(names(op, group_output_control).size()); ++k)
    out.put("    CLIInitOC%c(ph,%d);\n",
            simple_mode_store_letter(control_type_flag(op, group_output_control, k)), k);
  out.write("\n  err = CCallVProc(ph);\n\n");
  k = 0;
  for (const DeclaredParam& p : names(op, group_output_control)) {
    out.put("  err = VcStoreOC%s(ph,%d,%s,err);\n", store_letter(op, group_output_control, k).c_str(),
            k, p.name.c_str());
    ++k;
  }
  out.write("  return VIsMessage(err)? VcPutTSVProc(ph): VcErrorHandling(ph,err);\n");
}

void write_simple_body(Writer& out, const Operator& op, int n, const Target& target) {
  out.put("  err = VcPreCall%s(%d,&ph);\n", target.library ? "" : "User", n);
  write_procedure_installation(out, op, n, target);
  int i = 1;
  for (const DeclaredParam& p : names(op, group_input_object))
    out.put("  if (err == V_MSG_OK) err = VcStoreIO(ph,%d,%s);\n", i++, p.name.c_str());
  int k = 0;
  for (const DeclaredParam& p : names(op, group_input_control)) {
    // the store result is not assigned, as required
    out.put("  if (err == V_MSG_OK) VcStoreIC%s(ph,%d,%s);\n",
            store_letter(op, group_input_control, k).c_str(), k, p.name.c_str());
    ++k;
  }
  out.write("  if (err == V_MSG_OK)\n  {\n");
  for (k = 0; k < static_cast<int>(names(op, group_output_control).size()); ++k) {
    char letter = simple_mode_store_letter(control_type_flag(op, group_output_control, k));
    if (target.library)
      out.put("    CLIInitOC%c(ph,%d);\n", letter, k);
    else
      out.put("    VcInitOC%c(ph,%d);\n", letter, k);
  }
  out.write(target.library ? "    err = CCallVProc(ph);\n" : "    err = VcCall(ph);\n");
  out.write("  }\n");
  i = 1;
  for (const DeclaredParam& p : names(op, group_output_object))
    out.put("  err = VcStoreOO(ph,%d,%s,err);\n", i++, p.name.c_str());
  k = 0;
  for (const DeclaredParam& p : names(op, group_output_control)) {
    out.put("  err = VcStoreOC%s(ph,%d,%s,err);\n", store_letter(op, group_output_control, k).c_str(),
            k, p.name.c_str());
    ++k;
  }
  out.write("  return VcPostCall(ph,err);\n");
}

void write_simple_wrapper(Writer& out, const Operator& op, int n, const Target& target) {
  out.put(target.library ? "Verror %s(" : "VUserExport Verror %s(", op.name.c_str());
  write_simple_parameters(out, op);
  out.write(")\n");
  out.write("{\n");
  out.write("  Vproc_handle ph;\n");
  out.write("  Verror err;\n");
  if (thread_specific(op, target))
    write_thread_specific_simple_body(out, op, n, target);
  else
    write_simple_body(out, op, n, target);
  out.write("}\n\n");
}

}  // namespace

void write_c_source(Writer& out, const OperatorList& ops) {
  Target target = current_target();
  write_c_source_head(out);
  int count = static_cast<int>(ops.size());
  for (int n = 0; n < count; ++n) write_tuple_wrapper(out, *ops[n], n, target);
  // The simple-mode wrappers keep the numbers of the whole list.
  for (int n = 0; n < count; ++n)
    if (simple_mode_allowed(*ops[n])) write_simple_wrapper(out, *ops[n], n, target);
}
