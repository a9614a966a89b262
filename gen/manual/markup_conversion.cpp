// The documentation markup conversion: one left-to-right scan over a
// documentation text that writes the manual's XML markup (format switches,
// lists, references, fixed replacements, environments, inline commands and
// special characters).
//
// The scan keeps a stack of the elements it has opened (format parts, lists,
// items, tables, details, inline formulas, HTML list tags of the text) with
// the paragraphs open in each. Every end command closes what is still open
// above its own element, a paragraph break closes only a paragraph that is
// open, a stray end command is dropped, and whatever is open at the end of
// the text is closed there. With well-nested markup the output is exactly
// the fixed texts of each command; with faulty markup it stays well-formed.
#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <utility>
#include <vector>

#include "gen/chapter_table.h"
#include "gen/manual/manual_xml.h"
#include "gen/manual/markup_conversion.h"
#include "driver/diagnostics.h"
#include "driver/settings.h"

namespace {

enum FrameKind {
  frame_root,
  frame_format_block,  // <format>
  frame_format_part,   // <ascii>, <latex>, <formula>
  frame_list,          // <ul>, <ol>, <dl> of \begin{itemize|enumerate|description}
  frame_item,          // <li> of \item
  frame_label,         // <dt><b> of \item[
  frame_definition,    // <dd> after the label
  frame_html,          // an HTML list tag that stands in the text
  frame_details,
  frame_alignment,
  frame_external,
  frame_figure,
  frame_table,
  frame_inline_formula,
};

struct Frame {
  explicit Frame(FrameKind kind, std::string tag = {}, int paragraphs = 0)
      : kind(kind), tag(std::move(tag)), paragraphs(paragraphs) {}

  FrameKind kind;
  std::string tag;     // element name of lists, HTML tags and format parts
  int paragraphs = 0;  // "<p>" open directly in this element
  int format = markup_both;
  bool preformatted = false;
};

struct FixedReplacement {
  const char* markup;
  const char* xml;
};

const FixedReplacement fixed_replacements[] = {
    {"\\Vornix", "<trademark id=\"vornix\"/>"},
    {"\\DO2", "<trademark id=\"DO2\"/>"},
    {"\\OpenVINO", "<trademark id=\"OpenVINO\"/>"},
    {"\\ResTrue", "<resultstate id=\"True\"/>"},
    {"\\ResFalse", "<resultstate id=\"False\"/>"},
    {"\\ResVoid", "<resultstate id=\"Void\"/>"},
    {"\\ResFail", "<resultstate id=\"Fail\"/>"},
    {"\\ParamAttention", "<list_param_attention/>"},
    {"\\ParamRestriction", "<list_param_restriction/>"},
    {"\\DefaultValue", "<list_default_value/>"},
    {"\\ValueList", "<list_value_list/>"},
    {"\\ValueRange", "<list_value_range/>"},
    {"\\ValueSuggestion", "<list_value_suggestion/>"},
    {"\\textbackslash{}", "<backslash/>"},
};

struct InlineCommand {
  const char* markup;
  const char* opening;
  const char* closing;
};

const InlineCommand inline_commands[] = {
    {"\\textbf{", "<b>", "</b>"},
    {"\\textit{", "<i>", "</i>"},
    {"\\texttt{", "<mono>", "</mono>"},
    {"\\emph{", "<em>", "</em>"},
    {"\\paragraph{", "</p>\n<p title=\"", "\">"},
    {"\\summary{", "<detailssummary>", "</detailssummary><p>"},
};

bool is_letter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return std::string(text.substr(begin, end - begin));
}

class MarkupScan {
 public:
  MarkupScan(Writer& out, std::string_view text, bool paragraph_mode)
      : out_(out), text_(text), paragraph_mode_(paragraph_mode) {
    stack_.push_back(Frame{frame_root, "", paragraph_mode ? 1 : 0});
  }

  void run() {
    while (pos_ < text_.size()) step();
    finish();
  }

 private:
  // ---- text access --------------------------------------------------------
  bool at(std::string_view word) const { return text_.compare(pos_, word.size(), word) == 0; }
  char peek(size_t offset) const {
    return pos_ + offset < text_.size() ? text_[pos_ + offset] : '\0';
  }
  // Up to 31 characters of the text from a position, for messages.
  std::string excerpt(size_t from) const { return std::string(text_.substr(from, 31)); }

