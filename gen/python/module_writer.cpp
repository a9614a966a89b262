// Writes one module of the Python interface after its banner: the typing
// and runtime imports, the import of its base class's module, the
// converters of a fixed-size semantic-tuple class, its free functions, its
// class with the methods and, last, the imports of the other class modules
// it uses.
#include <map>

#include "gen/python/python_writers.h"

namespace {

// Handle classes derive from VHandleBase, and plain handle parameters of the
// class layout are annotated with it; the module must then import it.
bool uses_handle_base(const PyModule& module) {
  if (module.name == "vhandle" || module.kind == PyModuleKind::handle_class) return true;
  for (const auto* functions : {&module.free_functions, &module.methods})
    for (const PyFunction& f : *functions)
      for (const auto* list : {&f.inputs, &f.outputs})
        for (const PyParameter& p : *list)
          if (!p.class_typed() && p.element_type.find("VHandleBase") != std::string::npos)
            return true;
  return false;
}

void write_runtime_imports(Writer& out, const PyModule& module, const PyLayout& layout) {
  out.write("\n# mypy: no-warn-unused-ignores\n");
  out.write("\n");
  out.write("from typing import Sequence, Tuple, Optional, Union\n");
  out.write("\n");
  out.write(
      "from .ffi import (\n    VornixOperator,\n    VTupleElementType,\n    VTupleType,\n)\n\n"
      "from .util import MaybeSequence\n");
  if (layout.class_layout) out.write("from .mixin import sem_tuples_to_sequence\n");

  if (module.name == "vobject") {
    out.write("\nfrom typing import Generator\n\n");
    out.write("from .ffi import VObjectBase, VError\n");
    out.write("from .util import slice_to_index_list\n");
  }
  if (uses_handle_base(module)) out.write("from .ffi import VHandleBase\n");
  if (layout.class_layout && module.kind == PyModuleKind::handle_class) {
    out.write("from .mixin import register_handle_class\n");
  }
  if (module.kind == PyModuleKind::fixed_size_sem_tuple_class ||
      module.kind == PyModuleKind::sem_tuple_class) {
    out.write("from .mixin import VSemTupleBase\n");
  }
}

// Only the class statement needs another module while the module loads:
// the module of the base class is imported at the top. The modules used in
// annotations and bodies are bound at the end, once the module's own class
// exists (see defer_imports_below_intermediate_classes for the rule and for
// the module that binds them in another module's stead); the type checker
// learns those of a module whose imports wait from its top.
void write_top_imports(Writer& out, const PyModule& module, const PyLayout& layout) {
  if (!layout.class_layout) {
    out.write("from .vhandle import VHandle\n");
    out.write("from .vobject import VObject\n");
    return;
  }
  std::string base = base_module_name(module);
  if (!base.empty()) write_module_import(out, "", base, "");
  if (!module.imports_bound_by.empty()) {
    out.write("from typing import TYPE_CHECKING\n");
    out.write("if TYPE_CHECKING:\n");
    for (const auto& entry : used_class_modules(module)) {
      write_module_import(out, "    ", entry.first, "");
    }
  }
}

// The imports of a module whose imports wait: a function that binds them
// in the module's globals, and the import of the module that calls it.
void write_deferred_imports(Writer& out, const PyModule& module) {
  std::map<std::string, std::string> used = used_class_modules(module);
  out.write("\ndef _import_class_modules() -> None:\n");
  out.put("    \"\"\"Binds the class modules used here; the end of %s calls it.\"\"\"\n",
          module.imports_bound_by.c_str());
  std::string names;
  for (const auto& [name, converters] : used) {
    names += (names.empty() ? "" : ", ") + name;
    if (!converters.empty()) {
      names += ", " + converters + "_from_raw_s, " + converters + "_from_raw_m";
    }
  }
  out.put("    global %s\n", names.c_str());
  for (const auto& [name, converters] : used) write_module_import(out, "    ", name, converters);
  out.write("\n\n");
  write_module_import(out, "", module.imports_bound_by, "");
}

void write_end_imports(Writer& out, const PyModule& module, const PyLayout& layout) {
  if (!layout.class_layout) return;
  if (!module.imports_bound_by.empty()) {
    write_deferred_imports(out, module);
    return;
  }
  std::map<std::string, std::string> used = used_class_modules(module);
  if (used.empty() && module.binds_imports_of.empty()) return;
  out.write("\n");
  for (const auto& [name, converters] : used) write_module_import(out, "", name, converters);
  if (!module.binds_imports_of.empty()) {
    out.put("%s._import_class_modules()\n", module.binds_imports_of.c_str());
  }
}

void write_converters(Writer& out, const PyModule& module) {
  const char* c = module.class_name.c_str();
  int n = module.fixed_size;
  out.put(
      "\n\ndef %s_from_raw_s(\n    sequence: Sequence[VTupleElementType]\n) -> '%s':\n"
      "    \"\"\"Turns a sequence of values into a single %s.\"\"\"\n"
      "    assert len(sequence) == %d\n\n    return %s(sequence)\n",
      c, c, c, n, c);
  out.put(
      "\n\ndef %s_from_raw_m(\n    sequence: Sequence[VTupleElementType]\n) -> Sequence['%s']:\n"
      "    \"\"\"Turns a sequence of values into a sequence of %s.\"\"\"\n"
      "    length = len(sequence)\n    assert length != 0\n    assert length %% %d == 0\n\n"
      "    return [%s(sequence[i:i + %d]) for i in range(0, length, %d)]\n",
      c, c, c, n, c, n, n);
}

// The class of a class module with its methods; a handle class registers
// itself with the runtime.
void write_class(Writer& out, const PyModule& module, const PyLayout& layout) {
  out.put("\n\nclass %s(%s):\n", module.class_name.c_str(), module_base_class(module).c_str());
  if (module.class_name == "VObject") {
    // The blank line after the placeholder keeps a following method off its
    // line.
    out.write("    \"\"\"TODO snippet files\"\"\"\n\n");
  } else {
    out.put("    \"\"\"VORNIX %s class.\"\"\"\n\n", module.class_name.c_str());
  }
  for (const PyFunction& f : module.methods) {
    write_function(out, f, "    ", "        ", module.name, layout);
    out.write("\n");
  }
  if (layout.class_layout && module.kind == PyModuleKind::handle_class) {
    out.put("\nregister_handle_class('%s', %s)\n", module.sem_type.c_str(),
            module.class_name.c_str());
  }
}

}  // namespace

void write_module(Writer& out, const PyModule& module, const PyLayout& layout) {
  write_runtime_imports(out, module, layout);
  write_top_imports(out, module, layout);
  if (module.kind == PyModuleKind::fixed_size_sem_tuple_class) write_converters(out, module);
  for (const PyFunction& f : module.free_functions) {
    out.write("\n\n");
    write_function(out, f, "", "    ", module.name, layout);
  }
  if (module.is_class_module()) write_class(out, module, layout);
  write_end_imports(out, module, layout);
}

void write_errors_module(Writer& out, const std::vector<ErrorDefinition>& entries) {
  out.write("# Note: According to the PEP8, constants are usually defined\n");
  out.write("# on a module level and written in all capital letters with\n");
  out.write("# underscores separating words.\n");
  out.write("\n");
  out.write("# Above is a convention, it doesn't actually prevent reassignment.\n\n");
  // No line break after the last constant.
  for (const ErrorDefinition& entry : entries) {
    out.write("\n#: ");
    out.write(entry.comment);
    out.put("\n%s = %s", entry.name.c_str(), entry.value.c_str());
  }
}
