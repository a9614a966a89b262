// The -H entry: opens the operator-table files and writes them part by part
// in output order. The library build gets CoreInterface.h and VSystem.c in
// table form, an extension package V<package>.c in package form.
#include "gen/table/operator_table.h"

#include "driver/output.h"
#include "driver/settings.h"
#include "gen/table/table_writers.h"

void write_operator_table(const OperatorList& ops) {
  const bool library_build = settings().generation_target == target_library;
  const int count = static_cast<int>(ops.size());

  if (library_build) {
    Writer header = open_output_file("CoreInterface.h", nullptr, banner_cpp, true);
    write_core_interface(header, ops);
    header.close();

    Writer out = open_output_file("VSystem.c", nullptr, banner_operator_table, true);
    write_source_head(out, table_form, ops);
    write_operator_blocks(out, table_form, ops);
    write_static_variant_section(out, ops);
    write_entry_function(out, table_form, count);
    out.close();
    return;
  }

  Writer out = open_output_file("", "V%s.c", banner_operator_table, false);
  write_source_head(out, package_form, ops);
  write_operator_blocks(out, package_form, ops);
  write_entry_function(out, package_form, count);
  out.close();
}
