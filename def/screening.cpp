// Screening of token texts before the lexer hands them to the grammar, and
// the line counting that goes with it.
#include "def/screening.h"

#include <cctype>
#include <cstring>
#include <vector>

#include "driver/diagnostics.h"

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Texts and tuples: continuation lines are indented by two blanks in the
// file and arrive without them; "\;" stands for a ";" inside the text.
std::string screen_indented(const char* text, std::size_t length) {
  std::string out;
  out.reserve(length);
  std::size_t i = 0;
  if (i < length && text[i] == '\n') {
    ++def_position().line;
    ++i;
  }
  for (int blanks = 0; blanks < 2 && i < length && text[i] == ' '; ++blanks) ++i;
  while (i < length) {
    // A line at a time, copied in runs: only "\;" and carriage returns
    // differ from the file.
    const void* newline = std::memchr(text + i, '\n', length - i);
    std::size_t stop = newline != nullptr ? static_cast<const char*>(newline) - text : length;
    if (std::memchr(text + i, '\r', stop - i) == nullptr) {
      while (i < stop) {
        const void* found = std::memchr(text + i, '\\', stop - i);
        std::size_t backslash = found != nullptr ? static_cast<const char*>(found) - text : stop;
        out.append(text + i, backslash - i);
        i = backslash;
        if (i == stop) break;
        ++i;
        if (i < stop && text[i] == ';') {  // "\;"
          out += ';';
          ++i;
        } else {
          out += '\\';
        }
      }
    }
    while (i < stop) {
      char c = text[i++];
      if (c == '\r') {
        // dropped
      } else if (c == '\\' && i < stop && text[i] == ';') {  // "\;"
        out += ';';
        ++i;
      } else {
        out += c;
      }
    }
    if (i == length) break;
    out += '\n';
    ++i;
    ++def_position().line;
    if (i < length && std::isalnum(static_cast<unsigned char>(text[i])))
      parse_error("text not indented properly; possibly missing ';'");
    for (int blanks = 0; blanks < 2 && i < length && text[i] == ' '; ++blanks) ++i;
  }
  return out;
}

// Keywords: no leading or trailing white space, inner runs become one blank.
std::string screen_keyword_text(const char* text, std::size_t length) {
  std::string out;
  out.reserve(length);
  bool pending_blank = false;
  for (std::size_t i = 0; i < length; ++i) {
    char c = text[i];
    if (c == '\n') ++def_position().line;
    if (is_blank(c)) {
      pending_blank = !out.empty();
      continue;
    }
    if (pending_blank) out += ' ';
    pending_blank = false;
    out += c;
  }
  return out;
}

// Emptied token values, ready for the next tokens.
std::vector<std::string*> spare_texts;

}  // namespace

std::string* new_token_text(std::string text) {
  if (spare_texts.empty()) return new std::string(std::move(text));
  std::string* value = spare_texts.back();
  spare_texts.pop_back();
  *value = std::move(text);
  return value;
}

std::string* new_token_text(const char* text, std::size_t length) {
  if (spare_texts.empty()) return new std::string(text, length);
  std::string* value = spare_texts.back();
  spare_texts.pop_back();
  value->append(text, length);  // (spare values are empty)
  return value;
}

std::string take_token_text(std::string* value) {
  std::string text = std::move(*value);
  value->clear();
  spare_texts.push_back(value);
  return text;
}

void give_back_token_text(std::string* value) {
  if (value == nullptr) return;
  value->clear();
  spare_texts.push_back(value);
}

void count_lines(const char* text, std::size_t length) {
  const char* end = text + length;
  for (const char* p = text; (p = static_cast<const char*>(std::memchr(p, '\n', end - p))); ++p)
    ++def_position().line;
}

std::string screen_token(ScreenKind kind, const char* text, std::size_t length) {
  switch (kind) {
    case screen_text:
      return screen_indented(text, length);
    case screen_keyword:
      return screen_keyword_text(text, length);
    case screen_plain:
      count_lines(text, length);
      return std::string(text, length);
  }
  parse_error("internal error in screen()");
}
