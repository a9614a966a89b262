/// Documentation markup conversion for the reference manual: the XML
/// character writer, entity escaping, the syntax elements that spell a name
/// per language interface, and the conversion of a documentation text (the
/// LaTeX-like markup of the definition files with its "@a"/"@l"/"@f"/"@e"
/// format switches) into the manual's XML markup elements.
///
/// Everything here writes into a Writer; the converted text of a whole
/// documentation text is always well-formed XML content (given the five
/// entities cr, ldquo, rdquo, bdquo and nbsp that every manual file declares).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "driver/output.h"

/// A warning of the manual's writers, as report_warning writes it. While
/// the calling thread collects its warnings (collect_manual_warnings), the
/// message is kept instead, for the caller to report in its own order.
void manual_warning(const char* format, ...) __attribute__((format(printf, 1, 2)));
/// From now on this thread's manual_warning messages go to sink; nullptr
/// reports them at once again.
void collect_manual_warnings(std::vector<std::string>* sink);

/// Format state of a markup text, set by the format switches.
enum MarkupFormat {
  markup_both = 0,     // start: text for both ASCII and LaTeX output
  markup_ascii = 1,    // "@a"
  markup_latex = 2,    // "@l"
  markup_formula = 3,  // "@f"
};

/// Interface numbers of the manual's syntax elements.
enum ManualInterface {
  manual_vdevelop = 1,
  manual_c = 2,
  manual_cpp = 3,
  manual_com = 4,
  manual_dotnet = 5,
  manual_python = 11,
};

/// The interfaces an operator is spelled in, in output order: 1 to 5 and 11.
extern const int manual_interfaces[6];

/// "vdevelop", "c", "cpp", "com", "dotnet", "python"; "all" for any other
/// number.
const char* manual_interface_name(int interface_number);

/// Entity escaping of a whole string: "<", ">", "&" and the double-quote
/// character become "&lt;", "&gt;", "&amp;", "&quot;"; every other byte is
/// kept. For attribute values and code. So that the file stays readable
/// XML, a byte that begins no UTF-8 sequence is taken as a Latin-1 letter
/// and written in UTF-8, and a control character other than tab, line feed
/// and carriage return (which XML does not allow) is written as a blank;
/// the character writer below does the same.
std::string escape_xml(std::string_view text);
void write_escaped_xml(Writer& out, std::string_view text);
/// Whether escape_xml would change the text.
bool needs_xml_escaping(std::string_view text);

/// A text for a "%s" of an XML template: the text itself when escaping
/// would not change it (the common case, without a copy), else its
/// escape_xml form. A temporary lives to the end of the statement, so
/// `out.put("<a id=\"%s\">", Escaped(name).c_str())` is safe.
class Escaped {
 public:
  explicit Escaped(const std::string& text);
  Escaped(const Escaped&) = delete;
  Escaped& operator=(const Escaped&) = delete;
  const char* c_str() const { return text_->c_str(); }

 private:
  std::string escaped_;
  const std::string* text_;
};

/// The length of the well-formed UTF-8 sequence that begins at text[pos]
/// (1 for an ASCII byte), or 0 when the byte begins none.
size_t utf8_sequence_length(std::string_view text, size_t pos);

/// The length of the HTML list tag ("<ul>", "<ol>", "<dl>", "<li>", "<dt>",
/// "<dd>" or one of their closing tags) that begins at text[pos], else 0.
size_t html_list_tag_at(std::string_view text, size_t pos);

/// The XML character writer: writes the character at text[pos] (with what
/// belongs to it) and returns the number of extra characters consumed.
/// Handles the HTML list tags (copied), the quote pairs `` and '' (not in
/// raw mode), the double-quote conventions ("a -> ä, "s -> ß, "S -> SS, "`
/// "' and "" -> quote entities), "\%" -> "%" and the four entity
/// characters. A list tag copied by this call is not balanced: use
/// write_xml_text for whole values.
int write_xml_character(Writer& out, std::string_view text, size_t pos, bool raw);
/// The length of the run of ASCII letters, digits and blanks at pos: text
/// that write_xml_character would copy as it is, one character at a time.
size_t plain_run_length(std::string_view text, size_t pos);

/// A whole plain value through the XML character writer. HTML list tags in
/// the value are kept as elements but balanced: an unmatched closing tag is
/// dropped, a new item ends an open item before it (as in HTML) and tags
/// left open are closed at the end, so the result is always well-formed.
void write_xml_text(Writer& out, std::string_view text, bool raw = false);

/// The syntax element of one interface:
/// "    <syntax interface=\"%s\">", the name as the interface spells it (the
/// CamelCase name style for cpp, com and dotnet), the suffix, "</syntax>\n".
/// For every interface but vdevelop the suffix's apostrophes become
/// double-quote characters and the colons between argument groups (outside
/// quotes) become commas. Name and suffix are entity-escaped; in the LaTeX
/// and formula formats (mode) underscores are written as "\_".
void write_syntax_element(Writer& out, int interface_number, std::string_view name,
                          int mode = markup_both, std::string_view suffix = {});

/// The syntax elements of an operator name for every interface it is
/// spelled in: only vdevelop for an operator whose implementing function is
/// "Internal" (looked up by name in the model), else 1 to 5 and 11. With
/// picked_for, only the one that the stylesheets' syntax_text picks for that
/// interface (that one, else vdevelop), unless the name is blank.
void write_operator_syntax(Writer& out, std::string_view name, int mode = markup_both,
                           std::string_view suffix = {}, const char* picked_for = nullptr);

/// The syntax elements of a value for every interface (1 to 5 and 11): the
/// value as it stands for vdevelop, with its apostrophes as double-quote
/// characters for the others.
void write_value_syntax(Writer& out, std::string_view value, int mode = markup_both);

/// The markup conversion: writes the converted text. paragraph_mode says
/// that the caller has opened a "<p>" around the text (and closes it after):
/// blank lines and "\\" then break paragraphs. Problems are reported as
/// warnings and the conversion goes on; the result stays well-formed.
/// Operator references are spelled by write_operator_syntax, values by
/// write_value_syntax, parameters as the manual's parameter lists spell
/// them (write_parameter_syntax of gen/manual/manual_xml.h).
void convert_markup(Writer& out, std::string_view text, bool paragraph_mode);

/// The converted text as a string (scratch use and tests).
std::string markup_to_xml(std::string_view text, bool paragraph_mode);

/// The paragraph writer: "<p>", the text converted in paragraph mode, "</p>".
void write_markup_paragraphs(Writer& out, std::string_view text);
