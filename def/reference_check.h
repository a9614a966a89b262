/// The check of references in documentation texts and related-operator
/// lists, run once over the final operator list before any generator.
#pragma once

#include "def/operator_model.h"

/// Returns the number of operators checked. Warnings go through the
/// reporter; malformed references end the run with status 1.
int check_references(const OperatorList& ops);
