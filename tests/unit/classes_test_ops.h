// Small hand-built operator sets for the class-assembly tests: operators
// with parameters and functionality lists made directly, without the
// definition parser.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "classes/class_model.h"
#include "classes/handle_types.h"
#include "def/operator_model.h"
#include "driver/settings.h"

/// One operator under construction; par() adds a parameter in declaration
/// order (callers give the groups in order: input objects, output objects,
/// input controls, output controls).
class OpBuilder {
 public:
  explicit OpBuilder(const std::string& name) : op_(new Operator) {
    op_->name = name;
    op_->function = name;
    op_->info = std::make_unique<OperatorInfo>();
    op_->info->short_descriptions.push_back({"english", "Summary of " + name + "."});
  }

  /// kind: "io", "oo", "ic", "oc".
  OpBuilder& par(const char* kind, const std::string& name, const std::string& sem_type,
                 std::vector<std::string> type_list = {}, const std::string& multivalue = "false",
                 const std::string& default_type = "", const std::string& multiinstance = "") {
    Parameter param;
    std::string k = kind;
    int group = k == "io" ? 0 : k == "oo" ? 1 : k == "ic" ? 2 : 3;
    param.group = group;
    param.kind = param_kind_text(group);
    param.name = name;
    param.sem_type = sem_type;
    param.type_list = std::move(type_list);
    param.multivalue = multivalue;
    param.default_type = default_type;
    param.edit_extras().multiinstance = multiinstance;
    param.descriptions.push_back({"english", "Description of " + name + "."});
    op_->info->params.push_back(std::move(param));
    op_->counts[group]++;
    return *this;
  }
  /// A handle parameter with "handle" in its type list.
  OpBuilder& handle(const char* kind, const std::string& name, const std::string& sem_type,
                    const std::string& multivalue = "false") {
    return par(kind, name, sem_type, {"handle"}, multivalue, "handle");
  }
  OpBuilder& functionality(std::initializer_list<const char*> names) {
    for (const char* name : names) op_->info->functionality.push_back(name);
    return *this;
  }
  OpBuilder& no_summary() {
    op_->info->short_descriptions.clear();
    return *this;
  }
  std::unique_ptr<Operator> take() { return std::move(op_); }

 private:
  std::unique_ptr<Operator> op_;
};

/// The operator list of one test; owns its operators.
struct OpSet {
  std::vector<std::unique_ptr<Operator>> storage;
  OperatorList list;

  OpSet& add(OpBuilder& builder) {
    storage.push_back(builder.take());
    list.push_back(storage.back().get());
    return *this;
  }
  OpSet& add(OpBuilder&& builder) { return add(builder); }
};

/// Resets the settings the assembly reads and the handle-type table.
inline void reset_class_settings(int target = target_library) {
  Settings& s = mutable_settings();
  s.generation_target = target;
  s.package_free_functions = false;
  s.warnings_suppressed = false;
  s.package_name = "demo";
  s.def_files.clear();
  init_handle_types("demo");
}

inline int row(const char* name) { return GiveClass(name, 0); }

/// The records of an operator in a list, in list order.
inline std::vector<const ClassMethod*> records_of(const std::vector<ClassMethod>& list,
                                                  const std::string& name) {
  std::vector<const ClassMethod*> found;
  for (const ClassMethod& method : list)
    if (method.name == name) found.push_back(&method);
  return found;
}

inline std::vector<int> all_rows() {
  std::vector<int> rows;
  for (int r = 0; r < handle_type_rows; ++r) rows.push_back(r);
  return rows;
}
