// Operator-level slots: each value goes into the current info record, with
// the once-only rules, the module/category/version checks and the
// parallelisation record.
#include "def/operator_slots.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "classes/handle_types.h"
#include "def/module_table.h"
#include "def/parser_state.h"
#include "def_parser.hpp"
#include "driver/diagnostics.h"
#include "driver/settings.h"

namespace {

const char* const interrupt_modes[] = {"none", "cancel", "break", nullptr};
const char* const compute_devices[] = {"opencl", "object", nullptr};

OperatorInfo& current_info() {
  OperatorInfo* info = parser_state().info;
  if (info == nullptr) parse_error("No operator info available");
  return *info;
}

const char* operator_name() { return parser_state().operator_name.c_str(); }

// Untagged texts are in the current documentation language; an untagged
// example is filed under "trias".
std::string language_or_default(int token, const std::string* language) {
  if (language != nullptr) return *language;
  if (token == EXAMPLE) return "trias";
  return parser_state().language;
}

void once(bool already_used, const char* message) {
  if (already_used) parse_error("%s", message);
}

// "none" is a module only for the manual and outside extension packages.
bool module_none_allowed() {
  return settings().generator_mode == mode_manual ||
         settings().generation_target != target_package;
}

int checked_module(const std::string& name) {
  int index = module_index(name.c_str());
  if (index == -1 || (index == module_none && !module_none_allowed()))
    parse_error("in operator '%s': module '%s' not allowed", operator_name(), name.c_str());
  return index;
}

bool in_table(const std::string& word, const char* const* table) {
  // The first letter rules out nearly every entry without a full compare.
  for (; *table != nullptr; ++table)
    if (word[0] == (*table)[0] && word.size() == std::strlen(*table) &&
        std::memcmp(word.data(), *table, word.size()) == 0)
      return true;
  return false;
}

}  // namespace

void check_allowed_word(const std::string& word, const char* const* table, const char* slot) {
  bool functionality = table == nullptr;
  if (word.empty()) {
    if (functionality) parse_error("in operator '%s': functionality not given\n", operator_name());
    parse_error("in operator '%s': slot '%s' is empty\n", operator_name(), slot);
  }
  if (functionality) {
    std::string row = word.substr(0, word.find('.'));
    if (GiveClass(row.c_str(), 0) == -1)
      parse_error("in operator '%s': slot '%s': parameter '%s' not allowed", operator_name(),
                  slot, row.c_str());
    return;
  }
  if (!in_table(word, table))
    parse_error("in operator '%s': slot '%s': parameter '%s' not allowed", operator_name(), slot,
                word.c_str());
}

void check_allowed_words(const TextList& words, const char* const* table, const char* slot) {
  for (const std::string& word : words) check_allowed_word(word, table, slot);
}

int parse_new_in_version(const std::string& text) {
  unsigned parts[4] = {0, 0, 0, 0};
  const char* p = text.c_str();
  for (int i = 0; i < 4; ++i) {
    // A part is a decimal number (a leading zero does not make it octal) or
    // a 0x hexadecimal number.
    if (!std::isdigit(static_cast<unsigned char>(*p))) return -1;
    int base = (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) ? 16 : 10;
    if (base == 16 && !std::isxdigit(static_cast<unsigned char>(p[2]))) return -1;
    char* end = nullptr;
    unsigned long value = std::strtoul(base == 16 ? p + 2 : p, &end, base);
    parts[i] = static_cast<unsigned>(value);
    p = end;
    if (*p == '\0') break;
    if (*p != '.' || i == 3) return -1;
    ++p;
  }
  if (parts[0] < 12) return -1;
  unsigned version = (parts[0] << 24) + (parts[1] << 16) + (parts[2] << 8) + parts[3];
  return static_cast<int>(version);
}

void operator_text_slot(int token, const std::string* language, std::string value) {
  OperatorInfo& info = current_info();
  std::string lang = language_or_default(token, language);
  switch (token) {
    case SHORTDESCRIPTION:
      push_front(info.short_descriptions, std::move(lang), std::move(value));
      return;
    case DESCRIPTION:
      push_front(info.descriptions, std::move(lang), std::move(value));
      return;
    case WARNING:
      push_front(info.warnings, std::move(lang), std::move(value));
      return;
    case EXAMPLE:
      push_front(info.examples, std::move(lang), std::move(value));
      return;
    case COMPLEXITY:
      push_front(info.complexity, std::move(lang), std::move(value));
      return;
    case ATTENTION:
      push_front(info.attention, std::move(lang), std::move(value));
      return;
    case RESULT:
      push_front(info.result, std::move(lang), std::move(value));
      return;
    case LITERATURE:
      once(!info.references.empty(), "'references' darf nur einmal pro Operator vorkommen");
      info.references = std::move(value);
      return;
    case MODULE_ID:
      once(info.module != -1, "'module' darf nur einmal pro Operator vorkommen");
      info.module = checked_module(value);
      return;
    case OPERATOR_CATEGORY: {
      once(info.category != -1, "'category' may only appear once per operator");
      int category = category_index(value.c_str());
      if (category == -1)
        parse_error("unknown category '%s' in operator %s", value.c_str(), operator_name());
      info.category = category;
      return;
    }
    case NEW_IN_VERSION: {
      int version = parse_new_in_version(value);
      if (version == -1) parse_error("incorrect value for 'new_in_version'");
      info.new_in_version = version;
      return;
    }
  }
  parse_error("'TestAndInsertInfo' mit falschem Token");
}

