// "resource.h" and the resource script ("VornixX.rc" or "<package>X.rc"):
// English (U.S.) resources with the version block, one registry script per
// class (and the two hand-written controls of the library build), the
// project string and the type library.
#include "gen/com/com_writers.h"

namespace {

/// Registry resources of the library build's two hand-written controls.
void write_control_scripts(Writer& out) {
  out.write("IDR_VWINDOWX_CTRL REGISTRY DISCARDABLE \"VWindowXCtrl.rgs\"\n");
  out.write("IDR_VDEVWINDOWSTACKX REGISTRY DISCARDABLE \"VDevWindowStackX.rgs\"\n");
}

void write_text_includes(Writer& out, const ComBuild& build) {
  out.write("#ifdef APSTUDIO_INVOKED\n");
  out.write("/////////////////////////////////////////////////////////////////////////////\n");
  out.write("//\n");
  out.write("// TEXTINCLUDE\n");
  out.write("//\n\n");
  out.write("1 TEXTINCLUDE DISCARDABLE\n");
  out.write("BEGIN\n");
  out.write("    \"resource.h\\0\"\n");
  out.write("END\n\n");
  out.write("2 TEXTINCLUDE DISCARDABLE\n");
  out.write("BEGIN\n");
  out.write("    \"#include \"\"winres.h\"\"\\r\\n\"\n");
  out.write("    \"\\0\"\n");
  out.write("END\n\n");
  out.write("3 TEXTINCLUDE DISCARDABLE\n");
  out.write("BEGIN\n");
  out.put("    \"1 TYPELIB \"\"%s.tlb\"\"\\r\\n\"\n", build.project.c_str());
  out.write("    \"\\0\"\n");
  out.write("END\n\n");
  out.write("#endif    // APSTUDIO_INVOKED\n\n");
}

void write_version_block(Writer& out, const ComBuild& build) {
  const char* major = build.version_major.c_str();
  const char* minor = build.version_minor.c_str();
  std::string module = build.module_base + "x";
  out.write("#ifndef _MAC\n");
  out.write("/////////////////////////////////////////////////////////////////////////////\n");
  out.write("//\n");
  out.write("// Version\n");
  out.write("//\n\n");
  out.write("VS_VERSION_INFO VERSIONINFO\n");
  out.put(" FILEVERSION %s,0,0\n", major);
  out.put(" PRODUCTVERSION %s,%s,0\n", major, minor);
  out.write(" FILEFLAGSMASK 0x3fL\n");
  out.write("#ifdef _DEBUG\n");
  out.write(" FILEFLAGS 0x1L\n");
  out.write("#else\n");
  out.write(" FILEFLAGS 0x0L\n");
  out.write("#endif\n");
  out.write(" FILEOS 0x4L\n");
  out.write(" FILETYPE 0x2L\n");  // a DLL
  out.write(" FILESUBTYPE 0x0L\n");
  out.write("BEGIN\n");
  out.write("    BLOCK \"StringFileInfo\"\n");
  out.write("    BEGIN\n");
  out.write("        BLOCK \"040904B0\"\n");
  out.write("        BEGIN\n");
  out.write("            VALUE \"CompanyName\", \"Talvik Software GmbH\\0\"\n");
  out.write("            VALUE \"FileDescription\", \"VORNIX/COM Interface\\0\"\n");
  out.put("            VALUE \"FileVersion\", \"%s,0,0\\0\"\n", major);
  out.put("            VALUE \"InternalName\", \"%s\\0\"\n", module.c_str());
  // A fixed year keeps the generated files the same from run to run.
  out.write("            VALUE \"LegalCopyright\", \"Copyright (C) 2023 Talvik Software GmbH\\0\"\n");
  out.put("            VALUE \"OriginalFilename\", \"%s.dll\\0\"\n", module.c_str());
  out.write("            VALUE \"ProductName\", \"VORNIX\\0\"\n");
  out.put("            VALUE \"ProductVersion\", \"%s.%s\\0\"\n", major, minor);
  out.write("            VALUE \"OLESelfRegister\", \"\\0\"\n");
  out.write("        END\n");
  out.write("    END\n");
  out.write("    BLOCK \"VarFileInfo\"\n");
  out.write("    BEGIN\n");
  out.write("        VALUE \"Translation\", 0x409, 1200\n");
  out.write("    END\n");
  out.write("END\n\n");
  out.write("#endif    // !_MAC\n\n");
}

}  // namespace

void write_resource_header(Writer& out, const ComBuild& build, const ClassModel& model) {
  out.write("#define IDS_PROJNAME 100\n");
  int number = 101;
  for (const ClassRecord& record : model.classes)
    out.put("#define IDR_%s %d\n", com_name(record).c_str(), number++);
  if (!build.package) {
    out.write("#define IDR_VWINDOWX_CTRL 500\n");
    out.write("#define IDR_VDEVWINDOWSTACKX 501\n");
    out.write("#define IDI_TOOLBOX_ICON 1000\n");
  }
}

void write_resource_script(Writer& out, const ComBuild& build, const ClassModel& model) {
  out.write("#include \"resource.h\"\n\n");
  out.write("#define APSTUDIO_READONLY_SYMBOLS\n");
  out.write("#include \"winres.h\"\n");
  out.write("#undef APSTUDIO_READONLY_SYMBOLS\n\n");
  out.write("/////////////////////////////////////////////////////////////////////////////\n");
  out.write("// English (U.S.) resources\n\n");
  out.write("#if !defined(AFX_RESOURCE_DLL) || defined(AFX_TARG_ENU)\n");
  out.write("#ifdef _WIN32\n");
  out.write("LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n");
  out.write("#pragma code_page(1252)\n");
  out.write("#endif //_WIN32\n\n");
  write_text_includes(out, build);
  write_version_block(out, build);
  out.write("/////////////////////////////////////////////////////////////////////////////\n");
  out.write("//\n");
  out.write("// REGISTRY\n");
  out.write("//\n\n");
  for (const ClassRecord& record : model.classes) {
    std::string name = com_name(record);
    out.put("IDR_%s REGISTRY DISCARDABLE \"%s.rgs\"\n", name.c_str(), name.c_str());
  }
  if (!build.package) write_control_scripts(out);
  out.write("\n");
  out.write("/////////////////////////////////////////////////////////////////////////////\n");
  out.write("//\n");
  out.write("// String Table\n");
  out.write("//\n\n");
  out.write("STRINGTABLE DISCARDABLE\n");
  out.write("BEGIN\n");
  out.put("      IDS_PROJNAME            \"%s\"\n", build.project.c_str());
  out.write("END\n\n");
  out.write("#endif    // English (U.S.) resources\n");
  out.write("/////////////////////////////////////////////////////////////////////////////\n\n");
  out.write("#ifndef APSTUDIO_INVOKED\n");
  out.put("1 TYPELIB \"%s.tlb\"\n\n", build.project.c_str());
  out.write("#endif    // not APSTUDIO_INVOKED\n");
}
