// The help files (-M): the keyword index (.key), and per operator its
// offset into the reference file (.idx), its parameter names and chapters
// (.sta), its parameter counts (.num) and its signature and documentation
// as key lines (.ref).
#include "gen/help/help_files.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>

#include "def/module_table.h"
#include "gen/chapter_table.h"
#include "gen/help/documentation_checks.h"
#include "gen/expression_printer.h"
#include "gen/help/help_text.h"
#include "gen/index_topics.h"
#include "driver/diagnostics.h"
#include "driver/output.h"
#include "driver/settings.h"

namespace {

const char* const language_codes[] = {"en_US", "de_DE", "ja_JP"};

bool documented(const Operator& op) { return op.info != nullptr && op.info->has_documentation(); }

// Documentation gaps are reported in the library's own build only.
bool checking() { return settings().generation_target == target_library; }

std::string carriage_returns(std::string text) {
  std::replace(text.begin(), text.end(), '\n', '\r');
  return text;
}

// The parameter names of all four groups, joined by ",".
std::string parameter_names(const Operator& op) {
  std::string names;
  for (int group = 0; group < 4; ++group) {
    for (const DeclaredParam& param : op.declared[group]) {
      if (!names.empty()) names += ',';
      names += param.name;
    }
  }
  return names;
}

std::string joined(const TextList& items, size_t count, char separator) {
  std::string text;
  for (size_t i = 0; i < items.size() && i < count; ++i) {
    if (i > 0) text += separator;
    text += items[i];
  }
  return text;
}

Writer open_help_file(const char* extension) {
  std::string name = format_text("%s%s.%s", "operators_", settings().doc_locale.c_str(), extension);
  return open_output_file(name, nullptr, banner_none, true);
}

// --- .key ------------------------------------------------------------------

// The keywords of each documented operator in the run's language, looked up
// once for the index and the reference entries; in list order, so that the
// reports about unknown identifiers come in that order.
std::vector<TextList> operator_keywords(const OperatorList& ops) {
  const std::string& language = settings().doc_language;
  std::vector<TextList> keywords_of(ops.size());
  for (size_t i = 0; i < ops.size(); ++i)
    if (documented(*ops[i])) keywords_of[i] = keyword_lookup(*ops[i], language, checking());
  return keywords_of;
}

void write_keyword_index(Writer& key, const OperatorList& ops,
                         const std::vector<TextList>& keywords_of) {
  // every keyword of every operator once, sorted afterwards in one go: the
  // index may grow beyond 10,000 distinct keywords, and it keeps them all
  struct Use {
    const std::string* keyword;
    size_t op;
  };
  std::vector<Use> uses;
  for (size_t i = 0; i < ops.size(); ++i)
    for (const std::string& keyword : keywords_of[i]) uses.push_back({&keyword, i});
  // keywords in ascending byte order, each with its operators in list order
  // and an operator named once however often it lists the keyword
  std::sort(uses.begin(), uses.end(), [](const Use& a, const Use& b) {
    int order = a.keyword->compare(*b.keyword);
    return order != 0 ? order < 0 : a.op < b.op;
  });
  for (size_t u = 0; u < uses.size();) {
    const std::string& keyword = *uses[u].keyword;
    key.put("%s\r", keyword.c_str());
    size_t previous = ops.size();
    for (; u < uses.size() && *uses[u].keyword == keyword; ++u) {
      if (uses[u].op == previous) continue;
      previous = uses[u].op;
      key.put("%s ", ops[previous]->name.c_str());
    }
    key.write("\n");
  }
}

// --- .idx, .sta, .num ------------------------------------------------------

void write_index_line(Writer& idx, const Operator& op, uint32_t offset) {
  const char bytes[4] = {static_cast<char>(offset >> 24), static_cast<char>(offset >> 16),
                         static_cast<char>(offset >> 8), static_cast<char>(offset)};
  idx.write(std::string_view(bytes, 4));
  idx.put("%s\n", op.name.c_str());
}

void write_status_line(Writer& sta, const Operator& op) {
  sta.put("%s:", parameter_names(op).c_str());
  if (documented(op)) {
    TextList ids = chapter_lookup(op, "id", checking());
    if (!ids.empty()) {
      if (ids.size() > 2) report_warning("Too many chapters for operator %s\n", op.name.c_str());
      std::string lower = joined(ids, 2, ',');
      for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      TextList names = chapter_lookup(op, settings().doc_language, checking());
      sta.put("%s:%s:", lower.c_str(), joined(names, 2, ',').c_str());
    }
  }
  sta.write("\n");
}

void write_count_line(Writer& num, const Operator& op) {
  num.put("%d %d %d %d\n", op.counts[0], op.counts[1], op.counts[2], op.counts[3]);
}

// --- .ref ------------------------------------------------------------------

void write_list(Writer& ref, const char* key, const TextList& items) {
  if (items.empty()) return;
  ref.put("%s=", key);
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) ref.write("\r");
    ref.write(items[i]);
  }
  ref.write("\n");
}

void write_value(Writer& ref, const char* key, const std::string& value) {
  if (!value.empty()) ref.put("%s=%s\n", key, value.c_str());
}

void write_converted(Writer& ref, const Operator& op, const char* key,
                     const TaggedList<std::string>& texts) {
  write_help_text(ref, op, key, texts, checking());
}

