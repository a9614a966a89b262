// The signatures of an operator in every language interface, six blocks in
// the order vdevelop, c, cpp, com, dotnet, python. The class-based blocks
// spell the constructors and methods that the class model builds from the
// operator as the C++, COM and .NET generators declare them; the Python block
// uses the annotations of the Python interface's flat layout.
#include <cstring>

#include "classes/handle_types.h"
#include "gen/manual/manual_writers.h"
#include "driver/name_style.h"
#include "gen/c/c_rules.h"
#include "gen/com/com_names.h"
#include "gen/cpp/type_mapping.h"
#include "gen/dotnet/csharp_names.h"
#include "gen/manual/manual_xml.h"

namespace {

bool is_output(const Parameter& param) {
  return param.group == group_output_object || param.group == group_output_control;
}
bool is_iconic(const Parameter& param) {
  return param.group == group_input_object || param.group == group_output_object;
}

void write_parameter_line(Writer& out, const std::string& id, const std::string& name,
                          const std::string& type, bool output) {
  out.put("    <parameter id=\"%s\" name=\"%s\" type=\"%s\" mode=\"%s\"/>\n",
          Escaped(id).c_str(), Escaped(name).c_str(), Escaped(type).c_str(),
          output ? "output" : "input");
}

void write_returns(Writer& out, const std::string& type) {
  out.put("  <returns type=\"%s\"/>\n", Escaped(type).c_str());
}

// ---- vdevelop and c ----

void write_vdevelop_block(Writer& out, const Operator& op) {
  out.write("<signatures interface=\"vdevelop\">\n");
  out.put("<signature id=\"%s\" name=\"%s%s\">\n", Escaped(op.name).c_str(),
          Escaped(op.name).c_str(), "");
  out.write("  <parameters>\n");
  for (const Parameter& param : op.info->params)
    write_parameter_line(out, param.name, param.name, is_iconic(param) ? "iconic" : "control",
                         is_output(param));
  out.write("  </parameters>\n");
  out.write("</signature>\n");
  out.write("</signatures>\n");
}

void write_c_signature(Writer& out, const Operator& op, bool tuple_form) {
  std::string name = tuple_form ? "T_" + op.name : op.name;
  out.put("<signature id=\"%s\" name=\"%s\">\n", Escaped(op.name).c_str(),
          Escaped(name).c_str());
  out.write("  <parameters>\n");
  for (const Parameter& param : op.info->params) {
    std::string type = is_iconic(param) ? "Vobject"
                       : tuple_form     ? "Vtuple"
                                        : c_single_value_type(op, param);
    write_parameter_line(out, param.name, param.name, type, is_output(param));
  }
  out.write("  </parameters>\n");
  write_returns(out, "Verror");
  out.write("</signature>\n");
}

void write_c_block(Writer& out, const Operator& op) {
  out.write("<signatures interface=\"c\">\n");
  if (op.info->control_multivalue.compare(0, 1, "t") != 0 && !op.info->has_handle_parameter)
    write_c_signature(out, op, false);
  write_c_signature(out, op, true);
  out.write("</signatures>\n");
}

// ---- the class-based interfaces ----

const std::vector<ClassMember>& members_of(
    const std::unordered_map<const Operator*, std::vector<ClassMember>>& members,
    const Operator& op) {
  static const std::vector<ClassMember> none;
  auto found = members.find(&op);
  return found == members.end() ? none : found->second;
}

void write_cpp_signature(Writer& out, const ClassMember& member) {
  // A free function is declared void, its returned output in the list.
  const bool void_function = member.record->free_functions && member.method->return_param;
  const ClassMethod void_form = void_function ? cpp_void_function(*member.method) : ClassMethod();
  const ClassMethod& method = void_function ? void_form : *member.method;
  const std::string& class_name = member.record->class_name();
  bool is_static = !member.constructor && !method.instance;
  bool is_const = !member.constructor && method.instance && !method.instance->output;
  out.put("<signature type=\"%s\" class_name=\"%s\" class_id=\"%s\" id=\"%s\" name=\"%s\"%s%s%s>\n",
          member.constructor ? "constructor" : "method", Escaped(class_name).c_str(),
          Escaped(class_name).c_str(), Escaped(method.name).c_str(),
          Escaped(name_style(method.name, style_camel)).c_str(),
          is_const ? " const=\"true\"" : "", method.windows_only ? " winonly=\"true\"" : "",
          is_static ? " static=\"true\"" : "");
  out.write("  <parameters>\n");
  for (const ClassParam& param : method.params)
    write_parameter_line(out, param.name, param.name, cpp_type_name(param.type, param.array),
                         param.output);
  out.write("  </parameters>\n");
  if (method.return_param)
    write_returns(out, cpp_type_name(method.return_param->type, method.return_param->array));
  out.write("</signature>\n");
}

// The COM interface declares every member as a method.
void write_com_signature(Writer& out, const ClassMember& member) {
  const ClassMethod& method = *member.method;
  bool is_static = !method.instance;
  out.put("<signature type=\"%s\" class_name=\"%s\" class_id=\"%s\" id =\"%s\" name=\"%s\"%s>\n",
          "method", Escaped(com_name(*member.record)).c_str(),
          Escaped(member.record->class_name()).c_str(), Escaped(method.name).c_str(),
          Escaped(name_style(method.name, style_camel)).c_str(),
          is_static ? " static=\"true\"" : "");
  out.write("  <parameters>\n");
  for (const ClassParam& param : method.params)
    write_parameter_line(out, param.name, com_param_name(param.name), com_param_type(param.type),
                         param.output);
  out.write("  </parameters>\n");
  if (method.return_param) write_returns(out, com_param_type(method.return_param->type));
  out.write("</signature>\n");
}

void write_dotnet_signature(Writer& out, const ClassMember& member) {
  const ClassMethod& method = *member.method;
  const std::string& class_name = member.record->class_name();
  bool is_static = !member.constructor && !method.instance;
  out.put("<signature type=\"%s\" class_name=\"%s\" class_id=\"%s\" id =\"%s\" name=\"%s\"%s>\n",
          member.constructor ? "constructor" : "method", Escaped(class_name).c_str(),
          Escaped(class_name).c_str(), Escaped(method.name).c_str(),
          Escaped(name_style(method.name, style_camel)).c_str(),
          is_static ? " static=\"true\"" : "");
  out.write("  <parameters>\n");
  for (const ClassParam& param : method.params)
    write_parameter_line(out, param.name, csharp_param_name(param.name), csharp_type_name(param),
                         param.output);
  out.write("  </parameters>\n");
  if (method.return_param) write_returns(out, csharp_type_name(*method.return_param));
  out.write("</signature>\n");
}

void write_python_block(Writer& out, const Operator& op) {
  out.write("<signatures interface=\"python\">\n");
  out.put("<signature type=\"method\" class_name=\"VOperatorSet\" class_id=\"VOperatorSet\" "
          "id =\"%s\" name=\"%s\" static=\"true\">\n",
          Escaped(op.name).c_str(), Escaped(op.name).c_str());
  out.write("  <parameters>\n");
  bool has_outputs = false;
  for (const Parameter& param : op.info->params) {
    has_outputs = has_outputs || is_output(param);
    write_parameter_line(out, param.name, python_parameter_name(param.name),
                         python_annotation(param), is_output(param));
  }
  out.write("  </parameters>\n");
  if (has_outputs) write_returns(out, python_return_annotation(op));
  out.write("</signature>\n");
  out.write("</signatures>\n");
}

// ---- Python annotations (flat layout) ----

enum PythonKind { python_plain, python_iconic, python_handle };
enum PythonMultiplicity { python_single, python_sequence, python_maybe_sequence };

PythonKind python_kind(const Parameter& param) {
  int type = GiveClass(param.sem_type.c_str(), 0);
  int kind = type_kind(type);
  if (kind == kind_iconic) return python_iconic;
  if (kind == kind_handle && param.sem_type != "handle") return python_handle;
  // Data classes are plain tuples in the flat layout; a type the table does
  // not know is documented as a plain tuple too.
  return python_plain;
}

}  // namespace