  // ---- the element stack --------------------------------------------------
  Frame& top() { return stack_.back(); }

  void close_paragraph() {
    if (top().paragraphs > 0) {
      out_.write("</p>");
      --top().paragraphs;
    }
  }
  // Every paragraph open directly in the top element (a table cell ends
  // them all, however many a summary or a title opened).
  void close_paragraphs() {
    while (top().paragraphs > 0) close_paragraph();
  }
  void open_paragraph() {
    out_.write("<p>");
    ++top().paragraphs;
  }

  // Writes the end of the top element and takes it off the stack.
  void close_top() {
    Frame& frame = top();
    while (frame.paragraphs > 0) close_paragraph();
    switch (frame.kind) {
      case frame_root:
        return;
      case frame_format_block:
        out_.write("</format>");
        break;
      case frame_format_part:
      case frame_list:
      case frame_html:
        out_.put("</%s>", frame.tag.c_str());
        break;
      case frame_item:
        out_.write("</li>");
        break;
      case frame_label:
        out_.write("</b></dt>");
        break;
      case frame_definition:
        out_.write("</dd>");
        break;
      case frame_details:
        out_.write("</details>");
        break;
      case frame_alignment:
        out_.write("</alignment>");
        break;
      case frame_external:
        out_.write("</external>");
        break;
      case frame_figure:
        out_.write("</figure>");
        break;
      case frame_table:
        out_.write("</td></tr></table>");
        break;
      case frame_inline_formula:
        out_.write("</inline_formula>");
        break;
    }
    stack_.pop_back();
  }

  // Closes everything above the frame at index. A format block closed
  // this way (at the end of the text, or by the end of an element that
  // began before it) lacked its "@e".
  void close_above(size_t index) {
    while (stack_.size() > index + 1) {
      if (top().kind == frame_format_block)
        manual_warning("Expected @e after \"%s ...\"\n", excerpt(last_switch_).c_str());
      close_top();
    }
  }

  static bool is_barrier(FrameKind kind) {
    return kind == frame_root || kind == frame_format_block || kind == frame_format_part ||
           kind == frame_table || kind == frame_details || kind == frame_alignment ||
           kind == frame_external || kind == frame_figure;
  }
  static bool is_list_kind(FrameKind kind) {
    return kind == frame_list || kind == frame_item || kind == frame_label ||
           kind == frame_definition;
  }

  // The innermost frame of a kind anywhere in the stack, or -1.
  int find(FrameKind kind) const {
    for (size_t i = stack_.size(); i-- > 1;)
      if (stack_[i].kind == kind) return static_cast<int>(i);
    return -1;
  }
  // The innermost list, item, label or definition frame in the current
  // block (a format part, table cell, details, ... is a block of its own).
  int innermost_list_frame() const {
    for (size_t i = stack_.size(); i-- > 0;) {
      if (is_list_kind(stack_[i].kind)) return static_cast<int>(i);
      if (is_barrier(stack_[i].kind)) return -1;
    }
    return -1;
  }
  // The innermost table, unless a format part lies in between.
  int current_table() const {
    for (size_t i = stack_.size(); i-- > 0;) {
      if (stack_[i].kind == frame_table) return static_cast<int>(i);
      if (stack_[i].kind == frame_format_part || stack_[i].kind == frame_root) return -1;
    }
    return -1;
  }
  const Frame* format_part() const {
    for (size_t i = stack_.size(); i-- > 0;)
      if (stack_[i].kind == frame_format_part) return &stack_[i];
    return nullptr;
  }
  int format() const {
    const Frame* part = format_part();
    return part ? part->format : markup_both;
  }
  bool preformatted() const {
    const Frame* part = format_part();
    return part && part->preformatted;
  }
  bool label_open() const {
    int index = innermost_list_frame();
    return index >= 0 && stack_[index].kind == frame_label;
  }

