// Class assembly: arranges the operator list into the classes of the
// object-oriented interfaces. Selects the classes of an interface, then per
// class examines the operators in list order for constructors, the
// destructor, methods and the serialisation pair, and reports the class
// errors (ambiguous or missing members). The records of one operator are
// made in method_records.cpp.
//
// The operators are indexed once per build by the rows they touch, so a
// class only looks at the operators that can belong to it.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "classes/class_assembly_internal.h"
#include "classes/class_model.h"
#include "classes/handle_types.h"
#include "driver/diagnostics.h"
#include "driver/settings.h"

using namespace std::string_view_literals;

namespace {

struct FixedNames {
  const char* type;
  std::vector<const char*> names;
};

/// Classes whose constructors are a fixed list of operators (campar: none).
const std::vector<FixedNames>& fixed_constructors() {
  static const std::vector<FixedNames> table = {
      {"image", {"read_image", "gen_image1", "gen_image_const"}},
      {"region", {"gen_rectangle1", "gen_circle", "gen_circle_sector", "gen_ellipse_sector"}},
      {"xld_cont", {"gen_contour_polygon_xld", "gen_contour_region_xld"}},
      {"window", {"open_window"}},
      {"measure", {"gen_measure_rectangle2", "gen_measure_arc"}},
      {"lexicon", {"create_lexicon", "import_lexicon"}},
      {"component_training", {"train_model_components"}},
      {"deformable_model",
       {"create_planar_calib_deformable_model", "create_planar_calib_deformable_model_xld",
        "create_planar_uncalib_deformable_model", "create_planar_uncalib_deformable_model_xld",
        "read_deformable_model"}},
      {"object_model_3d",
       {"read_object_model_3d", "xyz_to_object_model_3d", "gen_empty_object_model_3d",
        "gen_object_model_3d_from_points"}},
      {"hom_mat2d", {"hom_mat2d_identity"}},
      {"hom_mat3d", {"hom_mat3d_identity"}},
      {"campar", {}},
      {"pose", {"create_pose"}},
      {"function_1d", {"create_funct_1d_array", "create_funct_1d_pairs"}},
      {"quaternion", {"axis_angle_to_quat"}},
      {"dual_quaternion", {"pose_to_dual_quat", "screw_to_dual_quat"}},
      {"text_result", {"find_text"}},
      {"texture_inspection_model", {"create_texture_inspection_model"}},
      {"texture_inspection_result", {"apply_texture_inspection_model"}},
      {"serialized_item", {"create_serialized_item_ptr"}},
      {"structured_light_model", {"create_structured_light_model"}},
      {"dl_classifier_result", {"apply_dl_classifier"}},
      {"dl_classifier_train_result", {"train_dl_classifier_batch"}},
      {"drawing_object",
       {"create_drawing_object_rectangle1", "create_drawing_object_rectangle2",
        "create_drawing_object_circle", "create_drawing_object_ellipse_arc"}},
      {"dl_layer", {"create_dl_layer_input"}},
  };
  return table;
}

/// Classes whose destructor is one named operator (tuple: none at all).
const std::vector<FixedNames>& fixed_destructors() {
  static const std::vector<FixedNames> table = {
      {"tuple", {""}},
      {"window", {"close_window"}},
      {"gnuplot", {"gnuplot_close"}},
      {"variation_model", {"clear_variation_model"}},
      {"compute_device", {"deactivate_compute_device"}},
      {"class_mlp", {"clear_class_mlp"}},
      {"class_svm", {"clear_class_svm"}},
      {"class_gmm", {"clear_class_gmm"}},
      {"texture_inspection_model", {"clear_texture_inspection_model"}},
      {"metrology_model", {"clear_metrology_model"}},
      {"dict", {"clear_handle"}},
      {"dl_pruning", {"clear_handle"}},
      {"dl_layer", {"clear_handle"}},
      {"dl_device", {"clear_handle"}},
      {"deep_ocr", {"clear_handle"}},
      {"generic_shape_model_result", {"clear_handle"}},
      {"memory_block", {"clear_handle"}},
      {"encrypted_item", {"clear_handle"}},
      {"deep_counting", {"clear_handle"}},
  };
  return table;
}

const FixedNames* find_fixed(const std::vector<FixedNames>& table, int type) {
  const std::string& name = type_name(type);
  for (const FixedNames& entry : table)
    if (name == entry.type) return &entry;
  return nullptr;
}

bool starts_with(const std::string& text, const char* prefix) {
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}


/// English description of a class, empty when there is none.
std::string class_description(int type) {
  const ClassDescription* info = type_class_info(type);
  if (info == nullptr) return std::string();
  for (const Tagged<std::string>& entry : info->descriptions)
    if (entry.language == "english"sv) return entry.value;
  return std::string();
}

bool is_data_class(int type) {
  int kind = type_kind(type);
  return kind == kind_variable_data || kind > 0;
}

/// Ends the run when a class has a second candidate for a member.
[[noreturn]] void ambiguous(const char* member, const ClassRecord& record, const std::string& first,
                            const std::string& second) {
  report_error("Ambiguous %s operator for class %s\n        Candidates are %s and %s\n", member,
               record.class_name().c_str(), first.c_str(), second.c_str());
  std::exit(1);
}

/// Builds one class from an existing context.
ClassRecord assemble_class(AssemblyContext& context, int type, bool free_functions) {
  const WellKnownTypes& known = well_known_types();
  ClassRecord record;
  record.type = type;
  record.base_type = context.base_row[type];
  record.free_functions = free_functions;
  record.per_member_export = type == known.serialized_item;
  record.xld_family = type == known.xld_poly || type == known.xld_cont ||
                      type == known.xld_para || type == known.xld_mod_para ||
                      type == known.xld_ext_para;
  record.description = class_description(type);

  const FixedNames* constructor_names = find_fixed(fixed_constructors(), type);
  const FixedNames* destructor_name = find_fixed(fixed_destructors(), type);
  const bool search_destructor =
      type_kind(type) != kind_handle || context.has(bits_handle_destructors);
  const bool package_functions =
      free_functions && type == known.user && settings().package_free_functions;
  const bool serialisable = !free_functions && type != known.system && type != known.info &&
                            type != known.any && type != known.operator_set &&
                            type != known.user;

  // The operators to examine, in list order.
  std::vector<int> candidates;
  if (free_functions) {
    candidates.resize(context.facts.size());
    for (size_t n = 0; n < candidates.size(); ++n) candidates[n] = static_cast<int>(n);
  } else {
    candidates = context.ops_by_row[type];
    if (search_destructor && destructor_name != nullptr) {
      auto named = context.ops_by_name.find(destructor_name->names.front());
      if (named != context.ops_by_name.end()) {
        candidates.insert(candidates.end(), named->second.begin(), named->second.end());
        std::sort(candidates.begin(), candidates.end());
        candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
      }
    }
  }

  for (int number : candidates) {
    OperatorFacts& facts = context.facts[number];
    const Operator& op = *facts.op;
    const std::vector<Parameter>& params = op.info->params;
    const int count = static_cast<int>(params.size());
    auto is_output = [&facts](int i) { return facts.param_output[i]; };
    auto is_input = [&facts](int i) { return !facts.param_output[i]; };

    // Constructors: an output of exactly the class and a fixed list entry,
    // or, without a list, a handle class and a creating name.
    if (!free_functions) {
      int own_output = -1;
      for (int i = 0; i < count && own_output < 0; ++i)
        if (is_output(i) && facts.param_rows[i] == type) own_output = i;
      bool constructor = false;
      if (own_output >= 0) {
        if (constructor_names != nullptr) {
          for (const char* name : constructor_names->names)
            if (op.name == name) constructor = true;
        } else {
          constructor = type_kind(type) == kind_handle &&
                        (starts_with(op.name, "create_") || starts_with(op.name, "read_") ||
                         starts_with(op.name, "open_"));
        }
      }
      if (constructor) {
        RecordRequest request;
        request.type = type;
        request.constructor = true;
        request.instance = own_output;
        request.names_class = true;
        if (op.name == "create_ocv_proj"sv) {
          std::vector<ClassMethod> records;
          append_method_records(context, facts, request, records);
          record.constructors.push_back(std::move(records.front()));
        } else {
          append_method_records(context, facts, request, record.constructors);
        }
      }
    }

    // Destructor: a fixed name, or a single input of the class and a
    // closing name.
    bool destructor = false;
    if (search_destructor) {
      if (destructor_name != nullptr) {
        const char* name = destructor_name->names.front();
        destructor = *name != '\0' && op.name == name;
      } else {
        destructor = count == 1 && (starts_with(op.name, "close") || starts_with(op.name, "clear")) &&
                     is_input(0) && context.derived(facts.param_rows[0], type);
      }
    }
    if (destructor) {
      if (record.destructor) {
        std::string message = format_text(
            "Ambiguous destructor for class %s\n        Candidates are %s and %s\n",
            record.class_name().c_str(), record.destructor->name.c_str(), op.name.c_str());
        if (settings().generation_target == target_library)
          message += "Please adapt destructor logic in VorncClassGen.c!\n";
        report_error("%s", message.c_str());
        std::exit(1);
      }
      // The instance is the input of exactly the class; a fixed-name
      // destructor whose input has another type (clear_handle) keeps its
      // first input as instance.
      int instance = -1;
      for (int i = 0; i < count && instance < 0; ++i)
        if (is_input(i) && facts.param_rows[i] == type) instance = i;
      for (int i = 0; i < count && instance < 0; ++i)
        if (is_input(i) && context.derived(facts.param_rows[i], type)) instance = i;
      for (int i = 0; i < count && instance < 0; ++i)
        if (is_input(i)) instance = i;
      RecordRequest request;
      request.type = type;
      request.instance = instance;
      request.names_class = facts.names(type);
      request.first_only = true;
      std::vector<ClassMethod> records;
      append_method_records(context, facts, request, records);
      record.destructor = std::move(records.front());
      if (op.name != "deactivate_compute_device"sv) continue;
    }

    if (package_functions) {
      RecordRequest request;
      request.type = type;
      request.free_functions = true;
      request.plain_free_function = true;
      request.names_class = true;
      append_method_records(context, facts, request, record.methods);
      continue;
    }

    // Methods.
    int candidate = -1;
    for (int i = 0; i < count && candidate < 0; ++i)
      if (is_input(i) && context.derived(facts.param_rows[i], type)) candidate = i;
    for (int i = 0; i < count && candidate < 0; ++i)
      if (is_output(i) && context.derived(facts.param_rows[i], type)) candidate = i;
    const bool names_class = facts.names(type);
    const bool via_object = facts.names(known.object) && context.derived(type, known.object);
    const bool via_xld = facts.names(known.xld) && context.derived(type, known.xld);
    bool method = free_functions || names_class;
    if (!method && context.has(bits_object_methods)) {
      bool second = false;
      for (int i = 0; i < count && !second; ++i)
        if (i != candidate && context.derived(facts.param_rows[i], type)) second = true;
      method = candidate >= 0 && second && (via_object || via_xld);
    } else if (!method) {
      method = (via_object && type != known.xld) || via_xld;
    }
    if (!method) continue;

    const int base = record.base_type;
    const bool names_base = base >= 0 && facts.names(base);
    RecordRequest request;
    request.type = type;
    request.free_functions = free_functions;
    request.instance = candidate;
    request.names_class = free_functions || names_class || names_base;
    request.hiding = !free_functions && !names_class && names_base;
    request.instance_dropped =
        free_functions || (type == known.tuple && context.has(bits_static_tuple)) ||
        (type == known.campar && context.has(bits_campar_as_tuple)) ||
        (type == known.pose && context.has(bits_pose_as_tuple)) ||
        (type == known.tuple && candidate >= 0 && params[candidate].multivalue == "false"sv);
    const int first_record = static_cast<int>(record.methods.size());
    append_method_records(context, facts, request, record.methods);

    // Serialisation: the first record of a serialize/deserialize operator
    // whose functionality names the class. The array and string variants
    // of the same operator are no second candidate.
    if (serialisable && names_class) {
      if (starts_with(op.name, "serialize")) {
        if (record.serialize_index >= 0)
          ambiguous("serialize", record, record.methods[record.serialize_index].name, op.name);
        record.serialize_index = first_record;
      } else if (starts_with(op.name, "deserialize")) {
        if (record.deserialize_index >= 0)
          ambiguous("deserialize", record, record.methods[record.deserialize_index].name,
                    op.name);
        record.deserialize_index = first_record;
      }
    }
  }

  // End of the class. Only handle classes are reported: iconic classes
  // have constructors (read_image, gen_*) but are freed through their base
  // object, so reporting them would stop every COM build of the library.
  if (context.has(bits_handle_destructors) && !is_data_class(type) &&
      type_kind(type) != kind_iconic && !record.destructor &&
      !record.constructors.empty()) {
    if (settings().generation_target == target_library && settings().def_files.size() > 10) {
      report_error(
          "Missing destructor for class %s\n        Please adapt destructor logic in "
          "VorncClassGen.c!\n        %d\n",
          record.class_name().c_str(), type);
      std::exit(1);
    }
    report_warning("Missing destructor for class %s\n", record.class_name().c_str());
  }
  if (record.serialize_index >= 0 && record.deserialize_index < 0) {
    report_error("Missing deserialization operator for class %s\n", record.class_name().c_str());
    std::exit(1);
  }
  if (record.deserialize_index >= 0 && record.serialize_index < 0) {
    report_error("Missing serialization operator for class %s\n", record.class_name().c_str());
    std::exit(1);
  }
  return record;
}

/// The parameter group of a kind text.
int group_of(const std::string& kind) {
  if (kind == "output_object"sv) return group_output_object;
  if (kind == "input_control"sv) return group_input_control;
  if (kind == "output_control"sv) return group_output_control;
  return group_input_object;
}

bool is_free_function_class(int type) {
  const WellKnownTypes& known = well_known_types();
  return type == known.operator_set || type == known.user;
}

}  // namespace

