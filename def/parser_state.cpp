// Record-level actions of the definition grammar: operator declarations,
// documentation blocks, chapter references, classes and the library.
#include "def/parser_state.h"

#include <cstdlib>

#include "classes/handle_types.h"
#include "driver/command_line.h"
#include "driver/diagnostics.h"
#include "driver/settings.h"

const char* language_of_locale(const std::string& locale) {
  if (locale == "de_DE") return "german";
  if (locale == "ja_JP") return "japanese";
  if (locale == "en_US") return "english";
  if (locale == "user_chapter" && settings().generation_target != target_library)
    return "english";
  return nullptr;
}

void begin_operator_declaration(const std::string& name, const std::string& function,
                                std::vector<DeclaredParam> (&declared)[4]) {
  ParserState& s = parser_state();
  s.operator_name = name;
  s.function = function;
  for (int group = 0; group < 4; ++group) s.declared[group] = std::move(declared[group]);
  s.info_in_progress = make_operator_info(s.declared);
  s.info = s.info_in_progress.get();
  s.param = s.info->params.empty() ? -1 : 0;
  s.language = "english";
}

Operator* begin_documentation_block(const std::string& name, const std::string& locale) {
  ParserState& s = parser_state();
  const char* language = language_of_locale(locale);
  if (language == nullptr)
    parse_error("Unsupported language '%s' for %s\n", locale.c_str(), name.c_str());
  s.language = language;
  Operator* op = find_operator(name);
  s.operator_name = name;
  s.info = op->info.get();
  // Parameter blocks belong to declarations; a block here has no parameter
  // to check against.
  s.param = -1;
  return op;
}

void begin_chapter_reference(TextList chapters, const std::string& locale) {
  ParserState& s = parser_state();
  const std::vector<DeclaredParam> none[4];
  s.info_in_progress = make_operator_info(none);
  s.info = s.info_in_progress.get();
  s.param = -1;
  s.operator_name = "*";
  const char* language = language_of_locale(locale);
  if (language == nullptr) parse_error("Unsupported language '%s' for chapter\n", locale.c_str());
  s.language = language;
  push_front(s.info->chapters, std::string("english"), std::move(chapters));
}

Operator* finish_chapter_reference() {
  ParserState& s = parser_state();
  auto op = std::make_unique<Operator>();
  op->skip = excluded_by_list("*");
  op->name = "*";
  op->function = "*";
  op->info = std::move(s.info_in_progress);
  s.info = op->info.get();
  Operator* record = op.get();
  model().storage.push_back(std::move(op));
  return record;
}

void add_operator(Operator* op, bool documentation_block) {
  if (op == nullptr) return;
  ParserState& s = parser_state();
  // A record found again by a later documentation block is already linked;
  // linking it a second time would tie the list into a loop.
  if (s.listed.count(op) != 0) return;
  if (documentation_block && !settings().test_mode && op->name != "*") return;
  model().add_front(op);
  s.listed.insert(op);
}

Operator* find_operator(const std::string& name) {
  Model& m = model();
  auto found = m.by_name.find(name);
  if (found != m.by_name.end()) return found->second;
  if (!settings().test_mode) {
    report_error("Language information for unknown operator %s\n", name.c_str());
    std::exit(-1);
  }
  // Test mode: a placeholder stands in for the operator no file declares.
  const std::vector<DeclaredParam> none[4];
  auto op = std::make_unique<Operator>();
  op->skip = excluded_by_list(name.c_str());
  op->name = name;
  op->function = "test";
  op->info = make_operator_info(none);
  push_front(op->info->chapters, std::string("english"), TextList{"Test"});
  push_front(op->info->chapters, parser_state().language, TextList{"Test"});
  Operator* record = op.get();
  m.storage.push_back(std::move(op));
  return record;
}

void begin_class(const std::string& table_name) {
  auto description = std::make_unique<ClassDescription>();
  parser_state().class_description = description.get();
  int id = class_id_by_name_or_class(table_name.c_str());
  if (id != -1) set_type_class_info(id, description.get());
  model().class_descriptions.push_back(std::move(description));
}

void class_short_description(const std::string* language, std::string text) {
  // An untagged short description of a class is not kept.
  if (language == nullptr) return;
  push_front(parser_state().class_description->descriptions, *language, std::move(text));
}

void class_interface_id(std::string guid) {
  parser_state().class_description->interface_id = std::move(guid);
}

void class_class_id(std::string guid) { parser_state().class_description->class_id = std::move(guid); }

void add_class_description(const std::string& class_name, std::string text) {
  ParserState& s = parser_state();
  int id = class_id_by_name_or_class(class_name.c_str());
  ClassDescription* description = type_class_info(id);
  if (description == nullptr) {
    if (!settings().test_mode) {
      report_warning("No class information for class '%s'\n", class_name.c_str());
      return;
    }
    auto made = std::make_unique<ClassDescription>();
    description = made.get();
    if (id != -1) set_type_class_info(id, description);
    model().class_descriptions.push_back(std::move(made));
  }
  push_front(description->descriptions, s.language, std::move(text));
}

void library_short_description(const std::string* language, std::string text) {
  // Only the English description is kept; an untagged one is ignored.
  if (language != nullptr && *language == "english")
    model().library.english_description = std::move(text);
}

void library_id(std::string guid) { model().library.library_id = std::move(guid); }
void library_version_major(std::string number) { model().library.version_major = std::move(number); }
void library_version_minor(std::string number) { model().library.version_minor = std::move(number); }