void write_modules(Writer& ref, const OperatorInfo& info) {
  // an unset module is shown as module 0
  int module = info.module < 0 ? 0 : info.module;
  ref.put("%s=%lu %s\n", "module", static_cast<unsigned long>(module), module_display_name(module));
  unsigned dynamic = info.dynamic_modules & ((1u << module_count) - 1);
  if (dynamic == 0) return;
  ref.put("%s=", "dynamic_modules");
  bool first = true;
  for (int i = 0; i < module_count; ++i) {
    if ((dynamic & (1u << i)) == 0) continue;
    if (!first) ref.write("\r");
    ref.put("%lu %s", static_cast<unsigned long>(i), module_display_name(i));
    first = false;
  }
  ref.write("\n");
}

void write_parameter(Writer& ref, const Operator& op, const Parameter& param) {
  const std::string& language = settings().doc_language;
  const ParameterExtras& extras = param.extras();
  ref.put("%s=%s\n", "parameter", param.name.c_str());
  // a missing description in the run's language has its own check
  write_help_text(ref, op, "description", param.descriptions, false);
  ref.put("%s=%s\n", "parameter_class", param.kind.c_str());
  write_list(ref, "values", param.values);
  write_list(ref, "value_list", param.value_list);
  write_list(ref, "file_ext", extras.file_ext);
  const TextList* own_descriptions = list_in_language(extras.file_ext_descr, language);
  if (own_descriptions != nullptr)
    write_list(ref, "file_ext_descr", *own_descriptions);
  else
    write_list(ref, "file_ext_descr", file_ext_descriptions(op, extras.file_ext, language, checking()));
  write_list(ref, "type_list", param.type_list);
  write_list(ref, "cd_type_list", extras.cd_type_list);
  write_list(ref, "cd_value_list", extras.cd_value_list);
  write_value(ref, "default_value", param.default_value);
  write_value(ref, "value_min", param.value_min);
  write_value(ref, "value_max", param.value_max);
  write_value(ref, "value_function", extras.value_function);
  write_value(ref, "step_rec", extras.step_rec);
  write_value(ref, "step_min", extras.step_min);
  write_value(ref, "default_type", param.default_type);
  write_value(ref, "sem_type", param.sem_type);
  write_value(ref, "mixed_type", extras.mixed_type);
  write_value(ref, "multivalue", param.multivalue);
  write_value(ref, "multiinstance", extras.multiinstance);
  write_value(ref, "modified", extras.modified);
  write_value(ref, "multichannel", extras.multichannel);
  if (!param.assertion.empty())
    ref.put("%s=%s\n", "assertion", print_expression(param.assertion).c_str());
  if (!extras.value_number.empty())
    ref.put("%s=%s\n", "value_number", print_expression(extras.value_number).c_str());
  if (extras.costs_weight >= 1) ref.put("%s=%d\n", "parallel_costs", extras.costs_weight);
  write_list(ref, "parallel_postproc", extras.postprocessing);
}

void write_reference_entry(Writer& ref, const Operator& op, const TextList& keywords) {
  ref.put("%s(", op.name.c_str());
  ref.write(parameter_names(op));
  ref.write(")\n");
  if (!documented(op)) {
    if (checking())
      report_warning("No %s %s for %s\n", settings().doc_language.c_str(), "short", op.name.c_str());
    return;
  }
  const OperatorInfo& info = *op.info;
  if (checking()) check_operator_documentation(op);
  write_converted(ref, op, "short", info.short_descriptions);
  write_converted(ref, op, "warning", info.warnings);
  write_converted(ref, op, "abstract", info.descriptions);
  for (const Tagged<std::string>& example : info.examples)
    ref.put("%s.%s=%s\n", "example", example.language.c_str(),
            carriage_returns(example.value).c_str());
  if (!info.references.empty())
    ref.put("%s=%s\n", "references", carriage_returns(info.references).c_str());
  write_converted(ref, op, "complexity", info.complexity);
  write_list(ref, "functionality", info.functionality);
  write_list(ref, "predecessor", info.predecessor);
  write_list(ref, "successor", info.successor);
  write_list(ref, "alternatives", info.alternatives);
  write_list(ref, "see_also", info.see_also);
  write_list(ref, "keywords", keywords);
  write_converted(ref, op, "attention", info.attention);
  write_converted(ref, op, "result_state", info.result);
  write_modules(ref, info);
  bool check_parameters = checking() && !info.functionality.empty();
  for (const Parameter& param : info.params) {
    if (check_parameters) check_parameter_documentation(op, param);
    write_parameter(ref, op, param);
  }
}

}  // namespace

void write_help_files(const OperatorList& ops) {
  const std::string& locale = settings().doc_locale;
  if (std::find(std::begin(language_codes), std::end(language_codes), locale) ==
      std::end(language_codes)) {
    report_error("in gen_Manual: wrong language '%s'\n", settings().doc_language.c_str());
    std::exit(1);
  }
  Writer ref = open_help_file("ref");
  Writer key = open_help_file("key");
  Writer idx = open_help_file("idx");
  Writer sta = open_help_file("sta");
  Writer num = open_help_file("num");

  const std::vector<TextList> keywords_of = operator_keywords(ops);
  write_keyword_index(key, ops, keywords_of);

  uint32_t offset = 0;  // write position in the .ref file
  for (size_t i = 0; i < ops.size(); ++i) {
    const Operator& op = *ops[i];
    write_index_line(idx, op, offset);
    write_status_line(sta, op);
    write_count_line(num, op);
    Writer entry;
    write_reference_entry(entry, op, keywords_of[i]);
    offset += static_cast<uint32_t>(entry.text().size());
    ref.write(entry.text());
  }
  ref.write("\f");

  ref.close();
  key.close();
  idx.close();
  sta.close();
  num.close();
}
