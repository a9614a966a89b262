/// The operator table (-H): C source that registers every operator with the
/// library when it is loaded.
#pragma once

#include "def/operator_model.h"

/// Writes V<package>.c for an extension package, or CoreInterface.h and
/// VSystem.c for the library build. An operator's number is its position
/// in ops.
void write_operator_table(const OperatorList& ops);
