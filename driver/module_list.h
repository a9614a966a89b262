/// The -m listing of operators by module, on standard output.
#pragma once

#include "def/operator_model.h"

void write_module_list(const OperatorList& ops);
