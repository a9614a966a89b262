// The entry of the C++ interface generator. It builds the C++ class list
// and writes, by generation target: every class of the library build with
// VProcIDs.h, the forward, include and stream headers, the legacy operator
// set and VTupleLegacy.hx; the one class of an extension package; or the
// makefile list cppint_gen_classes.mak.
#include "gen/cpp/cpp_interface.h"

#include <cstdio>
#include <cstdlib>

#include "classes/class_model.h"
#include "classes/handle_types.h"
#include "driver/diagnostics.h"
#include "driver/name_style.h"
#include "driver/output.h"
#include "driver/settings.h"
#include "gen/cpp/call_body.h"
#include "gen/cpp/class_files.h"
#include "gen/cpp/library_files.h"
#include "gen/cpp/proc_ids.h"
#include "gen/cpp/snippets.h"
#include "gen/cpp/type_mapping.h"

namespace {

std::string manual_snippet_path(const char* name) {
  return format_text("%s/source/interfaces/CPP/include/snippets/%s", snippet_root().c_str(), name);
}

bool is_tuple(const ClassRecord& record) { return record.type == well_known_types().tuple; }
bool is_operator_set(const ClassRecord& record) {
  return record.type == well_known_types().operator_set;
}

void write_forward_lines(Writer& forwards, const ClassRecord& record) {
  CppClassKind kind = cpp_class_kind(record.type, record.free_functions);
  if (kind == class_kind_tuple || kind == class_kind_free_functions) return;
  forwards.put("  class %s;\n", record.class_name().c_str());
  // Every class with an array class: handles, fixed-size data and the
  // iconic classes.
  if (kind == class_kind_handle || kind == class_kind_iconic ||
      (kind == class_kind_data && has_fixed_size(record.type))) {
    forwards.put("  class %sArray;\n", record.class_name().c_str());
  }
}

void write_library_build(const OperatorList& ops, const ClassModel& model) {
  Writer proc_ids = open_output_file("VProcIDs.h", nullptr, banner_cpp, true);
  write_proc_ids(proc_ids, ops);
  proc_ids.close();

  Writer forwards = open_output_file("VornixCppForwards.h", nullptr, banner_cpp, true);
  Writer includes = open_output_file("VornixCppIncludes.h", nullptr, banner_cpp, true);
  Writer streams = open_output_file("VIOStream.h", nullptr, banner_cpp, true);
  copy_snippet(streams, manual_snippet_path("VIOStream_head.hop"), true);
  forwards.write("namespace VornixCpp\n{\n");
  copy_snippet(forwards, manual_snippet_path("VCppForwards_manual.hop"), true);
  for (const ClassRecord& record : model.classes) {
    write_class_files(record, false);
    if (is_tuple(record)) {
      write_tuple_legacy(record);
    } else {
      write_forward_lines(forwards, record);
      includes.put("#include \"vornixcpp/%s.h\"\n", record.class_name().c_str());
    }
    if (is_operator_set(record)) write_class_files(record, true);
    if (record.serialize() != nullptr) write_stream_operators(streams, record);
  }
  forwards.write("}");  // no line break, as required
  copy_snippet(streams, manual_snippet_path("VIOStream_foot.hop"), true);
  forwards.close();
  includes.close();
  streams.close();
}

void write_makefile_list(const ClassModel& model) {
  Writer out = open_output_file("cppint_gen_classes.mak", nullptr, banner_none, true);
  out.write("# vornc-generated targets for VORNIX/C++ classes\n");
  out.write("CPPINT_GEN_HEADERS =");
  for (const ClassRecord& record : model.classes) {
    if (!is_tuple(record)) out.put(" \\\n  $(VCPP_INC_DIR)%s.h", record.class_name().c_str());
  }
  out.write("\n\n");
  out.write("CPPINT_GEN_SOURCES =");
  for (const ClassRecord& record : model.classes) {
    if (is_tuple(record)) {
      out.write(" \\\n   $(GEN_SOURCE_CPP)VTupleGen.cpp");  // three blanks, as required
    } else {
      out.put(" \\\n  $(GEN_SOURCE_CPP)%s.cpp", record.class_name().c_str());
    }
    if (is_operator_set(record)) out.write(" \\\n  $(GEN_SOURCE_CPP)VOperatorSetLegacy.cpp");
  }
  out.write("\n");
  out.write("CPPINT_GEN_OBJECTS =");
  for (const ClassRecord& record : model.classes) {
    if (is_tuple(record)) {
      out.write(" \\\n  $(VOBJ_DIR)VTupleGen.$(O)");
    } else {
      out.put(" \\\n  $(VOBJ_DIR)%s.$(O)", record.class_name().c_str());
    }
    if (is_operator_set(record)) out.write(" \\\n  $(VOBJ_DIR)VOperatorSetLegacy.$(O)");
  }
  out.write("\n");
  out.close();
}

}  // namespace

void write_cpp_interface(const OperatorList& ops) {
  int target = settings().generation_target;
  if (target != target_library && target != target_package && target != target_makefile_list) {
    return;
  }
  std::unique_ptr<ClassModel> model = build_class_model(ops, class_interface_cpp);
  switch (target) {
    case target_makefile_list:
      write_makefile_list(*model);
      break;
    case target_library:
      write_library_build(ops, *model);
      break;
    case target_package:
      for (const ClassRecord& record : model->classes) write_class_files(record, false);
      break;
  }
}
