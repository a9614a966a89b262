// Builds the module model of the Python interface from the operator model:
// Python names and types of the parameters, one function per operator, and
// the grouping of the functions into modules (one module operator_set, or
// one module per class type plus the module global).
#include "gen/python/module_model.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <map>
#include <set>
#include <string_view>
#include <unordered_set>

#include "classes/handle_types.h"
#include "gen/expression_printer.h"
#include "driver/diagnostics.h"

namespace {

const char* const python_keywords[] = {
    "False", "None",   "True",    "and",      "as",     "assert", "async",
    "await", "break",  "class",   "continue", "def",    "del",    "elif",
    "else",  "except", "finally", "for",      "from",   "global", "if",
    "import", "in",    "is",      "lambda",   "nonlocal", "not",  "or",
    "pass",  "raise",  "return",  "try",      "while",  "with",   "yield",
};

// Words of class type names and the spellings under which they appear in
// operator names.
const std::map<std::string, std::vector<std::string>>& word_equivalents() {
  static const std::map<std::string, std::vector<std::string>> table = {
      {"barcode", {"bar", "code"}},  {"campar", {"cam", "par"}},
      {"cont", {"contour", "contours"}}, {"dist", {"distance"}},
      {"estimation", {"esti"}},      {"feature", {"sampset"}},
      {"function", {"funct"}},       {"object", {"obj"}},
      {"para", {"parallels"}},       {"poly", {"polygon"}},
      {"quaternion", {"quat"}},      {"trans", {"transform"}},
  };
  return table;
}

// Defaults of class-layout inputs, by Python name.
const char* default_for(const std::string& name, PyMultiplicity multiplicity) {
  if (name == "gen_param_name") return multiplicity == PyMultiplicity::single ? "''" : "[]";
  if (name == "gen_param_value") return "[]";
  if (name == "gen_param") return "{}";
  return nullptr;
}

const std::string* english_text(const TaggedList<std::string>& texts) {
  for (const Tagged<std::string>& text : texts)
    if (text.language == "english") return &text.value;
  return nullptr;
}

// input_object and input_control.
bool is_input(const Parameter& param) { return !param.kind.empty() && param.kind[0] == 'i'; }

std::string english_or_empty(const TaggedList<std::string>& texts) {
  const std::string* text = english_text(texts);
  return text != nullptr ? *text : std::string();
}

PyMultiplicity multiplicity_of(const std::string& text) {
  if (!text.empty() && text[0] == 'f') return PyMultiplicity::single;
  if (!text.empty() && text[0] == 't') return PyMultiplicity::sequence;
  return PyMultiplicity::maybe_sequence;
}

PyKind kind_of(int id, const std::string& row_name, const PyLayout& layout) {
  int kind = type_kind(id);
  if (kind == kind_plain) return PyKind::plain;
  if (kind == kind_iconic) return PyKind::iconic_object;
  // The sem_type "handle" and the handle types without a class (thread_id,
  // dev_tool) are plain handles.
  if (kind == kind_handle) {
    return row_name == "handle" || type_class_name(id).empty() ? PyKind::plain : PyKind::handle;
  }
  if (kind == kind_variable_data) return layout.class_layout ? PyKind::sem_tuple : PyKind::plain;
  if (kind > 0) return layout.class_layout ? PyKind::fixed_size_sem_tuple : PyKind::plain;
  throw PythonGenError("Invalid hst class handle val: " + std::to_string(kind));
}

// The element type of a plain parameter, from its type_list.
void set_plain_element_type(PyParameter& p, const std::string& op_name, const Parameter& param,
                            const PyLayout& layout) {
  bool any_type = param.type_list.empty();
  if (any_type) {
    report_warning("Missing type_list for op: %s param: %s\n", op_name.c_str(),
                   param.name.c_str());
  }
  std::vector<std::string> names;
  bool seen[4] = {false, false, false, false};
  for (const std::string& entry : param.type_list) {
    char first = entry.empty() ? '\0' : entry[0];
    if (first == 'i') {
      names.push_back("int");
      seen[0] = true;
    } else if (first == 'r') {
      names.push_back("float");
      seen[1] = true;
    } else if (first == 's') {
      names.push_back("str");
      seen[2] = true;
    } else {
      names.push_back(layout.class_layout ? "VHandleBase" : "VHandle");
      seen[3] = true;
    }
  }
  if (seen[0] && seen[1] && seen[2] && seen[3]) any_type = true;
  if (any_type) {
    if (p.multiplicity == PyMultiplicity::maybe_sequence) {
      p.element_type = "VTupleType";
      p.raw_annotation = true;
    } else {
      p.element_type = "VTupleElementType";
    }
    return;
  }
  if (names.size() == 1) {
    p.element_type = names[0];
    return;
  }
  p.element_type = "Union[";
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) p.element_type += ", ";
    p.element_type += names[i];
  }
  p.element_type += "]";
}

