// The ATL class header of one class ("<COM name>.h", in an extension
// package "V<package>X.h"): the bases with the extra dispatch interfaces of
// XLD, iconic and handle classes, the registry resource, the COM map, the
// handle member and the member declarations.
#include "classes/handle_types.h"
#include "driver/name_style.h"
#include "gen/com/com_writers.h"

namespace {

void write_bases(Writer& out, const std::string& name, const std::string& libid,
                 const ClassRecord& record) {
  out.put("class ATL_NO_VTABLE %s :\n", name.c_str());
  out.write("        public CComObjectRootEx<CComMultiThreadModel>,\n");
  out.put("        public CComCoClass<%s, &CLSID_%s>,\n", name.c_str(), name.c_str());
  out.write("        public ISupportErrorInfo,\n");
  out.put("        public IDispatchImpl<I%s, &IID_I%s, &%s>,\n", name.c_str(), name.c_str(),
          libid.c_str());
  if (record.xld_family)
    out.put("      public IDispatchImpl<IVXLDX, &IID_IVXLDX, &%s>,\n", libid.c_str());
  if (is_iconic_class(record.type))
    out.put("      public IDispatchImpl<IVObjectX, &IID_IVObjectX, &%s>,\n", libid.c_str());
  if (is_handle_class(record.type))
    out.put("  public IDispatchImpl<IHandleAccess, &IID_IHandleAccess, &%s>,\n", libid.c_str());
  out.put("        public IProvideClassInfo2Impl<&CLSID_%s, &IID_I%s, &%s>\n", name.c_str(),
          name.c_str(), libid.c_str());
}

void write_com_map(Writer& out, const std::string& name, const ClassRecord& record) {
  out.put("BEGIN_COM_MAP(%s)\n", name.c_str());
  out.put("        COM_INTERFACE_ENTRY2(IDispatch, I%s)\n", name.c_str());
  out.put("        COM_INTERFACE_ENTRY(I%s)\n", name.c_str());
  if (record.xld_family) out.write("        COM_INTERFACE_ENTRY(IVXLDX)\n");
  if (is_iconic_class(record.type)) out.write("        COM_INTERFACE_ENTRY(IVObjectX)\n");
  if (is_handle_class(record.type)) out.write("        COM_INTERFACE_ENTRY(IHandleAccess)\n");
  out.write("        COM_INTERFACE_ENTRY(ISupportErrorInfo)\n");
  out.write("        COM_INTERFACE_ENTRY(IProvideClassInfo)\n");
  out.write("        COM_INTERFACE_ENTRY(IProvideClassInfo2)\n");
  out.write("END_COM_MAP()\n");
}

void write_member_declarations(Writer& out, const ClassRecord& record) {
  out.write("  STDMETHOD(InterfaceSupportsErrorInfo)(REFIID riid);\n");
  if (is_iconic_class(record.type)) out.write("  STDMETHOD(Cast)(IVObjectX *Source);\n");
  if (is_handle_class(record.type)) {
    out.write("  STDMETHOD(HandleAccess)(Vlong *rVal);\n");
    out.write("  STDMETHOD(HandleEnterCriticalSection)();\n");
    out.write("  STDMETHOD(HandleLeaveCriticalSection)();\n");
    out.write("  STDMETHOD(HandleCleanUp)(BOOL CallDestructor);\n");
    out.write("  STDMETHOD(HandleIsValid)(Vlong *isValid);\n\n");
    out.put("  STDMETHOD(get_%s)(VARIANT * ClassHandle);\n", handle_property_name(record.type));
  }
  if (record.type == well_known_types().system) {
    out.write("  STDMETHOD(get_ErrorBaseCOM)(long *val);\n");
    out.write("  STDMETHOD(get_ErrorBaseVornix)(long *val);\n");
  }
  for (const ClassMethod& method : record.methods) {
    out.put("  STDMETHOD(%s)(\n", name_style(method.name, style_camel).c_str());
    write_method_parameters(out, method);
    out.write(");\n");
  }
}

}  // namespace

void write_class_header(Writer& out, const ComBuild& build, const ClassRecord& record) {
  std::string name = com_name(record);
  std::string libid = "LIBID_" + build.library_name;
  out.put("#ifndef _%s_H\n", name.c_str());
  out.put("#define _%s_H\n\n", name.c_str());
  write_bases(out, name, libid, record);
  out.write("{\n");
  out.write("public:\n");
  out.put("  %s();\n", name.c_str());
  out.put("  ~%s();\n\n", name.c_str());
  out.put("DECLARE_REGISTRY_RESOURCEID(IDR_%s)\n", name.c_str());
  write_com_map(out, name, record);
  out.write("private:\n");
  out.write(is_iconic_class(record.type) ? "    Vobject handle;\n" : "    Vtuple handle;\n");
  out.write("public:\n");
  write_member_declarations(out, record);
  out.write("};\n\n");
  out.put("#endif /* _%s_H*/\n", name.c_str());
}
