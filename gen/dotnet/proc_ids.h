/// VProcIDs.cs: the procedure number of every operator of the library
/// build, named by the upper-case operator name.
#pragma once

#include "def/operator_model.h"

class Writer;

void write_dotnet_proc_ids(Writer& out, const OperatorList& ops);
