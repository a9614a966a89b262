// The XML character writer and entity escaping of the reference manual: plain
// characters of documentation texts and values become XML content, with the
// German quote and umlaut conventions of the definition files turned into
// entities or UTF-8 letters.
#include <cctype>
#include <vector>

#include "gen/manual/markup_conversion.h"
#include "driver/settings.h"

namespace {
const char* const html_list_tags[] = {
    "<ul>", "<ol>", "<dl>", "<li>", "<dt>", "<dd>",
    "</ul>", "</ol>", "</dl>", "</li>", "</dt>", "</dd>",
};

bool german_run() { return settings().doc_language == "german"; }

// Opening quotes: low quote in German, else the left double quote.
const char* opening_quote() { return german_run() ? "&bdquo;" : "&ldquo;"; }
// Closing quotes: left double quote in German, else the right one.
const char* closing_quote() { return german_run() ? "&ldquo;" : "&rdquo;"; }

const char* entity_of(char c) {
  switch (c) {
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '&':
      return "&amp;";
    case '"':
      return "&quot;";
    default:
      return nullptr;
  }
}

// Writes the byte at text[pos] that is neither an entity character nor
// special to the caller; returns the extra bytes consumed. A UTF-8 sequence
// is copied whole, a byte that begins none is read as Latin-1, and a
// character that XML does not allow (a control character, U+FFFE, U+FFFF)
// becomes a blank.
int append_plain(std::string& out, std::string_view text, size_t pos) {
  unsigned char c = static_cast<unsigned char>(text[pos]);
  if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
    out += ' ';
    return 0;
  }
  size_t length = utf8_sequence_length(text, pos);
  if (length == 0) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
    return 0;
  }
  if (length == 3 && c == 0xEF && static_cast<unsigned char>(text[pos + 1]) == 0xBF &&
      static_cast<unsigned char>(text[pos + 2]) >= 0xBE) {
    out += ' ';
    return 2;
  }
  out.append(text.substr(pos, length));
  return static_cast<int>(length) - 1;
}
}  // namespace

size_t utf8_sequence_length(std::string_view text, size_t pos) {
  unsigned char c = static_cast<unsigned char>(text[pos]);
  if (c < 0x80) return 1;
  size_t length;
  unsigned char low = 0x80;  // range of the second byte
  unsigned char high = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3;
    if (c == 0xE0) low = 0xA0;   // no overlong forms
    if (c == 0xED) high = 0x9F;  // no surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4;
    if (c == 0xF0) low = 0x90;
    if (c == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    unsigned char next = static_cast<unsigned char>(text[pos + i]);
    if (i == 1 ? (next < low || next > high) : (next < 0x80 || next > 0xBF)) return 0;
  }
  return length;
}

