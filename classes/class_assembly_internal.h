/// Shared between the two halves of the class assembly: the facts about the
/// operators that are computed once per build (so that examining every
/// operator for every class stays cheap), and the builder of the method
/// records of one operator.
#pragma once

#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "classes/class_model.h"

/// What the assembly reads of one operator, computed once per build.
struct OperatorFacts {
  const Operator* op = nullptr;
  int number = 0;  // position in the operator list
  /// Semantic-type row of each parameter of op->info->params (-1 if none).
  std::vector<int> param_rows;
  /// Position of each parameter within its own group.
  std::vector<int> group_index;
  /// Per parameter: an output (kind "output_...").
  std::vector<bool> param_output;
  /// The functionality list as class ids (defaulting lookup); {any} when the
  /// operator has no functionality list.
  std::vector<int> functionality;
  /// Filled when the first record is built (with the missing-summary
  /// warning, once per operator and build); a view of the record's text.
  std::string_view short_description;
  bool summary_done = false;
  /// The parameter records of op->info->params, made on first use (they do
  /// not depend on the class), with the forms of each as an ordinary
  /// parameter (a Forms value of method_records.cpp).
  std::vector<ClassParam> param_records;
  std::vector<unsigned char> param_forms;
  bool params_done = false;
  /// Whether the operator asks for string variants: -1 not yet known.
  int string_variants = -1;
  bool names(int type) const;
};

/// One build: the operators' facts, the index of operators by row, and the
/// warnings already given.
struct AssemblyContext {
  AssemblyContext(const OperatorList& ops, unsigned bits, const std::vector<int>& list_types);

  const OperatorList& ops;
  unsigned bits;
  std::vector<bool> in_list;  // by row: the class is in the list
  std::vector<OperatorFacts> facts;
  /// By row: the operators (ascending numbers) that have a parameter whose
  /// semantic type is the row or derives from it, or whose functionality
  /// names the row. Every operator that can be a constructor, destructor or
  /// method of a non-free class is in its class's entry.
  std::vector<std::vector<int>> ops_by_row;
  /// Operator numbers by name.
  std::unordered_map<std::string, std::vector<int>> ops_by_name;
  /// By row: the row of its base class (class-name lookup), -1 for none.
  std::vector<int> base_row;
  /// Parameters already warned about (no "handle" in the type list).
  std::set<const Parameter*> handle_warned;

  bool derived(int row, int base) const;
  bool has(unsigned bit) const { return (bits & bit) != 0; }
};

/// How the records of one operator are asked for.
struct RecordRequest {
  int type = -1;  // the class
  bool free_functions = false;
  bool constructor = false;
  /// The instance candidate's position in op->info->params, -1 for none.
  int instance = -1;
  /// The candidate leaves the instance slot and stays an ordinary parameter
  /// (free functions, static tuple/campar/pose, single-valued tuple).
  bool instance_dropped = false;
  bool names_class = false;
  bool hiding = false;
  /// A single plain record without variants (the -us free functions) ...
  bool plain_free_function = false;
  /// ... or only the first record (destructors).
  bool first_only = false;
};

/// Appends the records of one operator (first record, array variant,
/// string variants) to list.
void append_method_records(AssemblyContext& context, OperatorFacts& facts,
                           const RecordRequest& request, std::vector<ClassMethod>& list);
