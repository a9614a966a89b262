/// Test access to the definition lexer.
#pragma once

#include <string>

/// Scans the text from the start state, with the line counter at 1.
void lex_from_string(const std::string& text);
/// The current scanning state (flex start condition number).
int lexer_state();
