// The chapter tree of the manual and the table of contents that shows it:
// one chapter element per distinct chapter path of the documented operators
// and chapter entries, nested as the path is, with the chapter's description
// and its operators in ascending name order.
#include <algorithm>
#include <cctype>
#include <string_view>
#include <unordered_map>

#include "gen/chapter_table.h"
#include "gen/manual/manual_writers.h"
#include "driver/diagnostics.h"
#include "driver/settings.h"

namespace {

constexpr size_t max_chapter_text = 255;

std::string lower_case(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string cut_chapter_text(const std::string& text, const char* message) {
  if (text.size() <= max_chapter_text) return text;
  report_warning(message, text.c_str());
  return text.substr(0, max_chapter_text);
}

ChapterNode& child_node(ChapterNode& parent, const ChapterLevel& level) {
  for (auto& child : parent.children)
    if (child->id == level.id) return *child;
  parent.children.push_back(std::make_unique<ChapterNode>());
  ChapterNode& node = *parent.children.back();
  node.id = level.id;
  node.name = level.name;
  return node;
}

// A chapter entry describes its chapter when it has a description (or, for
// want of one, a short description); one in the run's language wins.
bool describes_in_run_language(const Operator& entry) {
  const OperatorInfo& info = *entry.info;
  for (const auto* texts : {&info.descriptions, &info.short_descriptions})
    for (const auto& text : *texts)
      if (text.language == settings().doc_language) return true;
  return false;
}

const std::string* chapter_description_text(const Operator& entry) {
  const std::string* text = manual_text(entry.info->descriptions);
  return text != nullptr ? text : manual_text(entry.info->short_descriptions);
}

void write_indent(Writer& out, int blanks) { out.repeat(' ', blanks); }

// The children of a chapter in the order a reader looks for them: by name
// in the run's language, ignoring case and accents (as a dictionary
// does), then by the exact name and the identifier, so that the order
// never depends on the order of the definition files.
std::vector<const ChapterNode*> chapters_by_name(const ChapterNode& parent) {
  std::vector<std::pair<std::string, const ChapterNode*>> keyed;
  for (const auto& child : parent.children) keyed.emplace_back(chapter_sort_key(child->name), child.get());
  std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    if (a.second->name != b.second->name) return a.second->name < b.second->name;
    return a.second->id < b.second->id;
  });
  std::vector<const ChapterNode*> ordered;
  for (const auto& entry : keyed) ordered.push_back(entry.second);
  return ordered;
}

void write_toc_operator(Writer& out, const Operator& op, int indent) {
  write_indent(out, indent);
  out.put("<operator id=\"%s\">\n", Escaped(op.name).c_str());
  // Only vdevelop for an operator implemented inside the development
  // environment ("Internal").
  write_operator_syntax(out, op.name);
  const std::string* summary = run_language_text(op.info->short_descriptions);
  if (summary == nullptr && settings().generation_target != target_package) {
    report_warning("Missing %s %s for operator %s\n", settings().doc_language.c_str(),
                   "operator or parameter summary", op.name.c_str());
  }
  if (summary == nullptr) summary = manual_text(op.info->short_descriptions);
  if (summary != nullptr) {
    write_indent(out, indent + 2);
    write_summary_element(out, "summary", *summary);
  }
  write_indent(out, indent);
  out.write("</operator>\n");
}

void write_chapter(Writer& out, const ChapterNode& node, int depth) {
  int indent = 2 * depth;
  write_indent(out, indent);
  out.put("<chapter id=\"%s\" name=\"%s\">\n", Escaped(lower_case(node.id)).c_str(),
          Escaped(node.name).c_str());
  if (node.description != nullptr) {
    const std::string* text = chapter_description_text(*node.description);
    if (text != nullptr) {
      write_indent(out, indent + 2);
      out.put("<%s>%s", "description", "\n");
      write_converted(out, *text, false);
      out.put("%s</%s>\n", "", "description");
    }
  }
  for (const auto& entry : node.operators) write_toc_operator(out, *entry.second, indent + 2);
  for (const ChapterNode* child : chapters_by_name(node)) write_chapter(out, *child, depth + 1);
  write_indent(out, indent);
  out.write("</chapter>\n");
}

}  // namespace