bool OperatorFacts::names(int type) const {
  if (type < 0) return false;
  for (int id : functionality)
    if (id == type) return true;
  return false;
}

AssemblyContext::AssemblyContext(const OperatorList& operators, unsigned interface_bits,
                                 const std::vector<int>& list_types)
    : ops(operators), bits(interface_bits) {
  const WellKnownTypes& known = well_known_types();
  const int rows = handle_type_rows + 1;
  in_list.assign(rows, false);
  for (int type : list_types)
    if (type >= 0 && type < rows) in_list[type] = true;

  base_row.assign(rows, -1);
  for (int row = 0; row < rows; ++row)
    base_row[row] = GiveClass(type_base_class_name(row).c_str(), 1);

  // Rows that derive from "object" and from "xld": their classes take
  // methods named for those bases.
  std::vector<int> under_object, under_xld;
  for (int row = 0; row < rows; ++row) {
    if (derived(row, known.object)) under_object.push_back(row);
    if (derived(row, known.xld)) under_xld.push_back(row);
  }

  ops_by_row.assign(rows, std::vector<int>());
  auto note = [this](int row, int number) {
    std::vector<int>& entry = ops_by_row[row];
    if (entry.empty() || entry.back() != number) entry.push_back(number);
  };

  facts.resize(ops.size());
  for (size_t n = 0; n < ops.size(); ++n) {
    const int number = static_cast<int>(n);
    OperatorFacts& entry = facts[n];
    entry.op = ops[n];
    entry.number = number;
    ops_by_name[entry.op->name].push_back(number);

    const OperatorInfo& info = *entry.op->info;
    int group_counts[4] = {0, 0, 0, 0};
    entry.param_rows.reserve(info.params.size());
    entry.group_index.reserve(info.params.size());
    for (const Parameter& param : info.params) {
      int row = GiveClass(param.sem_type.c_str(), 0);
      entry.param_rows.push_back(row);
      int group = group_of(param.kind);
      entry.param_output.push_back(group == group_output_object || group == group_output_control);
      entry.group_index.push_back(group_counts[group]++);
      // The row and every row it derives from.
      for (int step = 0; row >= 0 && step < rows; ++step) {
        note(row, number);
        row = base_row[row];
      }
    }

    if (info.functionality.empty()) {
      entry.functionality.push_back(class_id_or_any(nullptr));
    } else {
      for (const std::string& name : info.functionality)
        entry.functionality.push_back(class_id_or_any(name.c_str()));
    }
    for (int id : entry.functionality) {
      if (id < 0) continue;
      note(id, number);
      if (id == known.object)
        for (int row : under_object) note(row, number);
      if (id == known.xld)
        for (int row : under_xld) note(row, number);
    }
  }
}

