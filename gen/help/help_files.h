/// The help files (-M): the on-line help database of the operator set in
/// the run's language, operators_<lang>.ref, .key, .idx, .sta and .num.
#pragma once

#include "def/operator_model.h"

/// Writes the five help files for the operators in list order; in the
/// library build (-s) it also warns about gaps in the documentation.
void write_help_files(const OperatorList& ops);