std::string chapter_sort_key(std::string_view name) {
  // Latin-1 letters U+00C0 to U+00FF without their accents ("" where the
  // letter is no letter: multiplication and division signs).
  static const char* const base_letters[64] = {
      "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
      "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss",
      "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
      "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y"};
  std::string key;
  for (size_t pos = 0; pos < name.size(); ++pos) {
    unsigned char c = static_cast<unsigned char>(name[pos]);
    if (c == '"') continue;  // the umlaut convention: "a reads as a
    if (c < 0x80) {
      key += static_cast<char>(std::tolower(c));
    } else if ((c == 0xC3) && pos + 1 < name.size() &&
               (static_cast<unsigned char>(name[pos + 1]) & 0xC0) == 0x80) {
      key += base_letters[(static_cast<unsigned char>(name[pos + 1]) & 0x3F)];
      ++pos;
    } else {
      key += static_cast<char>(c);
    }
  }
  return key;
}

namespace {

// A chapter path from the identifiers and names of the chapter lookup.
std::vector<ChapterLevel> cut_chapter_path(const TextList& ids, const TextList& names) {
  std::vector<ChapterLevel> path;
  for (size_t i = 0; i < ids.size(); ++i) {
    ChapterLevel level;
    level.id = cut_chapter_text(ids[i], "Chapter id is too long '%s'\n");
    level.name = cut_chapter_text(i < names.size() ? names[i] : ids[i],
                                  "Chapter name is too long '%s'\n");
    path.push_back(level);
  }
  return path;
}

// What the chapter lookups of an entry read: its English chapter list and
// the one in the run's language.
std::string chapter_lists_key(const Operator& op) {
  std::string key;
  for (const TextList* list : {list_in_language(op.info->chapters, "english"),
                               list_in_language(op.info->chapters, settings().doc_language)}) {
    if (list != nullptr)
      for (const std::string& entry : *list) key.append(entry).push_back('\0');
    key.push_back('\x01');
  }
  return key;
}

}  // namespace

std::vector<ChapterLevel> chapter_path(const Operator& op) {
  return cut_chapter_path(chapter_lookup(op, "id", false),
                          chapter_lookup(op, settings().doc_language, false));
}

std::unique_ptr<ChapterNode> build_chapter_tree(ManualRun& run) {
  auto root = std::make_unique<ChapterNode>();
  // Most entries share their chapters with others: each distinct pair of
  // chapter lists is looked up in the chapter table once.
  std::unordered_map<std::string, std::pair<TextList, TextList>> looked_up;
  for (const Operator* entry : run.entries) {
    std::string key = chapter_lists_key(*entry);
    auto lookup = looked_up.find(key);
    if (lookup == looked_up.end()) {
      lookup = looked_up
                   .emplace(std::move(key),
                            std::make_pair(chapter_lookup(*entry, "id", false),
                                           chapter_lookup(*entry, settings().doc_language, false)))
                   .first;
    }
    const std::vector<ChapterLevel>& path = run.chapter_paths[entry] =
        cut_chapter_path(lookup->second.first, lookup->second.second);
    bool chapter_entry = entry->name == "*";
    if (!chapter_entry && (path.empty() || path.front().id == "OldVersion")) {
      // Outside the tree, but listed at the root so that the name index
      // reaches its page.
      root->operators.emplace(entry->name, entry);
      continue;
    }
    if (path.empty()) continue;
    ChapterNode* node = root.get();
    for (const ChapterLevel& level : path) node = &child_node(*node, level);
    if (!chapter_entry) {
      node->operators.emplace(entry->name, entry);
    } else if (chapter_description_text(*entry) != nullptr &&
               (node->description == nullptr ||
                (!describes_in_run_language(*node->description) &&
                 describes_in_run_language(*entry)))) {
      node->description = entry;
    }
  }
  return root;
}

std::string toc_file_name() {
  return settings().generation_target == target_package ? "user_index.xml" : "index.xml";
}

std::string table_of_contents_xml(const ManualRun& run, const ChapterNode& root) {
  (void)run;
  Writer out;
  write_xml_head(out, "toc");
  write_document_element(out);
  for (const ChapterNode* chapter : chapters_by_name(root)) write_chapter(out, *chapter, 1);
  for (const auto& entry : root.operators) write_toc_operator(out, *entry.second, 2);
  out.put("</%s>\n", "toc");
  return out.text();
}