  // ---- the scan -----------------------------------------------------------
  void step() {
    // Letters, digits and blanks mean nothing to any rule below: a run of
    // them is copied at once.
    if (size_t run = plain_run_length(text_, pos_)) {
      out_.write(text_.substr(pos_, run));
      pos_ += run;
      return;
    }
    if (format_switch()) return;
    int fmt = format();
    bool commands = (fmt == markup_both || fmt == markup_ascii) && !preformatted();
    if (commands && !label_open() && list_command()) return;
    if (commands && text_[pos_] == ']' && label_open()) {
      end_label();
      ++pos_;
      return;
    }
    if (reference()) return;
    if (commands && inline_formula_text()) return;
    if (fmt == markup_latex || fmt == markup_formula) {
      size_t length = std::max<size_t>(1, utf8_sequence_length(text_, pos_));
      write_escaped_xml(out_, text_.substr(pos_, length));
      pos_ += length;
      return;
    }
    if (commands && text_[pos_] == '\\') {
      if (fixed_replacement() || environment() || inline_command()) return;
    }
    special_character(commands);
  }

  // Text inside "$...$" is LaTeX math, which the LaTeX manual typesets and
  // the HTML manual shows as it stands: a command keeps its backslash ("\sigma"),
  // a backslash before any other character keeps both ("\,", "\{"), and
  // quotes and umlaut conventions are not read ("f''" stays). Only "$"
  // (the end), a double backslash, "~", "&", line ends and the markup's
  // "\begin{", "\end{" and "\item" keep their meaning, so that the
  // elements around the formula stay whole.
  bool inline_formula_text() {
    int formula = find(frame_inline_formula);
    if (formula < 0 || current_table() > formula || format() != markup_both) return false;
    char c = text_[pos_];
    if (c == '\\') {
      char next = peek(1);
      if (next == '\\' || next == '\0') return false;
      // The markup's own environments and items still begin and end.
      if (at("\\begin{") || at("\\end{") || at("\\item")) return false;
      size_t end = pos_ + 1 + std::max<size_t>(1, utf8_sequence_length(text_, pos_ + 1));
      if (is_letter(next))
        while (end < text_.size() && is_letter(text_[end])) ++end;
      write_escaped_xml(out_, text_.substr(pos_, end - pos_));
      pos_ = end;
      return true;
    }
    if (c == '$' || c == '~' || c == '&' || c == '\n' || html_list_tag_at(text_, pos_)) return false;
    size_t length = std::max<size_t>(1, utf8_sequence_length(text_, pos_));
    write_escaped_xml(out_, text_.substr(pos_, length));
    pos_ += length;
    return true;
  }

  // 1. Format switches "@a", "@l", "@f", "@e".
  bool format_switch() {
    if (text_[pos_] != '@') return false;
    char letter = peek(1);
    if (letter != 'a' && letter != 'e' && letter != 'f' && letter != 'l') return false;
    int block = find(frame_format_block);
    if (letter == 'e') {
      // Without an open block "@e" ends nothing and stays text (as in an
      // address like "info@example.com").
      if (block < 0) return false;
      close_above(static_cast<size_t>(block));
      close_top();
      pos_ += 2;
      return true;
    }
    last_switch_ = pos_;
    if (block >= 0) {
      close_above(static_cast<size_t>(block));  // the part that is open
    } else {
      out_.write("<format>");
      stack_.push_back(Frame{frame_format_block});
    }
    Frame part{frame_format_part};
    if (letter == 'a') {
      part.tag = "ascii";
      part.format = markup_ascii;
      part.preformatted =
          paragraph_mode_ && (peek(2) == '\n' || (peek(2) == '\r' && peek(3) == '\n'));
      out_.write(part.preformatted ? "<ascii preformatted=\"true\">" : "<ascii>");
    } else if (letter == 'l') {
      part.tag = "latex";
      part.format = markup_latex;
      out_.write("<latex>");
    } else {
      part.tag = "formula";
      part.format = markup_formula;
      out_.write("<formula>");
    }
    stack_.push_back(part);
    pos_ += 2;
    return true;
  }

