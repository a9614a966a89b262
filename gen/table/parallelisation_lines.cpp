// Writes the automatic-parallelisation properties of one operator: its
// scope, the parallelisation methods with the split data of the tuple,
// channel and domain levels, the compute devices, region post-processing and
// the per-parameter costs and post-processing. The table form assigns them
// to VProcInfo[j]; the package form passes the same values to
// VXPkgSetOpInfo.
#include <cstdlib>

#include "driver/diagnostics.h"
#include "gen/table/table_writers.h"

namespace {

// The lines of both forms, side by side. Each is filled with j first.
struct ParallelisationTemplates {
  const char* scope;                  // j, scope constant
  const char* parallelization_begin;  // j; the method constants follow
  const char* parallelization_end;
  const char* compute_device_begin;   // j; the device constants follow
  const char* compute_device_end;
  const char* compute_device_zero;    // j
  const char* parallelization_zero;   // j
  const char* aop_cost_null;          // j
  const char* num_cost_zero;          // j
  const char* min_costs_zero;         // j
  const char* region_split_zero;      // j
  const char* split_reference;        // j, level, reference + 1
  const char* split_mask[3];          // j, mask; per level
  const char* tuple_mask[3];          // j, mask; per level
  const char* region_split;           // j, domain-split number
  const char* region_post;            // j, post-processing constant
  const char* parameter_costs;        // j, k, costs_weight
  const char* parameter_post_none;    // j, k
  const char* parameter_post_begin;   // j, k; the constants follow
  const char* parameter_post_end;
};

const ParallelisationTemplates table_templates = {
    "  VProcInfo[%d].process_excl_local = %s;\n",
    "  VProcInfo[%d].parallelization = ",
    ";\n",
    "  VProcInfo[%d].compute_device =",
    ";\n#endif\n",
    "  VProcInfo[%d].compute_device = 0;\n#endif\n",
    "  VProcInfo[%d].parallelization = 0;\n",
    "  VProcInfo[%d].aopCost = NULL;\n",
    "  VProcInfo[%d].numCost = 0;\n",
    "  VProcInfo[%d].parallelMinCosts = 0;\n",
    "  VProcInfo[%d].parallelRegionsplit = 0;\n",
    "  VProcInfo[%d].splitIOPref[%d] = %d;\n",
    {"  VProcInfo[%d].splitIOPmask[0] = 0x%04X;\n",
     "  VProcInfo[%d].splitIOPmask[1] = 0x%04X;\n",
     "  VProcInfo[%d].splitIOPmask[2] = 0x%04X;\n"},
    {"  VProcInfo[%d].tupleIOPmask[0] = 0x%04X;\n",
     "  VProcInfo[%d].tupleIOPmask[1] = 0x%04X;\n",
     "  VProcInfo[%d].tupleIOPmask[2] = 0x%04X;\n"},
    "  VProcInfo[%d].parallelRegionsplit = %d;\n",
    "  VProcInfo[%d].RegionPost = %s;\n",
    "  VProcInfo[%d].ParameterCosts[%d] = %d;\n",
    "  VProcInfo[%d].ParameterPost[%d] = VAG_PAR_NOCT;\n",
    "  VProcInfo[%d].ParameterPost[%d] = ",
    ";\n",
};

const ParallelisationTemplates package_templates = {
    "  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_process_excl_local,%s));\n",
    "  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_parallelization,",
    "));\n",
    "  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_compute_device,",
    "));\n#endif\n",
    "  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_compute_device,0));\n#endif\n",
    "  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_parallelization,0));\n",
    "  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_aopCost,NULL));\n",
    "  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_numCost,0));\n",
    "  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_parallelMinCosts,0));\n",
    "  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_parallelRegionsplit,0));\n",
    "  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_splitIOPref,%d,%d)); \n",  // blank before the line end
    {"  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_splitIOPmask,0,0x%04X));\n",
     "  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_splitIOPmask,1,0x%04X));\n",
     "  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_splitIOPmask,2,0x%04X));\n"},
    {"  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_tupleIOPmask,0,0x%04X));\n",
     " VCkP(VXPkgSetOpInfo(xid,%d,VOIID_tupleIOPmask,1,0x%04X));\n",  // one blank, as required
     "  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_tupleIOPmask,2,0x%04X));\n"},
    "  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_parallelRegionsplit,%d));\n",
    "  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_RegionPost,%s));\n",
    "  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_ParameterCosts,%d,%d));\n",
    "  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_ParameterPost,%d,VAG_PAR_NOCT));\n",
    "  VCkP(VXPkgSetOpInfo(xid,%d,VOIID_ParameterPost,%d,",
    "));\n",
};

enum Level { no_level = -1, tuple_level = 0, channel_level = 1, domain_level = 2 };
enum RegionSplitEffect { keep_region_split, set_region_split, clear_region_split };

struct MethodRule {
  const char* name;
  const char* constant;
  bool needs_iconic_input;
  Level level;
  RegionSplitEffect region_split;
};

const MethodRule table_method_rules[] = {
    {"split_tuple", "VAG_PAR_TUPL", true, tuple_level, keep_region_split},
    {"split_channel", "VAG_PAR_CHNL", true, channel_level, keep_region_split},
    {"split_domain", "VAG_PAR_RESC|VAG_PAR_REIF", true, domain_level, set_region_split},
    {"split_partial_domain", "VAG_PAR_RESC|VAG_PAR_PAIF", false, domain_level, set_region_split},
    {"split_partial", "VAG_PAR_RESC|VAG_PAR_PART", false, no_level, clear_region_split},
};

// A package cannot split the domain partially with level data of its own:
// split_partial_domain behaves like split_partial there.
const MethodRule package_method_rules[] = {
    {"split_tuple", "VAG_PAR_TUPL", true, tuple_level, keep_region_split},
    {"split_channel", "VAG_PAR_CHNL", true, channel_level, keep_region_split},
    {"split_domain", "VAG_PAR_RESC|VAG_PAR_REIF", true, domain_level, set_region_split},
    {"split_partial_domain", "VAG_PAR_RESC|VAG_PAR_PAIF", false, no_level, clear_region_split},
    {"split_partial", "VAG_PAR_RESC|VAG_PAR_PART", false, no_level, clear_region_split},
};

const MethodRule* find_method_rule(TableForm form, const std::string& name) {
  const MethodRule* rules = form == table_form ? table_method_rules : package_method_rules;
  for (int i = 0; i < 5; ++i)
    if (name == rules[i].name) return &rules[i];
  return nullptr;  // any other method writes nothing
}

// Constants joined by separator; methods and entries that write nothing
// leave no separator behind, so the line stays valid C.
void append_constant(std::string& text, const char* separator, const char* constant) {
  if (!text.empty()) text += separator;
  text += constant;
}

const char* partial_method_constant(const std::string& name) {
  if (name == "split_partial") return "VAG_PAR_RESC|VAG_PAR_PART";
  if (name == "split_partial_domain") return "VAG_PAR_RESC|VAG_PAR_PAIF";
  return nullptr;
}

const char* region_post_constant(const std::string& method) {
  if (method == "domain_concat_si_inp") return "VAG_PAR_REG_CONSI";
  if (method == "domain_concat_mult_inp") return "VAG_PAR_REG_CONMU";
  if (method == "domain_concat_mult_man") return "VAG_PAR_REG_CONMAN";
  return "VAG_PAR_REG_NONE";
}

const char* post_processing_constant(const std::string& entry) {
  static const char* const table[][2] = {
      {"tuple_add", "VAG_PAR_TUCT_ADD"},     {"tuple_min", "VAG_PAR_TUCT_MIN"},
      {"tuple_max", "VAG_PAR_TUCT_MAX"},     {"tuple_concat", "VAG_PAR_TUCT_CON"},
      {"channel_add", "VAG_PAR_CHCT_ADD"},   {"channel_min", "VAG_PAR_CHCT_MIN"},
      {"channel_max", "VAG_PAR_CHCT_MAX"},   {"channel_concat", "VAG_PAR_CHCT_CON"},
      {"domain_add", "VAG_PAR_RECT_ADD"},    {"domain_min", "VAG_PAR_RECT_MIN"},
      {"domain_max", "VAG_PAR_RECT_MAX"},    {"domain_concat", "VAG_PAR_RECT_CON"},
  };
  for (const auto& row : table)
    if (entry == row[0]) return row[1];
  return nullptr;
}

// Without an input object at the domain level every object is a tuple and
// the first one is split.
LevelData default_domain_level(const Operator& op) {
  LevelData level;
  int objects = op.counts[group_input_object];
  level.split_mask = 0x0001;
  level.tuple_mask = objects >= 16 ? 0xFFFFu : (1u << objects) - 1;
  level.reference = 0;
  return level;
}

LevelData level_data(const Operator& op, const SplitMethod& method, Level level) {
  if (!method.params.empty()) {
    LevelData given = parse_split_list(method.params.front());
    if (given.split_mask != 0) return given;
  }
  if (level == tuple_level) return derive_tuple_level(op);
  if (level == channel_level) return derive_channel_level(op);
  return default_domain_level(op);
}

// Exclusive, mutual and local scope: only the partial methods are written.
void write_restricted_scope(Writer& out, const ParallelisationTemplates& t, int j,
                           const Operator& op, const char* scope) {
  const Parallelisation& par = op.info->par;
  out.put(t.scope, j, scope);
  if (par.methods.empty() || par.methods.front().name == "none") return;
  std::string constants;
  for (const SplitMethod& method : par.methods)
    if (const char* constant = partial_method_constant(method.name))
      append_constant(constants, "|", constant);
  out.put(t.parallelization_begin, j);
  out.write(constants.empty() ? "0" : constants);
  out.write(t.parallelization_end);
}

void write_compute_devices(Writer& out, const ParallelisationTemplates& t, int j,
                           const Parallelisation& par) {
  out.write("#ifndef VC_NO_COMPUTE_DEVICES\n");
  if (par.compute_devices.empty() || par.compute_devices.front() == "object") {
    out.put(t.compute_device_zero, j);
    return;
  }
  std::string constants;
  for (const std::string& device : par.compute_devices)
    if (device == "opencl") append_constant(constants, " |", " COMPUTE_DEVICE_BIT_OpenCL");
  out.put(t.compute_device_begin, j);
  out.write(constants.empty() ? " 0" : constants);
  out.write(t.compute_device_end);
}

void write_parameter_lines(Writer& out, const ParallelisationTemplates& t, int j,
                           const Operator& op) {
  for (int k = 0; k < op.counts[group_input_control]; ++k)
    out.put(t.parameter_costs, j, k, op.param(group_input_control, k).extras().costs_weight);
  for (int k = 0; k < op.counts[group_output_control]; ++k) {
    const TextList& post = op.param(group_output_control, k).extras().postprocessing;
    std::string constants;
    if (!post.empty() && post.front() != "none")
      for (const std::string& entry : post)
        if (const char* constant = post_processing_constant(entry))
          append_constant(constants, "|", constant);
    if (constants.empty()) {
      out.put(t.parameter_post_none, j, k);
    } else {
      out.put(t.parameter_post_begin, j, k);
      out.write(constants);
      out.write(t.parameter_post_end);
    }
  }
}

// Independent and unrestricted scope: everything after the scope line.
void write_unrestricted_lines(Writer& out, TableForm form, const ParallelisationTemplates& t,
                              int j, const Operator& op) {
  const Parallelisation& par = op.info->par;
  write_compute_devices(out, t, j, par);
  if (par.methods.empty()) {
    out.put(t.parallelization_zero, j);
    out.put(t.min_costs_zero, j);
    out.put(t.region_split_zero, j);
    return;
  }
  if (par.methods.front().name == "none") {
    out.put(t.parallelization_zero, j);
    out.put(t.aop_cost_null, j);
    out.put(t.num_cost_zero, j);
    out.put(t.min_costs_zero, j);
    out.put(t.region_split_zero, j);
    return;
  }

  LevelData levels[3];
  bool fixed[3] = {false, false, false};
  bool region_split = false;
  std::string constants;
  for (const SplitMethod& method : par.methods) {
    const MethodRule* rule = find_method_rule(form, method.name);
    if (rule == nullptr) continue;
    if (form == table_form && rule->needs_iconic_input && op.counts[group_input_object] == 0)
      report_warning(
          "\"%s\": In operator \"%s\" the parallelization method must not be '%s' because there "
          "are no iconic input parameters!\n",
          op.info->def_file.c_str(), op.name.c_str(), method.name.c_str());
    append_constant(constants, "|", rule->constant);
    if (rule->level != no_level) {
      levels[rule->level] = level_data(op, method, rule->level);
      fixed[rule->level] = true;
    }
    if (rule->region_split == set_region_split) region_split = true;
    if (rule->region_split == clear_region_split) region_split = false;
  }
  out.put(t.parallelization_begin, j);
  out.write(constants.empty() ? "0" : constants);
  out.write(t.parallelization_end);

  for (int level = 0; level < 3; ++level) {
    if (!fixed[level]) continue;
    out.put(t.split_reference, j, level, levels[level].reference + 1);  // written 1-based
    out.put(t.split_mask[level], j, levels[level].split_mask);
    out.put(t.tuple_mask[level], j, levels[level].tuple_mask);
  }
  if (region_split) {
    out.put(t.region_split, j, par.domain_split);
    out.put(t.region_post, j, region_post_constant(par.region_postprocessing));
  }
  write_parameter_lines(out, t, j, op);
}

}  // namespace

