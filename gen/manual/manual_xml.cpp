// The reference manual's entry: gathers the documented operators and the
// chapter entries, substitutes the result states, builds the class lists of
// the three class interfaces, then writes the table of contents, one file per
// documented operator and the class files, and hands them to the stylesheet
// step for formats other than "xml".
#include "gen/manual/manual_xml.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "gen/manual/manual_transform.h"
#include "gen/manual/manual_writers.h"
#include "driver/diagnostics.h"
#include "gen/manual/search_files.h"
#include "driver/settings.h"

namespace {

bool is_word_character(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Replaces every whole-word occurrence of word; true when there was one.
bool replace_word(std::string& text, const std::string& word, const std::string& replacement) {
  bool replaced = false;
  size_t position = 0;
  while ((position = text.find(word, position)) != std::string::npos) {
    size_t end = position + word.size();
    bool starts_word = position == 0 || !is_word_character(text[position - 1]);
    bool ends_word = end == text.size() || !is_word_character(text[end]);
    if (starts_word && ends_word) {
      text.replace(position, word.size(), replacement);
      position += replacement.size();
      replaced = true;
    } else {
      position = end;
    }
  }
  return replaced;
}

void index_members(const ClassModel& model,
                   std::unordered_map<const Operator*, std::vector<ClassMember>>& members) {
  for (const ClassRecord& record : model.classes) {
    for (const ClassMethod& method : record.constructors)
      members[method.op].push_back({&record, &method, true});
    for (const ClassMethod& method : record.methods)
      members[method.op].push_back({&record, &method, false});
  }
}

void build_classes(const OperatorList& ops, ManualClasses& classes) {
  classes.cpp = build_class_model(ops, class_interface_cpp);
  classes.com = build_class_model(ops, class_interface_com);
  classes.dotnet = build_class_model(ops, class_interface_dotnet);
  index_members(*classes.cpp, classes.cpp_members);
  index_members(*classes.com, classes.com_members);
  index_members(*classes.dotnet, classes.dotnet_members);
}

// The operator pages share the working directory with the manual's own
// files: an operator named like one of them would overwrite it or lose its
// own page, so the run ends before anything is written.
void check_page_names(const std::vector<const Operator*>& pages, const std::vector<std::string>& class_ids) {
  const std::string& format = settings().manual_format;
  const bool xml = format == "xml";
  const bool latex = format == "latex";
  const std::string extension = xml ? "xml" : manual_page_extension();
  std::set<std::string> fixed;
  if (xml) {
    fixed = {toc_file_name().substr(0, toc_file_name().size() - 4), "classes", "class_list"};
  } else if (latex) {
    fixed = {"index", "index_classes"};
  } else {
    fixed = {"index", "index_by_name", "legal_notes", "index_classes"};
    fixed.insert(class_ids.begin(), class_ids.end());  // one page per class
    if (extension == "js") fixed.insert({"search", "search_index"});  // the search box's scripts
  }
  for (const Operator* op : pages) {
    bool chapter_page = !xml && !latex && op->name.compare(0, 4, "toc_") == 0;
    if (fixed.count(op->name) == 0 && !chapter_page) continue;
    report_error("operator %s would overwrite the manual's file %s.%s\n", op->name.c_str(),
                 op->name.c_str(), extension.c_str());
    std::exit(1);
  }
}

}  // namespace

std::string substitute_result_states(const std::string& text) {
  static const char* const words[][2] = {{"TRUE", "2 (V_MSG_TRUE)"},
                                         {"FALSE", "3 (V_MSG_FALSE)"},
                                         {"VOID", "4 (V_MSG_VOID)"},
                                         {"FAIL", "5 (V_MSG_FAIL)"}};
  std::string result = text;
  for (const auto& word : words) {
    if (replace_word(result, word[0], word[1]))
      std::fprintf(stderr, "Substitution discovered. Change: '%s' in:\n%s\n", word[0],
                   text.c_str());
  }
  return result;
}

const std::string* manual_result(const ManualRun& run, const Operator& op) {
  auto found = run.results.find(&op);
  return found == run.results.end() ? nullptr : &found->second;
}

void write_reference_manual(const OperatorList& ops) {
  ManualRun run;
  for (const Operator* op : ops) {
    if (!op->info || !op->info->has_documentation()) continue;
    run.entries.push_back(op);
  }
  for (const Operator* entry : model().star_entries) run.entries.push_back(entry);
  // An unknown example language ends the run before any file is written,
  // so that no half manual is left behind.
  for (const Operator* entry : run.entries) check_example_languages(*entry);

  for (const Operator* entry : run.entries) {
    const std::string* result = manual_text(entry->info->result);
    if (result != nullptr) run.results[entry] = substitute_result_states(*result);
  }
  build_classes(ops, run.classes);

  std::vector<const Operator*> pages;
  for (const Operator* op : run.entries)
    if (op->name != "*") pages.push_back(op);
  std::unique_ptr<ChapterNode> tree = build_chapter_tree(run);
  ClassFiles class_files = class_files_xml(run);
  check_page_names(pages, class_files.ids);
  auto report_undescribed_classes = [&class_files] {
    for (const std::string& name : class_files.undescribed)
      report_warning("No class description for class %s\n", name.c_str());
  };

  if (settings().manual_format == "xml") {
    save_xml_file(toc_file_name(), table_of_contents_xml(run, *tree));
    for (const Operator* op : pages) save_xml_file(op->name + ".xml", operator_file_xml(run, *op));
    report_undescribed_classes();
    save_xml_file("classes.xml", class_files.classes);
    save_xml_file("class_list.xml", class_files.class_list);
    return;
  }
  ManualSources sources;
  for (const Operator* op : pages) sources.operator_names.push_back(op->name);
  sources.operator_xml = [&](size_t index, const char* only_interface) {
    std::string text = operator_file_xml(run, *pages[index], only_interface);
    if (index + 1 == pages.size()) report_undescribed_classes();
    return text;
  };
  sources.toc_xml = table_of_contents_xml(run, *tree);
  sources.classes_xml = std::move(class_files.classes);
  sources.class_list_xml = std::move(class_files.class_list);
  if (pages.empty()) report_undescribed_classes();
  if (settings().manual_format != "latex") write_search_files(run, manual_page_extension());
  if (!transform_manual(sources)) std::exit(1);
}
