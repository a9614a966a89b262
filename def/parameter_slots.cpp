// Parameter-level slots and the declaration checks that run when an
// operator's record is made.
#include "def/parameter_slots.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <unordered_set>

#include "classes/handle_types.h"
#include "def/operator_slots.h"
#include "def/parser_state.h"
#include "def_parser.hpp"
#include "driver/command_line.h"
#include "driver/diagnostics.h"
#include "driver/settings.h"

namespace {

const char* const default_types[] = {"integer", "real", "string", "handle", "none", nullptr};
const char* const pixel_types[] = {"any",  "byte",   "int1",   "int2",         "uint2",
                                   "int4", "int8",   "real",   "cyclic",       "vector_field",
                                   "direction", "complex", nullptr};
const char* const true_false[] = {"false", "true", nullptr};
const char* const true_false_optional[] = {"false", "true", "optional", nullptr};
const char* const value_functions[] = {"lin", "quad", "log", "exp", "sqrt", nullptr};

const char* operator_name() { return parser_state().operator_name.c_str(); }

Parameter& current_parameter() {
  ParserState& s = parser_state();
  return s.info->params[static_cast<size_t>(s.param)];
}

void once_per_parameter(bool already_used, const char* slot) {
  if (already_used) parse_error("'%s' may only be used once per parameter", slot);
}

void check_word(const std::string& word, const char* const* table, const char* slot) {
  check_allowed_word(word, table, slot);
}

// sem_type: a row of the handle-type table that carries values; a type
// spread over several parameters expects the same sem_type on the next ones.
void check_sem_type(const std::string& sem_type) {
  ParserState& s = parser_state();
  const ParserState::SemTypeRow* known = nullptr;
  for (const ParserState::SemTypeRow& entry : s.sem_type_rows) {
    if (entry.sem_type == sem_type) {
      known = &entry;
      break;
    }
  }
  if (known == nullptr) {
    int row = GiveClass(sem_type.c_str(), 0);
    s.sem_type_rows.push_back({sem_type, row, type_value_count(row)});
    known = &s.sem_type_rows.back();
  }
  int id = known->row;
  int value_count = known->value_count;
  if (id == -1)
    parse_error("in operator '%s': slot 'sem_type': unknown object class '%s'", operator_name(),
                sem_type.c_str());
  if (value_count == 0)
    parse_error("in operator '%s': slot 'sem_type': object class '%s' not allowed",
                operator_name(), sem_type.c_str());
  if (s.pending_count == 0) {
    s.pending_class = id;
    s.pending_count = value_count - 1;
    return;
  }
  if (id != s.pending_class)
    parse_error("in operator '%s': wrong 'sem_type' : '%s'; expected still %d times '%s'",
                operator_name(), sem_type.c_str(), s.pending_count,
                type_name(s.pending_class).c_str());
  --s.pending_count;
}

const char* default_type_of_flag(char lower) {
  switch (lower) {
    case 'f': return "real";
    case 'i': return "integer";
    case 's': return "string";
    case 'h': return "handle";
    case 'n': return "none";
  }
  return "";
}

// The flag letter that default_type gives, or 0.
char flag_of_default_type(const std::string& default_type) {
  switch (default_type.empty() ? '\0' : default_type[0]) {
    case 'h': return 'h';
    case 'i': return 'i';
    case 'n': return 'n';
    case 'r': return 'f';
    case 's': return 's';
  }
  return 0;
}

void raise_summary(std::string& summary, const std::string& multivalue, const char* true_letters) {
  if (multivalue == "optional" && summary == "false") summary = "optional";
  if (!multivalue.empty() && std::strchr(true_letters, multivalue[0]) != nullptr) summary = "true";
}

// Type flag letter of one control parameter; fills in multivalue and
// default_type from a declared flag, or derives the letter from them.
char control_flag(Parameter& p, char declared, bool input, const std::string& op_name) {
  if (declared != 0) {
    const char* multivalue = std::isupper(static_cast<unsigned char>(declared)) ? "optional" : "false";
    if (!p.multivalue.empty() && p.multivalue != multivalue) {
      if (input)
        parse_error("parameter %s: multivalue: %s inconsistent with declaration %s[%s$%c]\n",
                    p.name.c_str(), p.multivalue.c_str(), op_name.c_str(), p.name.c_str(), declared);
      parse_error("parameter %s: 'multivalue' %s inconsistent with declaration %s $%c\n",
                  p.name.c_str(), p.multivalue.c_str(), p.name.c_str(), declared);
    }
    p.multivalue = multivalue;
    const char* default_type =
        default_type_of_flag(static_cast<char>(std::tolower(static_cast<unsigned char>(declared))));
    if (!p.default_type.empty() && p.default_type != default_type) {
      if (input)
        parse_error("parameter %s: default_type: %s inconsistent with declaration %s[%s$%c]\n",
                    p.name.c_str(), p.default_type.c_str(), op_name.c_str(), p.name.c_str(),
                    declared);
      parse_error("parameter %s: 'default_type' %s inconsistent with declaration %s $%c\n",
                  p.name.c_str(), p.default_type.c_str(), p.name.c_str(), declared);
    }
    p.default_type = default_type;
    return declared;
  }
  char letter = flag_of_default_type(p.default_type);
  if (letter == 0) {
    if (input) parse_error("no default_type for parameter '%s'\n", p.name.c_str());
    parse_error("no 'default_type' for parameter '%s'\n", p.name.c_str());
  }
  switch (p.multivalue.empty() ? '\0' : p.multivalue[0]) {
    case 'f':
      return letter;
    case 'o':
    case 't':
    case 'v':
      return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  }
  if (input) parse_error("no multivalue for parameter '%s'\n", p.name.c_str());
  parse_error("no 'multivalue' for parameter '%s'\n", p.name.c_str());
}

// The declaration checks run when the token after the operator has been
// read. When that token is already in the next file, the messages point to
// the end of the operator's own file instead.
class OperatorEndPosition {
 public:
  explicit OperatorEndPosition(const OperatorInfo& info) : saved_(def_position()) {
    const DefPosition& end = parser_state().end_of_previous_file;
    if (saved_.path != info.def_file && end.path == info.def_file) def_position() = end;
  }
  ~OperatorEndPosition() { def_position() = saved_; }

