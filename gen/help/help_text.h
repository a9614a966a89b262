/// Help-text conversion: turns a documentation text, written in the
/// LaTeX-like markup of the definition files, into the plain text of the
/// help files (and of a few other plain-text outputs).
#pragma once

#include <string>

#include "def/operator_model.h"
#include "driver/output.h"

/// The plain text of a markup text: "@a" ... "@e" parts are kept as they
/// stand, "@f"/"@l" parts are dropped, list and float markup is dropped,
/// the fixed commands (\Vornix, \ResTrue, \ValueList, ...) are spelled out,
/// any other command keeps only the text of its braced argument, "$", "\"
/// and a bare "&" are dropped outside "@a" parts, line feeds become carriage
/// returns and a double quote spells the umlaut of the next letter.
std::string convert_help_text(const std::string& text);
/// The same, appended to out.
void append_help_text(std::string& out, const std::string& text);

/// Writes the converted text in the form the key asks for: "ascii" as it
/// is; "cpp_ascii" with each carriage return as "\n  // "; "ascii_nocr"
/// without carriage returns and with \" for a double quote; "st_ascii" with
/// ' for a double quote, "!!" for "!" and "\n\t" for a carriage return;
/// "latex" nothing; any other key as the help-file line "key.ascii=text\n".
void write_help_text(Writer& out, const char* key, const std::string& text);

/// The text of a language-tagged list in the run's language, else the first
/// text of the list; nullptr for an empty list. When the run's language has
/// no text and report is set, warns "No <language> <key> for <operator>".
const std::string* text_in_run_language(const TaggedList<std::string>& texts, const char* key,
                                        const Operator& op, bool report);

/// The text of the run's language (or the first text) of a language-tagged
/// list, converted and written in the form the key asks for; nothing for an
/// empty list. report as for text_in_run_language.
void write_help_text(Writer& out, const Operator& op, const char* key,
                     const TaggedList<std::string>& texts, bool report);
