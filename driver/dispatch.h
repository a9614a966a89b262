/// The generator dispatch: selects, numbers and orders the operators and
/// calls the one generator of the mode.
#pragma once

/// Called once by the grammar's top rule when all files are read.
void run_generator_dispatch();
