/// The expression printer: turns the postfix token list of a parameter's
/// assertion or value_number back into the infix text that documentation
/// shows. Shared by the help files and the reference manual.
#pragma once

#include <string>
#include <vector>

/// The infix text of a postfix expression. Binary operators print as
/// "left op right", "\NOT" and "\NEG" as "op operand", the functions
/// (length, number, height, width, ld, odd, even) as "name(argument)".
/// Parentheses are added only where an operand binds more loosely than its
/// operator (or equally, on the right of a left-associative operator), so
/// that the printed text means what the definition said; an expression
/// written without such parentheses prints exactly in the plain form.
/// A list that does not form one expression prints what it can: missing
/// operands are empty and left-over operands are joined by blanks.
std::string print_expression(const std::vector<std::string>& postfix);
