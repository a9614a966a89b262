/// VProcIDs.h: the procedure number of every operator of a library build.
#pragma once

#include "def/operator_model.h"

class Writer;

/// Writes the class VProcIDs (without banner) into out: one constant
/// PI_<NAME> per operator, numbered from 0 in list order.
void write_proc_ids(Writer& out, const OperatorList& ops);
