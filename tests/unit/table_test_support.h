/// Hand-built operators for the operator-table unit tests.
#pragma once

#include <memory>
#include <string>

#include "def/operator_model.h"

/// An operator with the given numbers of input objects, output objects,
/// input controls and output controls. Parameters are named after their
/// group and index (in0, out0, cin0, cout0); controls are single reals, so
/// the type flags are "f" per control. Parallelisation keeps its defaults.
inline std::unique_ptr<Operator> make_test_operator(const std::string& name, int in_objects,
                                                    int out_objects, int in_controls,
                                                    int out_controls) {
  static const char* const prefixes[4] = {"in", "out", "cin", "cout"};
  auto op = std::make_unique<Operator>();
  op->name = name;
  op->function = "C" + name;
  int counts[4] = {in_objects, out_objects, in_controls, out_controls};
  op->info = std::make_unique<OperatorInfo>();
  op->info->def_file = "test.def";
  op->info->line = 7;
  for (int group = 0; group < 4; ++group) {
    op->counts[group] = counts[group];
    for (int i = 0; i < counts[group]; ++i) {
      DeclaredParam d;
      d.name = prefixes[group] + std::to_string(i);
      op->declared[group].push_back(d);
      Parameter p;
      p.name = d.name;
      p.kind = param_kind_text(group);
      p.group = group;
      op->info->params.push_back(p);
    }
  }
  if (in_controls > 0) op->input_control_flags = std::string(in_controls, 'f');
  if (out_controls > 0) op->output_control_flags = std::string(out_controls, 'f');
  return op;
}

/// Parameter i of a group, for filling slots.
inline Parameter& test_param(Operator& op, int group, int i) {
  return op.info->params[op.first_param(group) + i];
}
