/// Operator-level slots: filing values into the current info record, the
/// once-only rules, module, category and version checks, and the
/// parallelisation slots.
#pragma once

#include <string>
#include <vector>

#include "def/operator_model.h"

/// Text-valued slots (short ... result_state, references, module, category,
/// new_in_version). token is the grammar's slot token; language is the tag,
/// or nullptr for the default of the slot.
void operator_text_slot(int token, const std::string* language, std::string value);
/// List-valued slots (chapter, keywords, functionality, flags,
/// dynamic_modules, feature_toggle and the related-operator lists).
void operator_list_slot(int token, const std::string* language, TextList value);

/// process_exclusively, process_locally, process_mutual,
/// region_postprocessing, domain_split.
void parallelisation_text_slot(int token, const std::string& value);
/// interrupt_mode, compute_devices.
void parallelisation_list_slot(int token, const TextList& value);
void parallelisation_methods(std::vector<SplitMethod> methods);

/// Ends the run when a word is empty or not in the table (nullptr-terminated).
/// Without a table (the "functionality" slot) the word is cut at its first
/// "." and compared with the handle-type row names instead.
void check_allowed_word(const std::string& word, const char* const* table, const char* slot);
/// The same for each word of a list.
void check_allowed_words(const TextList& words, const char* const* table, const char* slot);

/// new_in_version text -> major<<24 | minor<<16 | patch<<8 | build, or -1
/// when the text is not a version (major below 12, a part that is no number).
int parse_new_in_version(const std::string& text);