// A parameter must not hide a name that the function's body uses: the call
// context, self, the runtime's sequence helper (and isinstance, which picks
// one value or a sequence) and the modules of the classes it returns. Such
// a parameter gets "_val" appended, as a keyword does, until its name is
// free.
void keep_body_names_visible(PyFunction& f, const PyLayout& layout) {
  std::set<std::string> body_names = {"proc", "self"};
  if (layout.class_layout) {
    body_names.insert({"sem_tuples_to_sequence", "isinstance"});
    for (const PyParameter& p : f.outputs)
      if (p.class_typed()) body_names.insert(p.module);
  }
  std::set<std::string> names;
  for (const auto* list : {&f.inputs, &f.outputs})
    for (const PyParameter& p : *list) names.insert(p.name);
  for (auto* list : {&f.inputs, &f.outputs}) {
    for (PyParameter& p : *list) {
      if (body_names.count(p.name) == 0) continue;
      names.erase(p.name);
      while (body_names.count(p.name) != 0 || names.count(p.name) != 0) p.name += "_val";
      names.insert(p.name);
    }
  }
}

}  // namespace

bool is_python_keyword(const std::string& name) {
  // Asked for every parameter of every signature: a hashed set, not a scan.
  static const std::unordered_set<std::string_view> keywords(std::begin(python_keywords),
                                                             std::end(python_keywords));
  return keywords.count(name) != 0;
}

std::string python_name(const std::string& name) {
  // A word begins at an upper-case letter or digit that does not continue a
  // run of them; an underscore of the definition name separates words too.
  std::string result;
  result.reserve(name.size() + name.size() / 2);
  bool in_run = false;
  bool word_open = false;
  for (char c : name) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '_') {
      word_open = false;
      in_run = false;
      continue;
    }
    bool starts = std::isupper(u) || std::isdigit(u);
    if ((starts && !in_run) || !word_open) {
      if (!result.empty()) result += '_';
      word_open = true;
    }
    in_run = starts;
    result += static_cast<char>(std::tolower(u));
  }
  if (is_python_keyword(result)) result += "_val";
  return result;
}

PyParameter build_parameter(const std::string& op_name, const Parameter& param,
                            const PyLayout& layout) {
  PyParameter p;
  p.def_name = param.name;
  p.name = python_name(param.name);
  p.input = is_input(param);

  int id = GiveClass(param.sem_type.c_str(), 0);
  if (id < 0 || id >= handle_type_rows) throw PythonGenError("Invalid semtype: " + param.sem_type);
  p.sem_type = type_name(id);
  p.kind = kind_of(id, p.sem_type, layout);

  if (p.kind == PyKind::iconic_object) {
    p.multiplicity = PyMultiplicity::single;
  } else if (p.kind == PyKind::sem_tuple || p.kind == PyKind::fixed_size_sem_tuple) {
    p.multiplicity = multiplicity_of(param.extras().multiinstance);
  } else {
    p.multiplicity = multiplicity_of(param.multivalue);
  }

  const std::string& class_name = type_class_name(id);
  switch (p.kind) {
    case PyKind::iconic_object:
      p.element_type = layout.class_layout ? class_name : "VObject";
      p.module = layout.class_layout ? "v" + p.sem_type : "vobject";
      break;
    case PyKind::handle:
      p.element_type = layout.class_layout ? class_name : "VHandle";
      p.module = layout.class_layout ? "v" + p.sem_type : "vhandle";
      break;
    case PyKind::fixed_size_sem_tuple:
    case PyKind::sem_tuple:
      // Only the class layout has these kinds.
      p.element_type = class_name;
      p.module = "v" + p.sem_type;
      if (p.kind == PyKind::fixed_size_sem_tuple) p.fixed_size = type_kind(id);
      if (p.kind == PyKind::sem_tuple && !p.input &&
          p.multiplicity != PyMultiplicity::single) {
        p.element_type = "VTupleType";
        p.raw_annotation = true;
      }
      break;
    case PyKind::plain:
      set_plain_element_type(p, op_name, param, layout);
      break;
  }

  if (layout.class_layout && p.input) {
    const char* default_text = default_for(p.name, p.multiplicity);
    if (default_text != nullptr) p.default_text = default_text;
  }
  if (param.descriptions.empty()) {
    report_warning("Missing documentation for op: %s\n", op_name.c_str());
  }
  p.description = english_or_empty(param.descriptions);
  p.value_suggestion = param.default_value;
  if (!param.assertion.empty()) p.assertion = print_expression(param.assertion);
  return p;
}

