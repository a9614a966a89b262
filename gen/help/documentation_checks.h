/// Completeness checks of the library's own documentation, run while the
/// help files are written (library build only). Every finding is a warning.
#pragma once

#include "def/operator_model.h"

/// Operator-level checks of a documented operator: the functionality
/// "operator_set".
void check_operator_documentation(const Operator& op);

/// Checks of one parameter of an operator that has a functionality entry:
/// name capitalisation, description in the run's language, default_type,
/// sem_type, multivalue, default values, type_list, multichannel and the
/// types of the value literals.
void check_parameter_documentation(const Operator& op, const Parameter& param);

/// "integer", "real" or "string": the type a value literal is read as.
const char* value_literal_type(const std::string& literal);
