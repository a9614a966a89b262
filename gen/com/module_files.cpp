// The files that tie the classes into one in-process server: a package's
// module source with its object map and entry points, the library build's
// include list and object-map entries, the module definition files and the
// makefile list of the object files.
#include "gen/com/com_writers.h"

void write_makefile_list(Writer& out, const ClassModel& model) {
  out.write("# vornc-generated targets for VORNIX/COM classes\n");
  out.write("COMINT_GEN_OBJECTS =");
  for (const ClassRecord& record : model.classes)
    out.put(" \\\n  $(VOBJ_DIR)%s.$(O)", com_name(record).c_str());
  out.write("\n");
}

void write_module_source(Writer& out, const ComBuild& build, const ClassModel& model) {
  const char* base = build.module_base.c_str();
  out.write("#include <atlbase.h>\n");
  out.write("extern CComModule _Module;\n");
  out.write("#include <atlcom.h>\n\n");
  if (build.package) {
    out.write("#include \"Vornix.h\"\n");
  } else {
    out.write("#include \"vlib/base/VornixInternal.h\"\n");
    out.write("#include \"vlib/base/CORELI.h\"\n");
  }
  out.write("\n");
  out.write("#include \"resource.h\"\n");
  out.write("#include \"initguid.h\"\n");
  out.write("#include \"VornixXimport.h\"\n");
  out.write("#include \"VornixXimport_i.c\"\n");
  out.write("#include \"VornixCOM.h\"\n");
  out.put("#include \"%sx.h\"\n", base);
  out.put("#include \"%sx_i.c\"\n", base);
  for (const ClassRecord& record : model.classes)
    out.put("#include \"%s.h\"\n", class_file_base(record, build).c_str());
  out.write("CComModule _Module;\n");
  out.write("BEGIN_OBJECT_MAP(ObjectMap)\n");
  for (const ClassRecord& record : model.classes) {
    std::string name = com_name(record);
    out.put("OBJECT_ENTRY(CLSID_%s, %s)\n", name.c_str(), name.c_str());
  }
  out.write("END_OBJECT_MAP()\n\n");

  out.write("extern \"C\"\n");
  out.write("BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID /*lpReserved*/)\n");
  out.write("{\n");
  out.write("  if (dwReason == DLL_PROCESS_ATTACH)\n");
  out.write("  {\n");
  out.write("    _Module.Init(ObjectMap, hInstance);\n");
  out.write("    DisableThreadLibraryCalls(hInstance);\n");
  out.write("  }\n");
  out.write("  else if (dwReason == DLL_PROCESS_DETACH)\n");
  out.write("    _Module.Term();\n");
  out.write("  return TRUE;\n");
  out.write("}\n\n");
  out.write("STDAPI DllCanUnloadNow(void)\n");
  out.write("{\n");
  out.write("  return (_Module.GetLockCount()==0) ? S_OK : S_FALSE;\n");
  out.write("}\n\n");
  out.write("STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv)\n");
  out.write("{\n");
  out.write("  return _Module.GetClassObject(rclsid, riid, ppv);\n");
  out.write("}\n\n");
  out.write("STDAPI DllRegisterServer(void)\n");
  out.write("{\n");
  out.write("  return _Module.RegisterServer(true);\n");
  out.write("}\n\n");
  out.write("STDAPI DllUnregisterServer(void)\n");
  out.write("{\n");
  out.write("  _Module.UnregisterServer();\n");
  out.write("  return S_OK;\n");
  out.write("}\n");
}

void write_class_includes(Writer& out, const ClassModel& model) {
  for (const ClassRecord& record : model.classes)
    out.put("#include \"%s.h\"\n", com_name(record).c_str());
}

void write_object_entries(Writer& out, const ClassModel& model) {
  for (const ClassRecord& record : model.classes) {
    std::string name = com_name(record);
    out.put("  OBJECT_ENTRY(CLSID_%s, %s)\n", name.c_str(), name.c_str());
  }
}

void write_module_definition(Writer& out, const std::string& module) {
  out.put("LIBRARY \"%s.dll\"\n\n", module.c_str());
  out.write("EXPORTS\n");
  out.write("\tDllCanUnloadNow     PRIVATE\n");
  out.write("\tDllGetClassObject   PRIVATE\n");
  out.write("\tDllRegisterServer   PRIVATE\n");
  out.write("\tDllUnregisterServer PRIVATE\n");
}
