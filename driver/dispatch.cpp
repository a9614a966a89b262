// The generator dispatch: drops skipped records and sets aside chapter
// entries, filters by feature toggles, numbers and sorts a library build,
// checks references, then calls the one generator of the mode.
#include "driver/dispatch.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "def/operator_model.h"
#include "def/reference_check.h"
#include "driver/diagnostics.h"
#include "driver/output.h"
#include "driver/generators.h"
#include "driver/known_operators.h"
#include "driver/settings.h"

namespace {

bool keeps_feature_toggles(const Operator& op) {
  const TextList& toggles = op.info->feature_toggles;
  if (toggles.empty()) return true;
  for (const std::string& toggle : toggles)
    for (const std::string& enabled : settings().feature_toggles)
      if (toggle == enabled) return true;
  return false;
}

bool numbered_mode(int mode) {
  return mode == mode_operator_table || mode == mode_c || mode == mode_cpp || mode == mode_com ||
         mode == mode_dotnet || mode == mode_python;
}

// Numbered operators first, by number; then the rest by new_in_version
// (as unsigned), then by name in byte order.
bool library_order(const Operator* a, const Operator* b) {
  bool a_numbered = a->fixed_number != -1;
  bool b_numbered = b->fixed_number != -1;
  if (a_numbered != b_numbered) return a_numbered;
  if (a_numbered) return a->fixed_number < b->fixed_number;
  unsigned a_version = static_cast<unsigned>(a->info->new_in_version);
  unsigned b_version = static_cast<unsigned>(b->info->new_in_version);
  if (a_version != b_version) return a_version < b_version;
  return a->name < b->name;
}

}  // namespace

OperatorList select_operators(Model& m) {
  const Settings& s = settings();
  std::vector<Operator*> selected;
  for (Operator* op : m.list()) {
    if (op->name == "*") {
      if (!op->skip) m.star_entries.push_back(op);
      continue;
    }
    if (op->skip) continue;
    if (!keeps_feature_toggles(*op)) continue;
    selected.push_back(op);
  }
  if (s.generation_target == target_library && numbered_mode(s.generator_mode)) {
    for (Operator* op : selected) {
      op->fixed_number = known_operator_number(op->name.c_str());
      if (op->fixed_number == -1 && op->info->new_in_version == -1) {
        report_error("%s has no new_in_version field\n", op->name.c_str());
        fail(-1);
      }
    }
    std::stable_sort(selected.begin(), selected.end(), library_order);
  }
  return OperatorList(selected.begin(), selected.end());
}

void run_generator_dispatch() {
  OperatorList ops = select_operators(model());
  check_references(ops);
  int mode = settings().generator_mode;
  for (const GeneratorEntry& entry : generator_entries()) {
    if (entry.mode != mode) continue;
    if (mode == mode_manual) {
      try {
        entry.write(ops);
      } catch (const std::exception& failure) {
        std::fprintf(stderr, "[Error] XML doc gen error: %s\n", failure.what());
        fail(1);
      }
    } else {
      entry.write(ops);
    }
    return;
  }
  // Modes without a generator call nothing.
}
