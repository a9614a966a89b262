// Writes the per-operator text wrapped in block functions of 20 operators
// each (operator j lives in VSystem<j / 20>), so that no single generated
// function grows too large for the C compiler.
#include "gen/table/table_writers.h"

namespace {

void write_block_head(Writer& out, TableForm form, int block) {
  if (form == table_form)
    out.put("\nstatic void VSystem%d(void)\n{\n", block);
  else
    out.put("\nstatic Verror VSystem%d(int32_t xid)\n{\n", block);
}

void write_block_close(Writer& out, TableForm form) {
  if (form == table_form)
    out.write("}\n");
  else
    out.write("return V_MSG_OK;\n}\n");  // no indentation, as required
}

}  // namespace

void write_operator_blocks(Writer& out, TableForm form, const OperatorList& ops) {
  const int count = static_cast<int>(ops.size());
  for (int j = 0; j < count; ++j) {
    if (j % operators_per_block == 0) write_block_head(out, form, j / operators_per_block);
    if (form == table_form)
      write_table_form_operator(out, j, *ops[j]);
    else
      write_package_form_operator(out, j, *ops[j]);
    if (j + 1 < count && (j + 1) % operators_per_block == 0) write_block_close(out, form);
  }
  // An empty list opened no block, so there is none to close.
  if (count > 0) write_block_close(out, form);
  out.write("/******************************/\n\n");
}