void operator_list_slot(int token, const std::string* language, TextList value) {
  OperatorInfo& info = current_info();
  switch (token) {
    case CHAPTER:
      push_front(info.chapters, language_or_default(token, language), std::move(value));
      return;
    case KEYWORDS:
      push_front(info.keywords, language_or_default(token, language), std::move(value));
      return;
    case FLAGS:
      once(!info.flags.empty(), "'flags' darf nur einmal pro Operator vorkommen");
      info.flags = std::move(value);
      return;
    case FUNCTIONALITY:
      once(!info.functionality.empty(), "'functionality' darf nur einmal pro Operator vorkommen");
      check_allowed_words(value, nullptr, "functionality");
      info.functionality = std::move(value);
      return;
    case ALTERNATIVES:
      once(!info.alternatives.empty(), "'alternatives' darf nur einmal pro Operator vorkommen");
      info.alternatives = std::move(value);
      return;
    case REFERENCE:
      once(!info.see_also.empty(), "'see_also' darf nur einmal pro Operator vorkommen");
      info.see_also = std::move(value);
      return;
    case SUCCESSOR:
      once(!info.successor.empty(), "'successor' darf nur einmal pro Operator vorkommen");
      info.successor = std::move(value);
      return;
    case PREDECESSOR:
      once(!info.predecessor.empty(), "'predecessor' darf nur einmal pro Operator vorkommen");
      info.predecessor = std::move(value);
      return;
    case FEATURE_TOGGLE:
      once(!info.feature_toggles.empty(),
           "'feature_toggle' darf nur einmal pro Operator vorkommen");
      info.feature_toggles = std::move(value);
      return;
    case DYNAMIC_MODULES:
      once(info.dynamic_modules != 0, "'dynamic_modules' may only appear once per operator");
      if (value.empty()) parse_error("module name(s) expected XXX");
      for (const std::string& name : value) {
        int index = checked_module(name);
        // "none" (32) lies outside the mask and sets no bit.
        if (index >= 0 && index < 32) info.dynamic_modules |= 1u << index;
      }
      return;
  }
  parse_error("'TestAndInsertInfo' mit falschem Token");
}

void parallelisation_text_slot(int token, const std::string& value) {
  Parallelisation& par = current_info().par;
  switch (token) {
    case PROCESS_EXCLUSIVELY:
      if (value == "true") {
        par.exclusively = true;
        par.exclusively_none = false;
      } else if (value == "none") {
        par.exclusively = false;
        par.exclusively_none = true;
      } else if (value == "false") {
        par.exclusively = false;
        par.exclusively_none = false;
      } else {
        parse_error("process_exclusively: {true,false,none} expected");
      }
      return;
    case PROCESS_LOCALLY:
      if (value != "true" && value != "false") parse_error("process_locally: {true,false} expected");
      par.locally = value == "true";
      return;
    case PROCESS_MUTUAL:
      if (value != "true" && value != "false") parse_error("process_mutual: {true,false} expected");
      par.mutual = value == "true";
      return;
    case DOMAIN_SPLIT: {
      int split = 0;
      if (std::sscanf(value.c_str(), "%d", &split) != 1 || split < 0)
        parse_error("domain_split: positive integer expected");
      par.domain_split = split;
      return;
    }
    case REGION_PPROCESSING:
      once(!par.region_postprocessing.empty(),
           "'region_postprocessing' may only be used once per operator");
      par.region_postprocessing = value;
      return;
  }
  parse_error("parallelization: unknown slot");
}

void parallelisation_list_slot(int token, const TextList& value) {
  Parallelisation& par = current_info().par;
  switch (token) {
    case INTERRUPT_MODE:
      check_allowed_words(value, interrupt_modes, "interrupt_mode");
      par.interrupt_mode = 0;
      for (const std::string& mode : value) {
        if (mode == "break") par.interrupt_mode |= 1u;
        if (mode == "cancel") par.interrupt_mode |= 2u;
        if (mode == "none") par.interrupt_mode = 0;
      }
      return;
    case COMPUTE_DEVICES:
      check_allowed_words(value, compute_devices, "compute_devices");
      par.compute_devices = value;
      return;
  }
  parse_error("parallelization: unknown slot");
}

void parallelisation_methods(std::vector<SplitMethod> methods) {
  OperatorInfo& info = current_info();
  once(!info.par.methods.empty(), "'method' may only be used once per operator");
  bool has_input_objects = false;
  for (const Parameter& p : info.params)
    if (p.group == group_input_object) has_input_objects = true;
  if (!has_input_objects) {
    for (const SplitMethod& method : methods) {
      const std::string& name = method.name;
      if (name != "none" && name != "split_partial" && name != "split_partial_domain")
        parse_error(
            "In operator \"%s\" the parallelization method must not be '%s' because there are "
            "no iconic input parameters!\n",
            operator_name(), name.c_str());
    }
  }
  info.par.methods = std::move(methods);
}