  // 2. List commands.
  bool list_command() {
    if (text_[pos_] != '\\') return false;
    static const struct {
      const char* markup;
      const char* tag;
    } begins[] = {{"\\begin{description}", "dl"},
                  {"\\begin{itemize}", "ul"},
                  {"\\begin{enumerate}", "ol"}};
    for (const auto& begin : begins) {
      if (!at(begin.markup)) continue;
      close_paragraph();
      out_.put("<%s>", begin.tag);
      stack_.push_back(Frame{frame_list, begin.tag});
      open_paragraph();
      pos_ += std::string_view(begin.markup).size();
      return true;
    }
    for (const char* end : {"\\end{description}", "\\end{itemize}", "\\end{enumerate}"}) {
      if (!at(end)) continue;
      end_item();
      int list = innermost_list_frame();
      if (list >= 0 && stack_[list].kind == frame_list) {
        close_above(static_cast<size_t>(list));
        close_top();
        open_paragraph();
      }  // an end without its list is dropped
      pos_ += std::string_view(end).size();
      return true;
    }
    if (at("\\item[")) {
      end_item();
      close_paragraph();
      out_.write("\n<dt><b>");
      stack_.push_back(Frame{frame_label});
      pos_ += 6;
      return true;
    }
    if (at("\\item") && !is_letter(peek(5))) {
      end_item();
      close_paragraph();
      out_.write("<li>\n");
      stack_.push_back(Frame{frame_item});
      open_paragraph();
      pos_ += 5;
      return true;
    }
    return false;
  }

  // Ends the open item of the innermost list: "</p></li><p>\n" or
  // "</p></dd><p>\n".
  void end_item() {
    int item = innermost_list_frame();
    if (item < 0) return;
    FrameKind kind = stack_[item].kind;
    if (kind != frame_item && kind != frame_definition) return;
    close_above(static_cast<size_t>(item));
    close_top();
    open_paragraph();
    out_.write("\n");
  }

  // The "]" that ends a description label.
  void end_label() {
    close_above(static_cast<size_t>(innermost_list_frame()));
    while (top().paragraphs > 0) close_paragraph();
    stack_.pop_back();
    out_.write("</b></dt>\n<dd><p>\n");
    stack_.push_back(Frame{frame_definition, "", 1});
  }

  // Braced-argument reader: the text after the opening brace at start up to
  // the matching closing brace; pos_ moves past it. Without a closing brace
  // the rest of the text is the argument.
  std::string braced_argument(size_t start, const char* command) {
    int depth = 1;
    size_t i = start;
    for (; i < text_.size(); ++i) {
      if (text_[i] == '{') ++depth;
      if (text_[i] == '}' && --depth == 0) break;
    }
    std::string argument(text_.substr(start, i - start));
    if (i >= text_.size()) {
      manual_warning("expected closing brace for %s\n", command);
      pos_ = text_.size();
    } else {
      pos_ = i + 1;
    }
    return argument;
  }

  // 3. References, in every part.
  bool reference() {
    if (text_[pos_] != '\\') return false;
    int mode = format();
    if (at("\\ChapRef{")) {
      std::string path = braced_argument(pos_ + 9, "\\ChapRef");
      write_chapter_reference(path);
      return true;
    }
    if (at("\\OpRef{")) {
      std::string argument = braced_argument(pos_ + 7, "\\OpRef");
      size_t i = 0;
      while (i < argument.size() && std::isspace(static_cast<unsigned char>(argument[i]))) ++i;
      size_t name_start = i;
      while (i < argument.size() &&
             (std::isalnum(static_cast<unsigned char>(argument[i])) || argument[i] == '_'))
        ++i;
      std::string name = argument.substr(name_start, i - name_start);
      while (i < argument.size() && is_blank(argument[i])) ++i;
      std::string rest = trimmed(std::string_view(argument).substr(i));
      // Words after the name keep their blank; a call's argument list
      // follows the name directly.
      if (!rest.empty() && (std::isalnum(static_cast<unsigned char>(rest[0])) || rest[0] == '_'))
        rest.insert(0, " ");
      out_.put("<opref id=\"%s\">\n", Escaped(name).c_str());
      write_operator_syntax(out_, name, mode, rest);
      out_.write("</opref>");
      return true;
    }
    if (at("\\ParRef{")) {
      std::string name = trimmed(braced_argument(pos_ + 8, "\\ParRef"));
      out_.put("<parref id=\"%s\">\n", Escaped(name).c_str());
      write_spelled_parameter(name, mode);
      out_.write("</parref>");
      return true;
    }
    if (at("\\ParName{")) {
      std::string name = trimmed(braced_argument(pos_ + 9, "\\ParName"));
      out_.write("<parname>\n");
      write_spelled_parameter(name, mode);
      out_.write("</parname>");
      return true;
    }
    if (at("\\ValRef{")) {
      std::string value = trimmed(braced_argument(pos_ + 8, "\\ValRef"));
      out_.write("<valref>");
      write_value_syntax(out_, value, mode);
      out_.write("</valref>");
      return true;
    }
    return false;
  }

