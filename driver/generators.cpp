// The table from generator mode to generator entry.
#include "driver/generators.h"

#include "gen/help/help_files.h"
#include "gen/manual/manual_xml.h"
#include "driver/module_list.h"
#include "driver/settings.h"
#include "gen/com/com_interface.h"
#include "gen/cpp/cpp_interface.h"
#include "gen/dotnet/dotnet_interface.h"
#include "gen/python/python_interface.h"
#include "gen/table/operator_table.h"
#include "gen/c/c_interface.h"

const std::vector<GeneratorEntry>& generator_entries() {
  static const std::vector<GeneratorEntry> entries = {
      {mode_operator_table, write_operator_table},
      {mode_c, write_c_interface},
      {mode_cpp, write_cpp_interface},
      {mode_com, write_com_interface},
      {mode_dotnet, write_dotnet_interface},
      {mode_help, write_help_files},
      {mode_manual, write_reference_manual},
      {mode_module_list, write_module_list},
      {mode_python, write_python_interface},
  };
  return entries;
}
