// Screening of token texts before the lexer hands them to the grammar, and
// the line counting that goes with it.
#include "def/screening.h"

#include <cctype>

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
    // Plain characters are copied a run at a time.
    std::size_t run = i;
    while (run < length && text[run] != '\n' && text[run] != '\r' && text[run] != '\\') ++run;
    out.append(text + i, run - i);
    i = run;
    if (i == length) break;
    char c = text[i++];
    if (c == '\n') {
      out += c;
      ++def_position().line;
      if (i < length && std::isalnum(static_cast<unsigned char>(text[i])))
        parse_error("text not indented properly; possibly missing ';'");
      for (int blanks = 0; blanks < 2 && i < length && text[i] == ' '; ++blanks) ++i;
    } else if (c == '\r') {
      // dropped
    } else if (i < length && text[i] == ';') {  // "\;"
      out += ';';
      ++i;
    } else {
      out += c;
    }
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

}  // namespace

void count_lines(const char* text, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i)
    if (text[i] == '\n') ++def_position().line;
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
