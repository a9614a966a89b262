/// The header and source of one generated class.
#pragma once

#include <string>

#include "classes/class_model.h"

/// File names of a class's pair: VCPP<package>.h/.cpp for the package's
/// class, VTuple.h/VTupleGen.cpp, VOperatorSetLegacy.h/.cpp with legacy,
/// else <class>.h/.cpp.
void class_file_names(const ClassRecord& record, bool legacy, std::string& header,
                      std::string& source);

/// Writes both files of a class. A file that cannot be created is reported
/// ("could not open file <name>") and the class is skipped.
void write_class_files(const ClassRecord& record, bool legacy);
