// Help-text conversion: one pass over a documentation text that drops or
// spells out its markup, and the output forms of the converted text.
#include "gen/help/help_text.h"

#include <cstring>
#include <string_view>
#include <vector>

#include "driver/diagnostics.h"
#include "driver/settings.h"

namespace {

enum TextState { state_both, state_ascii_only, state_latex_only };

// List markup that is dropped without a trace.
constexpr std::string_view dropped_markup[] = {
    "\\begin{description}", "\\begin{itemize}", "\\begin{enumerate}",
    "\\end{description}",   "\\end{itemize}",   "\\end{enumerate}",
    "\\end{Table}",         "\\end{Figure}",    "\\end{Alignment}",
    "\\end{External}",
};
// Float markup that is dropped together with its following braced argument.
constexpr std::string_view dropped_with_argument[] = {
    "\\begin{Table}", "\\begin{Figure}", "\\begin{Alignment}", "\\begin{External}",
};
constexpr std::string_view dropped_tags[] = {
    "<ul>", "<ol>", "<dl>", "<li>", "<dt>", "<dd>",
    "</ul>", "</ol>", "</dl>", "</li>", "</dt>", "</dd>",
};

struct FixedCommand {
  std::string_view name;  // without the backslash
  const char* text;
};
constexpr FixedCommand fixed_commands[] = {
    {"textbackslash", "\\"},
    {"Vornix", "VORNIX"},
    {"OpenVINO", "OpenVINO (TM) toolkit"},
    {"ResTrue", "2 (V_MSG_TRUE)"},
    {"ResFalse", "3 (V_MSG_FALSE)"},
    {"ResVoid", "4 (V_MSG_VOID)"},
    {"ResFail", "5 (V_MSG_FAIL)"},
    {"ParamAttention", "Attention:"},
    {"ParamRestriction", "Restriction:"},
    {"ValueDefault", "Default:"},
    {"ValueList", "List of values:"},
    {"ValueSuggestion", "Suggested values:"},
    {"ValueRange", "Typical range of values:"},
};

// The characters the conversion has to look at; a run of any others is
// copied as it stands. (No locale is set, so letters are the ASCII ones.)
struct MarkupCharacters {
  bool marks[256] = {};
  constexpr MarkupCharacters() {
    for (unsigned char c : std::string_view("@\\<{}]$&\n\""))
      marks[c] = true;
  }
  bool operator()(char c) const { return marks[static_cast<unsigned char>(c)]; }
};
constexpr MarkupCharacters is_markup_character;

bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// A format switch "@a", "@e", "@f" or "@l" at `at` (which holds "@").
bool is_format_switch(std::string_view text, size_t at) {
  return at + 1 < text.size() && std::strchr("aefl", text[at + 1]) != nullptr;
}

// The end of the balanced braced group that starts at `at` (which holds "{").
size_t skip_braced(std::string_view text, size_t at) {
  int depth = 0;
  for (size_t i = at; i < text.size(); ++i) {
    if (text[i] == '{') ++depth;
    if (text[i] == '}' && --depth == 0) return i + 1;
  }
  return text.size();
}

char umlaut(char c) {
  switch (c) {
    case 'a': return '\xE4';
    case 'o': return '\x94';  // not 0xF6: the help viewer's code page
    case 'u': return '\xFC';
    case 'A': return '\xC4';
    case 'O': return '\xD6';
    case 'U': return '\xDC';
    case 's': return '\xFF';  // not 0xDF, as the help viewer expects
    case '`':
    case '\'': return '"';
    default: return c;
  }
}

// The length of the markup of `list` that the text has at `at`, else 0.
template <size_t count>
size_t markup_at(std::string_view text, size_t at, const std::string_view (&list)[count]) {
  for (std::string_view markup : list)
    if (text.compare(at, markup.size(), markup) == 0) return markup.size();
  return 0;
}

}  // namespace

