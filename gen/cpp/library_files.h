/// Files of the library build beside the classes: stream operators and the
/// legacy names of the tuple methods.
#pragma once

#include "classes/class_model.h"

class Writer;

/// The stream operators << and >> of a class with serialize and deserialize
/// members, for VIOStream.h.
void write_stream_operators(Writer& streams, const ClassRecord& record);

/// One line per tuple method whose operator name begins with "tuple_": the
/// short legacy name forwarding to the full method (Add -> TupleAdd).
void write_tuple_legacy_lines(Writer& out, const ClassRecord& tuple);

/// VTupleLegacy.hx in the current directory; reports "could not open file
/// VTupleLegacy.hx" and writes nothing when it cannot be created.
void write_tuple_legacy(const ClassRecord& tuple);
