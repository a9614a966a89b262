// The entry of the COM interface generator. It builds the COM class list,
// checks that the library block and every class carry the identifiers the
// server registers, and writes the files in their fixed order: a package's
// module source, the IDL, resource.h, the library build's index headers,
// the resource script, the clean-up list, the module definition files, the
// registry scripts and the ATL class files.
#include "gen/com/com_interface.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "classes/class_model.h"
#include "classes/handle_types.h"
#include "driver/comment_text.h"
#include "driver/diagnostics.h"
#include "driver/output.h"
#include "driver/settings.h"
#include "gen/com/com_writers.h"

namespace {

/// Files that are no C, IDL or resource source (registry scripts, module
/// definitions, the clean-up list) carry no banner and are created here,
/// with their own message when that fails.
void save_plain_file(const std::string& name, const Writer& text, const char* failure_format) {
  if (!save_output_file(name, text.text())) {
    report_error(failure_format, name.c_str());
    fail(1);
  }
}

int position_of(const OperatorList& ops, const char* name) {
  for (size_t i = 0; i < ops.size(); ++i)
    if (ops[i]->name == name) return static_cast<int>(i);
  return -1;
}

/// The names and library values of this run. A package needs its own
/// library block with a LIBID.
ComBuild make_build(const OperatorList& ops, const ClassModel& model) {
  const LibraryDescription& library = ::model().library;
  ComBuild build;
  build.package = settings().generation_target == target_package;
  build.copy_obj = position_of(ops, "copy_obj");
  if (!library.version_major.empty()) build.version_major = library.version_major;
  if (!library.version_minor.empty()) build.version_minor = library.version_minor;
  if (!build.package) {
    build.project = "VornixX";
    build.module_base = "vornix";
    build.library_name = "VORNIXXLib";
    build.library_id = library_type_library_id;
    return build;
  }
  const std::string& package = settings().package_name;
  build.project = package + "X";
  build.module_base = package;
  build.library_name = package + "XLib";
  if (library.library_id.empty()) {
    report_error("VORNIX/COM requires a library block with LIBID\n");
    std::exit(2);
  }
  build.library_id = library.library_id;
  const std::string& text = !library.english_description.empty() || model.classes.empty()
                                ? library.english_description
                                : model.classes.front().description;
  build.description = convert_comment_text(text, false, true);
  return build;
}

/// Every class registers its class and interface identifiers.
void check_class_information(const ClassModel& model) {
  for (const ClassRecord& record : model.classes) {
    const ClassDescription* info = type_class_info(record.type);
    if (info == nullptr || !info->class_id || !info->interface_id) {
      report_error("no class_info for %s found.\n", type_name(record.type).c_str());
      std::exit(2);
    }
  }
}

void write_makefile_only(const ClassModel& model) {
  const char* name = "comint_gen_classes.mak";
  std::printf("Generating makefile include %s for comint\n", name);
  Writer out = open_output_file(name, nullptr, banner_none, true);
  write_makefile_list(out, model);
  out.close();
}

void write_library_indexes(const ClassModel& model) {
  Writer classes = open_output_file("VornixXClasses.h", nullptr, banner_com, true);
  write_class_includes(classes, model);
  classes.close();
  Writer entries = open_output_file("vornixx_entries.h", nullptr, banner_com, true);
  write_object_entries(entries, model);
  entries.close();
}

/// The registry scripts of the library's two hand-written controls.
void write_control_scripts() {
  Writer window;
  write_registry_script(window, "VWindowXCtrl", window_control_class_id);
  save_plain_file("VWindowXCtrl.rgs", window, "could not open file %s\n");
  Writer stack;
  write_registry_script(stack, "VDevWindowStackX", window_stack_class_id);
  save_plain_file("VDevWindowStackX.rgs", stack, "could not open file %s\n");
}

}  // namespace

const ClassDescription& class_ids(const ClassRecord& record) {
  return *type_class_info(record.type);
}

void write_com_interface(const OperatorList& ops) {
  int target = settings().generation_target;
  if (target != target_library && target != target_package && target != target_makefile_list) {
    return;
  }
  std::unique_ptr<ClassModel> model = build_class_model(ops, class_interface_com);
  if (target == target_makefile_list) {
    write_makefile_only(*model);
    return;
  }
  ComBuild build = make_build(ops, *model);
  check_class_information(*model);

  if (build.package) {
    Writer module = open_output_file(build.project + ".cpp", nullptr, banner_com, true);
    write_module_source(module, build, *model);
    module.close();
  }
  Writer idl = open_output_file(build.project + ".idl", nullptr, banner_com, true);
  write_idl(idl, build, *model);
  idl.close();
  Writer resources = open_output_file("resource.h", nullptr, banner_com, true);
  write_resource_header(resources, build, *model);
  resources.close();
  if (!build.package) write_library_indexes(*model);
  Writer script = open_output_file(build.project + ".rc", nullptr, banner_com, true);
  write_resource_script(script, build, *model);
  script.close();
  if (!build.package) {
    Writer cleanup;
    write_cleanup_entries(cleanup, *model);
    save_plain_file(com_cleanup_header_path(), cleanup, "could not open file <%s>\n");
  }
  for (const char* suffix : {"x", "xxl"}) {
    std::string module = build.module_base + suffix;
    Writer definition;
    write_module_definition(definition, module);
    save_plain_file(module + ".def", definition, "could not open file %s\n");
  }
  for (const ClassRecord& record : model->classes) {
    std::string name = com_name(record);
    Writer registry;
    write_registry_script(registry, name, class_ids(record).class_id.value_or(""));
    save_plain_file(name + ".rgs", registry, "could not open file %s\n");
  }
  if (!build.package) write_control_scripts();
  for (const ClassRecord& record : model->classes) {
    std::string base = class_file_base(record, build);
    Writer header = open_output_file(base + ".h", nullptr, banner_com, true);
    write_class_header(header, build, record);
    header.close();
    Writer source = open_output_file(base + ".cpp", nullptr, banner_com, true);
    write_class_source(source, build, record);
    source.close();
  }
}
