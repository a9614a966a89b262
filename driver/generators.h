/// The mode-letter table: one entry function per generator.
#pragma once

#include <vector>

#include "def/operator_model.h"

struct GeneratorEntry {
  int mode;
  void (*write)(const OperatorList& ops);
};

const std::vector<GeneratorEntry>& generator_entries();

/// The selection half of the dispatch: the operators a generator gets, in their final
/// order. Chapter entries named "*" are set aside in the model.
OperatorList select_operators(Model& m);