namespace {
// What escaping does with each byte: copies it (printable ASCII but the
// entity characters, and the three allowed control characters), writes its
// entity, or mends it (append_plain).
enum ByteClass : unsigned char { byte_copied, byte_entity, byte_mended };

struct ByteClasses {
  ByteClass of[256];
  bool plain_run[256];  // ASCII letters, digits and the blank
  ByteClasses() {
    for (int c = 0; c < 256; ++c) {
      bool printable = (c >= 0x20 && c < 0x7F) || c == '\t' || c == '\n' || c == '\r';
      of[c] = entity_of(static_cast<char>(c)) != nullptr ? byte_entity
              : printable                                 ? byte_copied
                                                          : byte_mended;
      plain_run[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == ' ';
    }
  }
};
const ByteClasses byte_classes;

ByteClass class_of(char c) { return byte_classes.of[static_cast<unsigned char>(c)]; }

// The length of the run at pos that escaping copies as it is.
size_t copied_run_length(std::string_view text, size_t pos) {
  size_t end = pos;
  while (end < text.size() && class_of(text[end]) == byte_copied) ++end;
  return end - pos;
}

// Escapes text into out (anything with append(const char*, size_t) and
// append(const char*)): runs of copied bytes at once, one entity or mended
// character at a time in between.
template <typename Out>
void escape_into(Out& out, std::string_view text) {
  for (size_t pos = 0; pos < text.size();) {
    size_t run = copied_run_length(text, pos);
    if (run > 0) {
      out.append(text.data() + pos, run);
      pos += run;
      continue;
    }
    if (const char* entity = entity_of(text[pos])) {
      out.append(entity);
      ++pos;
      continue;
    }
    std::string plain;
    pos += 1 + static_cast<size_t>(append_plain(plain, text, pos));
    out.append(plain.data(), plain.size());
  }
}

// A Writer seen as the sink of escape_into.
struct WriterSink {
  Writer& out;
  void append(const char* data, size_t size) { out.write(std::string_view(data, size)); }
  void append(const char* text) { out.write(text); }
};
}  // namespace

bool needs_xml_escaping(std::string_view text) {
  for (char c : text)
    if (class_of(c) != byte_copied) return true;
  return false;
}

std::string escape_xml(std::string_view text) {
  std::string result;
  result.reserve(text.size() + 8);
  escape_into(result, text);
  return result;
}

void write_escaped_xml(Writer& out, std::string_view text) {
  if (copied_run_length(text, 0) == text.size()) {
    out.write(text);
    return;
  }
  WriterSink sink{out};
  escape_into(sink, text);
}

Escaped::Escaped(const std::string& text) : text_(&text) {
  if (needs_xml_escaping(text)) {
    escaped_ = escape_xml(text);
    text_ = &escaped_;
  }
}

size_t html_list_tag_at(std::string_view text, size_t pos) {
  if (pos >= text.size() || text[pos] != '<') return 0;
  for (const char* tag : html_list_tags) {
    std::string_view t(tag);
    if (text.compare(pos, t.size(), t) == 0) return t.size();
  }
  return 0;
}

int write_xml_character(Writer& out, std::string_view text, size_t pos, bool raw) {
  if (size_t tag = html_list_tag_at(text, pos)) {
    out.write(text.substr(pos, tag));
    return static_cast<int>(tag) - 1;
  }
  char c = text[pos];
  char next = pos + 1 < text.size() ? text[pos + 1] : '\0';
  if (!raw && c == '`' && next == '`') {
    out.write(opening_quote());
    return 1;
  }
  if (!raw && c == '\'' && next == '\'') {
    out.write(closing_quote());
    return 1;
  }
  if (c == '"') {
    switch (next) {
      case 'a':
        out.write("\xC3\xA4");  // ä
        return 1;
      case 'o':
        out.write("\xC3\xB6");  // ö
        return 1;
      case 'u':
        out.write("\xC3\xBC");  // ü
        return 1;
      case 'A':
        out.write("\xC3\x84");  // Ä
        return 1;
      case 'O':
        out.write("\xC3\x96");  // Ö
        return 1;
      case 'U':
        out.write("\xC3\x9C");  // Ü
        return 1;
      case 's':
        out.write("\xC3\x9F");  // ß
        return 1;
      case 'S':
        out.write("SS");
        return 1;
      case '`':
        out.write(opening_quote());
        return 1;
      case '\'':
        out.write(closing_quote());
        return 1;
      case '"':
        out.write("&quot;");
        return 1;
      default:
        break;
    }
  }
  if (c == '\\' && next == '%') {
    out.write("%");
    return 1;
  }
  if (const char* entity = entity_of(c)) {
    out.write(entity);
    return 0;
  }
  unsigned char byte = static_cast<unsigned char>(c);
  if (byte >= 0x20 && byte < 0x80) {  // copied as it is
    out.write(text.substr(pos, 1));
    return 0;
  }
  std::string plain;
  int extra = append_plain(plain, text, pos);
  out.write(plain);
  return extra;
}

size_t plain_run_length(std::string_view text, size_t pos) {
  size_t end = pos;
  while (end < text.size() && byte_classes.plain_run[static_cast<unsigned char>(text[end])]) ++end;
  return end - pos;
}

void write_xml_text(Writer& out, std::string_view text, bool raw) {
  // Open list tags, innermost last, so that the value stays well-formed.
  std::vector<std::string> open_tags;
  for (size_t pos = 0; pos < text.size(); ++pos) {
    if (size_t run = plain_run_length(text, pos)) {
      out.write(text.substr(pos, run));
      pos += run - 1;
      continue;
    }
    if (size_t tag = html_list_tag_at(text, pos)) {
      std::string name(text.substr(pos, tag));
      if (name[1] != '/') {
        std::string element = name.substr(1, 2);
        // A new item ends the item before it, as in HTML.
        if (!open_tags.empty() &&
            ((element == "li" && open_tags.back() == "li") ||
             ((element == "dt" || element == "dd") &&
              (open_tags.back() == "dt" || open_tags.back() == "dd")))) {
          out.put("</%s>", open_tags.back().c_str());
          open_tags.pop_back();
        }
        out.write(name);
        open_tags.push_back(element);
      } else {
        std::string element = name.substr(2, 2);
        size_t depth = open_tags.size();
        while (depth > 0 && open_tags[depth - 1] != element) --depth;
        if (depth > 0) {  // a closing tag without its opening one is dropped
          while (open_tags.size() >= depth) {
            out.put("</%s>", open_tags.back().c_str());
            open_tags.pop_back();
          }
        }
      }
      pos += tag - 1;
      continue;
    }
    pos += static_cast<size_t>(write_xml_character(out, text, pos, raw));
  }
  while (!open_tags.empty()) {
    out.put("</%s>", open_tags.back().c_str());
    open_tags.pop_back();
  }
}
