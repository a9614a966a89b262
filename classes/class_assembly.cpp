// Class assembly: arranges the operator list into the classes of the
// object-oriented interfaces (constructors, destructor, methods,
// serialisation). The full rules are being filled in; this first form
// selects the classes and returns them empty.
#include "classes/class_model.h"

#include "classes/handle_types.h"
#include "driver/settings.h"

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

ClassRecord build_class(int type, const OperatorList&, bool free_functions, unsigned,
                        const std::vector<int>&) {
  ClassRecord record;
  record.type = type;
  record.base_type = GiveClass(type_base_class_name(type).c_str(), 1);
  record.free_functions = free_functions;
  return record;
}

std::unique_ptr<ClassModel> build_class_model(const OperatorList& ops, ClassInterface iface) {
  auto model = std::make_unique<ClassModel>();
  model->iface = iface;
  model->bits = class_interface_bits(iface);
  std::vector<int> types = select_class_types(iface);
  const WellKnownTypes& known = well_known_types();
  for (int type : types) {
    bool free_functions = type == known.operator_set || type == known.user;
    model->classes.push_back(build_class(type, ops, free_functions, model->bits, types));
  }
  return model;
}
