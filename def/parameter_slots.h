/// Parameter-level slots: the parameter block checked against the
/// declaration, the slot values with their once-only rules and allowed
/// words, multi-parameter semantic types, and the checks that reconcile the
/// declaration with the slots when the operator record is made.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "def/operator_model.h"

/// "parameter Name: kind;" -- must name the next declared parameter.
void begin_parameter_block(const std::string& name, const std::string& kind);
/// After the block's slots: the next declared parameter becomes current.
void end_parameter_block();

/// Text-valued slots (description, default_type, sem_type, mixed_type,
/// multivalue, ..., costs_weight).
void parameter_text_slot(int token, const std::string* language, std::string value);
/// List-valued slots (type_list, cd_type_list, cd_value_list, values,
/// value_list, postprocessing, file_ext, file_ext_descr).
void parameter_list_slot(int token, const std::string* language, TextList value);
/// value_number and assertion, in postfix form.
void parameter_expression_slot(int token, TextList postfix);

/// An entry of parameter_descriptions, in the current documentation
/// language.
void add_parameter_description(const std::string& name, std::string text);
/// An operand of an expression: must name a parameter of the operator.
void check_expression_operand(const std::string& name);

/// The end of an operator declaration (after its last slot): makes the
/// operator record and runs the declaration checks: complete
/// multi-parameter types, skip flag, counts, derived type flags, default
/// types, multivalues and their summaries, and the TAGS lookup.
Operator* finish_operator_declaration();
