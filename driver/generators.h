/// The mode-letter table: one entry function per generator.
#pragma once

#include <vector>

#include "def/operator_model.h"

struct GeneratorEntry {
  int mode;
  char letter;
  void (*write)(const OperatorList& ops);  // nullptr: not part of this build yet
};

const std::vector<GeneratorEntry>& generator_entries();

/// Dispatch steps 1 to 3: the operators a generator gets, in their final
/// order. Chapter entries named "*" are set aside in the model.
OperatorList select_operators(Model& m);
