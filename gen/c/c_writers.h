/// The writers of the C interface, one per part of its two files. They read
/// the generation target, -o and the package name from the settings.
#pragma once

#include "def/operator_model.h"
#include "driver/output.h"

/// The whole header after its banner: every operator's prototypes inside the
/// extern "C" frame.
void write_c_header(Writer& out, const OperatorList& ops);

/// The whole source after its banner: includes, the library's thread-specific
/// handle functions or the package's offset resolver, then every tuple-mode
/// wrapper and after them every simple-mode wrapper.
void write_c_source(Writer& out, const OperatorList& ops);

/// Includes and the library's thread-specific handle functions or the
/// package's offset resolver.
void write_c_source_head(Writer& out);

/// The parameters of the tuple-mode prototype and wrapper: iconic ones as
/// objects, control ones as tuples; "void" when there is none.
void write_tuple_parameters(Writer& out, const Operator& op);

/// The parameters of the simple-mode prototype and wrapper: iconic ones as
/// objects, control ones as plain C values; "void" when there is none.
void write_simple_parameters(Writer& out, const Operator& op);

/// Type flag of control parameter k of a group (0 when the flag text has
/// none for it).
char control_type_flag(const Operator& op, int group, int k);
