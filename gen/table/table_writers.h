/// The pieces of the operator table, in the order the entry writes them, and
/// the small pure helpers behind the parallelisation lines. Shared by the
/// files of gen/table and by their unit tests.
#pragma once

#include <string>

#include "def/operator_model.h"
#include "driver/output.h"

/// The two shapes of the per-operator text: assignments into the library's
/// static arrays, or VXPkgSetOpInfo calls of an extension package.
enum TableForm { table_form, package_form };

/// Operators per block function.
constexpr int operators_per_block = 20;

/// CoreInterface.h of the library build, after its banner.
void write_core_interface(Writer& out, const OperatorList& ops);
/// Includes and prototypes at the top of the C source.
void write_source_head(Writer& out, TableForm form, const OperatorList& ops);
/// The block functions with the per-operator lines, and the closing line of
/// stars.
void write_operator_blocks(Writer& out, TableForm form, const OperatorList& ops);
/// One operator in table form (library build).
void write_table_form_operator(Writer& out, int j, const Operator& op);
/// The extended parameter information of a table-form operator, or its NULL
/// line.
void write_extended_parameter_info(Writer& out, int j, const Operator& op);
/// One operator in package form (extension package).
void write_package_form_operator(Writer& out, int j, const Operator& op);
/// The automatic-parallelisation lines of one operator. An independent
/// operator with iconic parameters ends the run (status 1).
void write_parallelisation_lines(Writer& out, TableForm form, int j, const Operator& op);
/// The VSetSystem functions of the static variant (table form only).
void write_static_variant_section(Writer& out, const OperatorList& ops);
/// VSystem (library build) or V<package>GetOffset and VXPkgInit.
void write_entry_function(Writer& out, TableForm form, int count);

/// What one parallelisation level needs: which input objects are split,
/// which are tuples, and which one is the reference (0-based).
struct LevelData {
  unsigned split_mask = 0;  // 16 bits
  unsigned tuple_mask = 0;  // 16 bits
  int reference = 0;        // 0..255
};

/// A splitting list such as "xS": one character per input object.
LevelData parse_split_list(const std::string& text);
/// Level data from the multichannel values of the input objects.
LevelData derive_channel_level(const Operator& op);
/// Level data from the multivalue values of the input objects.
LevelData derive_tuple_level(const Operator& op);

/// Bit value of an operator flag; false for an unknown flag.
bool look_up_flag(const std::string& name, unsigned& bit);
/// A value of at least two characters enclosed in single quotes, without
/// them; any other value unchanged.
std::string without_single_quotes(const std::string& value);
