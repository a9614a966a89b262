// This writer emits the C# file of one class: the head with its using
// lines and class line (and, in an extension package, the import of the
// package's offset function), the members every class of its kind has,
// the operator-based constructors, the serialisation members, the class
// snippet, the methods and the closing braces.
#include "gen/dotnet/class_file.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "classes/handle_types.h"
#include "driver/diagnostics.h"
#include "driver/name_style.h"
#include "driver/output.h"
#include "driver/settings.h"
#include "gen/cpp/snippets.h"
#include "gen/cpp/type_mapping.h"
#include "gen/dotnet/members.h"

namespace {

const char* const hidden = "    [EditorBrowsable(EditorBrowsableState.Never)]\n";

bool has_parameterless_constructor(const ClassRecord& record) {
  for (const ClassMethod& constructor : record.constructors) {
    if (constructor.params.empty()) return true;
  }
  return false;
}

std::string dotnet_base_class(const ClassRecord& record, CppClassKind kind) {
  if (kind == class_kind_data) return "VData";
  return cpp_base_class(record.type, kind);  // iconic and handle classes as in C++
}

// The base class of the list has serialisation members of its own, which
// this class's members then replace.
bool base_is_serialisable(const ClassRecord& record, const ClassModel& model) {
  const ClassRecord* base = model.find(record.base_type);
  return base != nullptr && base->serialize() != nullptr && base->deserialize() != nullptr;
}

void write_head(Writer& out, const ClassRecord& record, CppClassKind kind,
                const std::string& base) {
  const char* name = record.class_name().c_str();
  bool serialisable = record.serialize() != nullptr;
  bool tuple = kind == class_kind_tuple;
  out.write("using System;\n");
  out.write("using System.ComponentModel;\n");
  out.write("using System.Runtime.InteropServices;\n");
  if (serialisable) {
    out.write("using System.Runtime.Serialization;\n");
    out.write("using System.IO;");  // no line break of its own, as required
  }
  out.write("\n");
  out.write("using Verror = System.Int32;\n");
  out.write("\n");
  out.write("namespace VornixDotNet\n");
  out.write("{\n");
  out.put("  /// <summary>%s</summary>\n", doc_text(record.description).c_str());
  if (serialisable || record.xld_family) out.write("  [Serializable()]\n");
  if (!base.empty()) {
    out.put("  public class %s:%s", name, base.c_str());
  } else if (tuple) {
    out.put("  public partial class %s", name);
  } else {
    out.put("  public class %s", name);
  }
  if (serialisable) out.write(tuple ? ": ISerializable, ICloneable" : ", ISerializable, ICloneable");
  out.write("\n  {\n\n");
}

void write_package_prologue(Writer& out) {
  const char* package = settings().package_name.c_str();
  const char* indent = settings().package_free_functions ? "  " : "    ";
  out.write("#if (VC_LARGE_IMAGES)\n");
  out.put("%s[DllImport(\"%sxl\")]\n", indent, package);
  out.write("#else\n");
  out.put("%s[DllImport(\"%s\")]\n", indent, package);
  out.write("#endif\n\n");
  out.put("    private static extern int V%sGetOffset();\n\n", package);
  out.write("    static int offset = -1;\n\n");
  out.write("    private static IntPtr PreCallUser(int localProcIndex)\n");
  out.write("    {\n");
  out.write("      if (offset < 0)\n");
  out.write("      {\n");
  out.write("        /* First use of this extension package, query my offset */\n");
  out.put("        offset = V%sGetOffset();\n", package);
  out.write("        if (offset < 0)\n");
  out.write("        {\n");
  out.write("          /* VORNIX library not initialized (extension package as first usage). */\n");
  out.write("          /* Trigger initialization by touching Vornix API and try again. */\n");
  out.write("          IntPtr proc = VornixAPI.PreCall(0);\n");
  out.write("          VornixAPI.PostCall(proc,VErrorDef.V_MSG_OK);\n");
  out.put("          offset = V%sGetOffset();\n", package);
  out.write("          if (offset < 0)\n");
  out.write("          {\n");
  out.write("            /* Ok, so something is *really* wrong */\n");
  out.write("            VOperatorException.throwInfo(VErrorDef.V_ERR_UEXTNI, \"<unknown>\");\n");
  out.write("          }\n");
  out.write("        }\n");
  out.write("      }\n");
  out.write("      return VornixAPI.PreCall(offset + localProcIndex);\n");
  out.write("    }\n\n");
}

void write_iconic_members(Writer& out, const ClassRecord& record) {
  const char* name = record.class_name().c_str();
  if (!has_parameterless_constructor(record)) {
    out.write("    /// <summary>Create an uninitialized iconic object</summary>\n");
    out.put("    public %s():base(UNDEF, false) {}\n", name);
  }
  out.write(hidden);
  out.put("    public %s(IntPtr key):this(key, true) { AssertObjectClass(); GC.KeepAlive(this); }\n",
          name);
  out.write(hidden);
  out.put("    public %s(IntPtr key, bool copy):base(key, copy) { AssertObjectClass(); "
          "GC.KeepAlive(this); }\n",
          name);
  out.write(hidden);
  out.put("    public %s(VObject obj):base(obj) { AssertObjectClass(); GC.KeepAlive(this); }\n",
          name);
  out.write("\n");
  out.write("    private void AssertObjectClass()\n");
  out.write("    {\n");
  if (record.type == well_known_types().object) {
    out.write("      // No check required for generic object\n");
  } else {
    out.put("      VornixAPI.AssertObjectClass(key,\"%s\");\n", type_name(record.type).c_str());
  }
  out.write("    }\n");
  out.write("\n");
  out.write("    /// <summary>Returns the iconic object(s) ");
  out.write("at the specified index</summary>\n");
  out.put("    public new %s this[VTuple index]\n", name);
  out.write("    {\n");
  out.write("      get\n");
  out.write("      {\n");
  out.write("        return SelectObj(index);\n");
  out.write("      }\n");
  out.write("    }\n");
  out.write("\n");
  out.write(hidden);
  out.put("    public static Verror LoadNew(IntPtr proc, int parIndex, Verror err, out %s obj)\n",
          name);
  out.write("    {\n");
  out.put("      obj = new %s(UNDEF);\n", name);
  out.write("      return obj.Load(proc, parIndex, err);\n");
  out.write("    }\n");
  out.write("\n");
}

void write_handle_members(Writer& out, const ClassRecord& record) {
  const char* name = record.class_name().c_str();
  if (!has_parameterless_constructor(record)) {
    out.write(hidden);
    out.put("    public %s():base(UNDEF) {}\n", name);
  }
  out.write(hidden);
  out.put("    public %s(IntPtr handle):base(handle) { AssertSemType(); }\n", name);
  out.write(hidden);
  out.put("    public %s(VHandle handle):base(handle) { AssertSemType(); }\n", name);
  out.write("\n");
  out.write("    private void AssertSemType()\n");
  out.write("    {\n");
  if (record.type == well_known_types().handle) {
    out.write("      // No check required for generic handle\n");
  } else {
    out.put("      AssertSemType(\"%s\");\n", type_name(record.type).c_str());
  }
  out.write("    }\n");
  out.write("\n");
  out.write("\n");
  out.put("    internal static Verror LoadNew(IntPtr proc, int parIndex, Verror err, out %s obj)\n",
          name);
  out.write("    {\n");
  out.put("      obj = new %s(UNDEF);\n", name);
  out.write("      return obj.Load(proc, parIndex, err);\n");
  out.write("    }\n\n");
  out.put("    internal static Verror LoadNew(IntPtr proc, int parIndex, Verror err, out %s[] obj)\n",
          name);
  out.write("    {\n");
  out.write("      VTuple tuple;\n");
  out.write("      err = VTuple.LoadNew(proc, parIndex, err, out tuple);\n");
  out.put("      obj = new %s[tuple.Length];\n", name);
  out.write("      for (int i = 0; i < tuple.Length; i++)\n");
  out.write("      {\n");
  out.put("        obj[i] = new %s(\n", name);
  out.write("          VornixAPI.IsLegacyHandleMode() ? tuple[i].IP : tuple[i].H);\n");
  out.write("      }\n");
  out.write("      tuple.Dispose();\n");
  out.write("      return err;\n");
  out.write("    }\n");
}

void write_data_members(Writer& out, const ClassRecord& record) {
  const char* name = record.class_name().c_str();
  if (!has_parameterless_constructor(record)) {
    out.write("    /// <summary>Create an uninitialized instance.</summary>\n");
    out.put("    public %s():base() {}\n", name);
  }
  if (record.type != well_known_types().function_1d) {
    out.put("    public %s(VTuple tuple):base(tuple) {}\n", name);
  }
  out.put("    internal %s(VData data):base(data) {}\n", name);
  out.write("\n");
  out.put("    internal static Verror LoadNew(IntPtr proc, int parIndex, VTupleType type, Verror "
          "err, out %s obj)\n",
          name);
  out.write("    {\n");
  out.write("      VTuple tuple;\n");
  out.write("      err = VTuple.LoadNew(proc, parIndex, err, out tuple);\n");
  out.put("      obj = new %s(new VData(tuple));\n", name);
  out.write("      return err;\n");
  out.write("    }\n");
  out.write("\n");
  out.put("    internal static Verror LoadNew(IntPtr proc, int parIndex, Verror err, out %s obj)\n",
          name);
  out.write("    {\n");
  out.write("      return LoadNew(proc, parIndex, VTupleType.MIXED, err, out obj);\n");
  out.write("    }\n");
  int fixed_size = type_kind(record.type);
  if (fixed_size > 0) {
    out.put("\n    private const int FIXEDSIZE = %d;\n\n", fixed_size);
    out.put("    internal static %s[] SplitArray(VTuple data)\n", name);
    out.write("    {\n");
    out.write("      int numBlocks = data.Length / FIXEDSIZE;\n");
    out.put("      %s[] array = new %s[numBlocks];\n", name, name);
    out.write("      for (int i = 0; i < numBlocks; i++)\n");
    out.write("      {\n");
    out.put("        array[i] = new %s(new VData(data.TupleSelectRange(i * FIXEDSIZE, (i+1) * "
            "FIXEDSIZE - 1)));\n",
            name);
    out.write("      }\n");
    out.write("      return array;\n");
    out.write("    }\n\n");
  }
}

void write_serialisation_members(Writer& out, const ClassRecord& record, const ClassModel& model,
                                 bool tuple) {
  const ClassMethod* serialize = record.serialize();
  const ClassMethod* deserialize = record.deserialize();
  if (serialize == nullptr || deserialize == nullptr) return;
  const char* name = record.class_name().c_str();
  std::string serialize_name = name_style(serialize->name, style_camel);
  std::string deserialize_name = name_style(deserialize->name, style_camel);
  // Members that the base class has as well are replaced: Serialize is
  // overridden (or hidden, when the class model marks the serialize member
  // as hiding), the static Deserialize and Clone of another return type
  // are hidden.
  bool replaces = base_is_serialisable(record, model);
  const char* new_word = replaces ? "new " : "";

  out.write("    void ISerializable.GetObjectData(SerializationInfo info, StreamingContext context)\n");
  out.write("    {\n");
  out.put("      VSerializedItem block = %s();\n", serialize_name.c_str());
  out.write("      byte[] data = (byte[]) block;\n");
  out.write("      block.Dispose();\n");
  out.write("      info.AddValue(\"data\", data, typeof(byte[]));\n");
  out.write("    }\n\n");

  out.write(hidden);
  out.put("    public %s(SerializationInfo info, StreamingContext context)\n", name);
  out.write("    {\n");
  out.write("      byte[] data = (byte[]) info.GetValue(\"data\", typeof(byte[]));\n");
  out.write("      VSerializedItem item = new VSerializedItem(data);\n");
  // A tuple deserialised into a returned value is taken over; a deserialize
  // member that loads its own instance has filled this already.
  if (tuple && deserialize->return_param) {
    out.put("      VTuple deserialized = %s(item);\n", deserialize_name.c_str());
    out.write("      this.data = deserialized.data;\n");
  } else {
    out.put("      %s(item);\n", deserialize_name.c_str());
  }
  out.write("      item.Dispose();\n");
  out.write("    }\n\n");

  out.write("    /// <summary>Serialize object to binary stream in VORNIX format</summary>\n");
  if (replaces) {
    out.put("    public %s%svoid Serialize(Stream stream)\n", serialize->hiding ? "new " : "",
            serialize->hiding ? "" : "override ");
  } else {
    out.write("    public virtual void Serialize(Stream stream)\n");
  }
  out.write("    {\n");
  out.put("      VSerializedItem block = %s();\n", serialize_name.c_str());
  out.write("      block.Serialize(stream);\n");
  out.write("      block.Dispose();\n");
  out.write("    }\n\n");

  out.write("    /// <summary>Deserialize object from binary stream in VORNIX format</summary>\n");
  out.put("    public %sstatic %s Deserialize(Stream stream)\n", new_word, name);
  out.write("    {\n");
  out.put("      %s deserialized = new %s();\n", name, name);
  out.write("      VSerializedItem item = VSerializedItem.Deserialize(stream);\n");
  out.write("      deserialized.");
  out.put("%s(item);\n", deserialize_name.c_str());
  out.write("      item.Dispose();\n");
  out.write("      return deserialized;\n");
  out.write("    }\n\n");

  out.write("    object ICloneable.Clone()\n");
  out.write("    {\n");
  out.write("      return Clone();\n");
  out.write("    }\n\n");

  out.put("    public %s%s Clone()\n", new_word, name);
  out.write("    {\n");
  out.put("      VSerializedItem item = %s();\n", serialize_name.c_str());
  out.put("      %s     copy  = new %s();\n", name, name);
  out.put("      copy.%s(item);\n", deserialize_name.c_str());
  out.write("      item.Dispose();\n");
  out.write("      return copy;\n");
  out.write("    }\n\n");
}

}  // namespace

