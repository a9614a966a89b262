/// Definition files, read one after another as one stream.
#pragma once

/// Opens the next definition file ("%s.def", then the name as given) as the
/// lexer's input. Returns 0 when a file was opened, 1 when none is left;
/// ends the run (status 1) when a named file cannot be found.
int open_next_def_file();
