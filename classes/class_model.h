/// The class model: the selected operators arranged as the classes of the
/// object-oriented interfaces (C++, .NET, COM) and of the reference manual.
/// A generator asks for the class list of its interface once, owns the
/// result and only reads it; the model never changes the operator records.
///
/// Type ids are rows of the handle-type table (classes/handle_types.h) or the
/// pseudo ids type_plain_integer (-1), type_narrow_string (-2) and
/// type_wide_string (-3).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "def/operator_model.h"

/// The interfaces that build a class list. Each has a fixed bit set.
enum ClassInterface {
  class_interface_cpp,     // 0x1056
  class_interface_dotnet,  // 0x56
  class_interface_com,     // 0xFB0
};

/// The bits of an interface's bit set and what each changes.
enum ClassInterfaceBits : unsigned {
  /// A second record, the array variant, where the instance (or another
  /// parameter) has both a scalar and an array form.
  bits_array_variants = 0x02,
  /// No return parameter when the first output pairs with the next one
  /// (Row/Col, Width/Height, Red/Green; Real/Imag outside the class "any").
  bits_pair_outputs = 0x04,
  /// Set by all three interfaces; it changes nothing in the assembly and is
  /// kept in ClassModel::bits for the generators to test.
  bits_generator_reserved = 0x10,
  /// Iconic parameters whose type has no class in the list become
  /// "untyped_object" instead of "object".
  bits_untyped_object = 0x20,
  /// Methods through "object"/"xld" need a second parameter of the class;
  /// constructors are checked (stateless, forced array).
  bits_object_methods = 0x40,
  /// The tuple class gets no instance parameters.
  bits_static_tuple = 0x80,
  /// "campar" parameters become "tuple"; campar methods are static.
  bits_campar_as_tuple = 0x100,
  /// "pose" parameters become "tuple"; pose methods are static.
  bits_pose_as_tuple = 0x200,
  /// Destructors are also searched for handle classes; a class with
  /// constructors but no destructor is reported.
  bits_handle_destructors = 0x800,
  /// Narrow- and wide-string variants of methods with string parameters.
  bits_string_variants = 0x1000,
};

/// The bit set of an interface: 0x1056 C++, 0x56 .NET, 0xFB0 COM.
unsigned class_interface_bits(ClassInterface iface);

/// One parameter of a constructor or method. Its texts are views of the
/// operator record's, which outlives every class model; a record copied
/// into many methods copies no text.
struct ClassParam {
  std::string name;
  /// English description (else the first one in any language, else empty).
  std::string_view description;
  /// The default_value text as it stands.
  std::string_view default_value;
  /// Row of its semantic type after narrowing, or a pseudo type id. Control
  /// values are narrowed to what the interfaces can spell:
  ///  - handle and data-class types (kind -1, -2, n > 0, with a class) keep
  ///    their row; "campar"/"pose" become "tuple" with bits 0x100/0x200;
  ///  - other control parameters that are single-valued (multivalue "false")
  ///    and have one value type become "integer", "real", "string" or, for
  ///    the sem_type "pointer", "pointer"; all others become "tuple";
  ///  - iconic parameters keep their row when that class is in the list,
  ///    else "object" ("untyped_object" with bit 0x20);
  ///  - in the string variants the string parameters carry -2 or -3.
  int type = -1;
  /// Row of "any", or of "integer"/"real"/"pointer" when the values are
  /// known to be of that one type (the .NET loads of tuples read it).
  int pure_type = -1;
  /// The semantic type's row before narrowing (GiveClass mode 0).
  int sem_type = -1;
  bool output = false;  // kind begins with "output_"
  bool iconic = false;  // input_object or output_object
  /// Stands for several values: a handle, data class or iconic class
  /// spelled as its array class ("VShapeModelArray").
  bool array = false;
  /// Strings pass through the encoded store and load calls (the C
  /// interface's encoding suffix rule).
  bool encoded = false;
  /// Set on the instance candidate when it sits in the parameter list of a
  /// record without instance parameter (array variants, dropped instances).
  bool from_instance = false;
  /// Position within the operator's parameters of the same direction and
  /// the same kind (iconic or control), from 0; -1 when not found.
  int index = -1;
  /// The source record.
  const Parameter* param = nullptr;

  /// The parameter number of the store, init and load calls: iconic
  /// parameters count from 1, control parameters from 0, each within its
  /// own direction.
  int slot() const { return iconic ? index + 1 : index; }
};

