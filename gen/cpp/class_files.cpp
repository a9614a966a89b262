// This writer emits the two files of one class: the head by kind, the
// Clone member of serialisable classes, the operator-based constructors,
// the class snippets, the operators and the tail by kind. Both files are
// created before anything is written (and then written as the text grows);
// a class whose pair cannot be created ends the run.
#include "gen/cpp/class_files.h"

#include <optional>

#include "classes/handle_types.h"
#include "driver/diagnostics.h"
#include "driver/name_style.h"
#include "driver/output.h"
#include "driver/settings.h"
#include "gen/cpp/call_body.h"
#include "gen/cpp/class_heads.h"
#include "gen/cpp/snippets.h"
#include "gen/cpp/type_mapping.h"

namespace {

bool is_package_class(const ClassRecord& record) {
  return record.type == well_known_types().user;
}

bool has_parameterless_constructor(const ClassRecord& record) {
  for (const ClassMethod& constructor : record.constructors) {
    if (constructor.params.empty()) return true;
  }
  return false;
}

// A constructor whose only parameter is an integer or a pointer has the
// signature of the "from handle" constructor.
bool has_handle_value_constructor(const ClassRecord& record) {
  const WellKnownTypes& wk = well_known_types();
  for (const ClassMethod& constructor : record.constructors) {
    if (constructor.params.size() != 1) continue;
    int type = constructor.params[0].type;
    if (type == wk.integer || type == type_plain_integer || type == wk.pointer) return true;
  }
  return false;
}

CppClassHead make_head(const ClassRecord& record, bool legacy) {
  CppClassHead head;
  head.type = record.type;
  head.kind = cpp_class_kind(record.type, record.free_functions);
  head.name = record.class_name();
  head.base = cpp_base_class(record.type, head.kind);
  head.description = plain_comment(record.description);
  head.sem_type = type_name(record.type);
  head.per_member_export = record.per_member_export;
  head.legacy = legacy;
  head.has_parameterless_constructor = has_parameterless_constructor(record);
  head.has_handle_value_constructor = has_handle_value_constructor(record);
  return head;
}

void write_clone(Writer& header, Writer& source, const ClassRecord& record) {
  const ClassMethod* serialize = record.serialize();
  const ClassMethod* deserialize = record.deserialize();
  if (serialize == nullptr || deserialize == nullptr) return;
  const char* name = record.class_name().c_str();
  source.put("%s %s::Clone() const\n", name, name);
  source.write("{\n");
  source.put("  VSerializedItem item = %s();\n", name_style(serialize->name, style_camel).c_str());
  source.put("  %s     copy;\n", name);
  source.put("  copy.%s(item);\n", name_style(deserialize->name, style_camel).c_str());
  source.write("  return copy;\n");
  source.write("}\n");
  source.write("\n");
  header.write("  // Deep copy of all data represented by this object instance\n");
  header.put("  %s Clone() const;\n", name);
  header.write("\n");
}

// A slash and 77 asterisks, the title, a blank, 77 asterisks and a slash;
// the caller's line feed ends the third line.
void write_constructor_box(Writer& header) {
  header.write("/");
  header.repeat('*', 77);
  header.write("\n");
  header.write(" * Operator-based class constructors\n");
  header.write(" ");
  header.repeat('*', 77);
  header.write("/");
}

void write_operator_box(Writer& header) {
  header.write("  /");
  header.repeat('*', 75);
  header.write("\n");
  header.write("   * Operators");
  header.repeat(' ', 63);
  header.write("*\n");
  header.write("   ");
  header.repeat('*', 75);
  header.write("/");
}

// One file of the pair; one that cannot be created ends the run.
Writer create(const std::string& name) {
  std::optional<Writer> file = try_open_output_file(name);
  if (!file) {
    report_error("could not open file <%s>\n", name.c_str());
    fail(1);
  }
  return std::move(*file);
}

}  // namespace

void class_file_names(const ClassRecord& record, bool legacy, std::string& header,
                      std::string& source) {
  const WellKnownTypes& wk = well_known_types();
  if (is_package_class(record)) {
    header = format_text("VCPP%s.h", settings().package_name.c_str());
    source = format_text("VCPP%s.cpp", settings().package_name.c_str());
  } else if (record.type == wk.tuple) {
    header = "VTuple.h";
    source = "VTupleGen.cpp";
  } else if (legacy && record.type == wk.operator_set) {
    header = "VOperatorSetLegacy.h";
    source = "VOperatorSetLegacy.cpp";
  } else {
    header = record.class_name() + ".h";
    source = record.class_name() + ".cpp";
  }
}

void write_class_files(const ClassRecord& record, bool legacy) {
  std::string header_name, source_name;
  class_file_names(record, legacy, header_name, source_name);
  Writer header = create(header_name);
  Writer source = create(source_name);
  std::string header_snippet = cpp_header_snippet_path(header_name);
  std::string source_snippet = cpp_source_snippet_path(source_name);
  CppClassHead head = make_head(record, legacy);
  bool tuple = head.kind == class_kind_tuple;

  // 1. Head by kind.
  if (tuple) {
    copy_snippet(header, cpp_header_snippet_path("VTuple1.h"), true);
  } else {
    write_header_head(header, head);
  }
  write_source_head(source, head);
  write_kind_members(header, source, head);

  // 2. Clone, for serialisable classes.
  if (!tuple) write_clone(header, source, record);

  // 3. Constructors.
  if (!record.constructors.empty()) {
    header.write("\n\n");
    write_constructor_box(header);
    header.write("\n");
    for (const ClassMethod& constructor : record.constructors) {
      write_constructor(header, source, record, constructor);
    }
  }

  // 4. Class snippets.
  if (!tuple) {
    bool required = class_snippets_required(record.type);
    header.write("\n");
    copy_snippet(header, header_snippet, required);
    source.write("\n");
    copy_snippet(source, source_snippet, required);
    source.write("\n\n");
  }

  // 5. Operators.
  header.write("\n\n");
  write_operator_box(header);
  header.write("\n");
  for (const ClassMethod& method : record.methods) {
    write_method(header, source, record, method, legacy);
  }

  // 6. Tail by kind.
  write_class_tail(header, source, head);

  // 7. Close.
  if (tuple) {
    copy_snippet(header, cpp_header_snippet_path("VTuple2.h"), true);
  } else {
    if (head.kind != class_kind_free_functions) header.write("};\n\n");
    header.write("}\n\n");
    header.write("#endif\n");
  }
  header.close();
  source.close();
}
