// Writes the function the library calls to load the operator table: VSystem
// in the library build, VXPkgInit (with V<package>GetOffset) in an extension
// package. Both open the operator set and call every block function.
#include "driver/settings.h"
#include "gen/table/table_writers.h"

namespace {
// Number of block functions written for count operators. The last block is
// (count - 1) / 20; with no operator no block exists and none is called.
int block_count(int count) {
  return count > 0 ? (count - 1) / operators_per_block + 1 : 0;
}
}  // namespace

void write_entry_function(Writer& out, TableForm form, int count) {
  const int blocks = block_count(count);
  if (form == table_form) {
    out.write("\n\nVerror VSystem(int32_t xpkg_id)\n{\n");
    out.write("  int32_t osid;\n\n");
    out.put("  VCkP(VXPkgOpenId(xpkg_id, VORNIX_VERSION_CODE,V_OPERATOR_INFO_DERIVATE, %d,\n"
            "                  &osid));\n\n",
            count);
    for (int i = 0; i < blocks; ++i) out.put("  VSystem%d();\n", i);
    out.write("  return V_MSG_OK;\n}\n");
    return;
  }
  out.write("\n\nVINT m_offset = -1;\n\n");
  out.put("extern VUserExport int V%sGetOffset()\n", settings().package_name.c_str());
  out.write("{\n");
  out.write("  return m_offset;\n");
  out.write("}\n");
  out.write("\n\nVUserExport Verror VXPkgInit(int32_t xpkg_id)\n{\n\n");
  out.write("  int32_t osid;\n");
  if (settings().extension_interface) {
    out.write("  VCkP(VInitVlibXpiSymbols(GLOBAL_ID,NULL));\n");
    out.put("  VCkP(VXPkgOpenId(xpkg_id, ALL_VORNIX_VERSION,V_OPERATOR_INFO_DERIVATE, %d, &osid));\n",
            count);
  } else {
    out.put("  VCkP(VXPkgOpenId(xpkg_id, VORNIX_VERSION_CODE,V_OPERATOR_INFO_DERIVATE, %d, &osid));\n",
            count);
  }
  out.write("  m_offset = osid;\n\n");
  for (int i = 0; i < blocks; ++i) out.put("  VCkP(VSystem%d(xpkg_id));\n", i);
  out.write("  return V_MSG_OK;\n}\n");
}
