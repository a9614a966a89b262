/// The known-operator table of library builds: fixed operator numbers.
#pragma once

/// The fixed number of an operator, or -1 when the table has no such name.
int known_operator_number(const char* name);
/// Number of rows in the table.
int known_operator_count();
