// The module list (-m): operators by module, once in lower case and once in
// CamelCase.
#include "driver/module_list.h"

#include <cstdio>
#include <string>

#include "def/module_table.h"
#include "driver/diagnostics.h"
#include "driver/name_style.h"

namespace {
void write_listing(const OperatorList& ops, int style) {
  std::printf("List of operators with their respective modules\n\n");
  std::string texts[module_count];
  for (const Operator* op : ops) {
    int module = op->info->module;
    if (module == -1) {
      report_warning("Undefined module for operator %s\n", op->name.c_str());
      continue;
    }
    // "none" (32) belongs to no listed module and is left out.
    if (module < 0 || module >= module_count) continue;
    texts[module] += "  ";
    texts[module] += name_style(op->name, style);
    texts[module] += "\n";
  }
  for (int m = 0; m < module_count; ++m) {
    if (texts[m].empty()) continue;
    std::printf("%s\n", module_display_name(m));
    std::printf("%s\n", texts[m].c_str());
  }
}
}  // namespace

void write_module_list(const OperatorList& ops) {
  write_listing(ops, style_lower);
  write_listing(ops, style_camel);
  std::fflush(stdout);
}