void append_help_text(std::string& out, const std::string& source) {
  const std::string_view text = source;
  const size_t n = text.size();
  TextState state = state_both;
  std::vector<bool> brace_is_argument;  // open braces, innermost last
  bool in_item_label = false;
  size_t i = 0;
  while (i < n) {
    if (state == state_latex_only) {
      // everything up to the next format switch is dropped
      size_t at = text.find('@', i);
      while (at != std::string_view::npos && !is_format_switch(text, at)) at = text.find('@', at + 1);
      if (at == std::string_view::npos) break;
      i = at;
    } else {
      size_t start = i;
      while (i < n && !is_markup_character(text[i])) ++i;
      out.append(text.data() + start, i - start);
      if (i == n) break;
    }
    char c = text[i];
    if (c == '@') {
      if (is_format_switch(text, i)) {
        char which = text[i + 1];
        state = which == 'a' ? state_ascii_only : which == 'e' ? state_both : state_latex_only;
        i += 2;
      } else {
        out += c;
        ++i;
      }
      continue;
    }
    if (c == '\\') {
      size_t end = i + 1;
      while (end < n && is_letter(text[end])) ++end;
      std::string_view name = text.substr(i + 1, end - i - 1);
      if (name.empty()) {
        // a backslash before anything but a letter
        if (state == state_ascii_only) out += '\\';
        ++i;
        continue;
      }
      if (name == "begin" || name == "end") {
        if (size_t length = markup_at(text, i, dropped_markup)) {
          i += length;
          continue;
        }
        if (size_t length = markup_at(text, i, dropped_with_argument)) {
          i += length;
          if (i < n && text[i] == '{') i = skip_braced(text, i);
          continue;
        }
      }
      if (name == "item") {
        if (end < n && text[end] == '[') {
          in_item_label = true;  // the label's closing "]" is dropped
          ++end;
        }
        i = end;
        continue;
      }
      if (name == "DO" && end < n && text[end] == '2') {
        out += "DO2";
        i = end + 1;
        continue;
      }
      const char* fixed = nullptr;
      for (const FixedCommand& command : fixed_commands)
        if (name == command.name) fixed = command.text;
      i = end;
      if (fixed != nullptr) {
        out += fixed;
      } else if (i < n && text[i] == '{') {
        brace_is_argument.push_back(true);  // the argument's braces are not written
        ++i;
      }
      continue;
    }
    if (c == '<') {
      if (size_t length = markup_at(text, i, dropped_tags)) {
        i += length;
        continue;
      }
    }
    ++i;
    switch (c) {
      case '{':
        brace_is_argument.push_back(false);
        out += c;
        break;
      case '}':
        if (brace_is_argument.empty()) {
          out += c;
        } else {
          if (!brace_is_argument.back()) out += c;
          brace_is_argument.pop_back();
        }
        break;
      case ']':
        if (in_item_label)
          in_item_label = false;
        else
          out += c;
        break;
      case '$':
        if (state == state_ascii_only) out += c;
        break;
      case '&':
        if (state == state_ascii_only || (i >= 2 && text[i - 2] == '\\')) out += c;
        break;
      case '\n':
        out += '\r';
        break;
      case '"':
        if (i < n) out += umlaut(text[i++]);
        break;
      default:
        out += c;
    }
  }
}

std::string convert_help_text(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  append_help_text(out, text);
  return out;
}

void write_help_text(Writer& out, const char* key, const std::string& text) {
  const std::string_view form = key;
  std::string written;
  if (form == "ascii") {
    out.write(text);
  } else if (form == "cpp_ascii") {
    for (char c : text) written += c == '\r' ? std::string("\n  // ") : std::string(1, c);
    out.write(written);
  } else if (form == "ascii_nocr") {
    for (char c : text) {
      if (c == '\r') continue;
      if (c == '"') written += '\\';
      written += c;
    }
    out.write(written);
  } else if (form == "st_ascii") {
    for (char c : text) {
      if (c == '"')
        written += '\'';
      else if (c == '!')
        written += "!!";
      else if (c == '\r')
        written += "\n\t";
      else
        written += c;
    }
    out.write(written);
  } else if (form == "latex") {
    // the LaTeX output has its own conversion
  } else {
    out.put("%s.ascii=%s\n", key, text.c_str());
  }
}

const std::string* text_in_run_language(const TaggedList<std::string>& texts, const char* key,
                                        const Operator& op, bool report) {
  if (texts.empty()) return nullptr;
  const std::string& language = settings().doc_language;
  for (const Tagged<std::string>& entry : texts)
    if (entry.language == language) return &entry.value;
  if (report) report_warning("No %s %s for %s\n", language.c_str(), key, op.name.c_str());
  return &texts.front().value;
}

void write_help_text(Writer& out, const Operator& op, const char* key,
                     const TaggedList<std::string>& texts, bool report) {
  const std::string* text = text_in_run_language(texts, key, op, report);
  if (text == nullptr) return;
  std::string converted;
  converted.reserve(text->size());
  append_help_text(converted, *text);
  write_help_text(out, key, converted);
}
