// This writer emits the constructors and methods of a C# class. A call body
// takes the procedure handle, stores the inputs (arrays of handle and data
// objects through a tuple buffer), marks the output slots, calls the
// operator, releases pinned tuples, loads the outputs and keeps the inputs
// alive until the call is over.
#include "gen/dotnet/members.h"

#include <cstring>

#include "classes/handle_types.h"
#include "driver/comment_text.h"
#include "driver/diagnostics.h"
#include "driver/name_style.h"
#include "driver/output.h"
#include "driver/settings.h"
#include "gen/dotnet/csharp_names.h"

namespace {

bool is_tuple_type(int type) { return type == well_known_types().tuple; }

// Inputs that are arrays of handle or data objects pass through a tuple.
bool is_buffered(const ClassParam& param) {
  return param.array && (is_handle_class_type(param.type) || is_data_class_type(param.type));
}

// The tuple class's arithmetic operators are private helpers ("...Op").
bool is_private_tuple_method(const DotnetClassInfo& info, const ClassMethod& method) {
  if (!info.tuple) return false;
  static const char* const names[] = {"tuple_add", "tuple_sub", "tuple_mult", "tuple_length",
                                      "tuple_concat"};
  for (const char* name : names) {
    if (method.name == name) return true;
  }
  return false;
}

// The C# names of a member's parameters, spelled once per member: the
// documentation, the signature and the body each name every parameter.
struct SpelledNames {
  std::vector<std::string> params;  // as member.params
  std::string returned;             // of the return parameter, if any
};

SpelledNames spell_names(const ClassMethod& member) {
  SpelledNames names;
  names.params.reserve(member.params.size());
  for (const ClassParam& param : member.params)
    names.params.push_back(csharp_param_name(param.name));
  if (member.return_param) names.returned = csharp_param_name(member.return_param->name);
  return names;
}

void write_buffers(Writer& out, const ClassMethod& member, const SpelledNames& names) {
  for (size_t i = 0; i < member.params.size(); ++i) {
    const ClassParam& param = member.params[i];
    if (param.output || !is_buffered(param)) continue;
    const std::string& name = names.params[i];
    out.put("      VTuple %sBuffer = %s.ConcatArray(%s);\n", name.c_str(),
            type_class_name(param.type).c_str(), name.c_str());
  }
}

void write_procedure_handle(Writer& out, const ClassMethod& member) {
  if (settings().generation_target == target_library) {
    out.put("      IntPtr proc = VornixAPI.PreCall(VProcIDs.%s);\n",
            name_style(member.name, style_upper).c_str());
  } else {
    out.put("      IntPtr proc = PreCallUser(%d);\n", member.proc_number);
  }
}

void write_stores(Writer& out, const ClassMethod& member, const SpelledNames& names) {
  if (member.instance && !member.instance->output) {
    out.put("      Store(proc, %d);\n", member.instance->slot());
  }
  for (size_t i = 0; i < member.params.size(); ++i) {
    const ClassParam& param = member.params[i];
    if (param.output) continue;
    const std::string& name = names.params[i];
    if (is_scalar_csharp_type(param.type)) {
      out.put("      VornixAPI.Store%s(proc, %d, %s);\n", csharp_value_suffix(param.type),
              param.slot(), name.c_str());
    } else if (is_buffered(param)) {
      out.put("      VornixAPI.Store(proc, %d, %sBuffer);\n", param.slot(), name.c_str());
    } else {
      out.put("      VornixAPI.Store(proc, %d, %s);\n", param.slot(), name.c_str());
    }
  }
}

void write_output_slots(Writer& out, const ClassMethod& member) {
  if (member.instance && member.instance->output) {
    out.put("      VornixAPI.InitOCT(proc, %d);\n", member.instance->slot());
  }
  if (member.return_param) {
    out.put("      VornixAPI.InitOCT(proc, %d);\n", member.return_param->slot());
  }
  for (const ClassParam& param : member.params) {
    if (param.output) out.put("      VornixAPI.InitOCT(proc, %d);\n", param.slot());
  }
}

void write_unpins(Writer& out, const DotnetClassInfo& info, const ClassMethod& member,
                  const SpelledNames& names) {
  if (member.instance && !member.instance->output && (info.tuple || info.data)) {
    out.write("      UnpinTuple();\n");
  }
  for (size_t i = 0; i < member.params.size(); ++i) {
    const ClassParam& param = member.params[i];
    if (param.output) continue;
    bool buffered = is_buffered(param);
    if (!buffered && !is_tuple_type(param.type) && !is_data_class_type(param.type)) continue;
    out.put("      VornixAPI.UnpinTuple(%s%s);\n", names.params[i].c_str(),
            buffered ? "Buffer" : "");
  }
}

// An output array of data objects is loaded as one tuple and split into
// its objects after the call.
bool is_split(const ClassParam& param) { return param.array && is_data_class_type(param.type); }

void write_load(Writer& out, const ClassParam& param, const std::string& name, bool returned) {
  // A returned value is a local of the body and must be declared before
  // the load writes it.
  if (returned) out.put("      %s %s;\n", csharp_type_name(param).c_str(), name.c_str());
  if (is_scalar_csharp_type(param.type)) {
    out.put("      err = VornixAPI.Load%s(proc, %d, err, out %s);\n",
            csharp_value_suffix(param.type), param.slot(), name.c_str());
    return;
  }
  if (is_split(param)) {
    out.put("      VTuple %sBuffer;\n", name.c_str());
    out.put("      err = VTuple.LoadNew(proc, %d, err, out %sBuffer);\n", param.slot(),
            name.c_str());
    return;
  }
  const WellKnownTypes& wk = well_known_types();
  const char* class_name = type_class_name(param.type).c_str();
  if (param.pure_type == wk.any) {
    out.put("      err = %s.LoadNew(proc, %d, err, out %s);\n", class_name, param.slot(),
            name.c_str());
    return;
  }
  const char* tuple_type = "MIXED";
  if (param.pure_type == wk.real) {
    tuple_type = "DOUBLE";
  } else if (param.pure_type == wk.integer) {
    tuple_type = "INTEGER";
  } else {
    report_warning("Encountered invalid query for pure ID %d\n", param.pure_type);
  }
  out.put("      err = %s.LoadNew(proc, %d, VTupleType.%s, err, out %s);\n", class_name,
          param.slot(), tuple_type, name.c_str());
}

void write_split(Writer& out, const ClassParam& param, const std::string& name) {
  if (!is_split(param)) return;
  out.put("      %s = %s.SplitArray(%sBuffer);\n", name.c_str(),
          type_class_name(param.type).c_str(), name.c_str());
}

void write_keep_alives(Writer& out, const ClassMethod& member, const SpelledNames& names) {
  if (member.instance) out.write("      GC.KeepAlive(this);\n");
  for (size_t i = 0; i < member.params.size(); ++i) {
    const ClassParam& param = member.params[i];
    if (param.output) continue;
    if (param.iconic || is_handle_class_type(param.type)) {
      out.put("      GC.KeepAlive(%s);\n", names.params[i].c_str());
    }
  }
}

}  // namespace