/// A constructor, method, destructor, serialize or deserialize member.
/// Records of one operator follow each other in their list: the first
/// (scalar) record, then the narrow- and wide-string variants, then the
/// array variant.
struct ClassMethod {
  /// The operator name (snake case).
  std::string name;
  /// English short description, else the first in any language, else empty
  /// (warned once per operator and build); a view of the operator record's.
  std::string_view short_description;
  /// The operator's position in the operator list, from 0.
  int proc_number = 0;
  /// Hiding: the functionality list names this class's direct base class
  /// but not the class itself, so the member hides the base class member of
  /// the same name (.NET "new ").
  bool hiding = false;
  /// The functionality list names the class itself or its direct base (the
  /// operator set and the package class always count as named).
  bool names_class = false;
  /// The parameter that carries the object itself (its scalar form); none
  /// for static methods and free functions. The array form of the instance
  /// is no instance: it stays in `params` at its declaration position,
  /// array-flagged and with from_instance set, so the record is static.
  /// That is the case in array variants and, with bit 0x40, in the first
  /// record of an instance that only has the array form.
  std::optional<ClassParam> instance;
  /// All other parameters in declaration order, without the instance and
  /// the return parameter.
  std::vector<ClassParam> params;
  /// The output returned as function value: the first output other than
  /// the instance, in every class; none for void members and constructors.
  /// The C++ interface declares free functions void and passes this
  /// parameter at its declaration position (cpp_void_function).
  std::optional<ClassParam> return_param;
  /// The operator record.
  const Operator* op = nullptr;
  /// The wide-string variant (Windows only).
  bool windows_only = false;
  /// The array variant of an operator: the instance (and every parameter
  /// with both forms) in its array form. Made with bit 0x02 outside the
  /// tuple and free-functions classes, where something has both forms and
  /// the functionality names the class or its direct base (constructors
  /// always count as named).
  bool array_variant = false;
  /// The narrow-string variant (the wide one has windows_only).
  bool narrow_string_variant = false;
};

/// One class of the list.
struct ClassRecord {
  /// Row of the class in the handle-type table.
  int type = -1;
  /// Row whose class name is this row's base class name, -1 when none.
  int base_type = -1;
  /// The operator set and a package's class: every operator is a free
  /// function; no constructors or instance parameters.
  bool free_functions = false;
  /// Members carry the export macro one by one ("serialized_item" only).
  bool per_member_export = false;
  /// "xld_poly", "xld_cont", "xld_para", "xld_mod_para", "xld_ext_para".
  bool xld_family = false;
  /// English description from the class information, empty when none.
  std::string description;
  std::vector<ClassMethod> constructors;  // in operator order
  std::vector<ClassMethod> methods;       // in operator order
  std::optional<ClassMethod> destructor;
  /// Positions in `methods` of the serialize and deserialize members
  /// (their first record), -1 when absent.
  int serialize_index = -1;
  int deserialize_index = -1;

  const ClassMethod* serialize() const {
    return serialize_index < 0 ? nullptr : &methods[serialize_index];
  }
  const ClassMethod* deserialize() const {
    return deserialize_index < 0 ? nullptr : &methods[deserialize_index];
  }
  /// The class name from the handle-type table ("VShapeModel").
  const std::string& class_name() const;
};

/// The class list of one interface.
struct ClassModel {
  ClassInterface iface = class_interface_cpp;
  unsigned bits = 0;
  /// In ascending type order.
  std::vector<ClassRecord> classes;

  /// The class of a row, or nullptr.
  const ClassRecord* find(int type) const;
};

/// Builds the class list of an interface from the final operator list
/// (operator number = position). Reads settings(): generation target 2
/// gives the single package class; package_free_functions (-us); the number
/// of definition files (missing-destructor rule). Errors of the assembly
/// end the run with their statuses.
std::unique_ptr<ClassModel> build_class_model(const OperatorList& ops, ClassInterface iface);

/// Builds one class (type, with or without the free-functions flag) with an
/// explicit bit set; the list builder calls it per selected class. The
/// classes in `list_types` count as "in the list" for the iconic type rule.
ClassRecord build_class(int type, const OperatorList& ops, bool free_functions, unsigned bits,
                        const std::vector<int>& list_types);

/// The rows selected for an interface in the current generation target.
std::vector<int> select_class_types(ClassInterface iface);