std::string dotnet_class_file_name(const ClassRecord& record) {
  if (record.type == well_known_types().user) {
    return format_text("VDOTNET%s.cs", settings().package_name.c_str());
  }
  return record.class_name() + ".cs";
}

void write_dotnet_class(Writer& out, const ClassRecord& record, const ClassModel& model,
                        const std::string& snippet_path, DotnetDocTexts* doc_texts) {
  CppClassKind kind = cpp_class_kind(record.type, record.free_functions);
  std::string base = dotnet_base_class(record, kind);
  DotnetClassInfo info;
  info.name = record.class_name();
  info.tuple = kind == class_kind_tuple;
  info.iconic = kind == class_kind_iconic;
  info.handle = kind == class_kind_handle;
  info.data = kind == class_kind_data;
  info.doc_texts = doc_texts;

  write_banner(out, banner_dotnet);
  write_head(out, record, kind, base);
  if (settings().generation_target == target_package) write_package_prologue(out);
  if (info.iconic) write_iconic_members(out, record);
  if (info.handle) write_handle_members(out, record);
  if (info.data) write_data_members(out, record);
  for (const ClassMethod& constructor : record.constructors) {
    write_dotnet_constructor(out, info, constructor);
  }
  write_serialisation_members(out, record, model, info.tuple);
  copy_snippet(out, snippet_path, class_snippets_required(record.type));
  for (const ClassMethod& method : record.methods) write_dotnet_method(out, info, method);
  out.write("  }\n");
  out.write("}\n");
}

void write_dotnet_class_file(const ClassRecord& record, const ClassModel& model,
                             DotnetDocTexts* doc_texts) {
  std::string file_name = dotnet_class_file_name(record);
  std::string snippet_path = format_text("%s/source/interfaces/DOTNET/source/snippets/%sop",
                                         snippet_root().c_str(), file_name.c_str());
  std::optional<Writer> out = try_open_output_file(file_name);
  if (!out) {
    report_error("could not open file <%s>\n", file_name.c_str());
    fail(1);
  }
  write_dotnet_class(*out, record, model, snippet_path, doc_texts);
  out->close();
}