std::string doc_text(std::string_view text) {
  return convert_comment_text(text, true, false);
}

const std::string& DotnetDocTexts::get(std::string_view text) {
  auto found = converted_.find(text.data());
  if (found != converted_.end() && found->second.size == text.size()) return found->second.text;
  if (found != converted_.end()) {
    // another text at the same place (a part of it): not kept
    scratch_ = doc_text(text);
    return scratch_;
  }
  return converted_.emplace(text.data(), Converted{text.size(), doc_text(text)}).first->second.text;
}

namespace {

// A documentation text of a member, from the run's table when there is one.
class MemberDocTexts {
 public:
  explicit MemberDocTexts(DotnetDocTexts* table) : table_(table) {}
  const char* operator()(std::string_view text) {
    if (table_ != nullptr) return table_->get(text).c_str();
    own_ = doc_text(text);
    return own_.c_str();
  }

 private:
  DotnetDocTexts* table_;
  std::string own_;
};

void write_member_doc(Writer& out, const ClassMethod& member, const SpelledNames& names,
                      DotnetDocTexts* doc_texts) {
  MemberDocTexts doc(doc_texts);
  if (member.instance) {
    out.write("    /// <summary>\n");
    out.put("    ///   %s\n", doc(member.short_description));
    out.write(member.instance->output ? "    ///   Modified instance represents: "
                                      : "    ///   Instance represents: ");
    out.write(doc(member.instance->description));
    out.write("\n");
    out.write("    /// </summary>\n");
  } else {
    out.put("    /// <summary>%s</summary>\n", doc(member.short_description));
  }
  for (size_t i = 0; i < member.params.size(); ++i) {
    const ClassParam& param = member.params[i];
    out.put("    /// <param name=\"%s\">%s", names.params[i].c_str(), doc(param.description));
    if (!param.default_value.empty())
      out.put(" Default: %s", std::string(param.default_value).c_str());
    out.write("</param>\n");
  }
  if (member.return_param) {
    out.put("    /// <returns>%s</returns>\n", doc(member.return_param->description));
  }
}

void write_csharp_parameter_list(Writer& out, const std::vector<ClassParam>& params,
                                 const std::vector<std::string>& names) {
  const char* separator = "";
  for (size_t i = 0; i < params.size(); ++i) {
    const ClassParam& param = params[i];
    out.write(separator);
    if (param.output) out.write("out ");
    out.put("%s %s", csharp_type_name(param).c_str(), names[i].c_str());
    separator = ", ";
  }
}

void write_dotnet_call_body(Writer& out, const DotnetClassInfo& info, const ClassMethod& member,
                            bool constructor, const SpelledNames& names) {
  out.write("    {\n");
  if (!constructor && member.instance && member.instance->output && (info.iconic || info.handle)) {
    out.write("      // This operator modifies the state of this instance, so the\n");
    out.write("      // old resource needs to be disposed. This could imply an operator\n");
    out.write("      // call and so must be done prior to precall (this is safe, because\n");
    out.write("      // the object state is *never* used for *both* input and output).\n");
    out.write("      Dispose();\n");
    out.write("\n");
  }
  write_buffers(out, member, names);
  write_procedure_handle(out, member);
  write_stores(out, member, names);
  write_output_slots(out, member);
  out.write("      Verror err = VornixAPI.CallProcedure(proc);\n");
  write_unpins(out, info, member, names);
  if (member.instance && member.instance->output) {
    out.put("      err = Load(proc, %d, err);\n", member.instance->slot());
  }
  if (member.return_param) write_load(out, *member.return_param, names.returned, true);
  for (size_t i = 0; i < member.params.size(); ++i) {
    if (member.params[i].output) write_load(out, member.params[i], names.params[i], false);
  }
  out.write("      VornixAPI.PostCall(proc, err);\n");
  if (member.return_param) write_split(out, *member.return_param, names.returned);
  for (size_t i = 0; i < member.params.size(); ++i) {
    if (member.params[i].output) write_split(out, member.params[i], names.params[i]);
  }
  write_keep_alives(out, member, names);
  if (member.return_param) out.put("      return %s;\n", names.returned.c_str());
  out.write("    }\n");
}

}  // namespace