  // A parameter spelled as in the parameter list of the operator's file;
  // read as LaTeX, its underscores are escaped for LaTeX (the element tags
  // themselves hold none).
  void write_spelled_parameter(const std::string& name, int mode) {
    if (mode != markup_latex && mode != markup_formula) {
      write_parameter_syntax(out_, name);
      return;
    }
    Writer scratch;
    write_parameter_syntax(scratch, name);
    std::string text;
    for (char c : scratch.text()) {
      if (c == '_') text += '\\';
      text += c;
    }
    out_.write(text);
  }

  // A chapter path ("Filters/Smoothing" or "Filters, Smoothing"): one
  // nested chapref element per level.
  void write_chapter_reference(const std::string& path) {
    std::vector<std::string> levels;
    size_t start = 0;
    for (size_t i = 0; i <= path.size(); ++i) {
      if (i == path.size() || path[i] == '/' || path[i] == ',') {
        std::string level = trimmed(std::string_view(path).substr(start, i - start));
        if (!level.empty()) levels.push_back(level);
        start = i + 1;
      }
    }
    if (levels.empty()) levels.push_back(std::string());
    // The run's language in the library's own build, else English.
    const std::string language = settings().generation_target == target_library
                                     ? settings().doc_language
                                     : std::string("english");
    for (const std::string& id : levels) {
      const char* name = chapter_name(id, language);
      if (!name) name = chapter_name(id, "english");
      std::string lower = id;
      for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      out_.put("<chapref id=\"%s\" name=\"%s\">", Escaped(lower).c_str(),
               Escaped(name ? name : id).c_str());
    }
    for (size_t i = 0; i < levels.size(); ++i) out_.write("</chapref>");
  }

  // 4. Fixed replacements: a command word followed by a non-letter.
  bool fixed_replacement() {
    for (const FixedReplacement& fixed : fixed_replacements) {
      std::string_view markup(fixed.markup);
      if (!at(markup)) continue;
      if (markup.back() != '}' && is_letter(peek(markup.size()))) continue;
      out_.write(fixed.xml);
      pos_ += markup.size();
      // An empty group after the word ("\Vornix{} and") only ends the word.
      if (at("{}")) pos_ += 2;
      return true;
    }
    return false;
  }

  // Optional argument "[...]" (with nesting) at pos_, blanks before it
  // skipped; false when there is none.
  bool optional_argument(std::string& argument) {
    size_t i = pos_;
    while (i < text_.size() && is_blank(text_[i])) ++i;
    if (i >= text_.size() || text_[i] != '[') return false;
    int depth = 1;
    size_t start = ++i;
    for (; i < text_.size(); ++i) {
      if (text_[i] == '[') ++depth;
      if (text_[i] == ']' && --depth == 0) break;
    }
    if (i >= text_.size()) return false;
    argument = std::string(text_.substr(start, i - start));
    pos_ = i + 1;
    return true;
  }
  // Required argument "{...}" (with nesting) at pos_, white space before it
  // skipped; false when there is none.
  bool required_argument(std::string& argument) {
    size_t i = pos_;
    while (i < text_.size() && std::isspace(static_cast<unsigned char>(text_[i]))) ++i;
    if (i >= text_.size() || text_[i] != '{') return false;
    int depth = 1;
    size_t start = ++i;
    for (; i < text_.size(); ++i) {
      if (text_[i] == '{') ++depth;
      if (text_[i] == '}' && --depth == 0) break;
    }
    if (i >= text_.size()) return false;
    argument = std::string(text_.substr(start, i - start));
    pos_ = i + 1;
    return true;
  }

