// One file of the manual per documented operator, "<name>.xml": its chapter
// path, its signatures, and its documentation: texts, parameters with their
// types and values, examples, parallelisation, related operators,
// references, module and keywords.
#include <cctype>
#include <cstdlib>

#include "classes/handle_types.h"
#include "def/module_table.h"
#include "gen/chapter_table.h"
#include "gen/expression_printer.h"
#include "gen/index_topics.h"
#include "gen/manual/manual_writers.h"
#include "gen/manual/manual_xml.h"
#include "driver/diagnostics.h"
#include "driver/settings.h"
#include "gen/com/com_names.h"
#include "gen/cpp/type_mapping.h"
#include "gen/dotnet/csharp_names.h"

namespace {

bool is_internal(const Operator& op) { return op.function == "Internal"; }

std::string lower_case(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool creates_handle(const Operator& op) {
  for (const Parameter& param : op.info->params) {
    if (param.group != group_output_control) continue;
    if (type_kind(GiveClass(param.sem_type.c_str(), 0)) == kind_handle) return true;
  }
  return false;
}

// ---- texts ----

void write_summary(Writer& out, const Operator& op) {
  const std::string* summary = run_language_text(op.info->short_descriptions);
  if (summary == nullptr && settings().generation_target != target_package) {
    manual_warning("Missing %s %s for operator %s\n", settings().doc_language.c_str(),
                   "operator or parameter summary", op.name.c_str());
  }
  if (summary == nullptr) summary = manual_text(op.info->short_descriptions);
  if (summary != nullptr) write_summary_element(out, "summary", *summary);
}

void write_texts(Writer& out, const Operator& op) {
  const OperatorInfo& info = *op.info;
  write_summary(out, op);
  if (const std::string* text = manual_text(info.warnings)) write_summary_element(out, "warning", *text);
  if (const std::string* text = manual_text(info.descriptions))
    write_paragraph_element(out, "description", *text);
  if (const std::string* text = manual_text(info.attention))
    write_paragraph_element(out, "attention", *text);
}

// ---- parameters ----

bool is_iconic(const Parameter& param) {
  return param.group == group_input_object || param.group == group_output_object;
}

// An iconic type's class, or the generic object class when its row has none.
int iconic_class_type(const Parameter& param, bool com) {
  int type = GiveClass(param.sem_type.c_str(), 0);
  if (type >= 0 && type_has_class(type)) return type;
  return com ? well_known_types().untyped_object : well_known_types().object;
}

void write_iconic_type(Writer& out, const Parameter& param, const char* picked_for) {
  out.put("    <type id=\"%s\">\n", Escaped(param.sem_type).c_str());
  bool output = param.group == group_output_object;
  if (picked_for == nullptr) {  // the common case, without building the group
    write_spelled_syntax(out, manual_vdevelop, "object");
    write_spelled_syntax(out, manual_c, output ? "Vobject *" : "Vobject");
    write_spelled_syntax(out, manual_cpp, cpp_type_name(iconic_class_type(param, false)));
    write_spelled_syntax(out, manual_com, com_name(iconic_class_type(param, true)));
    write_spelled_syntax(out, manual_dotnet, csharp_type_name(iconic_class_type(param, false)));
    write_spelled_syntax(out, manual_python, python_annotation(param));
    out.write("    </type>\n");
    return;
  }
  write_spelling_group(out,
                       {{manual_vdevelop, "object"},
                        {manual_c, output ? "Vobject *" : "Vobject"},
                        {manual_cpp, cpp_type_name(iconic_class_type(param, false))},
                        {manual_com, com_name(iconic_class_type(param, true))},
                        {manual_dotnet, csharp_type_name(iconic_class_type(param, false))},
                        {manual_python, python_annotation(param)}},
                       picked_for);
  out.write("    </type>\n");
}

// A handle type that one of the class interfaces has a class for.
bool has_handle_class(const Parameter& param) {
  int type = GiveClass(param.sem_type.c_str(), 0);
  return type >= 0 && type_kind(type) == kind_handle && type_has_class(type);
}

void write_control_types(Writer& out, const Parameter& param, const char* picked_for) {
  if (picked_for == nullptr) {  // the common case, without building the groups
    if (has_handle_class(param)) {
      int type = GiveClass(param.sem_type.c_str(), 0);
      out.put("    <type id=\"%s\">\n", Escaped(param.sem_type).c_str());
      write_spelled_syntax(out, manual_cpp, cpp_type_name(type));
      write_spelled_syntax(out, manual_com, com_param_type(type));
      write_spelled_syntax(out, manual_dotnet, csharp_type_name(type));
      write_spelled_syntax(out, manual_python, python_annotation(param));
      out.write("    </type>\n");
    }
    out.write("    <type id=\"VTuple\">\n");
    write_spelled_syntax(out, manual_c, "Vtuple");
    write_spelled_syntax(out, manual_cpp, "VTuple");
    write_spelled_syntax(out, manual_dotnet, "VTuple");
    write_spelled_syntax(out, manual_python, python_annotation(param));
    out.write("    </type>\n");
    out.write("    <type id=\"VARIANT\">\n");
    write_spelled_syntax(out, manual_com, "VARIANT");
    out.write("    </type>\n");
    return;
  }
  if (has_handle_class(param)) {
    int type = GiveClass(param.sem_type.c_str(), 0);
    out.put("    <type id=\"%s\">\n", Escaped(param.sem_type).c_str());
    write_spelling_group(out,
                         {{manual_cpp, cpp_type_name(type)},
                          {manual_com, com_param_type(type)},
                          {manual_dotnet, csharp_type_name(type)},
                          {manual_python, python_annotation(param)}},
                         picked_for);
    out.write("    </type>\n");
  }
  out.write("    <type id=\"VTuple\">\n");
  write_spelling_group(out,
                       {{manual_c, "Vtuple"},
                        {manual_cpp, "VTuple"},
                        {manual_dotnet, "VTuple"},
                        {manual_python, python_annotation(param)}},
                       picked_for);
  out.write("    </type>\n");
  out.write("    <type id=\"VARIANT\">\n");
  write_spelled_syntax(out, manual_com, "VARIANT");
  out.write("    </type>\n");
}

// How each interface spells one value type of a type_list.
struct ValueTypeSpelling {
  const char* type;
  const char* names[6];  // vdevelop, c, cpp, com, dotnet, python
};
const ValueTypeSpelling value_type_spellings[] = {
    {"integer", {"integer", "Vlong", "Vlong", "Vlong", "int", "int"}},
    {"real", {"real", "double", "double", "double", "double", "float"}},
    {"string", {"string", "char*", "VString", "BSTR", "string", "str"}},
    {"handle", {"handle", "Vtuple", "VHandle", "VARIANT", "VHandle", "VHandle"}},
};
const int subtype_interfaces[6] = {manual_vdevelop, manual_c,      manual_cpp,
                                   manual_com,      manual_dotnet, manual_python};

// The syntax lines of the value types of the table, which never change,
// spelled once. Never destroyed: worker threads may still read them while
// a run that failed ends.
const std::string& value_type_syntax(const ValueTypeSpelling& spelling) {
  static const std::vector<std::string>* spelled = [] {
    auto* lines = new std::vector<std::string>;
    for (const ValueTypeSpelling& row : value_type_spellings) {
      Writer out;
      for (int i = 0; i < 6; ++i) write_spelled_syntax(out, subtype_interfaces[i], row.names[i]);
      lines->push_back(out.text());
    }
    return lines;
  }();
  return (*spelled)[static_cast<size_t>(&spelling - value_type_spellings)];
}

void write_subtype(Writer& out, const std::string& type, bool is_default, const char* picked_for) {
  out.write(is_default ? "    <subtype default=\"true\">\n" : "    <subtype>\n");
  const ValueTypeSpelling* spelling = nullptr;
  for (const ValueTypeSpelling& row : value_type_spellings)
    if (type == row.type) spelling = &row;
  if (picked_for != nullptr) {
    std::vector<Spelling> group;
    for (int i = 0; i < 6; ++i)
      group.push_back({subtype_interfaces[i], spelling != nullptr ? spelling->names[i] : type});
    write_spelling_group(out, group, picked_for);
  } else if (spelling != nullptr) {
    out.write(value_type_syntax(*spelling));
  } else {
    for (int interface_number : subtype_interfaces) write_spelled_syntax(out, interface_number, type);
  }
  out.write("    </subtype>\n");
}

void write_subtypes(Writer& out, const Parameter& param, const char* picked_for) {
  if (is_iconic(param)) {
    for (const std::string& type : param.type_list)
      out.put("    <subtype name=\"%s\"/>\n", Escaped(type).c_str());
    return;
  }
  if (!param.default_type.empty()) write_subtype(out, param.default_type, true, picked_for);
  for (const std::string& type : param.type_list)
    if (type != param.default_type) write_subtype(out, type, false, picked_for);
}

// Values are code: written as they stand (only entity-escaped), so that the
// empty string '' stays two apostrophes and "a stays a double quote and a
// letter, in every language.
void write_value_element(Writer& out, const char* indent, const char* element,
                         const std::string& value) {
  out.put("%s<%s>", indent, element);
  write_escaped_xml(out, value);
  out.put("</%s>\n", element);
}

void write_value_list(Writer& out, const char* element, const TextList& values) {
  if (values.empty()) return;
  out.put("    <%s>\n", element);
  for (const std::string& value : values) write_value_element(out, "      ", "value", value);
  out.put("    </%s>\n", element);
}

void write_value_range(Writer& out, const Parameter& param) {
  const std::string& function = param.extras().value_function;
  if (param.value_min.empty() && param.value_max.empty() && function.empty()) return;
  out.write("    <value_range>\n");
  if (!param.value_min.empty()) write_value_element(out, "      ", "min", param.value_min);
  if (!param.value_max.empty()) write_value_element(out, "      ", "max", param.value_max);
  if (!function.empty()) write_value_element(out, "      ", "function", function);
  out.write("    </value_range>\n");
}

void write_expression(Writer& out, const char* element, const TextList& postfix) {
  if (postfix.empty()) return;
  out.put("    <%s>", element);
  convert_markup(out, print_expression(postfix), false);
  out.put("</%s>\n", element);
}

void write_parameter(Writer& out, const Parameter& param, const char* picked_for) {
  const ParameterExtras& extras = param.extras();
  out.put("  <parameter id=\"%s\" mode=\"%s\" semtype=\"%s\"", Escaped(param.name).c_str(),
          Escaped(param.kind).c_str(), Escaped(semantic_type_text(param)).c_str());
  if (!extras.modified.empty() && extras.modified != "false") {
    out.put(" modified=\"%s\">\n", Escaped(extras.modified).c_str());
  } else {
    out.write(">\n");
  }
  out.write("    <name>\n");
  write_parameter_syntax(out, param.name, picked_for);
  out.write("    </name>\n");
  if (is_iconic(param)) {
    write_iconic_type(out, param, picked_for);
  } else {
    write_control_types(out, param, picked_for);
  }
  write_subtypes(out, param, picked_for);
  for (const std::string& ext : extras.file_ext)
    out.put("    <fileext ext=\"%s\"/>\n", Escaped(ext).c_str());
  if (const std::string* text = manual_text(param.descriptions)) {
    out.write("    ");
    write_summary_element(out, "summary", *text);
  }
  if (!param.default_value.empty())
    write_value_element(out, "    ", "default", param.default_value);
  write_value_list(out, "value_list", param.value_list);
  write_value_list(out, "value_suggestions", param.values);
  write_value_range(out, param);
  if (!extras.step_min.empty()) write_value_element(out, "    ", "step_min", extras.step_min);
  if (!extras.step_rec.empty()) write_value_element(out, "    ", "step_rec", extras.step_rec);
  write_expression(out, "value_number", extras.value_number);
  bool output = param.group == group_output_object || param.group == group_output_control;
  write_expression(out, output ? "assertion" : "restriction", param.assertion);
  write_value_list(out, "cd_values", extras.cd_value_list);
  if (!extras.cd_type_list.empty()) {
    out.put("    <%s>\n", "cd_types");
    for (const std::string& type : extras.cd_type_list)
      out.put("      <%s id=\"%s\"/>\n", "type", Escaped(type).c_str());
    out.put("    </%s>\n", "cd_types");
  }
  out.write("  </parameter>\n");
}

void write_parameters(Writer& out, const Operator& op, const char* picked_for) {
  if (op.info->params.empty()) return;
  out.write("<parameters>\n");
  for (const Parameter& param : op.info->params) write_parameter(out, param, picked_for);
  out.write("</parameters>\n");
}

// ---- examples ----

struct ExampleLanguage {
  const char* tag;
  const char* syntax;
  int interface_number;
};
const ExampleLanguage example_languages[] = {
    {"vb.net", "Visual Basic", manual_dotnet}, {"c++", "C++ (VORNIX 5.0-10.0)", manual_cpp},
    {"cpp", "C++", manual_cpp},                {"c#", "C#", manual_dotnet},
    {"c", "C", manual_c},                      {"trias", "VDevelop", manual_vdevelop},
};

const ExampleLanguage& example_language(const std::string& tag) {
  for (const ExampleLanguage& language : example_languages)
    if (tag == language.tag) return language;
  report_error("unknown example language: '%s'\n", tag.c_str());
  std::exit(1);
}

// Examples are code: "<", ">" and "&" are escaped, double quotes stay as
// they are. Bytes that XML does not allow are mended as in every other text
// (control characters become blanks, Latin-1 bytes UTF-8).
void write_example(Writer& out, const Tagged<std::string>& example) {
  out.put("<example syntax=\"%s\">\n", example_language(example.language).syntax);
  std::string_view text = example.value;
  size_t start = 0;
  while (start <= text.size()) {
    size_t quote = text.find('"', start);
    size_t end = quote == std::string_view::npos ? text.size() : quote;
    write_escaped_xml(out, text.substr(start, end - start));
    if (quote == std::string_view::npos) break;
    out.write("\"");
    start = quote + 1;
  }
  out.write("</example>\n");
}

void write_examples(Writer& out, const Operator& op) {
  // Stored newest first; written in the order of the definition.
  std::vector<const Tagged<std::string>*> examples;
  for (auto it = op.info->examples.rbegin(); it != op.info->examples.rend(); ++it)
    examples.push_back(&*it);
  if (examples.size() == 1) {
    write_example(out, *examples.front());
    return;
  }
  for (int number = manual_vdevelop; number <= manual_dotnet; ++number) {
    bool opened = false;
    for (const auto* example : examples) {
      if (example_language(example->language).interface_number != number) continue;
      if (!opened) out.put("<syntax interface=\"%s\">\n", manual_interface_name(number));
      opened = true;
      write_example(out, *example);
    }
    if (opened) out.write("</syntax>\n");
  }
}

// ---- parallelisation ----

void write_parallelisation(Writer& out, const Operator& op) {
  const Parallelisation& par = op.info->par;
  out.write("<parallelization>\n");
  if (!par.compute_devices.empty()) {
    out.put("    <%s>\n", "compute_devices");
    for (const std::string& device : par.compute_devices)
      out.put("      <%s id=\"%s\"/>\n", "compute_device", Escaped(device).c_str());
    out.put("    </%s>\n", "compute_devices");
  }
  const char* type = par.exclusively        ? "exclusive"
                     : par.mutual           ? "mutual"
                     : par.exclusively_none ? "independent"
                                            : "reentrant";
  out.put("  <synchronization type=\"%s\" scope=\"%s\"/>\n", type,
          par.locally ? "local" : "global");
  if (par.methods.empty() || par.methods.front().name.compare(0, 4, "none") == 0) {
    out.write("  <methods/>\n");
  } else {
    out.write("  <methods>\n");
    bool split_partial_written = false;
    for (const SplitMethod& method : par.methods) {
      if (method.name.compare(0, 13, "split_partial") == 0) {
        if (!split_partial_written) out.write("    <method id=\"split_partial\"/>\n");
        split_partial_written = true;
        continue;
      }
      out.put("    <method id=\"%s\"/>\n", Escaped(method.name).c_str());
    }
    out.write("  </methods>\n");
  }
  out.write("</parallelization>\n");
  if (par.interrupt_mode & 2u) out.write("    <interrupt_mode type=\"cancel\"/>\n");
  if (par.interrupt_mode & 1u) out.write("    <interrupt_mode type=\"break\"/>\n");
}

// ---- related operators, references, module, keywords ----

void write_operator_references(Writer& out, const char* element, const TextList& names, const char* picked_for) {
  if (names.empty()) return;
  out.put("<%s>\n", element);
  for (const std::string& name : names) {
    out.put("<opref id=\"%s\">\n", Escaped(name).c_str());
    write_operator_syntax(out, name, markup_both, {}, picked_for);
    out.write("</opref>\n");
  }
  out.put("</%s>\n", element);
}

void write_module(Writer& out, const OperatorInfo& info) {
  if (info.module == -1) return;
  std::string dynamic;
  for (int i = 0; i < module_count; ++i) {
    if (!(info.dynamic_modules & (1u << i))) continue;
    if (!dynamic.empty()) dynamic += ", ";
    dynamic += module_display_name(i);
  }
  if (!dynamic.empty()) {
    out.put("<module dynamic=\"%s\">", Escaped(dynamic).c_str());
  } else {
    out.write("<module>");
  }
  const char* name = module_display_name(info.module);
  write_xml_text(out, name ? name : "");
  out.write("</module>\n");
}

void write_keywords(Writer& out, const Operator& op) {
  TextList ids = keyword_lookup(op, "id", false);
  if (ids.empty()) return;
  TextList texts = keyword_lookup(op, settings().doc_language, false);
  out.write("<keywords>\n");
  for (size_t i = 0; i < ids.size(); ++i) {
    out.put("  <keyword id=\"%s\">", Escaped(ids[i]).c_str());
    write_xml_text(out, texts.size() == ids.size() ? texts[i] : ids[i]);
    out.write("</keyword>\n");
  }
  out.write("</keywords>\n");
}

void write_content(Writer& out, const ManualRun& run, const Operator& op, const char* picked_for) {
  const OperatorInfo& info = *op.info;
  write_texts(out, op);
  write_parameters(out, op, picked_for);
  if (!info.examples.empty()) write_examples(out, op);
  if (const std::string* text = manual_text(info.complexity))
    write_paragraph_element(out, "complexity", *text);
  if (const std::string* text = manual_result(run, op))
    write_paragraph_element(out, "result", *text);
  if (!is_internal(op)) write_parallelisation(out, op);
  write_operator_references(out, "predecessors", info.predecessor, picked_for);
  write_operator_references(out, "successors", info.successor, picked_for);
  write_operator_references(out, "alternatives", info.alternatives, picked_for);
  write_operator_references(out, "see", info.see_also, picked_for);
  if (!info.references.empty()) {
    out.write("<references>\n");
    convert_markup(out, info.references, false);
    out.write("\n</references>\n");
  }
  write_module(out, info);
  write_keywords(out, op);
}

}  // namespace

void check_example_languages(const Operator& op) {
  for (const auto& example : op.info->examples) example_language(example.language);
}

std::string semantic_type_text(const Parameter& param) {
  const ParameterExtras& extras = param.extras();
  std::string channel;
  if (!extras.multichannel.empty()) {
    char first = extras.multichannel[0];
    channel = first == 'f' ? "singlechannel" : first == 'o' ? "(multichannel-)" : "multichannel-";
  }
  int type = GiveClass(param.sem_type.c_str(), 0);
  const std::string& multiplicity =
      type >= 0 && type_kind(type) == kind_handle &&
              (param.multivalue.empty() || param.multivalue[0] != 'v')
          ? extras.multiinstance
          : param.multivalue;
  std::string suffix;
  if (multiplicity == "vector") {
    suffix = "-vector";
  } else if (multiplicity == "vector_1") {
    suffix = "-vector{1}";
  } else if (!multiplicity.empty() && multiplicity[0] == 't') {
    suffix = "-array";
  } else if (!multiplicity.empty() && multiplicity[0] == 'o') {
    suffix = "(-array)";
  }
  return channel + param.sem_type + suffix;
}

std::string operator_file_xml(const ManualRun& run, const Operator& op, const char* only_interface,
                              const char* picked_for) {
  Writer out;
  out.reserve(32 << 10);  // room for most operator files, which grow in small pieces
  std::string attributes = format_text(" id=\"%s\" interface=\"%s\"%s", Escaped(op.name).c_str(),
                                       is_internal(op) ? "vdevelop" : "all",
                                       creates_handle(op) ? " creates_handle_type=\"true\"" : "");
  write_xml_head(out, "operator", attributes);
  write_document_element(out);
  int level = 1;
  auto path = run.chapter_paths.find(&op);
  std::vector<ChapterLevel> levels = path != run.chapter_paths.end() ? path->second : chapter_path(op);
  for (const ChapterLevel& chapter : levels) {
    out.write("<chapter id=\"");
    write_escaped_xml(out, lower_case(chapter.id));
    out.write("\" name=\"");
    write_escaped_xml(out, chapter.name);
    out.put("\" level=\"%d\"/>\n", level++);
  }
  write_signatures(out, run, op, only_interface);
  write_content(out, run, op, picked_for);
  out.write("</operator>\n");
  return out.text();
}
