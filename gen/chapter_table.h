/// The chapter table and the chapter lookup: chapter identifiers of the
/// documentation records and their names in English, German and Japanese.
/// Shared by the help files and the reference manual.
#pragma once

#include <string>

#include "def/operator_model.h"

struct ChapterRow {
  const char* id;
  const char* names[3];  // English, German, Japanese (all UTF-8)
};

/// The built-in chapter rows, in table order.
extern const ChapterRow chapter_rows[];
extern const int chapter_row_count;

/// Column of a language name: "english" 0, "german" 1, "japanese" 2, else -1.
int language_column(const std::string& language_name);

/// The name of a chapter identifier in a language (by language name), or
/// nullptr when the identifier is not in the table or the language unknown.
const char* chapter_name(const std::string& id, const std::string& language_name);

/// The chapters of an operator. With "id": the identifiers as written (the
/// record's English chapter list). Otherwise those identifiers with each one
/// the table knows replaced by its name in that language; when it knows
/// none, the record's own chapter list for that language, if any. With report set the lookup
/// warns "No chapter for <op>!" (no identifiers), "No <language> chapter
/// name for <op>!" (nothing to return) and, in an English run, about each
/// identifier the table does not know.
TextList chapter_lookup(const Operator& op, const std::string& language_name, bool report);

/// The first list of a language-tagged list in a language, or nullptr.
const TextList* list_in_language(const TaggedList<TextList>& lists, const std::string& language);

/// Warns about an identifier that neither the chapter table nor the
/// index-topic table knows (only in an English run).
void report_unknown_identifier(const std::string& id, const Operator& op);