std::string python_annotation(const Parameter& param) {
  PythonKind kind = python_kind(param);
  PythonMultiplicity multiplicity = python_single;
  if (kind != python_iconic) {
    char first = param.multivalue.empty() ? 0 : param.multivalue[0];
    multiplicity = first == 'f' ? python_single
                   : first == 't' ? python_sequence
                                  : python_maybe_sequence;
  }
  std::string element;
  if (kind == python_iconic) {
    element = "VObject";
  } else if (kind == python_handle) {
    element = "VHandle";
  } else if (param.type_list.empty() || param.type_list.size() >= 4) {
    if (multiplicity == python_maybe_sequence) return "VTupleType";
    element = "VTupleElementType";
  } else {
    std::vector<std::string> names;
    for (const std::string& type : param.type_list) {
      char first = type.empty() ? 0 : type[0];
      names.push_back(first == 'i' ? "int" : first == 'r' ? "float" : first == 's' ? "str" : "VHandle");
    }
    if (names.size() == 1) {
      element = names.front();
    } else {
      element = "Union[";
      for (size_t i = 0; i < names.size(); ++i) element += (i ? ", " : "") + names[i];
      element += "]";
    }
  }
  switch (multiplicity) {
    case python_sequence:
      return "Sequence[" + element + "]";
    case python_maybe_sequence:
      return "MaybeSequence[" + element + "]";
    default:
      return element;
  }
}

