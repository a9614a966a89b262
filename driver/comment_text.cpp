// Comment text conversion: one documentation text to one plain line. The
// text is walked byte by byte; at each position the first rule that applies
// is used, in the order of the branches below.
#include "driver/comment_text.h"

#include <cstring>

#include "driver/diagnostics.h"

namespace {

enum FormatState { format_both, format_ascii_only, format_latex_only };
enum CommandState { outside_command, in_command_name, in_command_braces };

/// The two-byte UTF-8 letters that English texts use, with their spelling.
struct Utf8Spelling {
  unsigned char lead;
  unsigned char trail;
  const char* ascii;
};
const Utf8Spelling utf8_spellings[] = {
    {0xC3, 0x84, "Ae"},  {0xC3, 0x96, "Oe"},   {0xC3, 0x9C, "Ue"}, {0xC3, 0xA4, "ae"},
    {0xC3, 0xB6, "oe"},  {0xC3, 0xBC, "ue"},   {0xC3, 0x9F, "ss"}, {0xC3, 0x97, "x"},
    {0xC2, 0xB0, " deg"}, {0xC2, 0xB1, "+/-"},
};

bool starts_with(const char* at, const char* prefix) {
  return std::strncmp(at, prefix, std::strlen(prefix)) == 0;
}

// The characters that no rule below treats specially outside a command
// name: they are copied as they stand. A table, as most texts are plain
// from end to end.
struct PlainCharacters {
  bool plain[256];
  constexpr PlainCharacters() : plain() {
    for (int c = 1; c < 0x80; ++c) plain[c] = true;
    for (char c : {'\n', '@', '\\', '`', '\'', '"', '<', '>', '}'})
      plain[static_cast<unsigned char>(c)] = false;
  }
};
constexpr PlainCharacters plain_characters;

inline bool is_plain(char c) { return plain_characters.plain[static_cast<unsigned char>(c)]; }

// One test for four characters instead of four branches.
inline bool all_four_plain(const char* at) {
  unsigned plain = 1;
  for (int i = 0; i < 4; ++i) plain &= static_cast<unsigned>(is_plain(at[i]));
  return plain != 0;
}

}  // namespace

std::string convert_comment_text(std::string_view whole, bool words_for_angle_brackets,
                                 bool escape_quotes) {
  // A text of plain characters alone is itself without its leading blanks.
  size_t first = 0;
  while (first < whole.size() && whole[first] == ' ') ++first;
  const char* at = whole.data() + first;
  const char* const stop = whole.data() + whole.size();
  // four characters a step, as descriptions run to some dozens of them
  while (stop - at >= 4 && all_four_plain(at)) at += 4;
  while (at < stop && is_plain(*at)) ++at;
  if (at == stop) return std::string(whole.substr(first));

  // The rules below look ahead up to the terminating NUL.
  const std::string text(whole);
  std::string out;
  out.reserve(text.size() + 16);
  const char* p = text.c_str();
  while (*p == ' ') ++p;

  FormatState format = format_both;
  CommandState command = outside_command;
  while (*p != '\0') {
    // Runs of plain characters are copied at once; a character that starts
    // a rule ends the run.
    if (format != format_latex_only && command != in_command_name && is_plain(*p)) {
      const char* run = p + 1;
      while (is_plain(*run)) ++run;
      out.append(p, static_cast<size_t>(run - p));
      p = run;
      continue;
    }
    if (*p == '\n') {
      out += ' ';
      ++p;
      continue;
    }
    if (p[0] == '@' && (p[1] == 'a' || p[1] == 'l' || p[1] == 'e')) {
      format = p[1] == 'a' ? format_ascii_only : p[1] == 'l' ? format_latex_only : format_both;
      p += 2;
      continue;
    }
    if (format == format_latex_only) {
      ++p;
      continue;
    }
    if (*p == '\\' && starts_with(p, "\\Vornix\\")) {
      out += "VORNIX";
      p += 8;
      continue;
    }
    if (*p == '\\' && starts_with(p, "\\Vornix")) {
      out += "VORNIX";
      p += 7;
      continue;
    }
    if (command == outside_command && *p == '\\') {
      command = in_command_name;
      ++p;
      continue;
    }
    if (command == in_command_name) {
      if (*p == '{')
        command = in_command_braces;
      else if (*p == '\\' || *p == ';')
        command = outside_command;
      ++p;
      continue;
    }
    if (command == in_command_braces && *p == '}') {
      command = outside_command;
      ++p;
      continue;
    }
    if ((p[0] == '`' && p[1] == '`') || (p[0] == '\'' && p[1] == '\'')) {
      out += escape_quotes ? "\\\"" : "\"";
      p += 2;
      continue;
    }
    if (escape_quotes && *p == '"') {
      out += "\\\"";
      ++p;
      continue;
    }
    if (words_for_angle_brackets && (*p == '<' || *p == '>')) {
      out += *p == '<' ? " less than " : " greater than ";
      ++p;
      continue;
    }
    unsigned char byte = static_cast<unsigned char>(*p);
    if (byte >= 0x80) {
      unsigned char next = static_cast<unsigned char>(p[1]);
      const char* spelling = nullptr;
      for (const Utf8Spelling& entry : utf8_spellings)
        if (entry.lead == byte && entry.trail == next) spelling = entry.ascii;
      if (spelling != nullptr) {
        out += spelling;
        p += 2;
        continue;
      }
      report_warning("Encountered unknown Unicode character in '%s'\n", text.c_str());
      // A two-byte sequence of the Latin-1 block is consumed whole; a lead
      // byte at the very end of the text does not reach past it.
      p += ((byte == 0xC3 || byte == 0xC2) && next != '\0') ? 2 : 1;
      continue;
    }
    out += *p;
    ++p;
  }
  return out;
}
