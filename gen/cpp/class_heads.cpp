// This writer emits the head and tail of a generated class: the include
// guard, the class line and the members every class with a base shares,
// then the members of its kind (iconic object, handle, data class), and the
// array classes that follow handle classes and fixed-size data classes. The
// source side starts with the banner and the prologue of the build kind.
#include "gen/cpp/class_heads.h"

#include "classes/handle_types.h"
#include "driver/diagnostics.h"
#include "driver/name_style.h"
#include "driver/output.h"
#include "driver/settings.h"

namespace {

// "LIntExport inline " or "LIntExport " for the per-member exported class.
const char* member_export(const CppClassHead& head, bool inline_member) {
  if (!head.per_member_export) return "";
  return inline_member ? "LIntExport inline " : "LIntExport ";
}

void write_class_line(Writer& header, const CppClassHead& head) {
  const char* name = head.name.c_str();
  const char* base = head.base.c_str();
  if (head.per_member_export) {
    header.write("#if defined(_WIN32)\n");
    if (!head.base.empty()) {
      header.put("class %s : public %s\n", name, base);
    } else {
      header.put("class %s\n", name);
    }
    header.write("#else\n");
    if (!head.base.empty()) {
      header.put("class LIntExport %s : public %s\n", name, base);
    } else {
      header.put("class LIntExport %s\n", name);
    }
    header.write("#endif\n");
  } else if (!head.base.empty()) {
    header.put("class LIntExport %s : public %s\n", name, base);
  } else {
    header.put("class LIntExport %s\n", name);
  }
}

// Members of every class with a base: the default and copy constructors,
// the assignment operator and, for data classes, the VTuple constructor.
void write_base_members(Writer& header, const CppClassHead& head) {
  const char* name = head.name.c_str();
  const char* base = head.base.c_str();
  if (!head.has_parameterless_constructor) {
    header.write("  // Create an uninitialized instance\n");
    header.write("  ");
    header.write(member_export(head, true));
    header.put("%s():%s() {}\n\n", name, base);
  }
  header.write("  // Copy constructor\n");
  header.write("  ");
  header.write(member_export(head, true));
  header.put("%s(const %s& source) : %s(source) {}\n\n", name, name, base);
  header.write("#if __cplusplus >= 201103\n");
  header.write("  // C++11 deprecates declaration of an implicit default assignment operator if\n");
  header.write("  // the class has a custom copy constructor.\n");
  header.put("  %s& operator=(const %s&) = default;\n", name, name);
  header.write("#endif\n\n");
  if (head.base == "VDataBase" && head.name != "VFunction1D") {
    header.write("  // Constructor from VTuple\n");
    header.write("  ");
    header.write(member_export(head, true));
    header.put("explicit %s(const VTuple& tuple) : %s(tuple) {}\n\n", name, base);
  }
  if (head.per_member_export) {
    header.write("  // Destructor must be defined explicitly to force certain compilers to emit\n");
    header.write("  // the virtual table of a class in the object file and to be able to set\n");
    header.write("  // the appropriate visibility attribute\n");
    header.put("  LIntExport ~%s();\n", name);
    header.write("\n");
  }
}

void write_iconic_members(Writer& header, Writer& source, const CppClassHead& head) {
  const char* name = head.name.c_str();
  const char* base = head.base.c_str();
  if (head.name != "VObject") {
    header.write("  // Copy constructor\n");
    header.put("  %s(const VObject& object);\n\n", name);
    source.put("%s::%s(const VObject& object) : %s(object)\n", name, name, base);
    source.write("{\n");
    source.write("  AssertObjectClass();\n");
    source.write("}\n\n");
  }
  header.put("  // Create %s from object id. For copy=false takes\n", name);
  header.write("  // over management of input key. Type of key must match!\n");
  header.put("  explicit %s(Vkey key, bool copy=true);\n\n", name);
  source.put("%s::%s(Vkey key, bool copy):%s(key,copy)\n", name, name, base);
  source.write("{\n");
  source.write("  AssertObjectClass();\n");
  source.write("}\n\n");
  header.write("  // Access of object tuple element\n");
  header.put("  const %s operator [] (Vlong index) const;\n\n", name);
  source.put("const %s %s::operator [] (Vlong index) const\n", name, name);
  source.write("{\n");
  source.put("  return %s(VornixAPI::SelectObject(mKey,index),true);\n", name);
  source.write("}\n\n");
}

void write_iconic_tail(Writer& header, Writer& source, const CppClassHead& head) {
  header.write("private:\n\n");
  header.put("  // Verify matching semantic type ('%s')!\n", head.sem_type.c_str());
  header.write("  void AssertObjectClass();\n\n");
  source.put("void %s::AssertObjectClass()\n", head.name.c_str());
  source.write("{\n");
  if (head.sem_type == "object") {
    source.write("  // No check required for generic object\n");
  } else {
    source.put("  VornixAPI::AssertObjectClass(mKey,\"%s\");\n", head.sem_type.c_str());
  }
  source.write("}\n\n");
}

void write_handle_members(Writer& header, Writer& source, const CppClassHead& head) {
  const char* name = head.name.c_str();
  bool generic = head.name == "VHandle";
  source.put("// Manage handle for sem_type %s\n", head.sem_type.c_str());
  if (!generic) {
    header.write("  // Copy constructor\n");
    header.write("  ");
    header.write(member_export(head, false));
    header.put("%s(const VHandle& handle);\n\n", name);
    source.put("%s::%s(const VHandle& handle) : VHandle(handle)\n", name, name);
    source.write("{\n");
    source.write("  VHandleBase::AssertType();");  // no line break, as required
    source.write("}\n\n");
  } else {
    header.write("  friend class VTupleElement;\n");
  }
  if (!head.has_handle_value_constructor) {
    header.put("  // Create %s from handle, taking ownership\n", name);
    header.write("  ");
    header.write(member_export(head, false));
    header.put("explicit %s(Vlong handle);\n\n", name);
    source.put("%s::%s(Vlong handle) : %s(handle)\n", name, name,
               generic ? "VHandleBase" : "VHandle");
    source.write("{\n");
    source.write("  VHandleBase::AssertType();\n");
    source.write("}\n\n");
  }
  header.write("  bool operator==(const VHandle& obj) const\n");
  header.write("  {\n");
  header.write("    return VHandleBase::operator==(obj);\n");
  header.write("  }\n\n");
  header.write("  bool operator!=(const VHandle& obj) const\n");
  header.write("  {\n");
  header.write("    return VHandleBase::operator!=(obj);\n");
  header.write("  }\n\n");
  if (head.per_member_export) {
    source.write("// Destructor must be defined explicitly to force certain compilers to emit\n");
    source.write("// the virtual table of the class (see http://gcc.gnu.org/faq.html#vtables)\n");
    source.write("// and to be able to set the appropriate visibility attribute\n");
    source.put("LIntExport %s::~%s()\n", name, name);
    source.write("{\n");
    source.write("}\n");
    source.write("\n");
  }
  header.write("protected:\n\n");
  if (generic) {
    header.write("  // Internal Vphandle constructor\n");
    header.write("  ");
    header.write(member_export(head, true));
    header.write("VHandle(const Vphandle handle, bool copy): VHandleBase(handle,copy) {}\n\n");
  }
  header.put("  // Verify matching semantic type ('%s')!\n", head.sem_type.c_str());
  header.write("  ");
  header.write(member_export(head, false));
  header.write("virtual void AssertType(Vphandle handle) const;\n\n");
  header.write("public:\n\n");
  source.put("void %s::AssertType(Vphandle handle) const\n", name);
  source.write("{\n");
  if (head.sem_type == "handle") {
    source.write("  UNUSED(handle);\n");
    source.write("  // No check required for generic handle\n");
  } else {
    source.put("  VornixAPI::AssertHandleType(handle,\"%s\");\n", head.sem_type.c_str());
  }
  source.write("}\n\n");
}

// The array class of a handle class: a smart pointer to the library's
// internal array of tool instances.
void write_handle_array(Writer& header, Writer& source, const CppClassHead& head) {
  const char* c = head.name.c_str();
  header.write("};\n\n");
  if (head.name == "VHandle") {
    header.write("#if defined(VCPP_LEGACY_HANDLE_API)\n");
    header.write("  typedef VHandle VToolBase;\n");
    header.write("#endif\n\n");
  }
  header.write("// forward declarations and types for internal array implementation\n\n");
  header.write("template<class T> class VSmartPtr;\n");
  header.write("template<class T> class VHandleBaseArrayRef;\n");
  header.write("\n");
  header.put("typedef VHandleBaseArrayRef<%s> %sArrayRef;\n", c, c);
  header.put("typedef VSmartPtr< %sArrayRef > %sArrayPtr;\n", c, c);
  header.write("\n\n");
  header.write("// Represents multiple tool instances\n");
  header.put("class LIntExport %sArray : public %s\n", c, "VHandleBaseArray");
  header.write("{\n");
  header.write("\n");
  header.write("public:\n");
  header.write("\n");
  header.write("  // Create empty array\n");
  header.put("  %sArray();\n", c);
  header.write("\n");
  header.write("  // Create array from native array of tool instances\n");
  header.put("  %sArray(const %s* classes, Vlong length);\n", c, c);
  header.write("\n");
  header.write("  // Copy constructor\n");
  header.put("  %sArray(const %sArray &tool_array);\n", c, c);
  header.write("\n");
  header.write("  // Destructor\n");
  header.put("  virtual ~%sArray();\n", c);
  header.write("\n");
  header.write("  // Assignment operator\n");
  header.put("  %sArray &operator=(const %sArray &tool_array);\n", c, c);
  header.write("\n");
  header.write("  // Clears array and all tool instances\n");
  header.write("  virtual void Clear();\n");
  header.write("\n");
  header.write("  // Get array of native tool instances\n");
  header.put("  const %s* Tools() const;\n", c);
  header.write("\n");
  header.write("  // Get number of tools\n");
  header.write("  virtual Vlong Length() const;\n");
  header.write("\n");
  header.write("  // Create tool array from tuple of handles\n");
  header.write("  virtual void SetFromTuple(const VTuple& handles);\n");
  header.write("\n");
  header.write("  // Get tuple of handles for tool array\n");
  header.write("  virtual VTuple ConvertToTuple() const;\n");
  header.write("\n");
  header.write("protected:\n");
  header.write("\n");
  header.write("// Smart pointer to internal data container\n");
  header.put("   %sArrayPtr *mArrayPtr;\n", c);

  source.put("%sArray::%sArray()\n{\n  %sArrayRef* tmp = NULL;\n  VCkNew(tmp = new %sArrayRef());\n"
             "  VCkNew(mArrayPtr = new %sArrayPtr(tmp));\n",
             c, c, c, c, c);
  source.write("}\n\n");
  source.put("%sArray::%sArray(const %s* classes, Vlong length)\n{\n  %sArrayRef* tmp = NULL;\n"
             "  VCkNew(tmp = new %sArrayRef(classes,length));\n"
             "  VCkNew(mArrayPtr = new %sArrayPtr(tmp));\n",
             c, c, c, c, c, c);
  source.write("}\n\n");
  source.put("%sArray::%sArray(const %sArray &tool_array):%s()\n", c, c, c, "VHandleBaseArray");
  source.put("{\n  VCkNew(mArrayPtr = new %sArrayPtr());\n  *mArrayPtr = *tool_array.mArrayPtr;\n", c);
  source.write("}\n\n");
  source.put("%sArray::~%sArray()\n{\n  delete mArrayPtr;\n", c, c);
  source.write("}\n\n");
  source.put("%sArray& %sArray::operator =(const %sArray &tool_array)\n{\n"
             "  *mArrayPtr = *tool_array.mArrayPtr;\n  return *this;\n",
             c, c, c);
  source.write("}\n\n");
  source.put("const %s* %sArray::Tools() const\n{\n  return (*mArrayPtr)->Tools();\n", c, c);
  source.write("}\n\n");
  source.put("Vlong %sArray::Length() const\n{\n  return (*mArrayPtr)->Length();\n", c);
  source.write("}\n\n");
  source.put("void %sArray::Clear()\n{\n  return (*mArrayPtr)->Clear();\n", c);
  source.write("}\n\n");
  source.put("void %sArray::SetFromTuple(const VTuple& handles)\n{\n  if(mArrayPtr->Ref())\n  {\n"
             "    (*mArrayPtr)->SetFromTuple(handles);\n  }\n",
             c);
  source.write("}\n\n");
  source.put("VTuple %sArray::ConvertToTuple() const\n{\n  if(mArrayPtr->Ref())\n  {\n"
             "    return (*mArrayPtr)->ConvertToTuple();\n  }\n  return VTuple();\n",
             c);
  source.write("}\n");  // the last definition has no blank line after it
}

// The array class of a data class whose value is a tuple of n numbers
// (base "VDataArray", fixed_size n), or of an iconic class (base
// "VObjectBaseArray", fixed_size 0: no GetFixedSize). The runtime provides
// both bases; iconic array classes are written in the form of the data
// array classes because no runtime file declares them, while methods whose
// iconic instance stands for several values take and return them.
void write_value_array(Writer& header, Writer& source, const CppClassHead& head, const char* base,
                       int fixed_size) {
  const char* c = head.name.c_str();
  header.write("};\n\n");
  header.put("class LIntExport %sArray : public %s\n", c, base);
  header.write("{\n");
  header.write("public:\n");
  header.put("  %sArray();\n", c);
  header.put("  %sArray(%s* classes, Vlong length);\n", c, c);
  header.write("  /* Define a default constructor to prevent compilers that support\n"
               "   * C++11 R-Value References v3.0 declaring an implicite move\n"
               "   * assignment/constructor. */\n");
  header.put("  ~%sArray() {}\n", c);
  header.write("protected:\n");
  header.write("  virtual void CreateArray(Vlong length);\n");
  if (fixed_size > 0) header.write("  virtual int GetFixedSize() const;\n");

  source.put("%sArray::%sArray()\n{\n}\n\n", c, c);
  source.put("%sArray::%sArray(%s* classes, Vlong length)\n{\n  InitFromArray(classes,length);\n}\n\n",
             c, c, c);
  source.put("void %sArray::CreateArray(Vlong length)\n{\n  try\n  {\n    mArray  = new %s[length];\n"
             "    mLength = length;\n  }\n  catch (std::bad_alloc&)\n  {\n"
             "    VException(\"%s array creation\",\"Out of memory\").ThrowInstance();\n  }\n}\n",
             c, c, c);
  if (fixed_size > 0)
    source.put("int %sArray::GetFixedSize() const\n{\n  return %d;\n}\n", c, fixed_size);
}

}  // namespace