bool AssemblyContext::derived(int row, int base) const {
  if (row < 0 || base < 0) return false;
  for (int step = 0; row >= 0 && step <= handle_type_rows; ++step) {
    if (row == base) return true;
    row = base_row[row];
  }
  return false;
}

unsigned class_interface_bits(ClassInterface iface) {
  switch (iface) {
    case class_interface_cpp:
      return 0x1056;
    case class_interface_dotnet:
      return 0x56;
    case class_interface_com:
      return 0xFB0;
  }
  return 0;
}

const std::string& ClassRecord::class_name() const { return type_class_name(type); }

const ClassRecord* ClassModel::find(int type) const {
  for (const ClassRecord& record : classes)
    if (record.type == type) return &record;
  return nullptr;
}

std::vector<int> select_class_types(ClassInterface iface) {
  const WellKnownTypes& known = well_known_types();
  std::vector<int> types;
  if (settings().generation_target == target_package) {
    types.push_back(known.user);
    return types;
  }
  for (int row = 0; row < handle_type_rows; ++row) {
    bool selected = type_has_class(row) || row == known.tuple;
    if (iface == class_interface_com) {
      if (row == known.untyped_object) selected = true;
      if (row == known.object || row == known.handle) selected = false;
    }
    if (selected) types.push_back(row);
  }
  return types;
}

ClassRecord build_class(int type, const OperatorList& ops, bool free_functions, unsigned bits,
                        const std::vector<int>& list_types) {
  AssemblyContext context(ops, bits, list_types);
  return assemble_class(context, type, free_functions);
}

std::unique_ptr<ClassModel> build_class_model(const OperatorList& ops, ClassInterface iface) {
  auto model = std::make_unique<ClassModel>();
  model->iface = iface;
  model->bits = class_interface_bits(iface);
  std::vector<int> types = select_class_types(iface);
  AssemblyContext context(ops, model->bits, types);
  model->classes.reserve(types.size());
  for (int type : types)
    model->classes.push_back(assemble_class(context, type, is_free_function_class(type)));
  return model;
}
