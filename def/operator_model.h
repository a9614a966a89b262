/// The operator model: what the definition parser builds and every generator
/// reads. Built once while parsing; from the generator dispatch on it is only
/// read (generators take const pointers).
///
/// Order conventions kept from the definition language:
///  - "pushed" lists (language-tagged texts, descriptions) are stored newest
///    first, i.e. in reverse order of appearance; push_front() adds to them;
///  - appended lists (value lists, names, parameters) are in file order;
///  - an empty std::vector stands for an absent list (an empty list and no
///    list are the same thing in the definition language);
///  - std::optional marks the few texts whose absence differs from the
///    empty text.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

using TextList = std::vector<std::string>;

/// One entry of a language-tagged list.
template <typename Payload>
struct Tagged {
  std::string language;  // "english", "german", "japanese", "trias", or as given
  Payload value;
};

template <typename Payload>
using TaggedList = std::vector<Tagged<Payload>>;

/// Adds an entry in front, as the definition language's pushed lists do.
template <typename Payload>
void push_front(TaggedList<Payload>& list, std::string language, Payload value) {
  if (list.empty()) list.reserve(2);  // a text in two languages is the common case
  list.insert(list.begin(), Tagged<Payload>{std::move(language), std::move(value)});
}

/// Parameter groups, in declaration order.
enum ParamGroup {
  group_input_object = 0,
  group_output_object = 1,
  group_input_control = 2,
  group_output_control = 3,
};
/// "input_object", "output_object", "input_control", "output_control".
const char* param_kind_text(int group);

struct DeclaredParam {
  std::string name;
  char type_flag = 0;  // 0 when none given, else one of "iIfFsS"
};

struct SplitMethod {
  std::string name;
  TextList params;  // may be empty
};

struct Parallelisation {
  bool exclusively = false;
  bool exclusively_none = false;  // "none": independent
  bool locally = true;
  bool mutual = false;
  std::vector<SplitMethod> methods;  // empty when absent
  std::string region_postprocessing;
  int domain_split = 0;
  TextList compute_devices;
  unsigned interrupt_mode = 0;  // bit 0 break, bit 1 cancel
};

/// The parameter slots that most parameters leave unset. A parameter keeps
/// them apart and makes them at the first one set, so that one without any
/// of them (nearly every one) pays a pointer for all of them.
struct ParameterExtras {
  TextList cd_type_list;
  TextList cd_value_list;
  TextList value_number;  // postfix expression, empty when absent
  std::string mixed_type;
  std::string multiinstance;
  std::string modified;
  std::string multichannel;
  std::string step_rec;
  std::string step_min;
  std::string value_function;
  int costs_weight = 0;
  TextList postprocessing;
  TextList file_ext;
  TaggedList<TextList> file_ext_descr;  // pushed
};

struct Parameter {
  std::string name;
  std::string kind;  // param_kind_text() of its group
  int group = group_input_object;
  TaggedList<std::string> descriptions;  // pushed
  TextList type_list;
  TextList values;
  TextList value_list;
  TextList assertion;  // postfix expression, empty when absent
  std::string sem_type;
  std::string default_value;
  std::string default_type;
  std::string multivalue;
  std::string value_min;
  std::string value_max;

  /// The rarely set slots (all empty when none of them was set).
  const ParameterExtras& extras() const;
  /// The rarely set slots for filling them (the parser, tests).
  ParameterExtras& edit_extras();

 private:
  /// Made when the first of the slots is set; a copy of the parameter
  /// copies them.
  class ExtrasHolder {
   public:
    ExtrasHolder() = default;
    ExtrasHolder(const ExtrasHolder& other) { *this = other; }
    ExtrasHolder& operator=(const ExtrasHolder& other);
    ExtrasHolder(ExtrasHolder&&) noexcept = default;
    ExtrasHolder& operator=(ExtrasHolder&&) noexcept = default;
    std::unique_ptr<ParameterExtras> extras;
  };
  ExtrasHolder extras_;
};

struct OperatorInfo {
  TaggedList<std::string> short_descriptions;  // all pushed: newest first
  TaggedList<std::string> descriptions;
  TaggedList<std::string> warnings;
  TaggedList<std::string> examples;  // untagged examples are filed under "trias"
  TaggedList<TextList> chapters;
  TaggedList<std::string> complexity;
  TaggedList<TextList> keywords;
  TaggedList<std::string> attention;
  TaggedList<std::string> result;
  TextList functionality;
  TextList alternatives;
  TextList successor;
  TextList predecessor;
  TextList see_also;
  TextList feature_toggles;
  TextList flags;
  std::string references;
  std::string def_file;  // definition file path when the record was made
  int line = 0;
  std::string control_multivalue = "false";  // "false", "optional" or "true"
  std::string output_multivalue = "false";
  int has_handle_parameter = 0;
  Parallelisation par;
  /// Input objects, output objects, input controls, output controls.
  std::vector<Parameter> params;
  int module = -1;              // 0..10, 32 for "none"
  unsigned dynamic_modules = 0;  // bit n for module n
  int category = -1;            // 0..12
  int new_in_version = -1;

  /// At least one short description in any language.
  bool has_documentation() const { return !short_descriptions.empty(); }
};

struct Operator {
  bool skip = false;
  std::string name;      // "*" for chapter reference entries
  std::string function;  // implementing C function
  int counts[4] = {0, 0, 0, 0};
  std::vector<DeclaredParam> declared[4];
  std::optional<std::string> input_control_flags;   // none without input controls
  std::optional<std::string> output_control_flags;  // none without output controls
  std::unique_ptr<OperatorInfo> info;
  int fixed_number = -1;

  /// Position of the first parameter of a group in info->params.
  int first_param(int group) const;
  const Parameter& param(int group, int index) const {
    return info->params[first_param(group) + index];
  }
};

/// Class information attached to a row of the handle-type table.
struct ClassDescription {
  TaggedList<std::string> descriptions;  // pushed
  std::optional<std::string> interface_id;
  std::optional<std::string> class_id;
};

struct LibraryDescription {
  std::string library_id;
  std::string version_major;
  std::string version_minor;
  std::string english_description;
};

/// The operator list handed to generators, in its final order: an
/// operator's position in it is its operator number.
using OperatorList = std::vector<const Operator*>;

/// Everything the parser builds. The list runs newest declaration first,
/// as records are put at its head.
struct Model {
  std::vector<std::unique_ptr<Operator>> storage;  // owns every record
  std::vector<Operator*> declared;  // in declaration order; reversed() is list order
  std::unordered_map<std::string, Operator*> by_name;  // latest record per name
  std::vector<std::unique_ptr<ClassDescription>> class_descriptions;
  LibraryDescription library;
  /// Chapter entries named "*", set aside by the dispatch (in list order).
  OperatorList star_entries;

  /// Puts a record at the head of the list.
  void add_front(Operator* op);
  /// The operator list in list order (newest first).
  std::vector<Operator*> list() const;
};

Model& model();

/// A new info record with one parameter per declared parameter, in group
/// order, and the definition file and line of the current position.
std::unique_ptr<OperatorInfo> make_operator_info(const std::vector<DeclaredParam> (&declared)[4]);
/// Deletes every white-space character, in place.
void remove_white_space(std::string& text);
