/// The run-wide state of the definition parser and the actions of its
/// record-level rules: operator declarations, documentation blocks in other
/// languages, chapter references, classes and the library description.
/// Slot actions are in operator_slots.h and parameter_slots.h.
#pragma once

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "def/operator_model.h"
#include "driver/diagnostics.h"

struct ParserState {
  /// Set when the whole input is read.
  bool input_read = false;
  /// The info record the slots go to (none before the first declaration).
  OperatorInfo* info = nullptr;
  /// The info record of a declaration or chapter reference in progress,
  /// owned here until its operator record is made.
  std::unique_ptr<OperatorInfo> info_in_progress;
  /// Index of the current parameter in info->params; -1 when there is none.
  int param = -1;
  /// Quoted by messages as "in operator '%s'".
  std::string operator_name;
  std::string function;
  std::vector<DeclaredParam> declared[4];
  /// Documentation language of untagged texts.
  std::string language = "english";
  ClassDescription* class_description = nullptr;
  /// Multi-parameter semantic type still expecting parameters.
  int pending_class = -1;
  int pending_count = 0;
  /// The sem_types looked up in the handle-type table so far, with their
  /// rows and value counts (a definition set uses a few dozen at most).
  struct SemTypeRow {
    std::string sem_type;
    int row;
    int value_count;
  };
  std::vector<SemTypeRow> sem_type_rows;
  /// Records already in the operator list (each goes in once).
  std::unordered_set<const Operator*> listed;
  /// Where the previous definition file ended (file and last line).
  DefPosition end_of_previous_file;
};

/// Inline: the actions ask for it at nearly every slot.
inline ParserState& parser_state() {
  static ParserState state;
  return state;
}

/// "de_DE" german, "ja_JP" japanese, "en_US" english, and outside library
/// builds "user_chapter" english; nullptr for anything else.
const char* language_of_locale(const std::string& locale);

/// Operator declaration: the start (after its "]"). Its end is
/// finish_operator_declaration (def/parameter_slots.h).
void begin_operator_declaration(const std::string& name, const std::string& function,
                                std::vector<DeclaredParam> (&declared)[4]);

/// Documentation block "name <- locale": the operator's record becomes
/// current and untagged texts go in the locale's language.
Operator* begin_documentation_block(const std::string& name, const std::string& locale);

/// Chapter reference "chapter_ref chapters <- locale".
void begin_chapter_reference(TextList chapters, const std::string& locale);
Operator* finish_chapter_reference();

/// Puts a record at the head of the operator list. A record found by name
/// for a documentation block goes in only in test mode (as a placeholder);
/// a record already in the list never goes in twice.
void add_operator(Operator* op, bool documentation_block);

/// The record of that name (the latest declaration). Unknown names make a
/// placeholder in test mode, else end the run (status -1).
Operator* find_operator(const std::string& name);

/// Class definitions.
void begin_class(const std::string& table_name);
void class_short_description(const std::string* language, std::string text);
void class_interface_id(std::string guid);
void class_class_id(std::string guid);
/// An entry of class_descriptions, in the current documentation language.
void add_class_description(const std::string& class_name, std::string text);

/// Library definition.
void library_short_description(const std::string* language, std::string text);
void library_id(std::string guid);
void library_version_major(std::string number);
void library_version_minor(std::string number);
