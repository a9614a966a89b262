/// The C++ interface generator (-P): one header and source per class of the
/// class model, and for the library build the procedure numbers, forward,
/// include and stream headers and the legacy operator set; with -ma only the
/// makefile list of the generated files.
#pragma once

#include "def/operator_model.h"

void write_cpp_interface(const OperatorList& ops);
