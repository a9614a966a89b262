// Registry scripts ("<COM name>.rgs") that register each class with its
// version-independent and versioned ProgIDs, and the clean-up list of the
// library build that names every key the library's classes create.
#include "gen/com/com_writers.h"

void write_registry_script(Writer& out, const std::string& name, const std::string& class_id) {
  const char* cls = name.c_str();
  const char* clsid = class_id.c_str();
  out.write("HKCR\n");
  out.write("{\n");
  out.put("    VornixX.%s.1 = s '%s Class'\n", cls, cls);
  out.write("    {\n");
  out.put("        CLSID = s '{%s}'\n", clsid);
  out.write("    }\n");
  out.put("    VornixX.%s = s '%s Class'\n", cls, cls);
  out.write("    {\n");
  out.put("        CLSID = s '{%s}'\n", clsid);
  out.put("        CurVer = s 'VornixX.%s.1'\n", cls);
  out.write("    }\n");
  out.write("    NoRemove CLSID\n");
  out.write("    {\n");
  out.put("        ForceRemove {%s} = s '%s Class'\n", clsid, cls);
  out.write("        {\n");
  out.put("            ProgID = s 'VornixX.%s.1'\n", cls);
  out.put("            VersionIndependentProgID = s 'VornixX.%s'\n", cls);
  out.write("            ForceRemove 'Programmable'\n");
  out.put("            InprocServer32 = s '%%MODULE%%'\n");
  out.write("            {\n");
  out.write("                val ThreadingModel = s 'both'\n");
  out.write("            }\n");
  out.write("        }\n");
  out.write("    }\n");
  out.write("}\n");
}

void write_cleanup_entries(Writer& out, const ClassModel& model) {
  for (const ClassRecord& record : model.classes) {
    std::string name = com_name(record);
    const ClassDescription& ids = class_ids(record);
    out.put("  \"VornixX.%s\",\n", name.c_str());
    out.put("  \"VornixX.%s.1\",\n", name.c_str());
    out.put("  \"CLSID\\\\{%s}\",\n", upper_case_guid(ids.class_id.value_or("")).c_str());
    out.put("  \"Interface\\\\{%s}\",\n", upper_case_guid(ids.interface_id.value_or("")).c_str());
  }
}
