// The search box's two scripts: search.js, the same for every manual, and
// search_index.js, one entry per documented operator with its name as the
// manual's interface spells it, its page, its keywords and its short
// description in the run's language.
#include "gen/manual/search_files.h"

#include <cctype>

#include "driver/diagnostics.h"
#include "driver/name_style.h"
#include "driver/output.h"
#include "driver/settings.h"
#include "gen/index_topics.h"

const char* const search_script_name = "search.js";
const char* const search_index_name = "search_index.js";

namespace {

// Loaded by every page after the box (see navigation_bar in the HTML
// stylesheets). The index is loaded on first use, by a script element,
// which browsers allow for files opened from the disk. Results are built
// with text nodes only, so no text of the index is read as HTML.
const char* const search_script =
    "/* Search box of the reference manual: looks the typed words up in the\n"
    "   names, keywords and short descriptions of search_index.js (loaded on\n"
    "   first use) and lists the pages found. Needs no server. */\n"
    "(function () {\n"
    "  \"use strict\";\n"
    "  var box = document.getElementById(\"search_box\");\n"
    "  var list = document.getElementById(\"search_results\");\n"
    "  if (!box || !list) return;\n"
    "  var language = (document.documentElement.lang || \"\").slice(0, 2);\n"
    "  box.placeholder = language === \"de\" ? \"Suchen\" : language === \"ja\" ? \"\\u691c\\u7d22\" : \"Search\";\n"
    "  box.setAttribute(\"aria-label\", box.placeholder);\n"
    "  var loading = false;\n"
    "  function load(then) {\n"
    "    if (window.vornixSearchIndex) { then(); return; }\n"
    "    if (loading) return;\n"
    "    loading = true;\n"
    "    var script = document.createElement(\"script\");\n"
    "    script.src = \"search_index.js\";\n"
    "    script.onload = function () { loading = false; then(); };\n"
    "    script.onerror = function () { loading = false; };\n"
    "    document.head.appendChild(script);\n"
    "  }\n"
    "  /* entry: name, page, keywords, summary, identifier; 0 when a word is missing */\n"
    "  function score(entry, words) {\n"
    "    var total = 0;\n"
    "    var name = entry[0].toLowerCase(), id = entry[4].toLowerCase();\n"
    "    var keywords = entry[2].toLowerCase(), summary = entry[3].toLowerCase();\n"
    "    for (var i = 0; i < words.length; i++) {\n"
    "      var w = words[i];\n"
    "      if (name === w || id === w) total += 100;\n"
    "      else if (name.indexOf(w) === 0 || id.indexOf(w) === 0) total += 50;\n"
    "      else if (name.indexOf(w) >= 0 || id.indexOf(w) >= 0) total += 20;\n"
    "      else if (keywords.indexOf(w) >= 0) total += 10;\n"
    "      else if (summary.indexOf(w) >= 0) total += 1;\n"
    "      else return 0;\n"
    "    }\n"
    "    return total;\n"
    "  }\n"
    "  function show() {\n"
    "    while (list.firstChild) list.removeChild(list.firstChild);\n"
    "    var words = box.value.toLowerCase().split(/\\s+/).filter(function (w) { return w !== \"\"; });\n"
    "    if (words.length === 0 || !window.vornixSearchIndex) return;\n"
    "    var found = [];\n"
    "    window.vornixSearchIndex.forEach(function (entry) {\n"
    "      var s = score(entry, words);\n"
    "      if (s > 0) found.push([s, entry]);\n"
    "    });\n"
    "    found.sort(function (a, b) {\n"
    "      return b[0] - a[0] || (a[1][0] < b[1][0] ? -1 : a[1][0] > b[1][0] ? 1 : 0);\n"
    "    });\n"
    "    found.slice(0, 30).forEach(function (f) {\n"
    "      var item = document.createElement(\"li\");\n"
    "      var link = document.createElement(\"a\");\n"
    "      link.href = f[1][1];\n"
    "      link.textContent = f[1][0];\n"
    "      item.appendChild(link);\n"
    "      if (f[1][3] !== \"\") item.appendChild(document.createTextNode(\" \\u2014 \" + f[1][3]));\n"
    "      list.appendChild(item);\n"
    "    });\n"
    "  }\n"
    "  box.addEventListener(\"input\", function () { load(show); });\n"
    "  box.addEventListener(\"keydown\", function (event) {\n"
    "    if (event.key === \"Enter\" && list.firstChild) {\n"
    "      event.preventDefault();\n"
    "      window.location.href = list.firstChild.firstChild.href;\n"
    "    }\n"
    "  });\n"
    "  if (box.value !== \"\") load(show);\n"
    "})();\n";

bool camel_case_manual() {
  const std::string& interface = settings().manual_interface;
  return interface == "cpp" || interface == "com" || interface == "dotnet";
}

// The umlaut convention of the definition files ("a, "s) and the quote pairs.
const char* convention_text(char next) {
  switch (next) {
    case 'a': return "\xC3\xA4";
    case 'o': return "\xC3\xB6";
    case 'u': return "\xC3\xBC";
    case 'A': return "\xC3\x84";
    case 'O': return "\xC3\x96";
    case 'U': return "\xC3\x9C";
    case 's': return "\xC3\x9F";
    case 'S': return "SS";
    case '`':
    case '\'':
    case '"': return "\"";
    default: return nullptr;
  }
}

void append_blank(std::string& out) {
  if (!out.empty() && out.back() != ' ') out += ' ';
}

}  // namespace

