/// The reference manual as XML (-R): the table of contents with the chapter
/// tree, one file per documented operator with its documentation and its
/// signatures in every language interface, and the two class files. For a
/// format other than "xml" the stylesheet step turns the files into pages.
#pragma once

#include <string>

#include "def/operator_model.h"
#include "driver/output.h"

/// Writes the manual of the operator list (and of the chapter entries that
/// the dispatch set aside). Failures that the dispatch reports as
/// "[Error] XML doc gen error: ..." are thrown as std::runtime_error.
void write_reference_manual(const OperatorList& ops);

/// The syntax elements of a parameter name, each interface spelling it as
/// its generator does (vdevelop, c and cpp as it stands, com with "HomMat2d",
/// dotnet in lower CamelCase, python in snake case). picked_for as for
/// write_spelling_group.
void write_parameter_syntax(Writer& out, const std::string& name, const char* picked_for = nullptr);

/// A parameter name as the Python interface spells it: snake case (a word
/// begins at each upper-case letter or digit, a run of them stays one word),
/// "_val" appended to a Python keyword.
std::string python_parameter_name(const std::string& name);
