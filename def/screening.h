/// Screening of lexer token texts: documentation texts and tuples lose the
/// two-blank indentation of their continuation lines, keywords get their
/// white space normalised. Screening counts the newlines it passes in the
/// current definition-file line.
#pragma once

#include <cstddef>
#include <string>

#include "def/operator_model.h"

enum ScreenKind {
  screen_text,     // TEXTLINES and TUPLE
  screen_keyword,  // KEYWORD
  screen_plain,    // every other value token: copied as matched
};

/// The screened copy of a matched token text. A continuation line of a text
/// that starts with a letter or digit (no indentation) is a parse error.
std::string screen_token(ScreenKind kind, const char* text, std::size_t length);

/// Counts the newlines of a text into the current definition-file line.
void count_lines(const char* text, std::size_t length);

/// The heap string that carries a token value to the grammar. The string
/// objects are reused: take_token_text() moves the text out and keeps the
/// emptied object for a later token, so a token costs no allocation of its
/// own beyond its text. (Deleting a value instead is still correct.)
std::string* new_token_text(std::string text);
/// The same for a text copied as it stands (no screening).
std::string* new_token_text(const char* text, std::size_t length);
/// The text of a token value; the value is given back.
std::string take_token_text(std::string* value);
/// A token value that is no longer needed is given back (nullptr: nothing).
void give_back_token_text(std::string* value);

/// List values are reused the same way: a new one has room for at least
/// `room` entries, take_list_value() moves the entries out and keeps the
/// emptied object, and a list given back keeps its room for a later list.
TextList* new_list_value(std::size_t room);
TextList take_list_value(TextList* list);
void give_back_list_value(TextList* list);

/// Gives a token value back at the end of a scope.
class TokenTextGuard {
 public:
  explicit TokenTextGuard(std::string* value) : value_(value) {}
  ~TokenTextGuard() { give_back_token_text(value_); }
  TokenTextGuard(const TokenTextGuard&) = delete;
  TokenTextGuard& operator=(const TokenTextGuard&) = delete;
  std::string* get() const { return value_; }

 private:
  std::string* value_;
};
