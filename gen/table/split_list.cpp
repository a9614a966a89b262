// Reads splitting lists, the per-method texts that say how an operator's
// input objects are split for automatic parallelisation, and derives such a
// list from the parameters where a method gives none.
//
// One character per input object, in parameter order:
//   S  split, tuple, and the reference object (the last S wins)
//   s  split and tuple; the reference if none is set yet
//   x  split only; the reference if none is set yet
//   n  tuple only
//   anything else (usually 1): neither
#include <cstdint>

#include "driver/diagnostics.h"
#include "gen/table/table_writers.h"

namespace {

// Masks are 16 bits wide: objects from position 16 on have no bit.
unsigned position_bit(std::uint8_t position) { return position < 16 ? 1u << position : 0u; }

}  // namespace

LevelData parse_split_list(const std::string& text) {
  LevelData level;
  bool reference_set = false;
  std::uint8_t position = 0;  // counted in 8 bits, as the reference is
  for (char c : text) {
    unsigned bit = position_bit(position);
    switch (c) {
      case 'S':
        level.split_mask |= bit;
        level.tuple_mask |= bit;
        level.reference = position;
        reference_set = true;
        break;
      case 's':
        level.split_mask |= bit;
        level.tuple_mask |= bit;
        if (!reference_set) level.reference = position, reference_set = true;
        break;
      case 'x':
        level.split_mask |= bit;
        if (!reference_set) level.reference = position, reference_set = true;
        break;
      case 'n':
        level.tuple_mask |= bit;
        break;
      default:
        break;
    }
    ++position;
  }
  return level;
}

LevelData derive_channel_level(const Operator& op) {
  std::string text;
  for (int i = 0; i < op.counts[group_input_object]; ++i) {
    const Parameter& p = op.param(group_input_object, i);
    const std::string& multichannel = p.extras().multichannel;
    char first = multichannel.empty() ? '\0' : multichannel[0];
    if (first == 't') {
      text += 's';
    } else if (first == 'o') {
      text += 'x';
    } else if (first == 'f') {
      text += '1';
    } else {
      if (p.sem_type == "image" || p.sem_type == "object")
        report_warning(
            "\"%s\", line: %d:  proc '%s' is splittable on channel level but multichannel for "
            "parameter '%s' is unknown; assuming 'false'\n",
            op.info->def_file.c_str(), op.info->line, op.name.c_str(), p.name.c_str());
      text += '1';
    }
  }
  return parse_split_list(text);
}

LevelData derive_tuple_level(const Operator& op) {
  std::string text;
  for (int i = 0; i < op.counts[group_input_object]; ++i) {
    const Parameter& p = op.param(group_input_object, i);
    char first = p.multivalue.empty() ? '\0' : p.multivalue[0];
    if (first == 't') {
      text += 's';
    } else if (first == 'o') {
      text += 'x';
    } else if (first == 'f') {
      text += '1';
    } else {
      // no blank after the semicolon, as required
      report_warning(
          "\"%s\", line: %d:  proc '%s' is splittable on tuple level but multivalue for "
          "parameter '%s' is unknown;assuming 'false'\n",
          op.info->def_file.c_str(), op.info->line, op.name.c_str(), p.name.c_str());
      text += '1';
    }
  }
  return parse_split_list(text);
}