  // Ends the innermost element of a kind; false when none is open.
  bool end_frame(FrameKind kind) {
    int index = find(kind);
    if (index < 0) return false;
    close_above(static_cast<size_t>(index));
    close_top();
    return true;
  }

  // 5. Environments.
  bool environment() {
    size_t command = pos_;
    std::string argument;
    if (at("\\begin{Alignment}") || at("\\begin{External}")) {
      bool alignment = at("\\begin{Alignment}");
      pos_ += alignment ? 17 : 16;
      out_.write(alignment ? "<alignment" : "<external");
      if (required_argument(argument))
        out_.put(alignment ? " halign=\"%s\">" : " url=\"%s\">", Escaped(argument).c_str());
      else {
        manual_warning("Missing parameter at %s ...\n", excerpt(command).c_str());
        out_.write(">");
      }
      stack_.push_back(Frame{alignment ? frame_alignment : frame_external});
      return true;
    }
    if (at("\\end{Alignment}")) {
      end_frame(frame_alignment);  // a stray end is dropped
      pos_ += 15;
      return true;
    }
    if (at("\\end{External}")) {
      end_frame(frame_external);
      pos_ += 14;
      return true;
    }
    if (at("\\begin{Details}")) {
      close_paragraph();
      out_.write("<details>");
      stack_.push_back(Frame{frame_details});
      pos_ += 15;
      return true;
    }
    if (at("\\end{Details}")) {
      if (end_frame(frame_details)) open_paragraph();
      pos_ += 13;
      return true;
    }
    if (at("\\begin{Figure}")) {
      pos_ += 14;
      out_.write("<figure");
      static const char* const attributes[] = {" rows=\"%s\"", " cols=\"%s\"", " scale=\"%s\""};
      for (const char* attribute : attributes) {
        if (!optional_argument(argument)) break;
        out_.put(attribute, Escaped(argument).c_str());
      }
      if (required_argument(argument))
        out_.put(" prefix=\"%s\">", Escaped(argument).c_str());
      else {
        manual_warning("Missing prefix in figure at %s ...\n", excerpt(command).c_str());
        out_.write(">");
      }
      stack_.push_back(Frame{frame_figure});
      return true;
    }
    if (at("\\end{Figure}")) {
      end_frame(frame_figure);
      pos_ += 12;
      return true;
    }
    if (at("\\begin{Table}")) {
      pos_ += 13;
      begin_table(command);
      return true;
    }
    if (at("\\end{Table}")) {
      if (!end_frame(frame_table)) manual_warning("Encountered table end tag outside of table\n");
      pos_ += 11;
      return true;
    }
    return false;
  }

  void begin_table(size_t command) {
    std::string style;
    std::string columns;
    bool styled = optional_argument(style);
    out_.write("<table");
    if (styled) out_.put(" style=\"%s\"", Escaped(style).c_str());
    out_.write(">\n");
    if (!required_argument(columns) || columns.empty())
      manual_warning("Missing column specs in table at %s ...\n", excerpt(command).c_str());
    for (size_t i = 0; i < columns.size(); ++i) {
      char c = columns[i];
      const char* align = c == 'l' ? "left" : c == 'r' ? "right" : c == 'c' ? "center" : nullptr;
      if (std::isdigit(static_cast<unsigned char>(c))) {
        manual_warning("Width not preceded by alignment character at %s ...\n",
                       excerpt(command).c_str());
        while (i + 1 < columns.size() && std::isdigit(static_cast<unsigned char>(columns[i + 1])))
          ++i;
        continue;
      }
      if (!align) {
        if (!std::isspace(static_cast<unsigned char>(c)))
          manual_warning("Bad alignment character %c at %s ...\n", c, excerpt(command).c_str());
        continue;
      }
      out_.put("<tc align=\"%s\"", align);
      size_t digits = i + 1;
      while (digits < columns.size() && std::isdigit(static_cast<unsigned char>(columns[digits])))
        ++digits;
      if (digits > i + 1) {
        out_.put(" width=\"%s\"", columns.substr(i + 1, digits - i - 1).c_str());
        i = digits - 1;
      }
      out_.write("/>");
    }
    out_.write("<tr><td>");
    stack_.push_back(Frame{frame_table});
  }