std::string search_text(std::string_view markup) {
  std::string out;
  for (size_t pos = 0; pos < markup.size(); ++pos) {
    char c = markup[pos];
    char next = pos + 1 < markup.size() ? markup[pos + 1] : '\0';
    if (c == '@' && (next == 'a' || next == 'e' || next == 'f' || next == 'l')) {
      ++pos;
    } else if (c == '\\' && std::isalpha(static_cast<unsigned char>(next))) {
      size_t end = pos + 1;
      while (end < markup.size() && std::isalpha(static_cast<unsigned char>(markup[end]))) ++end;
      // a command with an argument gives the argument, read on as text
      if (end >= markup.size() || markup[end] != '{') out.append(markup.substr(pos + 1, end - pos - 1));
      pos = end - 1;
    } else if (c == '\\') {
      if (next == '\\' || next == ' ') append_blank(out);
      else if (next != '\0') out += next;
      ++pos;
    } else if (c == '"' && convention_text(next) != nullptr) {
      out += convention_text(next);
      ++pos;
    } else if ((c == '`' || c == '\'') && next == c) {
      out += '"';
      ++pos;
    } else if (c == '{' || c == '}' || c == '$') {
    } else if (c == '~' || std::isspace(static_cast<unsigned char>(c))) {
      append_blank(out);
    } else {
      out += c;
    }
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  size_t start = out.find_first_not_of(' ');
  return start == std::string::npos ? std::string() : out.substr(start);
}

std::string javascript_string(std::string_view text) {
  std::string out = "\"";
  for (size_t pos = 0; pos < text.size(); ++pos) {
    unsigned char c = static_cast<unsigned char>(text[pos]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      out += format_text("\\u%04x", c);
    } else if (c == 0xE2 && pos + 2 < text.size() && static_cast<unsigned char>(text[pos + 1]) == 0x80 &&
               (static_cast<unsigned char>(text[pos + 2]) == 0xA8 ||
                static_cast<unsigned char>(text[pos + 2]) == 0xA9)) {
      out += static_cast<unsigned char>(text[pos + 2]) == 0xA8 ? "\\u2028" : "\\u2029";
      pos += 2;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

void write_search_files(const ManualRun& run, const std::string& page_extension) {
  Writer script = open_output_file(search_script_name, nullptr, banner_none, true);
  script.write(search_script);
  script.close();

  Writer index = open_output_file(search_index_name, nullptr, banner_none, true);
  index.write("/* Search index of the reference manual: name, page, keywords, summary,\n"
              "   identifier of each operator. */\n");
  index.write("var vornixSearchIndex = [\n");
  bool camel = camel_case_manual();
  for (const Operator* op : run.entries) {
    if (op->name == "*") continue;
    bool internal = op->function == "Internal";
    std::string name = camel && !internal ? name_style(op->name, style_camel) : op->name;
    TextList ids = keyword_lookup(*op, "id", false);
    TextList texts = keyword_lookup(*op, settings().doc_language, false);
    std::string keywords;
    for (const std::string& keyword : texts.size() == ids.size() ? texts : ids) {
      if (!keywords.empty()) keywords += ", ";
      keywords += keyword;
    }
    const std::string* summary = manual_text(op->info->short_descriptions);
    index.put("[%s,%s,%s,%s,%s],\n", javascript_string(name).c_str(),
              javascript_string(op->name + "." + page_extension).c_str(),
              javascript_string(search_text(keywords)).c_str(),
              javascript_string(summary != nullptr ? search_text(*summary) : "").c_str(),
              javascript_string(op->name).c_str());
  }
  index.write("];\n");
  index.close();
}
