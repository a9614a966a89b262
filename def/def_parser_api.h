/// The definition parser as the driver sees it.
#pragma once

#include <cstdio>

/// Reads every definition file (the first one already opened) and runs the
/// generator dispatch from the grammar's top rule. Returns 0 on success,
/// non-zero when a syntax error was not caught by an error alternative.
int parse_definition_files();

/// Makes an opened definition file the lexer's input: reads it whole and
/// closes it.
void set_lexer_input(std::FILE* file);
/// Gives back the text of the last file once the scanner has reached the
/// end of the input: the generators have no use for it.
void release_lexer_input();
