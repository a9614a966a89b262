// The entry of the .NET interface generator. It builds the .NET class list
// and writes, in the library build, VProcIDs.cs (the procedure number of
// every operator) and VErrorDef.cs (the error codes), then one C# file per
// class of the list.
#include "gen/dotnet/dotnet_interface.h"

#include "classes/class_model.h"
#include "driver/name_style.h"
#include "driver/output.h"
#include "driver/settings.h"
#include "gen/dotnet/class_file.h"
#include "gen/dotnet/error_definitions.h"
#include "gen/dotnet/members.h"
#include "gen/dotnet/proc_ids.h"

void write_dotnet_interface(const OperatorList& ops) {
  std::unique_ptr<ClassModel> model = build_class_model(ops, class_interface_dotnet);
  if (settings().generation_target == target_library) {
    Writer proc_ids = open_output_file("VProcIDs.cs", nullptr, banner_dotnet, true);
    write_dotnet_proc_ids(proc_ids, ops);
    proc_ids.close();
    // Read before the file is created, so that a missing definition file
    // leaves no empty VErrorDef.cs behind.
    std::vector<ErrorDefinition> errors = read_error_definitions(error_definition_text());
    Writer error_defs = open_output_file("VErrorDef.cs", nullptr, banner_dotnet, true);
    write_error_def_class(error_defs, errors);
    error_defs.close();
  }
  DotnetDocTexts doc_texts;
  for (const ClassRecord& record : model->classes)
    write_dotnet_class_file(record, *model, &doc_texts);
}
