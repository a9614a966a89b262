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
// file and arrive without them; "\;" stands for a ";" inside the text and
// carriage returns are dropped.
//
// The text is copied a line at a time into a buffer of its full length. A
// ";" can only be part of "\;" here (the lexer ends a text at any other),
// so the semicolons are looked up once for the whole text and a line is
// copied in one piece unless one of them or a carriage return falls in it.
// The lines passed are counted locally and added to the position before any
// message and at the end.
std::string screen_indented(const char* text, std::size_t length) {
  std::string out(length, '\0');
  char* const first = &out[0];
  char* to = first;
  const char* p = text;
  const char* const end = text + length;
  int lines = 0;
  if (p < end && *p == '\n') {
    ++lines;
    ++p;
  }
  for (int blanks = 0; blanks < 2 && p < end && *p == ' '; ++blanks) ++p;
  const bool has_return = std::memchr(p, '\r', static_cast<std::size_t>(end - p)) != nullptr;
  const char* semicolon = static_cast<const char*>(std::memchr(p, ';', static_cast<std::size_t>(end - p)));
  if (semicolon == nullptr) semicolon = end;
  for (;;) {
    const char* newline = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    const char* stop = newline != nullptr ? newline : end;
    if (!has_return && semicolon >= stop) {
      std::size_t run = static_cast<std::size_t>(stop - p);
      std::memcpy(to, p, run);
      to += run;
      p = stop;
    } else {
      while (p < stop) {
        char c = *p++;
        if (c == '\r') {
          // dropped
        } else if (c == '\\' && p < stop && *p == ';') {  // "\;"
          *to++ = ';';
          ++p;
        } else {
          *to++ = c;
        }
      }
      if (semicolon < stop) {
        semicolon = static_cast<const char*>(std::memchr(stop, ';', static_cast<std::size_t>(end - stop)));
        if (semicolon == nullptr) semicolon = end;
      }
    }
    if (p == end) break;
    *to++ = '\n';
    ++p;
    ++lines;
    if (p < end && std::isalnum(static_cast<unsigned char>(*p))) {
      def_position().line += lines;
      parse_error("text not indented properly; possibly missing ';'");
    }
    for (int blanks = 0; blanks < 2 && p < end && *p == ' '; ++blanks) ++p;
  }
  def_position().line += lines;
  out.resize(static_cast<std::size_t>(to - first));
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

namespace {
// A few suffice: lists are taken soon after they are made. Lists made
// elsewhere (empty ones) are given back too, so the store is bounded.
std::vector<TextList*> spare_lists;
constexpr std::size_t spare_lists_kept = 16;
}  // namespace

TextList* new_list_value(std::size_t room) {
  TextList* list;
  if (spare_lists.empty()) {
    list = new TextList;
  } else {
    list = spare_lists.back();
    spare_lists.pop_back();
  }
  list->reserve(room);
  return list;
}

TextList take_list_value(TextList* list) {
  TextList value = std::move(*list);
  give_back_list_value(list);
  return value;
}

void give_back_list_value(TextList* list) {
  if (spare_lists.size() >= spare_lists_kept) {
    delete list;
    return;
  }
  list->clear();
  spare_lists.push_back(list);
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
