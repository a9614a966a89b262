// The reference manual's entry: gathers the documented operators and the
// chapter entries, substitutes the result states, builds the class lists of
// the three class interfaces, then writes the table of contents, one file per
// documented operator and the class files, and hands them to the stylesheet
// step for formats other than "xml".
#include "gen/manual/manual_xml.h"

#include <cctype>
#include <cstdio>

#include "gen/manual/manual_transform.h"
#include "gen/manual/manual_writers.h"
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
  std::vector<std::string> documented;
  for (const Operator* op : ops) {
    if (!op->info || !op->info->has_documentation()) continue;
    run.entries.push_back(op);
    documented.push_back(op->name);
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

  std::unique_ptr<ChapterNode> tree = build_chapter_tree(run);
  write_table_of_contents(run, *tree);
  for (const Operator* op : run.entries) {
    if (op->name != "*") write_operator_file(run, *op);
  }
  write_class_files(run);
  if (settings().manual_format != "xml") transform_manual(documented, true);
}