void write_member_doc(Writer& out, const ClassMethod& member) {
  write_member_doc(out, member, spell_names(member), nullptr);
}

void write_csharp_parameter_list(Writer& out, const std::vector<ClassParam>& params) {
  std::vector<std::string> names;
  names.reserve(params.size());
  for (const ClassParam& param : params) names.push_back(csharp_param_name(param.name));
  write_csharp_parameter_list(out, params, names);
}

void write_dotnet_call_body(Writer& out, const DotnetClassInfo& info, const ClassMethod& member,
                            bool constructor) {
  write_dotnet_call_body(out, info, member, constructor, spell_names(member));
}

void write_dotnet_constructor(Writer& out, const DotnetClassInfo& info,
                              const ClassMethod& constructor) {
  SpelledNames names = spell_names(constructor);
  write_member_doc(out, constructor, names, info.doc_texts);
  out.put("    // Constructor mapped to %s\n", constructor.name.c_str());
  out.put("    public %s(", info.name.c_str());
  write_csharp_parameter_list(out, constructor.params, names.params);
  out.write(")\n");
  write_dotnet_call_body(out, info, constructor, true, names);
  out.write("\n");
}

void write_dotnet_method(Writer& out, const DotnetClassInfo& info, const ClassMethod& method) {
  SpelledNames names = spell_names(method);
  write_member_doc(out, method, names, info.doc_texts);
  bool private_op = is_private_tuple_method(info, method);
  out.write(private_op ? "    private " : "    public ");
  if (!method.instance) out.write("static ");
  if (method.hiding) out.write("new ");
  std::string return_type =
      method.return_param ? csharp_type_name(*method.return_param) : std::string("void");
  out.put("%s %s%s(", return_type.c_str(), name_style(method.name, style_camel).c_str(),
          private_op ? "Op" : "");
  write_csharp_parameter_list(out, method.params, names.params);
  out.write(")\n");
  write_dotnet_call_body(out, info, method, false, names);
}