std::string cpp_include_guard(const CppClassHead& head) {
  return format_text("VCPP_%s%s", name_style(head.name, style_upper).c_str(),
                     head.legacy ? "_LEGACY" : "");
}

void write_header_head(Writer& header, const CppClassHead& head) {
  write_banner(header, banner_cpp);
  std::string guard = cpp_include_guard(head);
  header.put("#ifndef %s\n", guard.c_str());
  header.put("#define %s\n\n", guard.c_str());
  header.write("namespace VornixCpp\n");
  header.write("{\n\n");
  if (head.kind == class_kind_free_functions) return;
  header.put("// %s\n", head.description.c_str());
  write_class_line(header, head);
  header.write("{\n\n");
  header.write("public:\n\n");
  if (!head.base.empty()) write_base_members(header, head);
}

void write_source_prologue(Writer& source, bool handle_class) {
  write_banner(source, banner_cpp);
  const std::string& package = settings().package_name;
  if (settings().generation_target == target_library) {
    source.write("#include \"vornixcpp/VornixCpp.h\"\n");
    source.write("#include \"VornixCppInternal.h\"\n\n");
    source.write("#ifdef VC_STATIC_VARIANT \n");  // a blank before the line end, as required
    source.write("#include \"vlib/CoreInterface.h\"\n");
    source.write("#endif /* VC_STATIC_VARIANT */\n\n");
    if (handle_class) source.write("#include \"VHandleBaseInternal.h\"\n");
    source.write("using namespace VornixCpp;\n\n");
    return;
  }
  source.write("#ifndef __APPLE__\n");
  source.write("#  include \"vornixcpp/VornixCpp.h\"\n");
  source.write("#  include \"vornixcpp/VornixAPI.h\"\n");
  source.write("#else\n");
  source.write("#  ifndef VC_LARGE_IMAGES\n");
  source.write("#    include <VORNIXCpp/VornixCpp.h>\n");
  source.write("#    include <VORNIXCpp/VornixAPI.h>\n");
  source.write("#  else\n");
  source.write("#    include <VORNIXCppxl/VornixCpp.h>\n");
  source.write("#    include <VORNIXCppxl/VornixAPI.h>\n");
  source.write("#  endif\n");
  source.write("#endif\n\n");
  source.put("#include \"VCPP%s.h\"\n\n", package.c_str());
  source.put("extern \"C\" VUserImport int V%sGetOffset();\n\n", package.c_str());
  source.write("int offset = -1;\n\n");
  source.write("using namespace VornixCpp;\n\n");
  // Asks the library once for the package's first procedure number; a
  // negative answer means the library is not initialised yet, so procedure
  // 0 is touched and the question repeated before giving up.
  source.write("Vproc_handle PreCallUser(int proc_index_local)\n");
  source.write("{\n");
  source.write("  if (offset < 0)\n");
  source.write("  {\n");
  source.write("    /* First use of this extension package, query my offset */\n");
  source.put("    offset = V%sGetOffset();\n", package.c_str());
  source.write("    if (offset < 0)\n");
  source.write("    {\n");
  source.write("      /* VORNIX library not initialized (extension package as first usage). */\n");
  source.write("      /* Trigger initialization by touching system operator and try again. */\n");
  source.write("      Vproc_handle tmp = VornixAPI::PreCall(0);\n");
  source.write("      VornixAPI::PostCall(tmp);\n");
  source.put("      offset = V%sGetOffset();\n", package.c_str());
  source.write("      if (offset < 0)\n");
  source.write("      {\n");
  source.write("        /* Ok, so something is *really* wrong */\n");
  source.write("        VOperatorException::Throw(proc_index_local,V_ERR_UEXTNI);\n");
  source.write("      }\n");
  source.write("    }\n");
  source.write("  }\n");
  source.write("  return VornixAPI::PreCall(offset + proc_index_local);\n");
  source.write("}\n\n");
}

void write_source_head(Writer& source, const CppClassHead& head) {
  write_source_prologue(source, head.kind == class_kind_handle &&
                                    settings().generation_target == target_library);
}

void write_kind_members(Writer& header, Writer& source, const CppClassHead& head) {
  if (head.kind == class_kind_iconic) write_iconic_members(header, source, head);
  if (head.kind == class_kind_handle) write_handle_members(header, source, head);
}

void write_class_tail(Writer& header, Writer& source, const CppClassHead& head) {
  switch (head.kind) {
    case class_kind_iconic:
      write_iconic_tail(header, source, head);
      write_value_array(header, source, head, "VObjectBaseArray", 0);
      break;
    case class_kind_handle:
      write_handle_array(header, source, head);
      break;
    case class_kind_data:
      if (type_kind(head.type) > 0)
        write_value_array(header, source, head, "VDataArray", type_kind(head.type));
      break;
    default:
      break;
  }
}
