/// The module model of the Python interface: the generator's own picture of
/// the Python modules it writes (modules, functions, parameters with their
/// Python types), built from the operator model and only then written.
/// Failures while building or writing are thrown as PythonGenError; the
/// generator's entry catches them and ends the run.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "def/operator_model.h"

/// A failure of the Python generator; what() is the text reported after
/// "[Error] Python code gen error: ".
class PythonGenError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class PyKind {
  plain,
  iconic_object,
  handle,
  fixed_size_sem_tuple,
  sem_tuple,
};

enum class PyMultiplicity {
  single,
  sequence,
  maybe_sequence,
};

struct PyParameter {
  std::string name;  // snake case, "_val" appended to a Python keyword
  std::string def_name;  // the name in the definition file
  bool input = false;
  PyKind kind = PyKind::plain;
  PyMultiplicity multiplicity = PyMultiplicity::single;
  bool optional = false;
  bool raw_annotation = false;  // element_type is the whole annotation
  std::string element_type;
  std::string default_text;  // empty: no default
  std::string description;   // English
  std::string value_suggestion;
  std::string assertion;  // printed infix text, empty when absent
  std::string module;     // module of a class-typed parameter
  std::string sem_type;   // the row name of the parameter's semantic type
  int fixed_size = 0;     // value count of a fixed-size semantic tuple

  /// Iconic objects, handles and semantic tuples: their element type is a
  /// class of the interface.
  bool class_typed() const { return kind != PyKind::plain; }
};

struct PyFunction {
  std::string name;
  std::string operator_name;
  size_t proc_number = 0;
  std::vector<PyParameter> inputs;
  std::vector<PyParameter> outputs;
  int instance = -1;  // index into inputs of the method's self, -1: free function

  // Documentation, English texts.
  std::string short_description;
  std::string warnings;
  std::string attention;
  TextList alternatives;
  TextList see_also;
  TextList predecessor;
  TextList successor;
};

enum class PyModuleKind {
  plain,
  handle_class,
  fixed_size_sem_tuple_class,
  sem_tuple_class,
  iconic_object_class,
};

struct PyModule {
  std::string name;  // "operator_set", "global" or "v" + sem_type
  PyModuleKind kind = PyModuleKind::plain;
  int fixed_size = 0;
  std::string sem_type;    // class modules
  std::string class_name;  // class modules
  std::vector<PyFunction> free_functions;
  std::vector<PyFunction> methods;
  /// The module whose end binds the class modules this module uses ("vxld"
  /// for vobject); empty when the module binds them at its own end.
  std::string imports_bound_by;
  /// The module whose class modules this module's end binds ("vobject" for
  /// vxld); empty when none.
  std::string binds_imports_of;

  bool is_class_module() const { return kind != PyModuleKind::plain; }
};

/// Whether the -z class layout is in effect is passed explicitly, so that
/// the builders can be tested without touching the run's settings.
struct PyLayout {
  bool class_layout = false;
};

/// "MinGray" -> "min_gray", "lambda" -> "lambda_val".
std::string python_name(const std::string& name);
bool is_python_keyword(const std::string& name);

/// One parameter record of an operator; throws PythonGenError on a semantic
/// type that the handle-type table does not know or whose kind is invalid.
PyParameter build_parameter(const std::string& op_name, const Parameter& param,
                            const PyLayout& layout);
/// One operator as a function; a parameter failure is re-thrown with the
/// operator and parameter named.
PyFunction build_function(const Operator& op, size_t proc_number, const PyLayout& layout);

/// The name of a function inside the class module of sem_type, without the
/// words of the class (the first word of the name always stays).
std::string shorten_function_name(const std::string& name, const std::string& sem_type);

/// Groups the functions into modules, in name order of the modules. The
/// flat layout always has the module operator_set, the class layout always
/// the module global and every class module that another module uses or
/// derives from. A default stays only where every later parameter has one;
/// shortened names that collide within a class, or with a name the class
/// inherits, keep the operator's full name, and so does an inherited method
/// whose shortened name a subclass's method has as its full name.
std::vector<PyModule> group_into_modules(std::vector<PyFunction> functions,
                                         const PyLayout& layout);

/// The base class of a class module ("VHandleBase", "vobject.VObject", ...).
std::string module_base_class(const PyModule& module);
/// The module of that base class ("vobject"), empty when the base class
/// belongs to the runtime or the module has no class.
std::string base_module_name(const PyModule& module);

/// The other class modules whose classes the module's parameters use, each
/// with the class name of its converters for a fixed-size semantic tuple
/// (empty otherwise). The module of the base class is not among them.
std::map<std::string, std::string> used_class_modules(const PyModule& module);