 private:
  DefPosition saved_;
};

bool function_in_tags(const std::string& function) {
  static const std::unordered_set<std::string> tags(settings().tags.begin(),
                                                    settings().tags.end());
  return tags.count(function) != 0;
}

}  // namespace

void begin_parameter_block(const std::string& name, const std::string& kind) {
  ParserState& s = parser_state();
  if (s.info == nullptr || s.param < 0 || s.param >= static_cast<int>(s.info->params.size()))
    parse_error("too many parameters in operator %s", operator_name());
  const Parameter& p = current_parameter();
  if (name != p.name)
    parse_error("wrong parameter name in operator %s: '%s' instead of '%s'", operator_name(),
                name.c_str(), p.name.c_str());
  if (kind != p.kind)
    parse_error("wrong parameter class for %s in operator %s: %s instead of %s", name.c_str(),
                operator_name(), kind.c_str(), p.kind.c_str());
}

void end_parameter_block() {
  ParserState& s = parser_state();
  ++s.param;
  if (s.param >= static_cast<int>(s.info->params.size())) s.param = -1;
}

void parameter_text_slot(int token, const std::string* language, std::string value) {
  Parameter& p = current_parameter();
  switch (token) {
    case PARDESCRIPTION:
      push_front(p.descriptions, language != nullptr ? *language : parser_state().language,
                 std::move(value));
      return;
    case DEFAULTTYPE:
      once_per_parameter(!p.default_type.empty(), "default_type");
      check_word(value, default_types, "default_type");
      p.default_type = std::move(value);
      return;
    case SEMTYPE:
      once_per_parameter(!p.sem_type.empty(), "sem_type");
      check_sem_type(value);
      p.sem_type = std::move(value);
      return;
    case MIXED:
      once_per_parameter(!p.extras().mixed_type.empty(), "mixed_type");
      check_word(value, true_false, "mixed_type");
      p.edit_extras().mixed_type = std::move(value);
      return;
    case MULTIVALUE:
      once_per_parameter(!p.multivalue.empty(), "multivalue");
      if (value != "vector" && value != "vector_1")
        check_word(value, true_false_optional, "multivalue");
      p.multivalue = std::move(value);
      return;
    case MULTIINSTANCE:
      once_per_parameter(!p.extras().multiinstance.empty(), "multiinstance");
      check_word(value, true_false_optional, "multiinstance");
      p.edit_extras().multiinstance = std::move(value);
      return;
    case MODIFIED:
      once_per_parameter(!p.extras().modified.empty(), "modified");
      check_word(value, true_false, "modified");
      p.edit_extras().modified = std::move(value);
      return;
    case MULTICHANNEL:
      once_per_parameter(!p.extras().multichannel.empty(), "multichannel");
      check_word(value, true_false_optional, "multichannel");
      p.edit_extras().multichannel = std::move(value);
      return;
    case DEFAULTVALUE:
      once_per_parameter(!p.default_value.empty(), "default_value");
      p.default_value = std::move(value);
      return;
    case VALUEMIN:
      once_per_parameter(!p.value_min.empty(), "value_min");
      p.value_min = std::move(value);
      return;
    case VALUEMAX:
      once_per_parameter(!p.value_max.empty(), "value_max");
      p.value_max = std::move(value);
      return;
    case VALUEFUNCTION:
      once_per_parameter(!p.extras().value_function.empty(), "value_function");
      check_word(value, value_functions, "value_function");
      p.edit_extras().value_function = std::move(value);
      return;
    case STEPREC:
      once_per_parameter(!p.extras().step_rec.empty(), "step_rec");
      p.edit_extras().step_rec = std::move(value);
      return;
    case STEPMIN:
      once_per_parameter(!p.extras().step_min.empty(), "step_min");
      p.edit_extras().step_min = std::move(value);
      return;
    case COSTS_WEIGHT:
      std::sscanf(value.c_str(), "%d", &p.edit_extras().costs_weight);
      return;
  }
  parse_error("'TestAndInsertParam' mit falschem Token");
}

