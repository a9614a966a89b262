/// The Python language interface (mode -Y).
#pragma once

#include "def/operator_model.h"

/// Writes operator_set.py (or, with -z, one module per class type and
/// global.py) and errors.py. Any failure ends the run with status 1 after
/// "[Error] Python code gen error: " and its text on standard error.
void write_python_interface(const OperatorList& ops);
