// The known-operator table, compiled in from driver/known_operators.txt
// (sorted by name in byte order; checked when the program is built).
#include "driver/known_operators.h"

#include <cstring>

namespace {
struct KnownOperator {
  int number;
  const char* name;
};

const KnownOperator known_operators[] = {
#include "known_operators.inc"
    {-1, nullptr},  // keeps the array non-empty when the file has no rows
};
constexpr int known_count = static_cast<int>(sizeof known_operators / sizeof known_operators[0]) - 1;
}  // namespace

int known_operator_count() { return known_count; }

int known_operator_number(const char* name) {
  int low = 0;
  int high = known_count - 1;
  while (low <= high) {
    int middle = (low + high) / 2;
    int order = std::strcmp(name, known_operators[middle].name);
    if (order == 0) return known_operators[middle].number;
    if (order < 0)
      high = middle - 1;
    else
      low = middle + 1;
  }
  return -1;
}