void parameter_list_slot(int token, const std::string* language, TextList value) {
  Parameter& p = current_parameter();
  switch (token) {
    case TYPES:
      once_per_parameter(!p.type_list.empty(), "type_list");
      check_allowed_words(value, p.group <= group_output_object ? pixel_types : default_types,
                          "type_list");
      p.type_list = std::move(value);
      return;
    case CD_TYPES:
      once_per_parameter(!p.extras().cd_type_list.empty(), "cd_type_list");
      check_allowed_words(value, pixel_types, "cd_type_list");
      p.edit_extras().cd_type_list = std::move(value);
      return;
    case CD_VALUES:
      once_per_parameter(!p.extras().cd_value_list.empty(), "cd_value_list");
      p.edit_extras().cd_value_list = std::move(value);
      return;
    case VALUES:
      once_per_parameter(!p.values.empty(), "values");
      p.values = std::move(value);
      return;
    case VALUELIST:
      once_per_parameter(!p.value_list.empty(), "value_list");
      p.value_list = std::move(value);
      return;
    case POSTPROCESSING:
      once_per_parameter(!p.extras().postprocessing.empty(), "postprocessing");
      p.edit_extras().postprocessing = std::move(value);
      return;
    case FILEEXT:
      once_per_parameter(!p.extras().file_ext.empty(), "file_Ext");
      p.edit_extras().file_ext = std::move(value);
      return;
    case FILEEXTDESCR:
      push_front(p.edit_extras().file_ext_descr,
                 language != nullptr ? *language : parser_state().language, std::move(value));
      return;
  }
  parse_error("'TestAndInsertParam' mit falschem Token");
}

