// The C interface header: per operator the tuple-mode prototype "T_<name>"
// with every control parameter as a tuple and, where the simple-mode rule
// allows it, the prototype "<name>" with control parameters as plain C
// values. Also the parameter lists that the wrappers repeat.
#include <string>

#include "driver/settings.h"
#include "gen/c/c_rules.h"
#include "gen/c/c_writers.h"

namespace {

const char* separator(bool first) { return first ? "" : ", "; }

// Iconic parameters are the same in both modes.
void write_iconic_parameters(Writer& out, const Operator& op, bool& first) {
  for (const DeclaredParam& p : op.declared[group_input_object]) {
    out.put("%sconst Vobject %s", separator(first), p.name.c_str());
    first = false;
  }
  for (const DeclaredParam& p : op.declared[group_output_object]) {
    out.put("%sVobject *%s", separator(first), p.name.c_str());
    first = false;
  }
}

}  // namespace

char control_type_flag(const Operator& op, int group, int k) {
  const std::optional<std::string>& flags =
      group == group_input_control ? op.input_control_flags : op.output_control_flags;
  if (!flags || k < 0 || static_cast<size_t>(k) >= flags->size()) return 0;
  return (*flags)[static_cast<size_t>(k)];
}

void write_tuple_parameters(Writer& out, const Operator& op) {
  bool first = true;
  write_iconic_parameters(out, op, first);
  for (const DeclaredParam& p : op.declared[group_input_control]) {
    out.put("%sconst Vtuple %s", separator(first), p.name.c_str());
    first = false;
  }
  for (const DeclaredParam& p : op.declared[group_output_control]) {
    out.put("%sVtuple *%s", separator(first), p.name.c_str());
    first = false;
  }
  if (first) out.write("void");
}

void write_simple_parameters(Writer& out, const Operator& op) {
  bool first = true;
  write_iconic_parameters(out, op, first);
  for (int group : {group_input_control, group_output_control}) {
    bool output = group == group_output_control;
    int k = 0;
    for (const DeclaredParam& p : op.declared[group]) {
      // "%sdouble ", "%sconst char *", "%sVlong " and their output forms,
      // then the name.
      out.put("%s%s", separator(first), simple_mode_c_type(control_type_flag(op, group, k), output));
      out.put("%s", p.name.c_str());
      first = false;
      ++k;
    }
  }
  if (first) out.write("void");
}

void write_c_header(Writer& out, const OperatorList& ops) {
  bool library = settings().generation_target == target_library;
  out.write("#if defined(__cplusplus)\n");
  out.write("extern \"C\" {\n");
  out.write("#endif\n\n");
  if (library) out.write("/* VORNIX/C operators */\n");
  for (const Operator* op : ops) {
    out.put(library ? "LIntExport Verror T_%s(" : "VUserExport Verror T_%s(", op->name.c_str());
    write_tuple_parameters(out, *op);
    out.write(");\n");
    if (simple_mode_allowed(*op)) {
      out.put(library ? "LIntExport Verror %s(" : "VUserExport Verror %s(", op->name.c_str());
      write_simple_parameters(out, *op);
      out.write(");\n");
    }
  }
  out.write("\n\n#if defined(__cplusplus)\n");
  out.write("}\n");
  out.write("#endif\n\n");
}