  // 6. Inline commands and any other command.
  bool inline_command() {
    for (const InlineCommand& command : inline_commands) {
      std::string_view markup(command.markup);
      if (!at(markup)) continue;
      pos_ += markup.size();
      size_t end = text_.find('}', pos_);
      if (end == std::string_view::npos) {
        std::string name(markup.substr(0, markup.size() - 1));
        manual_warning("expected closing brace for %s\n", name.c_str());
        end = text_.size();
      }
      std::string_view argument = text_.substr(pos_, end - pos_);
      bool title = markup == "\\paragraph{";
      if (title) {
        // The "</p>" that opens a titled paragraph closes only a paragraph
        // that is open.
        close_paragraph();
        out_.write(std::string_view(command.opening).substr(4));
      } else {
        out_.write(command.opening);
      }
      if (title)
        write_attribute_text(argument);
      else
        write_xml_text(out_, argument);
      out_.write(command.closing);
      if (title || markup == "\\summary{") ++top().paragraphs;
      pos_ = end < text_.size() ? end + 1 : end;
      return true;
    }
    // A backslash before one of these characters stands for the character.
    char next = peek(1);
    if (next == '$' || next == '&' || next == '~' || next == '{' || next == '}' || next == '_' ||
        next == '#') {
      write_xml_character(out_, text_, pos_ + 1, false);
      pos_ += 2;
      return true;
    }
    if (!is_letter(next)) return false;  // "\ ", "\%", "\\" and the like: special characters
    size_t name_end = pos_ + 1;
    while (name_end < text_.size() && is_letter(text_[name_end])) ++name_end;
    std::string_view name = text_.substr(pos_ + 1, name_end - pos_ - 1);
    out_.write(name);
    pos_ = name_end;
    if (peek(0) == '{') {
      size_t end = text_.find('}', pos_ + 1);
      if (end == std::string_view::npos) {
        manual_warning("expected closing brace for \\%s\n", std::string(name).c_str());
        end = text_.size();
      }
      out_.write("(");
      write_xml_text(out_, text_.substr(pos_ + 1, end - pos_ - 1));
      out_.write(")");
      pos_ = end < text_.size() ? end + 1 : end;
    }
    return true;
  }