void parameter_expression_slot(int token, TextList postfix) {
  Parameter& p = current_parameter();
  switch (token) {
    case VALUENUMBER:
      once_per_parameter(!p.extras().value_number.empty(), "value_number");
      p.edit_extras().value_number = std::move(postfix);
      return;
    case ASSERTION:
      once_per_parameter(!p.assertion.empty(), "assertion");
      p.assertion = std::move(postfix);
      return;
  }
  parse_error("'TestAndInsertParam' mit falschem Token");
}

void add_parameter_description(const std::string& name, std::string text) {
  ParserState& s = parser_state();
  if (s.info == nullptr) parse_error("No operator info available");
  for (Parameter& p : s.info->params) {
    if (p.name == name) {
      push_front(p.descriptions, s.language, std::move(text));
      return;
    }
  }
  if (!settings().test_mode)
    parse_error("'%s' is not a parameter of operator '%s'\n", name.c_str(), operator_name());
  // Test mode: the documentation may describe a parameter no file declares.
  Parameter made;
  made.name = name;
  made.kind = param_kind_text(group_input_control);
  made.group = group_input_control;
  push_front(made.descriptions, s.language, std::move(text));
  s.info->params.push_back(std::move(made));
}

void check_expression_operand(const std::string& name) {
  ParserState& s = parser_state();
  if (s.info != nullptr)
    for (const Parameter& p : s.info->params)
      if (p.name == name) return;
  parse_error("%s not contained in the parameter list", name.c_str());
}

namespace {
Operator* make_operator_record(const std::string& name, const std::string& function,
                               std::vector<DeclaredParam> (&declared)[4],
                               std::unique_ptr<OperatorInfo> info) {
  ParserState& s = parser_state();
  OperatorEndPosition position(*info);
  if (s.pending_count > 0)
    parse_error(
        "in operator '%s': wrong 'sem_type': '%s' for the last parameter\n%d parameters with the "
        "same type are still missing",
        name.c_str(), type_name(s.pending_class).c_str(), s.pending_count);

  auto op = std::make_unique<Operator>();
  op->skip = excluded_by_list(name.c_str());
  op->name = name;
  op->function = function;
  for (int group = 0; group < 4; ++group) {
    op->counts[group] = static_cast<int>(declared[group].size());
    op->declared[group] = std::move(declared[group]);
  }

  for (const Parameter& p : info->params)
    if (p.sem_type.empty() && !p.descriptions.empty())
      parse_warning("no sem_type in operator '%s', parameter '%s'", name.c_str(), p.name.c_str());

  std::string input_flags;
  int first = op->first_param(group_input_control);
  for (int i = 0; i < op->counts[group_input_control]; ++i) {
    Parameter& p = info->params[static_cast<size_t>(first + i)];
    char letter = control_flag(p, op->declared[group_input_control][i].type_flag, true, name);
    if (letter == 'h' || letter == 'H') info->has_handle_parameter = 1;
    raise_summary(info->control_multivalue, p.multivalue, "ntv");
    input_flags += letter;
  }

  std::string output_flags;
  first = op->first_param(group_output_control);
  for (int i = 0; i < op->counts[group_output_control]; ++i) {
    Parameter& p = info->params[static_cast<size_t>(first + i)];
    char letter = control_flag(p, op->declared[group_output_control][i].type_flag, false, name);
    if (letter == 'h' || letter == 'H') info->has_handle_parameter = 1;
    raise_summary(info->control_multivalue, p.multivalue, "nt");
    raise_summary(info->output_multivalue, p.multivalue, "nt");
    output_flags += letter;
  }
  if (op->counts[group_input_control] > 0) op->input_control_flags = input_flags;
  if (op->counts[group_output_control] > 0) op->output_control_flags = output_flags;

  if (!settings().tags.empty() && !function_in_tags(function)) {
    std::printf("function %s not found in TAGS file\n", function.c_str());
  }

  op->info = std::move(info);
  Operator* record = op.get();
  model().storage.push_back(std::move(op));
  return record;
}
}  // namespace

Operator* finish_operator_declaration() {
  ParserState& s = parser_state();
  Operator* op =
      make_operator_record(s.operator_name, s.function, s.declared, std::move(s.info_in_progress));
  s.info = op->info.get();
  return op;
}
