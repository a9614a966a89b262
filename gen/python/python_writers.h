/// The writers of the Python interface: annotations, signatures, NumPy-style
/// docstrings, call bodies, whole modules and errors.py. Each function writer
/// takes the indentation of its `def` line and of its body.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "driver/output.h"
#include "gen/dotnet/error_definitions.h"
#include "gen/python/module_model.h"

/// The lines of a text wrapped by the docstring rule: leading blanks are
/// skipped, a line break within the next width + 1 characters ends the
/// line, else (unless the rest fits) the line ends at the last blank of
/// that window, or is cut after it when there is none; trailing blanks are
/// dropped.
std::vector<std::string> wrap_lines(const std::string& text, size_t width);

/// The type annotation of one parameter ("Sequence[int]", "'vimage.VImage'");
/// module: the module being written, whose own class goes without prefix.
std::string annotation_text(const PyParameter& p, const PyLayout& layout,
                            const std::string& module = "");

/// "def name(...) -> ...:" on one line, or one parameter per line when the
/// estimated length exceeds 79 characters.
void write_signature(Writer& out, const PyFunction& f, const std::string& def_indent,
                     const PyLayout& layout, const std::string& module = "");
/// The docstring; nothing when an input has no description.
void write_docstring(Writer& out, const PyFunction& f, const std::string& indent,
                     const PyLayout& layout, const std::string& module = "");
void write_inputs(Writer& out, const PyFunction& f, const std::string& indent);
/// module: the module being written (a value of its own class is written
/// without the module prefix).
void write_outputs(Writer& out, const PyFunction& f, const std::string& indent,
                   const std::string& module, const PyLayout& layout);
void write_function(Writer& out, const PyFunction& f, const std::string& def_indent,
                    const std::string& body_indent, const std::string& module,
                    const PyLayout& layout);

/// "from . import <name>" and, with converters, the import of the two
/// converter functions of that class.
void write_module_import(Writer& out, const std::string& indent, const std::string& name,
                         const std::string& converters);

/// The text of one module after its banner.
void write_module(Writer& out, const PyModule& module, const PyLayout& layout);

/// errors.py: the error and message codes as module constants.
void write_errors_module(Writer& out, const std::vector<ErrorDefinition>& entries);
