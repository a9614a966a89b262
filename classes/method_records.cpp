// The method records of one operator in one class: the parameter records
// with their narrowed types, the return parameter, the first (scalar)
// record, the narrow- and wide-string variants and the array variant.
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "classes/class_assembly_internal.h"
#include "classes/handle_types.h"
#include "driver/diagnostics.h"
#include "gen/c/c_rules.h"

using namespace std::string_view_literals;

namespace {

/// Which forms a value has: one value, several values (its array class), or
/// both.
enum Forms { forms_scalar = 1, forms_array = 2, forms_both = 3 };

Forms forms_by_value(const std::string& value) {
  if (value == "true"sv) return forms_array;
  if (value == "optional"sv) return forms_both;
  return forms_scalar;
}

bool is_data_class_kind(int kind) { return kind == kind_variable_data || kind > 0; }

/// The forms of the instance: a handle has both, a data class follows its
/// multiinstance, any other type its multivalue. A data class of variable
/// size (campar, function_1d) has no array class in any interface (its
/// values cannot be split from one tuple), so it is always one value.
Forms instance_forms(const Parameter& param, int row) {
  int kind = type_kind(row);
  if (kind == kind_handle) return forms_both;
  if (kind == kind_variable_data) return forms_scalar;
  if (is_data_class_kind(kind)) return forms_by_value(param.extras().multiinstance);
  return forms_by_value(param.multivalue);
}

/// The forms of any other parameter. Only values of handle and fixed-size
/// data classes have array classes; a handle follows its multivalue, a data
/// class its multiinstance. Iconic values and plain values are always one
/// value (an iconic class already holds any number of objects, a tuple any
/// number of values).
Forms param_forms(const ClassParam& record) {
  if (record.iconic || record.type < 0 || !type_has_class(record.type)) return forms_scalar;
  int kind = type_kind(record.type);
  if (kind == kind_handle) return forms_by_value(record.param->multivalue);
  if (kind > 0) return forms_by_value(record.param->extras().multiinstance);
  return forms_scalar;
}

bool contains(const TextList& list, const char* word) {
  for (const std::string& entry : list)
    if (entry == word) return true;
  return false;
}

bool has_text(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

bool single_valued(const Parameter& param) {
  return param.multivalue.empty() || param.multivalue == "false"sv;
}

/// English text of a tagged list, else the first one, else empty.
const std::string* english_or_first(const TaggedList<std::string>& list) {
  for (const Tagged<std::string>& entry : list)
    if (entry.language == "english"sv) return &entry.value;
  return list.empty() ? nullptr : &list.front().value;
}

/// The one value type of a plain control parameter (integer, real, string,
/// or pointer for the sem_type "pointer"), -1 when it may hold several.
int single_value_type(const Parameter& param, int sem_row) {
  const WellKnownTypes& known = well_known_types();
  if (sem_row >= 0 && sem_row == known.pointer) return known.pointer;
  std::string_view value_type;
  if (param.type_list.size() == 1)
    value_type = param.type_list.front();
  else if (param.type_list.empty())
    value_type = param.default_type;
  else
    return -1;
  if (value_type == "integer"sv) return known.integer;
  if (value_type == "real"sv) return known.real;
  if (value_type == "string"sv) return known.string;
  return -1;
}

/// Narrows the semantic type of a parameter to the type the interfaces
/// spell, and sets its pure type.
void narrow_type(const AssemblyContext& context, const Parameter& param, ClassParam& record) {
  const WellKnownTypes& known = well_known_types();
  int row = record.sem_type;
  record.pure_type = known.any;
  if (record.iconic) {
    bool listed = row >= 0 && row < static_cast<int>(context.in_list.size()) && context.in_list[row];
    record.type = listed ? row
                         : (context.has(bits_untyped_object) ? known.untyped_object : known.object);
    return;
  }
  if ((row == known.campar && context.has(bits_campar_as_tuple)) ||
      (row == known.pose && context.has(bits_pose_as_tuple))) {
    record.type = known.tuple;
    return;
  }
  int kind = type_kind(row);
  if (row >= 0 && type_has_class(row) && (kind == kind_handle || is_data_class_kind(kind))) {
    record.type = row;
    return;
  }
  int value_type = single_value_type(param, row);
  record.type = (value_type >= 0 && single_valued(param)) ? value_type : known.tuple;
  if (value_type == known.integer || value_type == known.real || value_type == known.pointer)
    record.pure_type = value_type;
}

ClassParam make_param(AssemblyContext& context, const OperatorFacts& facts, int position) {
  const Parameter& param = facts.op->info->params[position];
  ClassParam record;
  record.name = param.name;
  if (const std::string* text = english_or_first(param.descriptions)) record.description = *text;
  record.default_value = param.default_value;
  record.sem_type = facts.param_rows[position];
  record.output = param.kind.compare(0, 7, "output_") == 0;
  record.iconic = param.kind == "input_object"sv || param.kind == "output_object"sv;
  record.index = facts.group_index[position];
  record.param = &param;
  narrow_type(context, param, record);
  if (!record.iconic) {
    // A single string value is stored like a simple-mode value, which asks
    // for a string default as well.
    bool scalar_string = record.type == well_known_types().string;
    record.encoded = *encoding_suffix(param, scalar_string) != '\0';
  }

  const WellKnownTypes& known = well_known_types();
  int row = record.sem_type;
  if (type_kind(row) == kind_handle && row != known.dev_tool &&
      row != GiveClass("thread_id", 0) && !contains(param.type_list, "handle") &&
      context.handle_warned.insert(&param).second)
    report_warning(
        "No 'handle' in type list for parameter '%s' (%s), but sem_type '%s' seems to be a "
        "handle type\n",
        param.name.c_str(), facts.op->name.c_str(), param.sem_type.c_str());
  return record;
}

/// The short description of an operator; warned about once per build when
/// it has none.
std::string_view short_description(OperatorFacts& facts) {
  if (!facts.summary_done) {
    facts.summary_done = true;
    if (const std::string* text = english_or_first(facts.op->info->short_descriptions))
      facts.short_description = *text;
    else
      report_warning("Missing %s summary for %s\n", "english", facts.op->name.c_str());
  }
  return facts.short_description;
}

/// The position of the return parameter, -1 for none. It is the first
/// output other than the instance, in every class (a free function's
/// instance candidate is no instance, so its first output is returned);
/// constructors return none. With bit 0x04 an output that pairs with the
/// next parameter (Row/Col, Width/Height, Red/Green, and Real/Imag outside
/// the class "any") gives none. Interfaces that declare free functions
/// void (C++) put the return parameter back into the list themselves.
int find_return(const AssemblyContext& context, const OperatorFacts& facts,
                const RecordRequest& request) {
  // A constructor cannot return a value: its outputs stay in the list.
  if (request.constructor) return -1;
  const std::vector<Parameter>& params = facts.op->info->params;
  int excluded = request.instance_dropped ? -1 : request.instance;
  int candidate = -1;
  for (int i = 0; i < static_cast<int>(params.size()) && candidate < 0; ++i)
    if (i != excluded && facts.param_output[i]) candidate = i;
  if (candidate < 0) return -1;

  const Parameter& param = params[candidate];
  if (context.has(bits_pair_outputs) && !facts.param_records[candidate].iconic &&
      candidate + 1 < static_cast<int>(params.size())) {
    const std::string& name = param.name;
    const std::string& next = params[candidate + 1].name;
    if ((has_text(name, "Row") && has_text(next, "Col")) ||
        (has_text(name, "Width") && has_text(next, "Height")) ||
        (has_text(name, "Red") && has_text(next, "Green")))
      return -1;
    if (has_text(name, "Real") && has_text(next, "Imag") && request.type != well_known_types().any)
      return -1;
  }

  // The return value must be the operator's first output (the instance
  // aside): its store order in the call bodies depends on it.
  int first_output = -1;
  for (int i = 0; i < static_cast<int>(params.size()) && first_output < 0; ++i)
    if (i != excluded && facts.param_output[i]) first_output = i;
  if (first_output != candidate) {
    report_error("Inconsistent retval determination for %s (%s)\n", facts.op->name.c_str(),
                 param.name.c_str());
    std::exit(-1);
  }
  return candidate;
}

/// True when the operator asks for string variants: a single-valued input
/// control that allows more than one type and defaults to "string".
bool wants_string_variants(const OperatorFacts& facts) {
  for (const Parameter& param : facts.op->info->params)
    if (param.kind == "input_control"sv && single_valued(param) && param.type_list.size() > 1 &&
        param.default_type == "string"sv)
      return true;
  return false;
}

/// The string-typed inputs of a string variant take the pseudo type.
ClassMethod string_variant(const ClassMethod& first, int pseudo_type) {
  const WellKnownTypes& known = well_known_types();
  ClassMethod record = first;
  for (ClassParam& param : record.params) {
    if (param.output || param.iconic || !single_valued(*param.param)) continue;
    bool string_typed = param.type == known.string ||
                        (param.type == known.tuple && param.param->default_type == "string"sv);
    if (string_typed) param.type = pseudo_type;
  }
  if (pseudo_type == type_narrow_string)
    record.narrow_string_variant = true;
  else
    record.windows_only = true;
  return record;
}

}  // namespace

void append_method_records(AssemblyContext& context, OperatorFacts& facts,
                           const RecordRequest& request, std::vector<ClassMethod>& list) {
  const WellKnownTypes& known = well_known_types();
  const std::vector<Parameter>& params = facts.op->info->params;
  const int count = static_cast<int>(params.size());

  if (!facts.params_done) {
    facts.params_done = true;
    facts.param_records.reserve(count);
    facts.param_forms.reserve(count);
    for (int i = 0; i < count; ++i) {
      facts.param_records.push_back(make_param(context, facts, i));
      facts.param_forms.push_back(param_forms(facts.param_records.back()));
    }
  }
  const std::vector<ClassParam>& all = facts.param_records;

  ClassMethod base;
  base.name = facts.op->name;
  base.short_description = short_description(facts);
  base.proc_number = facts.number;
  base.hiding = request.hiding;
  base.names_class = request.names_class;
  base.op = facts.op;

  const int instance = request.instance;
  const bool keep_instance = instance >= 0 && !request.instance_dropped;
  const int return_position = find_return(context, facts, request);
  if (request.plain_free_function) {
    for (int i = 0; i < count; ++i) {
      ClassParam param = all[i];
      param.from_instance = i == instance && request.instance_dropped;
      if (i == return_position)
        base.return_param = std::move(param);
      else
        base.params.push_back(std::move(param));
    }
    list.push_back(std::move(base));
    return;
  }

  const bool object_rules = context.has(bits_object_methods);
  Forms own_forms = forms_scalar;
  // A tuple instance is one VTuple whatever number of values it holds: the
  // tuple class has no array form.
  if (keep_instance && object_rules && request.type != known.tuple)
    own_forms = instance_forms(params[instance], all[instance].sem_type);

  // The instance's own forms are in own_forms; it has none as an ordinary
  // parameter.
  auto forms_of = [&](int i) {
    return keep_instance && i == instance ? forms_scalar : static_cast<Forms>(facts.param_forms[i]);
  };
  bool other_calls_for_array = false;
  for (int i = 0; i < count; ++i) {
    if (keep_instance && i == instance) continue;
    Forms forms = forms_of(i);
    // A returned value alone calls for no variant: the two records would
    // differ only in their return type, which no interface can overload.
    if (forms == forms_both && i != return_position) other_calls_for_array = true;
  }
  const bool variants_possible = context.has(bits_array_variants) && request.type != known.tuple &&
                                 !request.free_functions;

  if (request.constructor && object_rules) {
    if (!keep_instance) {
      report_error("Stateless constructor for %s\n", facts.op->name.c_str());
      std::exit(-1);
    }
    if (own_forms == forms_array) {
      report_error("Constructor state is a forced array in %s\n", facts.op->name.c_str());
      std::exit(-1);
    }
    if (variants_possible && other_calls_for_array && own_forms == forms_scalar) {
      report_error("%s used as stateless constructor\n", facts.op->name.c_str());
      std::exit(-1);
    }
  }

  // One record; array_form selects the array form of the instance and of
  // every parameter that has both forms.
  auto make_record = [&](bool array_form) {
    ClassMethod record = base;
    record.array_variant = array_form;
    record.params.reserve(count);
    bool instance_in_list = false;
    if (keep_instance) {
      bool use_array = array_form ? (own_forms & forms_array) != 0 : own_forms == forms_array;
      if (use_array)
        instance_in_list = true;
      else
        record.instance = all[instance];
    }
    for (int i = 0; i < count; ++i) {
      if (i == return_position) continue;
      if (keep_instance && i == instance && !instance_in_list) continue;
      ClassParam param = all[i];
      if (i == instance && request.instance_dropped) param.from_instance = true;
      if (keep_instance && i == instance) {
        param.array = true;
        param.from_instance = true;
      } else {
        Forms forms = forms_of(i);
        param.array = forms == forms_array || (array_form && forms == forms_both);
      }
      record.params.push_back(std::move(param));
    }
    if (return_position >= 0) {
      ClassParam result = all[return_position];
      result.from_instance = return_position == instance && request.instance_dropped;
      Forms f = forms_of(return_position);
      result.array = f == forms_array || (array_form && f == forms_both);
      record.return_param = std::move(result);
    }
    return record;
  };

  ClassMethod first = make_record(false);
  if (request.first_only) {
    list.push_back(std::move(first));
    return;
  }
  bool strings = false;
  if (context.has(bits_string_variants) && request.type != known.tuple) {
    if (facts.string_variants < 0) facts.string_variants = wants_string_variants(facts) ? 1 : 0;
    strings = facts.string_variants == 1;
  }
  bool array_variant = variants_possible && request.names_class &&
                       ((keep_instance && own_forms == forms_both) || other_calls_for_array);

  if (strings) {
    ClassMethod narrow = string_variant(first, type_narrow_string);
    ClassMethod wide = string_variant(first, type_wide_string);
    list.push_back(std::move(first));
    list.push_back(std::move(narrow));
    list.push_back(std::move(wide));
  } else {
    list.push_back(std::move(first));
  }
  if (array_variant) list.push_back(make_record(true));
}