void write_parallelisation_lines(Writer& out, TableForm form, int j, const Operator& op) {
  const ParallelisationTemplates& t = form == table_form ? table_templates : package_templates;
  const Parallelisation& par = op.info->par;
  if (par.exclusively) {
    write_restricted_scope(out, t, j, op, "VAG_PAR_EXCLUSIVE");
  } else if (par.mutual) {
    write_restricted_scope(out, t, j, op, "VAG_PAR_MUTUAL");
  } else if (par.locally) {
    write_restricted_scope(out, t, j, op, "VAG_PAR_LOCAL");
  } else if (par.exclusively_none) {
    if (op.counts[group_input_object] > 0 || op.counts[group_output_object] > 0) {
      report_error(
          "\"%s\", line: %d:  operator '%s' was defined of scope 'independend' although it "
          "supports iconic object parameters.\n",
          op.info->def_file.c_str(), op.info->line, op.name.c_str());
      out.close();  // what was written so far stays in the file
      std::exit(1);
    }
    out.put(t.scope, j, "VAG_PAR_INDEPENDENT");
    write_unrestricted_lines(out, form, t, j, op);
  } else {
    out.put(t.scope, j, "VAG_PAR_NO_RESTRICT");
    write_unrestricted_lines(out, form, t, j, op);
  }
}