std::string python_return_annotation(const Operator& op) {
  std::vector<std::string> outputs;
  for (const Parameter& param : op.info->params)
    if (is_output(param)) outputs.push_back(python_annotation(param));
  if (outputs.empty()) return "None";
  if (outputs.size() == 1) return outputs.front();
  std::string result = "Tuple[";
  for (size_t i = 0; i < outputs.size(); ++i) result += (i ? ", " : "") + outputs[i];
  return result + "]";
}

std::string c_single_value_type(const Operator& op, const Parameter& param) {
  bool output = param.group == group_output_control;
  const std::optional<std::string>& flags =
      output ? op.output_control_flags : op.input_control_flags;
  int index = static_cast<int>(&param - &op.info->params[op.first_param(param.group)]);
  char flag = flags && index >= 0 && index < static_cast<int>(flags->size()) ? (*flags)[index] : 'i';
  std::string type = simple_mode_c_type(flag, output);
  // "double " declares an input; the type itself has no trailing blank.
  while (!type.empty() && type.back() == ' ') type.pop_back();
  return type;
}

void write_signatures(Writer& out, const ManualRun& run, const Operator& op, const char* only_interface) {
  auto wanted = [&out, only_interface](const char* interface) {
    if (only_interface == nullptr || std::strcmp(interface, only_interface) == 0) return true;
    out.write("\n");  // the block's last line end
    return false;
  };
  if (wanted("vdevelop")) write_vdevelop_block(out, op);
  if (wanted("c")) write_c_block(out, op);
  if (wanted("cpp")) {
    out.write("<signatures interface=\"cpp\">\n");
    for (const ClassMember& member : members_of(run.classes.cpp_members, op))
      write_cpp_signature(out, member);
    out.write("</signatures>\n");
  }
  if (wanted("com")) {
    out.write("<signatures interface=\"com\">\n");
    for (const ClassMember& member : members_of(run.classes.com_members, op))
      write_com_signature(out, member);
    out.write("</signatures>\n");
  }
  if (wanted("dotnet")) {
    out.write("<signatures interface=\"dotnet\">\n");
    for (const ClassMember& member : members_of(run.classes.dotnet_members, op))
      write_dotnet_signature(out, member);
    out.write("</signatures>\n");
  }
  if (wanted("python")) write_python_block(out, op);
}
