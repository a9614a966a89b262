/// The C interface (-C): VProto.h and VCSystem.c in the library build,
/// VC<package>.h and VC<package>.c in an extension package.
#pragma once

#include "def/operator_model.h"

/// Writes the header with the tuple-mode and simple-mode prototypes and the
/// source with the wrapper behind each of them. An operator's number in the
/// wrappers is its position in ops.
void write_c_interface(const OperatorList& ops);
