// The entry of the Python interface generator. It turns every operator into
// a function of the module model, groups the functions into modules, writes
// each module and then errors.py. Failures inside the generator are
// exceptions; they are reported once, here, and end the run.
#include "gen/python/python_interface.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "driver/diagnostics.h"
#include "driver/output.h"
#include "driver/settings.h"
#include "gen/dotnet/error_definitions.h"
#include "gen/python/module_model.h"
#include "gen/python/python_writers.h"

namespace {

// A new file of the current directory, written as its text grows.
Writer create_file(const std::string& name) {
  std::optional<Writer> out = try_open_output_file(name);
  if (!out) throw PythonGenError("Failed to open for writing: " + name);
  return std::move(*out);
}

std::vector<PyFunction> build_functions(const OperatorList& ops, const PyLayout& layout) {
  std::vector<PyFunction> functions;
  functions.reserve(ops.size());
  for (size_t number = 0; number < ops.size(); ++number) {
    const Operator& op = *ops[number];
    // Operators of the old definition files keep their numbers but get no
    // function.
    if (op.info->def_file.find("Old.def") != std::string::npos) continue;
    functions.push_back(build_function(op, number, layout));
  }
  return functions;
}

void write_module_file(const PyModule& module, const PyLayout& layout) {
  Writer out = create_file(module.name + ".py");
  write_banner(out, banner_python);
  write_module(out, module, layout);
  out.close();
}

void write_errors_file() {
  std::vector<ErrorDefinition> entries = read_error_definitions(error_definition_text());
  Writer out = create_file("errors.py");
  write_errors_module(out, entries);
  out.close();
}

}  // namespace

void write_python_interface(const OperatorList& ops) {
  try {
    if (settings().generation_target == target_package) {
      report_warning("Extension packages not supported for Python");
    }
    PyLayout layout;
    layout.class_layout = settings().python_flag;
    std::vector<PyModule> modules = group_into_modules(build_functions(ops, layout), layout);
    for (const PyModule& module : modules) write_module_file(module, layout);
    write_errors_file();
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "[Error] Python code gen error: %s\n", failure.what());
    std::exit(1);
  }
}