PyFunction build_function(const Operator& op, size_t proc_number, const PyLayout& layout) {
  PyFunction f;
  f.name = op.name;
  f.operator_name = op.name;
  f.proc_number = proc_number;
  const OperatorInfo& info = *op.info;
  size_t input_count = 0;
  for (const Parameter& param : info.params) input_count += is_input(param) ? 1 : 0;
  f.inputs.reserve(input_count);
  f.outputs.reserve(info.params.size() - input_count);
  for (const Parameter& param : info.params) {
    PyParameter p;
    try {
      p = build_parameter(op.name, param, layout);
    } catch (const std::exception& inner) {
      throw PythonGenError("Failed to preprocess param, op: " + op.name +
                           " param: " + param.name + " error: " + inner.what());
    }
    (p.input ? f.inputs : f.outputs).push_back(std::move(p));
  }
  keep_body_names_visible(f, layout);
  f.short_description = english_or_empty(info.short_descriptions);
  f.warnings = english_or_empty(info.warnings);
  f.attention = english_or_empty(info.attention);
  f.alternatives = info.alternatives;
  f.see_also = info.see_also;
  f.predecessor = info.predecessor;
  f.successor = info.successor;
  return f;
}

std::string shorten_function_name(const std::string& name, const std::string& sem_type) {
  std::vector<std::string> class_words;
  size_t start = 0;
  while (true) {
    size_t end = sem_type.find('_', start);
    std::string word = sem_type.substr(start, end == std::string::npos ? end : end - start);
    class_words.push_back(word);
    auto equivalents = word_equivalents().find(word);
    if (equivalents != word_equivalents().end()) {
      class_words.insert(class_words.end(), equivalents->second.begin(),
                         equivalents->second.end());
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  std::string result;
  start = 0;
  bool first = true;
  while (true) {
    size_t end = name.find('_', start);
    std::string word = name.substr(start, end == std::string::npos ? end : end - start);
    bool class_word =
        std::find(class_words.begin(), class_words.end(), word) != class_words.end();
    if (first) {
      result = word;
    } else if (!class_word) {
      result += "_" + word;
    }
    first = false;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  // A shortened name that is a Python keyword ("or", "is") cannot be a
  // method name; such a function keeps its full name.
  if (is_python_keyword(result)) return name;
  return result;
}

namespace {

// The class module of a semantic type that has a class of the interface.
PyModule class_module(const std::string& sem_type) {
  PyModule m;
  m.name = "v" + sem_type;
  m.sem_type = sem_type;
  int id = GiveClass(sem_type.c_str(), 0);
  m.class_name = type_class_name(id);
  int kind = type_kind(id);
  if (kind == kind_iconic) {
    m.kind = PyModuleKind::iconic_object_class;
  } else if (kind == kind_handle) {
    m.kind = PyModuleKind::handle_class;
  } else if (kind == kind_variable_data) {
    m.kind = PyModuleKind::sem_tuple_class;
  } else if (kind > 0) {
    m.kind = PyModuleKind::fixed_size_sem_tuple_class;
    m.fixed_size = kind;
  }
  return m;
}

// A default may only stand where every later parameter of the signature has
// one too; the generic parameters often come before required ones.
void drop_defaults_before_required(PyFunction& f) {
  bool later_required = false;
  for (size_t i = f.inputs.size(); i-- > 0;) {
    if (static_cast<int>(i) == f.instance) continue;
    PyParameter& p = f.inputs[i];
    if (p.default_text.empty()) {
      later_required = true;
    } else if (later_required) {
      p.default_text.clear();
    }
  }
}

// The modules of the classes a module's functions use.
std::set<std::string> parameter_modules(const PyModule& m) {
  std::set<std::string> used;
  for (const auto* functions : {&m.free_functions, &m.methods})
    for (const PyFunction& f : *functions)
      for (const auto* list : {&f.inputs, &f.outputs})
        for (const PyParameter& p : *list)
          if (p.class_typed()) used.insert(p.sem_type);
  return used;
}

// Every module that another module imports or derives from is written, with
// its class, even when no function of its own is grouped into it.
void add_used_modules(std::map<std::string, PyModule>& modules) {
  std::vector<std::string> pending;
  for (const auto& entry : modules) pending.push_back(entry.first);
  while (!pending.empty()) {
    const PyModule& m = modules.at(pending.back());
    pending.pop_back();
    std::set<std::string> used = parameter_modules(m);
    std::string base = base_module_name(m);
    if (!base.empty()) used.insert(base.substr(1));  // the sem_type after "v"
    for (const std::string& sem_type : used) {
      if (modules.count("v" + sem_type) != 0) continue;
      modules.emplace("v" + sem_type, class_module(sem_type));
      pending.push_back("v" + sem_type);
    }
  }
}

// Number of base classes between a class module and the runtime's classes.
int depth(const std::map<std::string, PyModule>& modules, const PyModule& m) {
  std::string base = base_module_name(m);
  auto found = modules.find(base);
  return found == modules.end() ? 0 : 1 + depth(modules, found->second);
}

// Shortened names that collide, with each other or with a name the class
// inherits, go back to the operator's full name until no collision is left,
// so that no later definition hides an earlier one. Returns whether a name
// changed.
bool restore_colliding_names(std::vector<PyFunction>& functions,
                             const std::set<std::string>& taken) {
  bool any = false;
  bool changed = true;
  while (changed) {
    changed = false;
    std::map<std::string, int> count;
    for (const PyFunction& f : functions) ++count[f.name];
    for (PyFunction& f : functions) {
      if (f.name == f.operator_name) continue;
      if (count[f.name] > 1 || taken.count(f.name) != 0) {
        f.name = f.operator_name;
        changed = true;
        any = true;
      }
    }
  }
  return any;
}

// Member names of the runtime's base classes that the generated bodies call.
const std::set<std::string>& runtime_member_names() {
  static const std::set<std::string> names = {"as_sequence"};
  return names;
}

// The class modules that m derives from, nearest first.
std::vector<PyModule*> base_modules(std::map<std::string, PyModule>& modules, const PyModule& m) {
  std::vector<PyModule*> bases;
  for (auto base = modules.find(base_module_name(m)); base != modules.end();
       base = modules.find(base_module_name(base->second))) {
    bases.push_back(&base->second);
  }
  return bases;
}

// A method must not hide one its class inherits: on the subclass's
// instances the inherited operator would be out of reach, and the type
// checker refuses the override. A shortened name that meets an inherited
// name goes back to its operator's full name. A full name that meets one
// cannot change (operator names are unique, so the inherited method has a
// shortened name of another operator): that method goes back to its full
// name instead, which may in turn collide elsewhere, so the names are
// checked again until none changes.
void resolve_name_collisions(std::map<std::string, PyModule>& modules) {
  // Base classes first: a subclass checks against its bases' names.
  std::vector<PyModule*> order;
  for (auto& entry : modules) order.push_back(&entry.second);
  std::stable_sort(order.begin(), order.end(), [&](const PyModule* a, const PyModule* b) {
    return depth(modules, *a) < depth(modules, *b);
  });
  bool changed = true;
  while (changed) {
    changed = false;
    for (PyModule* m : order) {
      std::vector<PyModule*> bases = base_modules(modules, *m);
      std::set<std::string> inherited = runtime_member_names();
      for (const PyModule* base : bases)
        for (const PyFunction& f : base->methods) inherited.insert(f.name);
      changed |= restore_colliding_names(m->methods, inherited);
      changed |= restore_colliding_names(m->free_functions, {});
      for (const PyFunction& f : m->methods) {
        if (f.name != f.operator_name) continue;
        for (PyModule* base : bases) {
          for (PyFunction& hidden : base->methods) {
            if (hidden.name != f.name || hidden.name == hidden.operator_name) continue;
            hidden.name = hidden.operator_name;
            changed = true;
          }
        }
      }
    }
  }
}

// Where a module binds the other class modules it uses. One rule for every
// module: a name that an annotation or a body uses is a module, bound in
// the module's globals by a module-level import ("from . import vregion",
// never the class), so that typing.get_type_hints resolves it once the
// import that loaded the module is done. Only a base class is needed while
// a module loads: its module is imported at the top, and the class modules
// it uses at its end, after its own class.
//
// An import at the end can fail only by loading a module whose base class
// does not exist yet. A class does not exist while its module imports its
// base's module; the modules loaded meanwhile are those of the base chain
// and whatever their ends load. So the end of a module must load no
// subclass of a class that derives from its own: importing that class's
// module first would reach the subclass before the class exists. The end
// of vobject is such an end (vxld first: vobject, then vregion, then
// vxld_cont, whose base VXLD is still missing), as the modules vobject uses
// may lead there through their own ends; and vobject's code runs the same
// whether vxld or vobject is imported first, so it cannot bind them itself.
// Its imports therefore wait for the class in between: vobject defines them
// in _import_class_modules, ends by importing vxld, and the end of vxld,
// where no class that has subclasses is unfinished, calls it. Whichever
// module is imported first, VXLD exists when they run, and vxld has run its
// end before that import is done. VObject and VXLD are the only classes
// with subclasses (module_base_class), so vobject is the only module that
// waits, and only when it uses other class modules.
void defer_imports_below_intermediate_classes(std::map<std::string, PyModule>& modules) {
  for (auto& entry : modules) {
    PyModule& base = entry.second;
    if (used_class_modules(base).empty()) continue;
    for (auto& derived : modules) {
      if (base_module_name(derived.second) != base.name) continue;
      for (const auto& grandchild : modules) {
        if (base_module_name(grandchild.second) != derived.first) continue;
        base.imports_bound_by = derived.first;
        derived.second.binds_imports_of = base.name;
      }
    }
  }
}

}  // namespace

std::vector<PyModule> group_into_modules(std::vector<PyFunction> functions,
                                         const PyLayout& layout) {
  std::map<std::string, PyModule> modules;
  if (!layout.class_layout) {
    PyModule& flat = modules["operator_set"];
    flat.name = "operator_set";
    flat.free_functions = std::move(functions);
  } else {
    modules["global"].name = "global";
    for (PyFunction& f : functions) {
      const PyParameter* owner = nullptr;
      for (size_t i = 0; i < f.inputs.size() && owner == nullptr; ++i) {
        if (f.inputs[i].class_typed()) {
          owner = &f.inputs[i];
          f.instance = static_cast<int>(i);
        }
      }
      for (size_t i = 0; i < f.outputs.size() && owner == nullptr; ++i)
        if (f.outputs[i].class_typed()) owner = &f.outputs[i];
      drop_defaults_before_required(f);
      if (owner == nullptr) {
        modules["global"].free_functions.push_back(std::move(f));
        continue;
      }
      auto found = modules.find(owner->module);
      if (found == modules.end()) {
        found = modules.emplace(owner->module, class_module(owner->sem_type)).first;
      }
      PyModule& m = found->second;
      f.name = shorten_function_name(f.name, m.sem_type);
      if (f.instance >= 0) {
        m.methods.push_back(std::move(f));
      } else {
        m.free_functions.push_back(std::move(f));
      }
    }
    add_used_modules(modules);
    resolve_name_collisions(modules);
    defer_imports_below_intermediate_classes(modules);
  }
  std::vector<PyModule> result;
  for (auto& entry : modules) result.push_back(std::move(entry.second));
  return result;
}

std::string base_module_name(const PyModule& module) {
  if (!module.is_class_module()) return "";
  std::string base = module_base_class(module);
  size_t point = base.find('.');
  return point == std::string::npos ? "" : base.substr(0, point);
}

std::map<std::string, std::string> used_class_modules(const PyModule& module) {
  std::string base = base_module_name(module);
  std::map<std::string, std::string> used;
  for (const auto* functions : {&module.free_functions, &module.methods}) {
    for (const PyFunction& f : *functions) {
      for (const auto* list : {&f.inputs, &f.outputs}) {
        for (const PyParameter& p : *list) {
          if (!p.class_typed() || p.module == module.name || p.module == base) continue;
          std::string& converters = used[p.module];
          if (p.kind == PyKind::fixed_size_sem_tuple) converters = p.element_type;
        }
      }
    }
  }
  return used;
}

std::string module_base_class(const PyModule& module) {
  const std::string& name = module.class_name;
  switch (module.kind) {
    case PyModuleKind::iconic_object_class:
      if (name.size() > 1 && name[1] == 'O') return "VObjectBase";
      if (name.size() > 4 && name[1] == 'X') return "vxld.VXLD";
      return "vobject.VObject";
    case PyModuleKind::handle_class:
      return "VHandleBase";
    case PyModuleKind::fixed_size_sem_tuple_class:
    case PyModuleKind::sem_tuple_class:
      return "VSemTupleBase";
    case PyModuleKind::plain:
      break;
  }
  throw PythonGenError("MapParamBaseClass unreachable");
}