  // Text inside an attribute value: as the character writer writes it, but
  // with list tags escaped.
  void write_attribute_text(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
      if (size_t run = plain_run_length(text, i)) {
        out_.write(text.substr(i, run));
        i += run - 1;
        continue;
      }
      if (size_t tag = html_list_tag_at(text, i)) {
        write_escaped_xml(out_, text.substr(i, tag));
        i += tag - 1;
        continue;
      }
      if (text[i] == '\n') {  // a line end in an attribute would be read as a blank
        out_.write(" ");
        continue;
      }
      i += static_cast<size_t>(write_xml_character(out_, text, i, false));
    }
  }

  // 7. Special characters (both formats; in ASCII parts as stated).
  void special_character(bool commands) {
    char c = text_[pos_];
    bool both = format() == markup_both;
    if (c == '\\' && commands) {
      char next = peek(1);
      if (next == ' ') {
        out_.write(" ");
        pos_ += 2;
        return;
      }
      if (next == '%') {
        out_.write("%");
        pos_ += 2;
        return;
      }
      if (next == '\\') {
        pos_ += 2;
        if (peek(0) == '*') ++pos_;
        line_break(/*row_end=*/true);
        return;
      }
      ++pos_;  // any other backslash is dropped
      return;
    }
    if (c == '$' && both) {
      int formula = find(frame_inline_formula);
      if (formula >= 0 && current_table() <= formula) {
        close_above(static_cast<size_t>(formula));
        close_top();
      } else {
        out_.write("<inline_formula>");
        stack_.push_back(Frame{frame_inline_formula});
      }
      ++pos_;
      return;
    }
    if (c == '~' && both) {
      out_.write("&nbsp;");
      ++pos_;
      return;
    }
    if (c == '&' && commands) {
      int table = current_table();
      if (table >= 0) {
        close_above(static_cast<size_t>(table));
        close_paragraphs();
        out_.write("</td><td>");
        ++pos_;
        return;
      }
    }
    if (c == '\n') {
      size_t i = pos_ + 1;
      size_t after_empty = pos_ + 1;
      bool empty_line = false;
      // Lines of nothing but blanks count as empty.
      while (i < text_.size()) {
        size_t j = i;
        while (j < text_.size() && (is_blank(text_[j]) || text_[j] == '\r')) ++j;
        if (j < text_.size() && text_[j] == '\n') {
          empty_line = true;
          after_empty = j + 1;
          i = j + 1;
        } else {
          break;
        }
      }
      if (!empty_line) {
        out_.write("\n");
        ++pos_;
        return;
      }
      pos_ = after_empty;
      line_break(/*row_end=*/false);
      return;
    }
    if (size_t tag = html_list_tag_at(text_, pos_)) {
      html_tag(std::string(text_.substr(pos_, tag)));
      pos_ += tag;
      return;
    }
    pos_ += 1 + static_cast<size_t>(write_xml_character(out_, text_, pos_, false));
  }

  // "\\" (row_end) or an empty line: a table row, a paragraph break or a
  // line break.
  void line_break(bool row_end) {
    int table = current_table();
    if (row_end && table >= 0) {
      close_above(static_cast<size_t>(table));
      close_paragraphs();
      out_.write("</td></tr><tr><td>");
      return;
    }
    if (paragraph_mode_ && format() == markup_both && table < 0) {
      close_paragraph();
      out_.write("\n");
      open_paragraph();
      return;
    }
    out_.write("<br/>\n");
  }

  // An HTML list tag of the text: kept as an element, balanced.
  void html_tag(const std::string& tag) {
    if (tag[1] != '/') {
      std::string name = tag.substr(1, 2);
      // A new item ends the item before it, as in HTML.
      if (top().kind == frame_html &&
          ((name == "li" && top().tag == "li") ||
           ((name == "dt" || name == "dd") && (top().tag == "dt" || top().tag == "dd"))))
        close_top();
      out_.write(tag);
      stack_.push_back(Frame{frame_html, name});
      return;
    }
    std::string name = tag.substr(2, 2);
    for (size_t i = stack_.size(); i-- > 1;) {
      const Frame& frame = stack_[i];
      if (frame.kind == frame_html && frame.tag == name) {
        close_above(i);
        close_top();
        return;
      }
      if (frame.kind != frame_html && frame.kind != frame_inline_formula) break;
    }
    // a closing tag without its opening one is dropped
  }

  void finish() {
    close_above(0);
    // Leave the paragraphs as the caller expects them: one open in
    // paragraph mode, none otherwise.
    int expected = paragraph_mode_ ? 1 : 0;
    while (top().paragraphs > expected) close_paragraph();
    while (top().paragraphs < expected) open_paragraph();
  }

  Writer& out_;
  std::string_view text_;
  bool paragraph_mode_;
  size_t pos_ = 0;
  size_t last_switch_ = 0;
  std::vector<Frame> stack_;
};

// The warnings of this thread's page, while it is written on a worker.
thread_local std::vector<std::string>* warning_sink = nullptr;

}  // namespace

void manual_warning(const char* format, ...) {
  if (settings().warnings_suppressed) return;
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
  if (length > 0) std::vsnprintf(text.data(), text.size() + 1, format, args);
  va_end(args);
  if (warning_sink != nullptr)
    warning_sink->push_back(std::move(text));
  else
    report_warning("%s", text.c_str());
}

void collect_manual_warnings(std::vector<std::string>* sink) { warning_sink = sink; }

void convert_markup(Writer& out, std::string_view text, bool paragraph_mode) {
  MarkupScan(out, text, paragraph_mode).run();
}

std::string markup_to_xml(std::string_view text, bool paragraph_mode) {
  Writer out;
  convert_markup(out, text, paragraph_mode);
  return out.text();
}

void write_markup_paragraphs(Writer& out, std::string_view text) {
  out.write("<p>");
  convert_markup(out, text, true);
  out.write("</p>");
}
