/// Members of a generated class: parameter lists, constructors, methods and
/// free functions, and the call body that marshals each call into the
/// library's calling interface.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "classes/class_model.h"

class Writer;

/// Declarations separated by ", ": outputs "T* name", scalar inputs
/// "T name", other inputs "const T& name".
void write_parameter_list(Writer& out, const std::vector<ClassParam>& params);

/// The body of a constructor, method or function, from "{" to "}".
void write_call_body(Writer& source, const ClassMethod& method, bool legacy);

/// One constructor of a class into header and source.
void write_constructor(Writer& header, Writer& source, const ClassRecord& record,
                       const ClassMethod& constructor);

/// One method (or free function of the operator set) into header and
/// source; legacy gives the operator set's legacy form.
void write_method(Writer& header, Writer& source, const ClassRecord& record,
                  const ClassMethod& method, bool legacy);

/// The short description as one plain comment line.
std::string plain_comment(std::string_view text);

/// "Vlong", "VImage", "VShapeModelArray" ... of a parameter.
std::string param_type_name(const ClassParam& param);
